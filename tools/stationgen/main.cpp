// fenlark-stationgen: writes the four station files from the station table.
//
//   fenlark-stationgen TABLE.tsv OUTDIR          write 424.txt, 490.txt, 518.txt, 4209.txt
//   fenlark-stationgen --check TABLE.tsv OUTDIR  only compare; exit 1 when a file differs
#include "station_file.h"
#include "station_rows.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

using namespace fenlark::stationgen;

std::string readFile(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Station lines and empty letters of a station file, for the summary.
std::pair<int, int> countLines(const std::string &text) {
    int stations = 0;
    int empty = 0;
    std::istringstream in(text);
    std::string line;
    for (int n = 0; std::getline(in, line); ++n) {
        if (n % 27 == 0)
            continue;
        (line.find(",,,,") == 4 ? empty : stations)++;
    }
    return {stations, empty};
}

} // namespace

int main(int argc, char **argv) {
    const bool check = argc == 4 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 3 && !check) {
        std::cerr << "usage: fenlark-stationgen [--check] TABLE.tsv OUTDIR\n";
        return 2;
    }
    const std::filesystem::path table = argv[check ? 2 : 1];
    const std::filesystem::path outDir = argv[check ? 3 : 2];

    std::ifstream in(table, std::ios::binary);
    if (!in) {
        std::cerr << "fenlark-stationgen: cannot read " << table << "\n";
        return 2;
    }
    std::vector<StationRow> rows;
    try {
        rows = readStationRows(in);
    } catch (const StationRowError &e) {
        std::cerr << "fenlark-stationgen: " << table.string() << ": " << e.what() << "\n";
        return 2;
    }

    int differing = 0;
    for (const StationFileTarget &target : stationFileTargets()) {
        const std::string text = stationFileText(rows, target.freqKhz);
        const std::filesystem::path path = outDir / target.fileName;
        const auto [stations, empty] = countLines(text);
        if (check) {
            const bool same = readFile(path) == text;
            differing += same ? 0 : 1;
            std::cout << path.string() << (same ? ": up to date" : ": DIFFERS from the table")
                      << "\n";
            continue;
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            std::cerr << "fenlark-stationgen: cannot write " << path << "\n";
            return 2;
        }
        std::cout << "wrote " << path.string() << ": " << stations << " stations, " << empty
                  << " empty letters\n";
    }
    return differing == 0 ? 0 : 1;
}
