// The supplied data: the station files are what the generator makes from the station table, with
// the transmitters the notes on the table chose and stations the map can show; the map outline
// "mapper.pnt" is lines of points on the earth that follow the coasts.
#include "browse/station_file.h"
#include "map/navarea_tables.h"
#include "map/station_position.h"
#include "station_file.h"
#include "station_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace fenlark {
namespace {

std::string readData(const std::string& path)
{
    std::ifstream in(std::string(FENLARK_DATA_DIR) + "/" + path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> stationFileLines(const std::string& name)
{
    std::vector<std::string> lines;
    std::istringstream in(readData("stations/" + name));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

// Calls `visit` with every station line of every station file, its place ("518.txt line 2") and
// its NAVAREA position.
void forEachStation(const std::function<void(const std::vector<std::string>&, const std::string&,
                                             std::size_t)>& visit)
{
    for (const stationgen::StationFileTarget& target : stationgen::stationFileTargets()) {
        const std::vector<std::string> lines = stationFileLines(target.fileName);
        ASSERT_EQ(lines.size(), 25u * 27u) << target.fileName;
        for (std::size_t n = 0; n < lines.size(); ++n)
            if (n % 27 != 0)
                visit(splitStationLine(lines[n]),
                      target.fileName + " line " + std::to_string(n + 1), n / 27);
    }
}

// A hand edit of a station file, or a table change without regenerating, shows up here.
TEST(StationFiles, AreWhatTheGeneratorMakesFromTheStationTable)
{
    std::istringstream table(readData("stations/navtex-stations.tsv"));
    const std::vector<stationgen::StationRow> rows = stationgen::readStationRows(table);
    for (const stationgen::StationFileTarget& target : stationgen::stationFileTargets()) {
        const std::string generated = stationgen::stationFileText(rows, target.freqKhz);
        const std::string committed = readData("stations/" + target.fileName);
        const auto differ =
            std::mismatch(generated.begin(), generated.end(), committed.begin(), committed.end());
        EXPECT_TRUE(differ.first == generated.end() && differ.second == committed.end())
            << target.fileName << " differs from the table from line "
            << 1 + std::count(generated.begin(), differ.first, '\n')
            << "; regenerate it with fenlark-stationgen (see data/README.md)";
    }
}

// The first station, Labrador's transmitter, and the one transmitter written for each shared
// letter: a table update that reverts them shows here.
TEST(StationFiles, CarryTheStationsTheNotesChose)
{
    const std::tuple<const char*, std::size_t, const char*> cases[] = {
        {"518.txt", 0, "E - Niton (UK),GNI,50 35 N,001 18 W,0040 0440 0840 1240 1640 2040"},
        {"518.txt", 4, "X - Labrador (Canada) Cartwright tx,VOK,53 43 N,057 01 W,"},
        {"518.txt", 12, "K - Da Nang (Vietnam) also Davao,"},
        {"518.txt", 12, "P - Lintou (Taiwan) also Yenliaoken,"},
        {"518.txt", 13, "V - Jukbyeon (S Korea) Chukpyon also Guam,"},
        {"490.txt", 7, "A - Ushuaia (Argentina) Spanish also La Paloma,"},
        {"4209.txt", 12, "P - Keelung (Taiwan) English also Linyuan,"},
    };
    for (const auto& [file, block, start] : cases) {
        const std::vector<std::string> lines = stationFileLines(file);
        const std::size_t n = block * 27 + 1 + static_cast<std::size_t>(start[0] - 'A');
        ASSERT_LT(n, lines.size()) << file;
        EXPECT_EQ(lines[n].rfind(start, 0), 0u) << file << " block " << block << ": " << lines[n];
    }
}

// The map shows the extent of the chosen NAVAREA only. Svalbard and Vardo lie just outside
// NAVAREA I's extent, as the notes on the table say; any other station outside its extent has a
// wrong position or group.
TEST(StationFiles, PlaceEveryStationInsideItsMapExtentButTheTwoKnown)
{
    std::vector<std::string> outside;
    forEachStation(
        [&](const std::vector<std::string>& f, const std::string& where, std::size_t navarea) {
            ASSERT_GE(f.size(), 5u) << where;
            if (f[2].size() <= 2)
                return; // no known location
            const std::optional<MapPoint> p = stationPoint(f[2], f[3]);
            const MapExtent& e = kMapExtents[navarea];
            if (!p || p->x < e.x1 || p->x > e.x2 || p->y > e.y1 || p->y < e.y2)
                outside.push_back(where + " " + f[0]);
        });
    EXPECT_EQ(outside, (std::vector<std::string>{"518.txt line 2 A - Svalbard (Norway)",
                                                 "518.txt line 4 C - Vardo (Norway)"}));
}

TEST(StationFiles, ListTransmissionTimesInAscendingOrder)
{
    forEachStation([](const std::vector<std::string>& f, const std::string& where, std::size_t) {
        std::istringstream in(f.at(4));
        const std::vector<std::string> times{std::istream_iterator<std::string>(in), {}};
        EXPECT_TRUE(std::adjacent_find(times.begin(), times.end(), std::greater_equal<>()) ==
                    times.end())
            << where << ": " << f[4];
    });
}

struct Record {
    int code;
    int lat;
    int lon;
};

std::vector<Record> readOutline()
{
    const std::string bytes = readData("mapper.pnt");
    EXPECT_EQ(bytes.size() % 6, 0u) << "a partial record at the end";
    auto at = [&bytes](std::size_t i) {
        return static_cast<int>(static_cast<std::int16_t>(
            static_cast<std::uint8_t>(bytes[i]) | static_cast<std::uint8_t>(bytes[i + 1]) << 8));
    };
    std::vector<Record> records;
    for (std::size_t i = 0; i + 6 <= bytes.size(); i += 6)
        records.push_back({at(i), at(i + 2), at(i + 4)});
    return records;
}

TEST(OutlineFile, IsLinesOfAtLeastTwoPointsOnEarth)
{
    const std::vector<Record> records = readOutline();
    ASSERT_GT(records.size(), 10000u);
    std::size_t lineLength = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record& r = records[i];
        EXPECT_TRUE(r.code == 1001 || (r.code == 1 && i > 0))
            << "record " << i << " code " << r.code;
        EXPECT_TRUE(std::abs(r.lat) <= 90 * 60 && std::abs(r.lon) <= 180 * 60) << "record " << i;
        if (r.code > 1000) {
            EXPECT_NE(lineLength, 1u) << "a line of one point ends before record " << i;
            lineLength = 0;
        }
        ++lineLength;
    }
    EXPECT_GE(lineLength, 2u);
}

// Coastal stations in each quarter of the world: the outline passes within 20 minutes of each,
// which it would not with latitude and longitude swapped or a hemisphere's sign turned.
TEST(OutlineFile, PassesCoastalStationsInAllFourQuarters)
{
    struct Place {
        const char* name;
        int lat;
        int lon;
    };
    const Place places[] = {{"Niton 50 35 N 001 18 W", 3035, -78},
                            {"Vladivostok 43 23 N 131 54 E", 2603, 7914},
                            {"Cape Town 33 41 S 018 43 E", -2021, 1123},
                            {"Valparaiso 32 48 S 071 29 W", -1968, -4289},
                            {"Honolulu 21 22 N 158 09 W", 1282, -9489}};
    const std::vector<Record> records = readOutline();
    for (const Place& p : places) {
        int nearest = 1 << 30;
        for (const Record& r : records)
            nearest = std::min(nearest, std::max(std::abs(r.lat - p.lat), std::abs(r.lon - p.lon)));
        EXPECT_LE(nearest, 20) << p.name;
    }
}

} // namespace
} // namespace fenlark
