// The station data source: rows of the tab-separated station table and their checks.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fenlark::stationgen {

// One transmitter on one frequency in one NAVAREA block under one letter, as the table has it.
struct StationRow {
    int lineNumber = 0;  // in the table file, from 1 (the header line)
    std::string freqKhz; // "424", "490", "518" or "4209.5"
    int navareaPos = 0;  // NavAreaList position, 0-24
    char letter = 'A';   // transmitter identity letter, 'A'-'Z'
    std::string name;
    std::string remark; // empty, or beginning with "(" such as "(UK)"
    std::string call;
    std::string lat;     // "50 35 N", or empty with lon when the place is unknown
    std::string lon;     // "001 18 W"
    std::string txTimes; // "0040 0440 ...", space-separated HHMM UTC
};

// A row that cannot become a station line; what() names the line and the field.
class StationRowError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The columns of the header line, tab-separated, in order.
inline constexpr const char *kStationTableHeader =
    "freq_khz\tnavarea_pos\tletter\tname\tremark\tcall\tlat\tlon\ttx_times\tsource";

// Reads the whole table: the header line, then one row per line (LF or CR LF; empty lines are
// skipped). Throws StationRowError at the first row that breaks a rule: ten columns; a known
// frequency; a position 0-24; one letter A-Z; a name without "(" ; a remark that is empty or begins
// with "("; no comma anywhere and no space at either end of a field written to the station files;
// latitude "DD MM N|S" and longitude "DDD MM E|W" (both or neither); times as HHMM separated by
// single spaces.
std::vector<StationRow> readStationRows(std::istream &in);

} // namespace fenlark::stationgen
