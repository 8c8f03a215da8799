#include "browse/station_file.h"

namespace fenlark {
namespace {

// One line without its ending; false at the end of the input.
bool readLine(std::istream& in, std::string& line)
{
    line.clear();
    std::istream::int_type c;
    bool any = false;
    while ((c = in.get()) != std::istream::traits_type::eof()) {
        any = true;
        if (c == '\n')
            return true;
        if (c == '\r') {
            if (in.peek() == '\n')
                in.get();
            return true;
        }
        line += static_cast<char>(c);
    }
    return any;
}

} // namespace

std::vector<std::string> splitStationLine(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::string readStationBlock(std::istream& in, int navareaindex, std::string_view areaName,
                             StationTable& table)
{
    // The list's entries carry blanks at their ends; the notice names the NAVAREA without them.
    while (!areaName.empty() && areaName.front() == ' ')
        areaName.remove_prefix(1);
    while (!areaName.empty() && areaName.back() == ' ')
        areaName.remove_suffix(1);
    const std::string area = "NAVAREA \"" + std::string(areaName) + "\"";
    std::string line;
    const int skip = navareaindex * kLinesPerBlock;
    for (int i = 0; i < skip; ++i)
        if (!readLine(in, line))
            return "it ends at line " + std::to_string(i + 1) + ", before the block of " + area +
                   " (line " + std::to_string(skip + 1) + ")";
    if (!readLine(in, line))
        return "it has no block for " + area + " (line " + std::to_string(skip + 1) +
               " is missing)";
    StationTable read = table;
    for (int k = 1; k <= kStationsPerBlock; ++k) {
        const int lineNo = skip + 1 + k;
        if (!readLine(in, line))
            return "it ends at line " + std::to_string(lineNo) + ", inside the block of " + area;
        const auto fields = splitStationLine(line);
        if (fields.size() < 5)
            return "line " + std::to_string(lineNo) + " has " + std::to_string(fields.size()) +
                   " fields instead of at least 5";
        read.stnentry[k] = fields[0];
        read.stncall[k] = fields[1];
        read.stnlat[k] = fields[2];
        read.stnlon[k] = fields[3];
        read.stntxtimes[k] = fields[4];
    }
    table = std::move(read);
    return {};
}

} // namespace fenlark
