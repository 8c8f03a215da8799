#include "map/navarea_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

namespace fenlark {
namespace {

// Each extent as its edges in degrees (west/east longitude, south/north latitude; east past 180
// as 200, 260): an independent reading from which the minutes must follow.
struct ExtentDegrees {
    int west;
    int east;
    int south;
    int north;
};

constexpr ExtentDegrees kExtentDegrees[kNavAreaCount] = {
    {-35, 30, 47, 77},    {-60, 40, -10, 60},  {-10, 50, 25, 55},     {0, 70, 20, 60},
    {-160, -10, 15, 80},  {-120, -30, 0, 40},  {-90, -10, -50, 10},   {-100, -10, -75, -30},
    {-30, 85, -60, 0},    {30, 100, -35, 35},  {25, 75, 10, 45},      {70, 200, -55, 5},
    {80, 180, -20, 40},   {80, 180, 10, 55},   {-180, -60, 20, 80},   {-180, -60, -10, 50},
    {50, 180, 30, 90},    {150, 260, -70, 5},  {-120, -50, -70, -15}, {-120, -60, -30, 10},
    {-180, -100, 60, 85}, {-130, -30, 60, 85}, {-40, 50, 60, 85},     {20, 140, 60, 85},
    {110, 200, 60, 85},
};

TEST(MapExtents, FollowFromTheirEdgesInDegreesWithNorthUp) {
    for (std::size_t i = 0; i < kNavAreaCount; ++i) {
        SCOPED_TRACE("navareaindex " + std::to_string(i));
        const MapExtent &e = kMapExtents[i];
        const ExtentDegrees &d = kExtentDegrees[i];
        EXPECT_EQ(e.x1, (d.west + 180) * 60);
        EXPECT_EQ(e.x2, (d.east + 180) * 60);
        EXPECT_EQ(e.y1, d.north * 60);
        EXPECT_EQ(e.y2, d.south * 60);
    }
}

// An index's boundary lines in whole map minutes: "x y" per vertex, ", " between vertices and
// "; " between polylines.
std::string describe(BoundaryPolylines lines) {
    std::string s;
    for (const BoundaryPolyline &line : lines) {
        s += s.empty() ? "" : "; ";
        for (std::size_t k = 0; k < line.size(); ++k) {
            const MapPoint p = boundaryPoint(line[k]);
            s += (k == 0 ? "" : ", ") + std::to_string(std::lround(p.x)) + " " +
                 std::to_string(std::lround(p.y));
        }
    }
    return s;
}

// The boundary lines written out in map minutes, x = (lon + 180) * 60 and y = lat * 60.
TEST(NavAreaBoundaries, EveryVertexInMapMinutes) {
    const char *const expected[kNavAreaCount] = {
        "10500 2910, 8700 2910, 8700 3960; 11460 3900, 10500 3900, 10500 4500, 9660 4500",
        "10500 2910, 8700 2910, 8700 420, 9600 420, 9600 -360, 11520 -360",
        "",
        "",
        "8700 3960, 8700 420; 7050 4020, 7590 4020",
        "8700 3960, 8700 420, 7920 420, 7680 300",
        "9600 -4800, 9600 420, 7920 420, 7680 300; 9600 -2160, 7620 -2160, 7560 -2100",
        "9600 -2160, 7620 -2160, 7560 -2100; 9600 -4440, 9600 420; 6720 -3300, 6720 -4020",
        "9600 -2160, 7620 -2160, 7560 -2100; 9600 -4440, 9600 420; 9600 -360, 11520 -360; 15600 "
        "-4800, 15600 -1800, 14100 -1800, 14100 -630, 13212 -630",
        "15600 -4800, 15600 -1800, 14100 -1800, 14100 -630, 13212 -630; 14100 -1800, 16500 -1800, "
        "16500 360, 16680 600; 13860 708, 14580 708, 14868 1410",
        "13860 708, 14580 708, 14868 1410",
        "15600 -4800, 15600 -1800, 16500 -1800, 16500 -720, 18420 -720, 18420 -600, 19260 -600, "
        "19260 0, 21000 0, 21000 -1740, 20400 -2700, 20400 -3900",
        "14100 -1800, 16500 -1800, 16500 360, 16680 600; 13860 708, 14580 708, 14868 1410; 15600 "
        "-4800, 15600 -1800, 16500 -1800, 16500 -720; 16500 -720, 18420 -720, 18420 -600, 19260 "
        "-600, 19260 0, 21600 0",
        "21600 2712, 19260 2712, 19020 2532, 18660 2532",
        "0 0, 3600 0, 3600 -210, 6000 -210; 3600 -210, 3600 -1800; 600 4020, 840 4020, 0 3480",
        "0 0, 3600 0, 3600 -210, 6000 -210; 3600 -210, 3600 -1800; 600 4020, 840 4020, 0 3480",
        "16500 -720, 18420 -720; 21600 2712, 19260 2712, 19020 2532, 18660 2532",
        "19260 0, 21000 0, 21000 -1740, 20400 -2700, 20400 -4200; 21000 0, 26400 0",
        "6720 -3300, 6720 -4020; 3600 -4800, 3600 0; 3600 -1116, 6570 -1116",
        "3600 -1116, 6570 -1116; 3600 -204, 6000 -204; 3600 -1800, 3600 600",
        "660 5400, 660 4020; 330 4020, 1020 4020; 3600 5400, 3600 4638; 3600 4560, 3600 4452; 3600 "
        "4296, 3600 4170",
        "3600 5400, 3600 4638; 3600 4560, 3600 4452; 3600 4296, 3600 4170; 7050 4020, 7590 4020; "
        "8700 5400, 8700 5010",
        "12600 5400, 12600 4260, 12720 4260, 12720 4200; 11100 4500, 11100 3900, 11490 3900; 11100 "
        "4500, 9600 4500",
        "18300 5400, 18300 4410; 12600 5400, 12600 4230",
        "18300 5400, 18300 4410",
    };
    for (std::size_t i = 0; i < kNavAreaCount; ++i)
        EXPECT_EQ(describe(kNavAreaBoundaries[i]), expected[i]) << "navareaindex " << i;
}

TEST(NavAreaBoundaries, AreWholeMinutesOnEarthOrEastPastTheDateLine) {
    for (std::size_t i = 0; i < kNavAreaCount; ++i) {
        for (const BoundaryPolyline &line : kNavAreaBoundaries[i]) {
            for (const BoundaryVertex &v : line) {
                SCOPED_TRACE("navareaindex " + std::to_string(i) + " vertex (" +
                             std::to_string(v.lat) + ", " + std::to_string(v.lon) + ")");
                const MapPoint p = boundaryPoint(v);
                EXPECT_NEAR(p.x, std::round(p.x), 1e-6);
                EXPECT_NEAR(p.y, std::round(p.y), 1e-6);
                EXPECT_GE(v.lat, -90);
                EXPECT_LE(v.lat, 90);
                EXPECT_GE(v.lon, -180);
                EXPECT_LE(v.lon, 260);
            }
        }
    }
}

TEST(NavAreaBoundaries, SharedAndMissingLines) {
    EXPECT_TRUE(kNavAreaBoundaries[2].empty());
    EXPECT_TRUE(kNavAreaBoundaries[3].empty());
    EXPECT_EQ(kNavAreaBoundaries[14].data(), kNavAreaBoundaries[15].data());
    EXPECT_EQ(kNavAreaBoundaries[14].size(), kNavAreaBoundaries[15].size());
    // The last vertex of XIV's last line lies 100 degrees west, drawn east past 180.
    const BoundaryPolyline last = kNavAreaBoundaries[17].back();
    EXPECT_DOUBLE_EQ(boundaryPoint(last.back()).x, 26400);
    // VIII and XIa share the line along 30 S up to 95 E vertex for vertex.
    const BoundaryPolyline viii = kNavAreaBoundaries[9][1];
    const BoundaryPolyline xia = kNavAreaBoundaries[12][0];
    ASSERT_EQ(viii.size(), xia.size());
    for (std::size_t k = 0; k < viii.size(); ++k) {
        EXPECT_EQ(viii[k].lat, xia[k].lat);
        EXPECT_EQ(viii[k].lon, xia[k].lon);
    }
}

} // namespace
} // namespace fenlark
