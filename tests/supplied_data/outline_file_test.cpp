#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Record {
    int code;
    int lat;
    int lon;
};

std::vector<Record> readOutline() {
    std::ifstream in(std::string(FENLARK_DATA_DIR) + "/mapper.pnt", std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot read mapper.pnt";
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes.size() % 6, 0u) << "a partial record at the end";
    auto at = [&bytes](std::size_t i) {
        const auto lo = static_cast<std::uint8_t>(bytes[i]);
        const auto hi = static_cast<std::uint8_t>(bytes[i + 1]);
        return static_cast<int>(static_cast<std::int16_t>(lo | hi << 8));
    };
    std::vector<Record> records;
    for (std::size_t i = 0; i + 6 <= bytes.size(); i += 6)
        records.push_back({at(i), at(i + 2), at(i + 4)});
    return records;
}

TEST(OutlineFile, IsLinesOfAtLeastTwoPointsOnEarth) {
    const std::vector<Record> records = readOutline();
    ASSERT_GT(records.size(), 10000u);
    EXPECT_GT(records.front().code, 1000) << "the first record must begin a line";
    std::size_t lineLength = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Record &r = records[i];
        EXPECT_TRUE(r.code == 1001 || r.code == 1) << "record " << i << " code " << r.code;
        EXPECT_LE(std::abs(r.lat), 90 * 60) << "record " << i;
        EXPECT_LE(std::abs(r.lon), 180 * 60) << "record " << i;
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
TEST(OutlineFile, PassesCoastalStationsInAllFourQuarters) {
    struct Place {
        const char *name;
        int lat;
        int lon;
    };
    const Place places[] = {{"Niton 50 35 N 001 18 W", 3035, -78},
                            {"Vladivostok 43 23 N 131 54 E", 2603, 7914},
                            {"Cape Town 33 41 S 018 43 E", -2021, 1123},
                            {"Valparaiso 32 48 S 071 29 W", -1968, -4289},
                            {"Honolulu 21 22 N 158 09 W", 1282, -9489}};
    const std::vector<Record> records = readOutline();
    for (const Place &p : places) {
        int nearest = 1 << 30;
        for (const Record &r : records)
            nearest = std::min(nearest, std::max(std::abs(r.lat - p.lat), std::abs(r.lon - p.lon)));
        EXPECT_LE(nearest, 20) << p.name;
    }
}

} // namespace
