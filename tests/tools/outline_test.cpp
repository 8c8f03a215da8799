// fenlark-mappergen: TopoJSON rings to the outline's records and bytes.
#include "outline_records.h"
#include "topojson_rings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark::mappergen {
namespace {

using nlohmann::json;

// The records of an object's rings as "code lat lon" joined by " | ".
std::string recordsOf(const char* topology, const char* object = "land")
{
    std::string s;
    for (const OutlineRecord& r : outlineRecords(topoJsonRings(json::parse(topology), object)))
        s += (s.empty() ? "" : " | ") + std::to_string(r.code) + " " + std::to_string(r.lat) + " " +
             std::to_string(r.lon);
    return s;
}

// Quantized like world-atlas: a square at 60-61 N, 0-1 E made of three arcs, the last one
// reversed; a second polygon (in a MultiPolygon) of one arc, then the same arc reversed.
const char* const kQuantized = R"({
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

TEST(OutlineRecords, DecodeAndStitchArcsAndBeginEachClosedRingWithANewLine)
{
    EXPECT_EQ(recordsOf(kQuantized),
              "1001 3600 0 | 1 3600 60 | 1 3660 60 | 1 3660 0 | 1 3600 0"
              " | 1001 -4800 -10800 | 1 -4800 -10680 | 1 -4680 -10680 | 1 -4800 -10800"
              " | 1001 -4800 -10800 | 1 -4680 -10680 | 1 -4800 -10680 | 1 -4800 -10800");
}

TEST(OutlineRecords, RoundToWholeMinutesDropRepeatsTinyRingsAndTheEdgesOfTheWorld)
{
    // Absolute positions (no transform): rounding half away from zero, repeats merged, an open
    // ring closed, and a ring too small to see at minute resolution left out.
    EXPECT_EQ(recordsOf(R"({"objects": {"coast": {"type": "MultiPolygon", "arcs": [[[0]], [[1]]]}},
        "arcs": [[[-5.0, 50.0], [-5.004, 50.004], [-0.125, 50.0], [-0.125, 0.375]],
                 [[1.0, 1.0], [1.001, 1.0], [1.0, 1.004], [1.0, 1.0]]]})",
                        "coast"),
              "1001 3000 -300 | 1 3000 -8 | 1 23 -8 | 1 3000 -300");
    // Natural Earth cuts land at 180 degrees and closes Antarctica along 90 S: those sides are not
    // coast, so the line breaks there (and a lone point between two such sides is dropped).
    EXPECT_EQ(recordsOf(R"({"objects": {"land": {"type": "MultiPolygon", "arcs": [[[0]], [[1]]]}},
        "arcs": [[[170, 65], [180, 65], [180, 67], [180, 70], [170, 70], [170, 65]],
          [[-180, -80], [0, -70], [180, -80], [180, -90], [0, -90], [-180, -90], [-180, -80]]]})"),
              "1001 4200 10800 | 1 4200 10200 | 1 3900 10200 | 1 3900 10800"
              " | 1001 -4800 -10800 | 1 -4200 0 | 1 -4800 10800");
}

TEST(OutlineRecords, EncodeAsLittleEndianSignedSixteenBitTriples)
{
    EXPECT_EQ(encodeOutline({{1001, 3035, -78}, {1, -2021, 1123}}),
              std::string("\xE9\x03\xDB\x0B\xB2\xFF\x01\x00\x1B\xF8\x63\x04", 12));
}

TEST(TopoJsonRings, RejectMissingObjectsBadArcIndexesAndOtherGeometries)
{
    EXPECT_THROW(topoJsonRings(json::parse(kQuantized), "countries"), TopoJsonError);
    for (const char* geometry :
         {R"({"type": "Polygon", "arcs": [[1]]})", R"({"type": "LineString", "arcs": [0]})"})
        EXPECT_THROW(topoJsonRings(json::parse(std::string(R"({"arcs": [[[0, 0], [1, 1]]],
                         "objects": {"land": )") +
                                               geometry + "}}"),
                                   "land"),
                     TopoJsonError)
            << geometry;
}

} // namespace
} // namespace fenlark::mappergen
