#include "map/station_position.h"

#include <array>
#include <cstddef>

namespace fenlark {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Parts 0 to 2 of a text split at every single space; parts beyond the text are empty.
std::array<std::string_view, 3> firstThreeParts(std::string_view text) {
    std::array<std::string_view, 3> parts{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t blank = text.find(' ', start);
        parts[i] = text.substr(start, blank == std::string_view::npos ? text.size() - start
                                                                      : blank - start);
        if (blank == std::string_view::npos)
            break;
        start = blank + 1;
    }
    return parts;
}

std::size_t partCount(std::string_view text) {
    std::size_t count = 1;
    for (char c : text)
        if (c == ' ')
            ++count;
    return count;
}

double degreesAndMinutes(const std::array<std::string_view, 3> &parts) {
    return leadingNumber(parts[0]) * 60.0 + leadingNumber(parts[1]);
}

} // namespace

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    double value = 0.0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        value = value * 10.0 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        // Collect the fraction as a whole number and divide once, so "0.1" reads exactly 0.1.
        double fraction = 0.0;
        double scale = 1.0;
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            fraction = fraction * 10.0 + (text[i] - '0');
            scale *= 10.0;
        }
        value += fraction / scale;
    }
    return value;
}

double latitudeMinutes(std::string_view stnlat) {
    const auto parts = firstThreeParts(stnlat);
    const double minutes = degreesAndMinutes(parts);
    return parts[2] == "S" ? -minutes : minutes;
}

double longitudeX(std::string_view stnlon) {
    const auto parts = firstThreeParts(stnlon);
    const double minutes = degreesAndMinutes(parts);
    return parts[2] == "W" ? 10800.0 - minutes : 10800.0 + minutes;
}

std::optional<MapPoint> stationPoint(std::string_view stnlat, std::string_view stnlon) {
    if (stnlat.size() <= 2 || partCount(stnlat) < 3 || partCount(stnlon) < 3)
        return std::nullopt;
    return MapPoint{longitudeX(stnlon), latitudeMinutes(stnlat)};
}

} // namespace fenlark
