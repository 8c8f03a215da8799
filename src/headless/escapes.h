// The escapes of driver scripts and of its output: \r \n \t \\ and \xHH.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fenlark::headless {

// Replaces the escapes of a script text; nothing when an escape is malformed.
std::optional<std::string> unescape(std::string_view text);
// Writes a text on one printable ASCII line: control characters, backslashes and bytes of 127 and
// above as escapes.
std::string escape(std::string_view text);

} // namespace fenlark::headless
