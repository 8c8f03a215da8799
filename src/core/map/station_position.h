// The map's numeric reading of a station's latitude and longitude texts ("50 35 N", "001 18 W").
#pragma once

#include "map/map_point.h"

#include <optional>
#include <string_view>

namespace fenlark {

// The leading decimal number of a text: leading spaces skipped, then digits with an optional
// decimal point (".5" reads 0.5). A text that does not begin with a number reads 0; a sign is not
// a number, so "-5" reads 0.
double leadingNumber(std::string_view text);

// Degrees * 60 + minutes, negative when the hemisphere part is exactly "S". The text is split at
// every single space (two spaces give an empty part, which reads 0); missing parts read 0.
double latitudeMinutes(std::string_view stnlat);

// The map x of a longitude text: 10800 - m when the hemisphere part is exactly "W", else
// 10800 + m, with m = degrees * 60 + minutes. Split like latitudeMinutes.
double longitudeX(std::string_view stnlon);

// Where the map draws a station, or nullopt when it has no drawable position: a latitude text of
// 2 characters or fewer (the station files' "no known location"), or either text with fewer than
// three parts.
std::optional<MapPoint> stationPoint(std::string_view stnlat, std::string_view stnlon);

} // namespace fenlark
