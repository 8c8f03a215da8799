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
