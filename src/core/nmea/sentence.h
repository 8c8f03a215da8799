// One NMEA 0183 sentence as received: whether a line is one, its checksum, its fields, and the
// ^hh escapes of its text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fenlark::nmea {

// The well-formed sentence a received line ends with: '$' or '!', an address of capital letters
// and digits (talker and type), a comma and its fields, and "*hh" whose hh is the checksum, all of
// it printable. What stands before it is passed over: a tag block (\s:CR01*hh\ before the $),
// an IEC 61162-450 "UdPbC" header, printable noise. Nothing when the line holds no such
// sentence: it is text.
std::optional<std::string_view> findSentence(std::string_view line);

// Whether a character can start a sentence, or a tag block before one.
inline bool startsSentence(char c) { return c == '$' || c == '!' || c == '\\'; }

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
