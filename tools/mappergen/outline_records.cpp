#include "outline_records.h"

#include <cmath>
#include <cstddef>
#include <set>
#include <utility>

namespace fenlark::mappergen {
namespace {

struct Minutes {
    int lat;
    int lon;

    friend bool operator==(const Minutes &, const Minutes &) = default;
    friend auto operator<=>(const Minutes &, const Minutes &) = default;
};

constexpr int kDateLine = 180 * 60;
constexpr int kSouthPole = -90 * 60;

bool isWorldEdge(Minutes a, Minutes b) {
    const bool alongDateLine = std::abs(a.lon) == kDateLine && std::abs(b.lon) == kDateLine;
    const bool alongSouthPole = a.lat == kSouthPole && b.lat == kSouthPole;
    return alongDateLine || alongSouthPole;
}

// The ring in whole minutes, without consecutive repeats, closed.
std::vector<Minutes> roundedClosedRing(const Ring &ring) {
    std::vector<Minutes> points;
    for (const LonLat &p : ring) {
        const Minutes m{static_cast<int>(std::lround(p.lat * 60.0)),
                        static_cast<int>(std::lround(p.lon * 60.0))};
        if (points.empty() || !(points.back() == m))
            points.push_back(m);
    }
    if (points.size() > 1 && !(points.front() == points.back()))
        points.push_back(points.front());
    return points;
}

void appendRing(const std::vector<Minutes> &closed, std::vector<OutlineRecord> &out) {
    // closed.front() == closed.back(): sides run from closed[k] to closed[k + 1].
    const std::size_t sides = closed.size() - 1;
    std::size_t start = 0;
    for (std::size_t k = 0; k < sides; ++k)
        if (isWorldEdge(closed[k], closed[k + 1]))
            start = k + 1; // begin after the last edge of the world

    // Walk the sides once from `start`, breaking the line at each edge of the world.
    std::vector<Minutes> piece{closed[start % sides]};
    auto flush = [&]() {
        if (piece.size() >= 2) {
            for (std::size_t k = 0; k < piece.size(); ++k) {
                out.push_back({k == 0 ? kNewLineCode : kContinueCode,
                               static_cast<std::int16_t>(piece[k].lat),
                               static_cast<std::int16_t>(piece[k].lon)});
            }
        }
        piece.clear();
    };
    for (std::size_t n = 0; n < sides; ++n) {
        const Minutes from = closed[(start + n) % sides];
        const Minutes to = closed[(start + n + 1) % sides];
        if (isWorldEdge(from, to))
            flush();
        piece.push_back(to);
    }
    flush();
}

} // namespace

std::vector<OutlineRecord> outlineRecords(const std::vector<Ring> &rings) {
    std::vector<OutlineRecord> records;
    for (const Ring &ring : rings) {
        const std::vector<Minutes> closed = roundedClosedRing(ring);
        const std::set<Minutes> distinct(closed.begin(), closed.end());
        if (distinct.size() < 3)
            continue;
        appendRing(closed, records);
    }
    return records;
}

std::string encodeOutline(const std::vector<OutlineRecord> &records) {
    std::string bytes;
    bytes.reserve(records.size() * 6);
    auto put = [&bytes](std::int16_t value) {
        const auto u = static_cast<std::uint16_t>(value);
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    };
    for (const OutlineRecord &r : records) {
        put(r.code);
        put(r.lat);
        put(r.lon);
    }
    return bytes;
}

} // namespace fenlark::mappergen
