#include "outline_records.h"
#include "topojson_rings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark::mappergen {
namespace {

using nlohmann::json;

// Records as "code lat lon" joined by " | ", for readable comparisons.
std::string describe(const std::vector<OutlineRecord> &records) {
    std::string s;
    for (const OutlineRecord &r : records) {
        s += s.empty() ? "" : " | ";
        s += std::to_string(r.code) + " " + std::to_string(r.lat) + " " + std::to_string(r.lon);
    }
    return s;
}

std::vector<OutlineRecord> recordsOf(const char *topology, const char *object = "land") {
    return outlineRecords(topoJsonRings(json::parse(topology), object));
}

// Quantized like world-atlas: a square at 60-61 N, 0-1 E made of three arcs, the last one
// reversed; a second polygon (in a MultiPolygon) of one arc, shared with the first in reverse.
const char *const kQuantized = R"({
  "type": "Topology",
  "transform": {"scale": [0.5, 0.25], "translate": [-180, -90]},
  "objects": {"land": {"type": "GeometryCollection", "geometries": [
    {"type": "Polygon", "arcs": [[0, 1, -3]]},
    {"type": "MultiPolygon", "arcs": [[[3]], [[-4]]]}
  ]}},
  "arcs": [
    [[360, 600], [2, 0], [0, 4]],
    [[362, 604], [-2, 0]],
    [[360, 600], [0, 4]],
    [[0, 40], [4, 0], [0, 8], [-4, -8]]
  ]
})";

TEST(TopoJsonRings, DecodesQuantizedDeltaArcsAndStitchesReversedArcs) {
    const std::vector<Ring> rings = topoJsonRings(json::parse(kQuantized), "land");
    ASSERT_EQ(rings.size(), 3u);
    const Ring &square = rings[0];
    const double expected[][2] = {{0, 60}, {1, 60}, {1, 61}, {0, 61}, {0, 60}};
    ASSERT_EQ(square.size(), 5u);
    for (std::size_t k = 0; k < square.size(); ++k) {
        EXPECT_DOUBLE_EQ(square[k].lon, expected[k][0]) << "point " << k;
        EXPECT_DOUBLE_EQ(square[k].lat, expected[k][1]) << "point " << k;
    }
    // Arc 3 forwards and then reversed (~3): the same points in the opposite order.
    ASSERT_EQ(rings[1].size(), 4u);
    ASSERT_EQ(rings[2].size(), 4u);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(rings[1][k].lon, rings[2][3 - k].lon);
        EXPECT_DOUBLE_EQ(rings[1][k].lat, rings[2][3 - k].lat);
    }
    EXPECT_DOUBLE_EQ(rings[1][1].lon, -178);
    EXPECT_DOUBLE_EQ(rings[1][1].lat, -80);
    EXPECT_DOUBLE_EQ(rings[1][2].lat, -78);
}

TEST(OutlineRecords, BeginEachRingWithANewLineAndCloseIt) {
    EXPECT_EQ(describe(recordsOf(kQuantized)),
              "1001 3600 0 | 1 3600 60 | 1 3660 60 | 1 3660 0 | 1 3600 0"
              " | 1001 -4800 -10800 | 1 -4800 -10680 | 1 -4680 -10680 | 1 -4800 -10800"
              " | 1001 -4800 -10800 | 1 -4680 -10680 | 1 -4800 -10680 | 1 -4800 -10800");
}

TEST(OutlineRecords, EncodeAsLittleEndianSignedSixteenBitTriples) {
    const std::string bytes = encodeOutline({{1001, 3035, -78}, {1, -2021, 1123}});
    const std::string expected("\xE9\x03\xDB\x0B\xB2\xFF\x01\x00\x1B\xF8\x63\x04", 12);
    EXPECT_EQ(bytes, expected);

    const std::string file = encodeOutline(recordsOf(kQuantized));
    ASSERT_EQ(file.size(), 13u * 6u);
    EXPECT_EQ(file.substr(0, 12),
              std::string("\xE9\x03\x10\x0E\x00\x00\x01\x00\x10\x0E\x3C\x00", 12));
    EXPECT_EQ(file.substr(30, 6), std::string("\xE9\x03\x40\xED\xD0\xD5", 6));
}

// Absolute positions (no transform): rounding half away from zero to whole minutes, repeats
// merged, an open ring closed, and a ring too small to see at minute resolution left out.
const char *const kAbsolute = R"({
  "type": "Topology",
  "objects": {"coast": {"type": "MultiPolygon", "arcs": [[[0]], [[1]]]}},
  "arcs": [
    [[-5.0, 50.0], [-5.004, 50.004], [-0.125, 50.0], [-0.125, 0.375]],
    [[1.0, 1.0], [1.001, 1.0], [1.0, 1.004], [1.0, 1.0]]
  ]
})";

TEST(OutlineRecords, RoundToWholeMinutesDropRepeatsAndTinyRings) {
    EXPECT_EQ(describe(recordsOf(kAbsolute, "coast")),
              "1001 3000 -300 | 1 3000 -8 | 1 23 -8 | 1 3000 -300");
}

// Natural Earth cuts land at 180 degrees and closes Antarctica along 90 S; those sides are not
// coast, so the line breaks there instead (and a lone point between two such sides is dropped).
const char *const kWorldEdges = R"({
  "type": "Topology",
  "objects": {"land": {"type": "MultiPolygon", "arcs": [[[0]], [[1]]]}},
  "arcs": [
    [[170, 65], [180, 65], [180, 67], [180, 70], [170, 70], [170, 65]],
    [[-180, -80], [0, -70], [180, -80], [180, -90], [0, -90], [-180, -90], [-180, -80]]
  ]
})";

TEST(OutlineRecords, LeaveOutSidesAlongTheDateLineAndTheSouthPole) {
    EXPECT_EQ(describe(recordsOf(kWorldEdges)),
              "1001 4200 10800 | 1 4200 10200 | 1 3900 10200 | 1 3900 10800"
              " | 1001 -4800 -10800 | 1 -4200 0 | 1 -4800 10800");
}

TEST(TopoJsonRings, RejectMissingObjectsBadArcIndexesAndOtherGeometries) {
    EXPECT_THROW(topoJsonRings(json::parse(kQuantized), "countries"), TopoJsonError);
    EXPECT_THROW(topoJsonRings(json::parse(R"({"arcs": [[[0, 0], [1, 1]]], "objects": {"land":
                     {"type": "Polygon", "arcs": [[1]]}}})"),
                               "land"),
                 TopoJsonError);
    EXPECT_THROW(topoJsonRings(json::parse(R"({"arcs": [[[0, 0], [1, 1]]], "objects": {"land":
                     {"type": "LineString", "arcs": [0]}}})"),
                               "land"),
                 TopoJsonError);
}

} // namespace
} // namespace fenlark::mappergen
