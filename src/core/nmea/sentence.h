// One NMEA 0183 sentence as received: whether a line is one, its checksum, its fields, and the
// ^hh escapes of its text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fenlark::nmea {

// A received line is a sentence when it starts with '$' or '!'.
inline bool isSentence(std::string_view line)
{
    return !line.empty() && (line[0] == '$' || line[0] == '!');
}

// The characters between the start character and the final "*hh", when hh (hex, either case) is
// the XOR of exactly those characters; nothing when the checksum is missing or wrong.
std::optional<std::string_view> checkedBody(std::string_view sentence);

// Splits at commas into at most `maxFields` fields, the last of which takes the rest of the text,
// commas included; returns how many fields there are.
std::size_t splitFields(std::string_view body, std::string_view* fields, std::size_t maxFields);

// A whole number of decimal digits only (at most 9); nothing for an empty or other text.
std::optional<int> digitsValue(std::string_view text);

// Appends `text` with each ^hh replaced by the character of hex code hh; false, with `out` as it
// was, when a ^ is not followed by two hex digits.
bool appendUnescaped(std::string_view text, std::string& out);

} // namespace fenlark::nmea
