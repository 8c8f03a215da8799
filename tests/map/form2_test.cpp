// The map window's drawing: order, colours, outline lines, station circles and labels, title.
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fenlark {
namespace {

using test::TestProgram;

std::string stationBlock()
{
    std::string block = "NAVAREA I - 518 kHz\r\n";
    block += "A - Alpha (Xland),CA,50 35 N,001 18 W,0000\r\n";
    block += "B - Bravo,CB,60 00 N,005 00 E,0010\r\n";
    block += "C - ,,,,\r\n";                              // no position
    block += "D - Delta (Y),CD,55,010 00 E,0030\r\n";     // latitude too short
    block += "E(x,CE,50 00 N,000 00 E,0040\r\n";          // a "(" among the first three characters
    block += "F - (Fox),CF,33 55 S,018 25 E,0050\r\n";    // "(" at the fifth character
    for (char letter = 'G'; letter <= 'Z'; ++letter)
        block += std::string(1, letter) + " - ,,,,\r\n";
    return block;
}

std::string record(std::int16_t code, std::int16_t lat, std::int16_t lon)
{
    std::string r;
    for (std::int16_t v : {code, lat, lon}) {
        r += static_cast<char>(v & 0xFF);
        r += static_cast<char>((v >> 8) & 0xFF);
    }
    return r;
}

// Ops from the first one equal to `from` up to (not including) the first equal to `to`.
std::vector<std::string> between(const std::vector<std::string>& ops, const std::string& from,
                                 const std::string& to)
{
    auto first = std::find(ops.begin(), ops.end(), from);
    auto last = std::find(first, ops.end(), to);
    return {first, last};
}

class MapDrawing : public testing::Test {
protected:
    MapDrawing() : p(test::kPortZeroSettings, false)
    {
        std::string file = stationBlock();
        for (int area = 1; area < 25; ++area)
            file += stationBlock();
        test::writeFile("518.txt", file);
        p.app.start();
    }
    TestProgram p;
};

TEST_F(MapDrawing, DrawsOutlineStationsTitleAndBoundariesInOrder)
{
    test::writeFile("mapper.pnt", record(1001, 3000, 0) + record(1, 3000, 60) +
                                      record(1000, 3060, 60));
    p.form().StationList.setListIndex(2); // Bravo is the current station
    p.canvas.ops.clear();
    p.form().Mapbutton.click();
    ASSERT_TRUE(p.app.isLoaded(Window::Form2));
    const std::vector<std::string> expected = {
        "clear",
        "scale 8700 4620 12600 2820",
        "fore c0c0c0",
        "pset 10800 3000",
        "line 10860 3000",
        "line 10860 3060",
        "solid",
        "fill ff0000",
        "circle 10722 3035 15.6 ff0000",
        "fore 000000",
        "print  Alpha ",
        "fill ff0000",
        "circle 11100 3600 15.6 ff0000",
        "fore 000000",
        "print Bravo",
        "fill ff0000",
        "circle 10800 3000 15.6 ff0000",
        "fore 000000",
        "fill ff0000",
        "circle 11905 -2035 15.6 ff0000",
        "fore 000000",
        "print  ", // the one character before a "(" at the fifth position
        "fill 00ff00",
        "circle 11100 3600 15.6 00ff00",
        "transparent",
        "fore 0000ff",
    };
    ASSERT_GE(p.canvas.ops.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(p.canvas.ops.begin(),
                                       p.canvas.ops.begin() + static_cast<long>(expected.size())),
              expected);
    EXPECT_EQ(p.app.form2().Maplabel.caption(),
              " Navarea  I - North Sea and Baltic: Stations on 518 kHz");
}

TEST_F(MapDrawing, DrawsTheBoundaryPolylinesOfTheArea)
{
    p.form().Mapbutton.click();
    const auto boundary = between(p.canvas.ops, "fore 0000ff", "");
    // NAVAREA I: (48.5, -5) (48.5, -35) (66, -35) ; (65, 11) (65, -5) (75, -5) (75, -19)
    EXPECT_EQ(boundary, (std::vector<std::string>{"fore 0000ff", "pset 10500 2910",
                                                  "line 8700 2910", "line 8700 3960",
                                                  "pset 11460 3900", "line 10500 3900",
                                                  "line 10500 4500", "line 9660 4500"}));
}

TEST_F(MapDrawing, NavareaThreeHasNoBoundaryAndAllStationsGiveNoGreen)
{
    p.form().NavAreaList.setListIndex(2);
    p.form().Mapbutton.click();
    EXPECT_EQ(p.canvas.ops.back(), "fore 0000ff");
    EXPECT_EQ(std::count(p.canvas.ops.begin(), p.canvas.ops.end(), "fill 00ff00"), 0);
    EXPECT_EQ(p.canvas.ops[1], "scale 10200 3300 13800 1500");
}

TEST_F(MapDrawing, OutlinePointsAcrossOneHundredSixtyEastAreNeverJoined)
{
    // x = longitude + 10800 (less 21600 past 21600): 20300 and 20500 lie on either side of 20400.
    test::writeFile("mapper.pnt", record(1001, 0, 9500) + record(1, 0, 9700) + record(1, 0, 9800) +
                                      record(1, 0, 9600) + record(1, 10, 9600) +
                                      record(1, 0, 10860) + record(1001, 0, 10800) +
                                      std::string("\x01\x02\x03", 3));
    p.form().Mapbutton.click();
    const auto outline = between(p.canvas.ops, "fore c0c0c0", "solid");
    EXPECT_EQ(outline, (std::vector<std::string>{
                           "fore c0c0c0", "pset 20300 0", "pset 20500 0", "line 20600 0",
                           "line 20400 0", // x = 20400 is on the eastern side
                           "line 20400 10", "pset 60 0", "pset 21600 0"}));
}

TEST_F(MapDrawing, AMissingOutlineFileIsCreatedEmpty)
{
    ASSERT_FALSE(std::filesystem::exists("mapper.pnt"));
    p.form().Mapbutton.click();
    EXPECT_TRUE(std::filesystem::exists("mapper.pnt"));
    EXPECT_EQ(std::filesystem::file_size("mapper.pnt"), 0u);
    EXPECT_EQ(std::count(p.canvas.ops.begin(), p.canvas.ops.end(), "fill ff0000"), 4);
}

TEST_F(MapDrawing, ASecondMapClickOnlyRaisesTheWindowUntilItIsClosed)
{
    p.form().Mapbutton.click();
    const std::size_t drawn = p.canvas.ops.size();
    p.form().NavAreaList.setListIndex(1);
    p.form().Mapbutton.click();
    EXPECT_EQ(p.canvas.ops.size(), drawn);
    p.app.form2().closemap.click();
    EXPECT_FALSE(p.app.isLoaded(Window::Form2));
    p.form().Mapbutton.click();
    EXPECT_GT(p.canvas.ops.size(), drawn);
    EXPECT_EQ(p.app.form2().Maplabel.caption(),
              " Navarea  II - North Atlantic: Stations on 518 kHz");
}

} // namespace
} // namespace fenlark
