// Limits that keep a misbehaving receiver from growing memory without bound.
#pragma once

#include <cstddef>

namespace fenlark {

// No NAVTEX line comes near this length (a teleprinter line is 69 characters or so); a receiver
// that sends this much without a carriage return has its text handed to filing as a line.
inline constexpr std::size_t kMaxLineLength = 4096;

} // namespace fenlark
