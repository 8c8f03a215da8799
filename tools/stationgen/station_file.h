// Writes a station file (one per frequency) from the rows of the station table.
#pragma once

#include "station_rows.h"

#include <string>
#include <string_view>
#include <vector>

namespace fenlark::stationgen {

// One station file: the frequency as the table writes it, the file name and the button caption.
struct StationFileTarget {
    std::string freqKhz;
    std::string fileName;
    std::string caption;
};

// The four station files, in Frequency button order ("424.txt" ... "4209.txt").
std::vector<StationFileTarget> stationFileTargets();

// The whole file for one frequency, CR LF line ends: 25 blocks in NavAreaList order, each a
// heading ("NAVAREA I - North Sea and Baltic - 518 kHz") and 26 lines for the letters A to Z,
// "E - Niton (UK),GNI,50 35 N,001 18 W,0040 0440 ..." or "U - ,,,," where the letter has no
// station. Where rows share a block and a letter, the first row in table order is the station and
// the names of the others follow its remark as " also Name".
std::string stationFileText(const std::vector<StationRow> &rows, std::string_view freqKhz);

} // namespace fenlark::stationgen
