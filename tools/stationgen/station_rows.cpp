#include "station_rows.h"

#include "station_file.h"

#include <cstddef>
#include <string_view>

namespace fenlark::stationgen {
namespace {

std::vector<std::string> splitTabs(const std::string &line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view s) {
    for (char c : s)
        if (!isDigit(c))
            return false;
    return !s.empty();
}

int number(std::string_view digits) {
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

// "DD MM H" (latitude, 2 degree digits) or "DDD MM H" (longitude, 3 degree digits).
bool isPosition(std::string_view text, std::size_t degreeDigits, int maxDegrees,
                std::string_view hemispheres) {
    if (text.size() != degreeDigits + 5 || text[degreeDigits] != ' ' ||
        text[degreeDigits + 3] != ' ')
        return false;
    const std::string_view degrees = text.substr(0, degreeDigits);
    const std::string_view minutes = text.substr(degreeDigits + 1, 2);
    const char hemisphere = text.back();
    return allDigits(degrees) && allDigits(minutes) && number(degrees) <= maxDegrees &&
           number(minutes) <= 59 && (number(degrees) < maxDegrees || number(minutes) == 0) &&
           hemispheres.find(hemisphere) != std::string_view::npos;
}

bool isTimeList(std::string_view text) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = text.find(' ', start);
        const std::string_view time = text.substr(
            start, blank == std::string_view::npos ? std::string_view::npos : blank - start);
        if (time.size() != 4 || !allDigits(time) || number(time.substr(0, 2)) > 23 ||
            number(time.substr(2, 2)) > 59)
            return false;
        if (blank == std::string_view::npos)
            return true;
        start = blank + 1;
    }
}

[[noreturn]] void fail(int lineNumber, const std::string &what) {
    throw StationRowError("station table line " + std::to_string(lineNumber) + ": " + what);
}

void checkWrittenField(int lineNumber, std::string_view column, const std::string &value) {
    if (value.find(',') != std::string::npos)
        fail(lineNumber, std::string(column) + " has a comma: \"" + value + "\"");
    if (!value.empty() && (value.front() == ' ' || value.back() == ' '))
        fail(lineNumber, std::string(column) + " has a space at an end: \"" + value + "\"");
}

StationRow parseRow(const std::string &line, int lineNumber) {
    const std::vector<std::string> f = splitTabs(line);
    if (f.size() != 10)
        fail(lineNumber, "expected 10 tab-separated columns, found " + std::to_string(f.size()));

    StationRow row;
    row.lineNumber = lineNumber;
    row.freqKhz = f[0];
    bool known = false;
    for (const StationFileTarget &target : stationFileTargets())
        known = known || target.freqKhz == row.freqKhz;
    if (!known)
        fail(lineNumber, "unknown freq_khz \"" + f[0] + "\"");
    if (!allDigits(f[1]) || f[1].size() > 2 || number(f[1]) > 24)
        fail(lineNumber, "navarea_pos must be 0-24, not \"" + f[1] + "\"");
    row.navareaPos = number(f[1]);
    if (f[2].size() != 1 || f[2][0] < 'A' || f[2][0] > 'Z')
        fail(lineNumber, "letter must be one of A-Z, not \"" + f[2] + "\"");
    row.letter = f[2][0];
    row.name = f[3];
    row.remark = f[4];
    row.call = f[5];
    row.lat = f[6];
    row.lon = f[7];
    row.txTimes = f[8];

    checkWrittenField(lineNumber, "name", row.name);
    checkWrittenField(lineNumber, "remark", row.remark);
    checkWrittenField(lineNumber, "call", row.call);
    checkWrittenField(lineNumber, "lat", row.lat);
    checkWrittenField(lineNumber, "lon", row.lon);
    checkWrittenField(lineNumber, "tx_times", row.txTimes);
    // The map labels a station with the text before the first "(" of its entry.
    if (row.name.empty() || row.name.find('(') != std::string::npos)
        fail(lineNumber, "name must be non-empty and without \"(\": \"" + row.name + "\"");
    if (!row.remark.empty() && row.remark.front() != '(')
        fail(lineNumber, "remark must begin with \"(\": \"" + row.remark + "\"");
    if (row.lat.empty() != row.lon.empty())
        fail(lineNumber, "lat and lon must both be given or both be empty");
    if (!row.lat.empty() && !isPosition(row.lat, 2, 90, "NS"))
        fail(lineNumber, "lat must read like \"50 35 N\", not \"" + row.lat + "\"");
    if (!row.lon.empty() && !isPosition(row.lon, 3, 180, "EW"))
        fail(lineNumber, "lon must read like \"001 18 W\", not \"" + row.lon + "\"");
    if (!row.txTimes.empty() && !isTimeList(row.txTimes))
        fail(lineNumber,
             "tx_times must be HHMM times separated by single spaces, not \"" + row.txTimes + "\"");
    return row;
}

} // namespace

std::vector<StationRow> readStationRows(std::istream &in) {
    std::vector<StationRow> rows;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lineNumber == 1) {
            if (line != kStationTableHeader)
                fail(1, std::string("the header line must be \"") + kStationTableHeader + "\"");
            continue;
        }
        if (!line.empty())
            rows.push_back(parseRow(line, lineNumber));
    }
    if (lineNumber == 0)
        throw StationRowError("station table is empty: no header line");
    return rows;
}

} // namespace fenlark::stationgen
