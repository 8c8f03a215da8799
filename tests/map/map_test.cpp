// The map window: where a station is placed, and the drawing of the outline, the stations with
// their labels, the NAVAREA's extent, title and boundary lines.
#include "map/station_position.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::TestProgram;

std::string record(std::int16_t code, std::int16_t lat, std::int16_t lon)
{
    std::string r;
    for (std::int16_t v : {code, lat, lon}) {
        r += static_cast<char>(v & 0xFF);
        r += static_cast<char>((v >> 8) & 0xFF);
    }
    return r;
}

// The drawing operations from the first one equal to `from` up to the first equal to `to`.
std::vector<std::string> between(const std::vector<std::string>& ops, const std::string& from,
                                 const std::string& to)
{
    auto first = std::find(ops.begin(), ops.end(), from);
    return {first, std::find(first, ops.end(), to)};
}

class MapDrawing : public testing::Test {
protected:
    MapDrawing() : p(test::kPortZeroSettings, false)
    {
        std::string block = "NAVAREA heading\r\n";
        block += "A - Alpha (Xland),CA,50 35 N,001 18 W,0000\r\n";
        block += "B - Bravo,CB,60 00 N,005 00 E,0010\r\n";
        block += "C - ,,,,\r\n";                          // no position
        block += "D - Delta (Y),CD,55,010 00 E,0030\r\n"; // latitude too short
        block += "E(x,CE,50 00 N,000 00 E,0040\r\n";      // "(" among the first three characters
        block += "F -(Fox),CF,33 55 S,018 25 E,0050\r\n"; // "(" at the fourth character
        for (char letter = 'G'; letter <= 'Z'; ++letter)
            block += std::string(1, letter) + " - ,,,,\r\n";
        std::string file;
        for (int area = 0; area < 25; ++area)
            file += block;
        test::writeFile("518.txt", file);
        p.app.start();
    }
    TestProgram p;
};

TEST_F(MapDrawing, StationsAreRedCirclesWithTheirNamesAndTheCurrentOneGreenOnTop)
{
    p.form().StationList.setListIndex(2); // Bravo is the current station
    p.form().Mapbutton.click();
    ASSERT_TRUE(p.app.isLoaded(Window::Form2));
    EXPECT_EQ(between(p.canvas.ops, "solid", "transparent"),
              (std::vector<std::string>{
                  "solid", "fill ff0000", "circle 10722 3035 15.6 ff0000", "fore 000000",
                  "print  Alpha ", "fill ff0000", "circle 11100 3600 15.6 ff0000", "fore 000000",
                  "print Bravo", "fill ff0000", "circle 10800 3000 15.6 ff0000", "fore 000000",
                  "fill ff0000", "circle 11905 -2035 15.6 ff0000", "fore 000000", "print ",
                  "fill 00ff00", "circle 11100 3600 15.6 00ff00"}));
    EXPECT_EQ(p.app.form2().Maplabel.caption(),
              " Navarea  I - North Sea and Baltic: Stations on 518 kHz");
}

TEST_F(MapDrawing, OutlinePointsBeginLinesButNeverJoinAcrossOneHundredSixtyEast)
{
    // x = longitude + 10800 (less 21600 past 21600); 20400 (160 E) parts the two sides. The first
    // point, a code above 1000 and a change of side each lift the pen.
    test::writeFile("mapper.pnt", record(1, 0, 9700) + record(1000, 0, 9800) + record(1, 0, 9600) +
                                      record(1001, 10, 9600) + record(1, 0, 9500) +
                                      record(1001, 0, 10860) + record(1, 5, -10740) +
                                      record(1, 0, 10800) + std::string("\x01\x02\x03", 3));
    p.form().Mapbutton.click();
    EXPECT_EQ(between(p.canvas.ops, "fore c0c0c0", "solid"),
              (std::vector<std::string>{"fore c0c0c0", "pset 20500 0", "line 20600 0",
                                        "line 20400 0", "pset 20400 10", "pset 20300 0",
                                        "pset 60 0", "line 60 5", "pset 21600 0"}));
}

TEST_F(MapDrawing, EachNavareaHasItsExtentAndBoundaryLines)
{
    struct Case {
        int navarea;
        std::vector<std::string> ops; // the scale, then the blue boundary lines
    };
    const Case cases[] = {
        {0,
         {"scale 8700 4620 12600 2820", "fore 0000ff", "pset 10500 2910", "line 8700 2910",
          "line 8700 3960", "pset 11460 3900", "line 10500 3900", "line 10500 4500",
          "line 9660 4500"}},
        {2, {"scale 10200 3300 13800 1500", "fore 0000ff"}}, // III has no boundary lines
        {24, {"scale 17400 5100 22800 3600", "fore 0000ff", "pset 18300 5400", "line 18300 4410"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("NAVAREA position " + std::to_string(c.navarea));
        p.form().NavAreaList.setListIndex(c.navarea);
        p.canvas.ops.clear();
        p.form().Mapbutton.click();
        std::vector<std::string> drawn = between(p.canvas.ops, "fore 0000ff", "");
        drawn.insert(drawn.begin(), p.canvas.ops.at(1));
        EXPECT_EQ(drawn, c.ops);
        p.app.form2().closemap.click();
    }
}

TEST_F(MapDrawing, AMissingOutlineIsCreatedEmptyAndASecondClickOnlyRaisesTheWindow)
{
    p.form().Mapbutton.click();
    EXPECT_EQ(std::filesystem::file_size("mapper.pnt"), 0u);
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

TEST(StationPoint, ReadsDegreesMinutesAndOnlyTheExactHemisphereLetters)
{
    struct Case {
        const char* lat;
        const char* lon;
        std::optional<MapPoint> point; // x = 10800 + longitude minutes, y = latitude minutes
    };
    const Case cases[] = {
        {"50 35 N", "001 18 W", MapPoint{10722, 3035}},
        {"33 55 S", "013 40 E", MapPoint{11620, -2035}},
        {"50 35 s", "001 18 w", MapPoint{10878, 3035}},   // lower case is not S or W
        {"50 35 SW", "001 18 WE", MapPoint{10878, 3035}}, // the third part is the letter
        {"12.5 30 S", "10 30.5 W", MapPoint{10169.5, -780}},
        {".5 3. N", "4.2.1 0 E", MapPoint{11052, 33}},    // a number may begin or end with "."
        {"-5 x12 S", "1 2 W extra", MapPoint{10738, 0}},  // no sign; a fourth part is ignored
        {"50  35 S", "001 18  W", MapPoint{10878, 3000}}, // a double blank makes an empty part
        {"  N", "  W", MapPoint{10800, 0}},               // three characters and three parts
        {"12", "001 18 W", std::nullopt},                 // two characters: no known location
        {"5 N", "001 18 W", std::nullopt},
        {"50 35 N", "001 18", std::nullopt},
        {"", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.lat + "\", \"" + c.lon + "\"");
        const std::optional<MapPoint> point = stationPoint(c.lat, c.lon);
        ASSERT_EQ(point.has_value(), c.point.has_value());
        if (point) {
            EXPECT_DOUBLE_EQ(point->x, c.point->x);
            EXPECT_DOUBLE_EQ(point->y, c.point->y);
        }
    }
}

} // namespace
} // namespace fenlark
