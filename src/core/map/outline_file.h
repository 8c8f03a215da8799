// The coastline outline file "mapper.pnt": fixed 6-byte records, no header.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fenlark {

inline constexpr const char* kOutlineFileName = "mapper.pnt";

struct OutlineRecord {
    std::int16_t code;      // above 1000: the point begins a new line of the outline
    std::int16_t latitude;  // minutes, north positive
    std::int16_t longitude; // minutes, east positive
};

// The map x of an outline longitude: longitude + 10800, less 21600 when that passes 21600.
int outlineX(std::int16_t longitude);

// Calls `visit` for each whole record in file order (three little-endian 16-bit integers); a
// trailing partial record is ignored. A missing file is created empty, as the map always did; one
// that is not a regular file gives no record, and a failure part-way ends the records there.
void readOutline(const std::string& path, const std::function<void(const OutlineRecord&)>& visit);

} // namespace fenlark
