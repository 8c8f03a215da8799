// fenlark-mappergen: writes the map outline "mapper.pnt" from a TopoJSON land topology.
//
//   fenlark-mappergen land-50m.json mapper.pnt [OBJECT]    OBJECT defaults to "land"
#include "outline_records.h"
#include "topojson_rings.h"

#include <cstddef>
#include <fstream>
#include <iostream>

int main(int argc, char **argv) {
    using namespace fenlark::mappergen;
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: fenlark-mappergen TOPOLOGY.json OUTPUT.pnt [OBJECT]\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "fenlark-mappergen: cannot read " << argv[1] << "\n";
        return 2;
    }
    std::vector<OutlineRecord> records;
    std::size_t rings = 0;
    try {
        const nlohmann::json topology = nlohmann::json::parse(in);
        const std::vector<Ring> all = topoJsonRings(topology, argc == 4 ? argv[3] : "land");
        rings = all.size();
        records = outlineRecords(all);
    } catch (const std::exception &e) {
        std::cerr << "fenlark-mappergen: " << argv[1] << ": " << e.what() << "\n";
        return 2;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << encodeOutline(records);
    out.close();
    if (!out) {
        std::cerr << "fenlark-mappergen: cannot write " << argv[2] << "\n";
        return 2;
    }
    std::size_t lines = 0;
    for (const OutlineRecord &r : records)
        lines += r.code == kNewLineCode ? 1 : 0;
    std::cout << "wrote " << argv[2] << ": " << records.size() << " records (" << records.size() * 6
              << " bytes), " << lines << " lines from " << rings << " rings\n";
    return 0;
}
