// The station and message-type filter of the message lists.
#pragma once

#include <string_view>

namespace fenlark {

// Whether a message identifier passes the chosen station and type texts: " All Stations" and
// " All Messages" pass everything, any other entry compares its first character with the
// identifier's station letter (first character) or type letter (second character).
bool passesFilter(std::string_view msgid, std::string_view stationText, std::string_view typeText);

} // namespace fenlark
