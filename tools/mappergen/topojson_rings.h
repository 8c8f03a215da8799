// Reads the polygon rings of one object of a TopoJSON topology (such as world-atlas land-50m.json).
#pragma once

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string_view>
#include <vector>

namespace fenlark::mappergen {

// A position in degrees, east and north positive.
struct LonLat {
    double lon;
    double lat;
};

using Ring = std::vector<LonLat>;

class TopoJsonError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Every ring of every Polygon and MultiPolygon of objects[objectName] (nested GeometryCollections
// included), in file order. Arcs are decoded as TopoJSON has them: with a "transform", positions
// are quantized and delta-encoded (summed, then scaled and translated); without one they are
// absolute. Arc index ~i means arc i reversed; each arc after the first in a ring starts with the
// last point of the one before, which is not repeated. Throws TopoJsonError for a missing object,
// an arc index out of range or another geometry type.
std::vector<Ring> topoJsonRings(const nlohmann::json &topology, std::string_view objectName);

} // namespace fenlark::mappergen
