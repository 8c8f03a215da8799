// Reading one NAVAREA block of a station file into the station table.
#pragma once

#include "browse/station_table.h"

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace fenlark {

constexpr int kStationsPerBlock = 26;
constexpr int kLinesPerBlock = kStationsPerBlock + 1; // a heading line and 26 station lines

// Splits a station line at every comma; no quoting, no trimming.
std::vector<std::string> splitStationLine(const std::string& line);

// Reads the block `navareaindex` (0-based) of a station file into slots 1-26 of `table`. Returns an
// empty text on success, else what is wrong, naming the NAVAREA as `areaName` (the table is then
// left untouched). Lines end in CR LF; a lone CR or LF is accepted too.
std::string readStationBlock(std::istream& in, int navareaindex, std::string_view areaName,
                             StationTable& table);

} // namespace fenlark
