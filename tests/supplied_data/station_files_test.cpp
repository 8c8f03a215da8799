#include "map/navarea_tables.h"
#include "map/station_position.h"
#include "station_file.h"
#include "station_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fenlark {
namespace {

constexpr std::size_t kBlocks = 25;
constexpr std::size_t kBlockLines = 27;

const char *const kStationFiles[] = {"424.txt", "490.txt", "518.txt", "4209.txt"};

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string stationFilePath(const std::string &name) {
    return std::string(FENLARK_DATA_DIR) + "/stations/" + name;
}

// The text cut into lines at CR LF; every line must end in CR LF and hold no other CR or LF.
std::vector<std::string> crlfLines(const std::string &text, const std::string &name) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << name << ": the last line does not end in CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (std::size_t n = 0; n < lines.size(); ++n)
        EXPECT_EQ(lines[n].find_first_of("\r\n"), std::string::npos)
            << name << " line " << n + 1 << " holds a lone CR or LF";
    return lines;
}

std::vector<std::string> splitAt(const std::string &text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? at : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

// One station line of a loaded file, with where it stands.
struct StationLine {
    std::string file;
    std::size_t block;
    char letter;
    std::size_t lineNumber; // from 1
    std::vector<std::string> fields;

    std::string where() const {
        return file + " line " + std::to_string(lineNumber) + " (block " + std::to_string(block) +
               ", letter " + letter + ")";
    }
    bool isEmptyLetter() const {
        return fields.size() == 5 && fields[0].size() == 4 && fields[1].empty() &&
               fields[2].empty() && fields[3].empty() && fields[4].empty();
    }
};

// The station lines of every file whose layout is right (the layout itself is tested below).
std::vector<StationLine> allStationLines() {
    std::vector<StationLine> all;
    for (const char *name : kStationFiles) {
        const std::vector<std::string> lines = crlfLines(readFile(stationFilePath(name)), name);
        if (lines.size() != kBlocks * kBlockLines)
            continue;
        for (std::size_t n = 0; n < lines.size(); ++n) {
            if (n % kBlockLines == 0)
                continue;
            all.push_back({name, n / kBlockLines, static_cast<char>('A' + n % kBlockLines - 1),
                           n + 1, splitAt(lines[n], ',')});
        }
    }
    return all;
}

class StationFile : public testing::TestWithParam<const char *> {};

TEST_P(StationFile, IsTwentyFiveBlocksOfAHeadingAndTwentySixLettersInCrLfLines) {
    const std::string name = GetParam();
    const std::vector<std::string> lines = crlfLines(readFile(stationFilePath(name)), name);
    ASSERT_EQ(lines.size(), kBlocks * kBlockLines);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string &line = lines[n];
        if (n % kBlockLines == 0) {
            EXPECT_EQ(line.rfind("NAVAREA ", 0), 0u)
                << name << " line " << n + 1 << " should be a block heading: " << line;
            continue;
        }
        const char letter = static_cast<char>('A' + n % kBlockLines - 1);
        EXPECT_GE(splitAt(line, ',').size(), 5u) << name << " line " << n + 1 << ": " << line;
        EXPECT_EQ(line.substr(0, 4), std::string(1, letter) + " - ")
            << name << " line " << n + 1 << ": " << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, StationFile, testing::ValuesIn(kStationFiles),
                         [](const auto &info) {
                             std::string s = info.param;
                             return "F" + s.substr(0, s.find('.'));
                         });

// Lines the notes on the table decide: the first station, Labrador's transmitter, and the one
// transmitter written for each shared letter. A table update that reverts them shows here.
TEST(StationFiles, CarryTheStationsTheNotesChose) {
    const std::tuple<const char *, std::size_t, const char *> cases[] = {
        {"518.txt", 0, "E - Niton (UK),GNI,50 35 N,001 18 W,0040 0440 0840 1240 1640 2040"},
        {"518.txt", 4, "X - Labrador (Canada) Cartwright tx,VOK,53 43 N,057 01 W,"},
        {"518.txt", 12, "K - Da Nang (Vietnam) also Davao,"},
        {"518.txt", 12, "P - Lintou (Taiwan) also Yenliaoken,"},
        {"518.txt", 13, "V - Jukbyeon (S Korea) Chukpyon also Guam,"},
        {"490.txt", 7, "A - Ushuaia (Argentina) Spanish also La Paloma,"},
        {"4209.txt", 12, "P - Keelung (Taiwan) English also Linyuan,"},
    };
    for (const auto &[file, block, start] : cases) {
        const std::vector<std::string> lines = crlfLines(readFile(stationFilePath(file)), file);
        const std::size_t n = block * kBlockLines + 1 + static_cast<std::size_t>(start[0] - 'A');
        ASSERT_LT(n, lines.size()) << file;
        EXPECT_EQ(lines[n].rfind(start, 0), 0u) << file << " block " << block << ": " << lines[n];
    }
}

TEST(StationFiles, StationLinesHaveNoBlanksNextToCommasAndLabelAsTheirNames) {
    const std::vector<StationLine> lines = allStationLines();
    ASSERT_EQ(lines.size(), 4 * kBlocks * 26);
    for (const StationLine &s : lines) {
        if (s.isEmptyLetter())
            continue; // "U - ,,,,": the letter and separator only
        ASSERT_GE(s.fields.size(), 5u) << s.where();
        for (std::size_t f = 0; f < s.fields.size(); ++f) {
            const std::string &field = s.fields[f];
            EXPECT_TRUE(field.empty() || (field.front() != ' ' && field.back() != ' '))
                << s.where() << " field " << f << " \"" << field << "\"";
        }
        // The map's label: characters 4 to p - 1 before the first "(" at p, else 5 to the end.
        const std::string &entry = s.fields[0];
        const std::size_t bracket = entry.find('(');
        const std::string label = bracket == std::string::npos
                                      ? entry.substr(std::min<std::size_t>(4, entry.size()))
                                      : entry.substr(3, bracket >= 3 ? bracket - 3 : 0);
        const std::string name = std::regex_replace(label, std::regex("^ +| +$"), "");
        EXPECT_FALSE(name.empty()) << s.where() << ": no name in \"" << entry << "\"";
        EXPECT_TRUE(label == name || label == " " + name + " ")
            << s.where() << ": label \"" << label << "\"";
    }
}

TEST(StationFiles, PositionsAreDegreesMinutesAndHemisphereOfAPlaceOnEarth) {
    const std::regex latitude(R"((\d{2}) (\d{2}) ([NS]))");
    const std::regex longitude(R"((\d{3}) (\d{2}) ([EW]))");
    int positions = 0;
    for (const StationLine &s : allStationLines()) {
        ASSERT_GE(s.fields.size(), 5u) << s.where();
        const std::string &lat = s.fields[2];
        const std::string &lon = s.fields[3];
        EXPECT_EQ(lat.empty(), lon.empty()) << s.where();
        if (lat.empty() || lon.empty())
            continue;
        ++positions;
        std::smatch m;
        if (std::regex_match(lat, m, latitude)) {
            EXPECT_LE(std::stoi(m[1]), 90) << s.where() << " " << lat;
            EXPECT_LE(std::stoi(m[2]), 59) << s.where() << " " << lat;
        } else {
            ADD_FAILURE() << s.where() << ": latitude \"" << lat << "\"";
        }
        if (std::regex_match(lon, m, longitude)) {
            EXPECT_LE(std::stoi(m[1]), 180) << s.where() << " " << lon;
            EXPECT_LE(std::stoi(m[2]), 59) << s.where() << " " << lon;
        } else {
            ADD_FAILURE() << s.where() << ": longitude \"" << lon << "\"";
        }
        const std::optional<MapPoint> p = stationPoint(lat, lon);
        ASSERT_TRUE(p.has_value()) << s.where();
        EXPECT_TRUE(p->y >= -5400 && p->y <= 5400 && p->x >= 0 && p->x <= 21600)
            << s.where() << ": x " << p->x << " y " << p->y;
    }
    EXPECT_GT(positions, 0);
}

TEST(StationFiles, TimesAreAscendingFourDigitUtcTimes) {
    const std::regex time(R"(([01]\d|2[0-3])[0-5]\d)");
    for (const StationLine &s : allStationLines()) {
        ASSERT_GE(s.fields.size(), 5u) << s.where();
        if (s.fields[4].empty())
            continue;
        const std::vector<std::string> times = splitAt(s.fields[4], ' ');
        for (const std::string &t : times)
            EXPECT_TRUE(std::regex_match(t, time)) << s.where() << ": time \"" << t << "\"";
        EXPECT_TRUE(std::is_sorted(times.begin(), times.end()) &&
                    std::adjacent_find(times.begin(), times.end()) == times.end())
            << s.where() << ": times out of order: " << s.fields[4];
    }
}

// A hand edit of a station file, or a table change without regenerating, shows up here.
TEST(StationFiles, AreWhatTheGeneratorMakesFromTheStationTable) {
    std::ifstream table(std::string(FENLARK_DATA_DIR) + "/stations/navtex-stations.tsv",
                        std::ios::binary);
    ASSERT_TRUE(table.good());
    const std::vector<stationgen::StationRow> rows = stationgen::readStationRows(table);
    for (const stationgen::StationFileTarget &target : stationgen::stationFileTargets()) {
        const std::string generated = stationgen::stationFileText(rows, target.freqKhz);
        const std::string committed = readFile(stationFilePath(target.fileName));
        if (generated == committed)
            continue;
        std::istringstream a(generated);
        std::istringstream b(committed);
        std::string lineA;
        std::string lineB;
        int n = 1;
        while (std::getline(a, lineA) && std::getline(b, lineB) && lineA == lineB)
            ++n;
        ADD_FAILURE() << target.fileName << " differs from the table from line " << n
                      << ":\n  generated: " << lineA << "\n  committed: " << lineB
                      << "\nRegenerate it with fenlark-stationgen (see data/README.md).";
    }
}

// The map shows the extent of the chosen NAVAREA only, so a station outside it is not seen there.
// Svalbard and Vardo lie just outside NAVAREA I's extent, as the notes on the table say; any other
// station outside its extent has a wrong position or group.
TEST(StationFilesOnTheMap, EveryStationLiesInsideItsExtentButTheTwoKnown) {
    std::vector<std::string> outside;
    for (const StationLine &s : allStationLines()) {
        ASSERT_GE(s.fields.size(), 5u) << s.where();
        if (s.fields[2].size() <= 2)
            continue;
        const std::optional<MapPoint> p = stationPoint(s.fields[2], s.fields[3]);
        ASSERT_TRUE(p.has_value()) << s.where() << ": the map cannot place it";
        const MapExtent &e = kMapExtents[s.block];
        if (p->x < std::min(e.x1, e.x2) || p->x > std::max(e.x1, e.x2) ||
            p->y < std::min(e.y1, e.y2) || p->y > std::max(e.y1, e.y2))
            outside.push_back(s.where() + " " + s.fields[0]);
    }
    const std::vector<std::string> known = {
        "518.txt line 2 (block 0, letter A) A - Svalbard (Norway)",
        "518.txt line 4 (block 0, letter C) C - Vardo (Norway)"};
    EXPECT_EQ(outside, known);
}

} // namespace
} // namespace fenlark
