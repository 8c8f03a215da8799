#include "topojson_rings.h"

#include <cstddef>
#include <string>

namespace fenlark::mappergen {
namespace {

using nlohmann::json;

std::vector<Ring> decodeArcs(const json &topology) {
    const bool quantized = topology.contains("transform");
    double scale[2] = {1.0, 1.0};
    double translate[2] = {0.0, 0.0};
    if (quantized) {
        const json &t = topology.at("transform");
        for (int i = 0; i < 2; ++i) {
            scale[i] = t.at("scale").at(i).get<double>();
            translate[i] = t.at("translate").at(i).get<double>();
        }
    }
    std::vector<Ring> arcs;
    for (const json &arc : topology.at("arcs")) {
        Ring points;
        double x = 0.0;
        double y = 0.0;
        for (const json &position : arc) {
            const double px = position.at(0).get<double>();
            const double py = position.at(1).get<double>();
            if (quantized) {
                x += px;
                y += py;
                points.push_back({x * scale[0] + translate[0], y * scale[1] + translate[1]});
            } else {
                points.push_back({px, py});
            }
        }
        arcs.push_back(std::move(points));
    }
    return arcs;
}

Ring stitchRing(const json &arcIndices, const std::vector<Ring> &arcs) {
    Ring ring;
    for (const json &index : arcIndices) {
        const long long i = index.get<long long>();
        const bool reversed = i < 0;
        const long long arcIndex = reversed ? ~i : i;
        if (arcIndex >= static_cast<long long>(arcs.size()))
            throw TopoJsonError("arc index " + std::to_string(i) + " out of range");
        const Ring &arc = arcs[static_cast<std::size_t>(arcIndex)];
        for (std::size_t k = 0; k < arc.size(); ++k) {
            if (k == 0 && !ring.empty())
                continue; // the previous arc's last point
            ring.push_back(reversed ? arc[arc.size() - 1 - k] : arc[k]);
        }
    }
    return ring;
}

void collectRings(const json &geometry, const std::vector<Ring> &arcs, std::vector<Ring> &out) {
    const std::string type = geometry.at("type").get<std::string>();
    if (type == "GeometryCollection") {
        for (const json &member : geometry.at("geometries"))
            collectRings(member, arcs, out);
    } else if (type == "Polygon") {
        for (const json &ring : geometry.at("arcs"))
            out.push_back(stitchRing(ring, arcs));
    } else if (type == "MultiPolygon") {
        for (const json &polygon : geometry.at("arcs"))
            for (const json &ring : polygon)
                out.push_back(stitchRing(ring, arcs));
    } else {
        throw TopoJsonError("unsupported geometry type \"" + type + "\"");
    }
}

} // namespace

std::vector<Ring> topoJsonRings(const json &topology, std::string_view objectName) {
    const std::string name(objectName);
    if (!topology.contains("objects") || !topology.at("objects").contains(name))
        throw TopoJsonError("the topology has no object \"" + name + "\"");
    const std::vector<Ring> arcs = decodeArcs(topology);
    std::vector<Ring> rings;
    collectRings(topology.at("objects").at(name), arcs, rings);
    return rings;
}

} // namespace fenlark::mappergen
