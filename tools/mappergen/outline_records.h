// Turns rings in degrees into the map outline's 6-byte records (the "mapper.pnt" format).
#pragma once

#include "topojson_rings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fenlark::mappergen {

// Codes above 1000 begin a new line of the outline (pen up); 1000 or less continue it.
inline constexpr std::int16_t kNewLineCode = 1001;
inline constexpr std::int16_t kContinueCode = 1;

// One point of the outline in whole minutes of arc, north and east positive.
struct OutlineRecord {
    std::int16_t code;
    std::int16_t lat;
    std::int16_t lon;

    friend bool operator==(const OutlineRecord &, const OutlineRecord &) = default;
};

// The records of all rings, in order. Each ring is rounded to whole minutes (half away from zero),
// consecutive equal points are merged, and the ring is closed (its last point repeats its first);
// a ring of fewer than three distinct points is dropped. A side lying along the edge of the
// world (both ends at longitude -180 or 180, or both at latitude -90, where Natural Earth cuts its
// polygons) is not coast and is not drawn: the ring is started after such a side and broken at it,
// and a piece of a single point is dropped. Every line begins with kNewLineCode.
std::vector<OutlineRecord> outlineRecords(const std::vector<Ring> &rings);

// The file bytes: per record code, latitude, longitude as little-endian signed 16-bit integers.
std::string encodeOutline(const std::vector<OutlineRecord> &records);

} // namespace fenlark::mappergen
