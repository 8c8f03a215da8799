// Limits that keep a misbehaving receiver from growing memory without bound.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fenlark {

// No NAVTEX line comes near this length (a teleprinter line is 69 characters or so); a longer
// line is handed to filing in pieces of this length.
inline constexpr std::size_t kMaxLineLength = 4096;

// A NAVTEX message is a few kilobytes at most; a body that would grow past this (its CR LF pairs
// included) is dropped, so that a lost end line cannot grow it without bound.
inline constexpr std::size_t kMaxBodyLength = 65536;

// A capture is replayed from a file of at most this size: years of a receiver's output.
inline constexpr std::uint64_t kMaxCaptureBytes = std::uint64_t(256) << 20;

} // namespace fenlark
