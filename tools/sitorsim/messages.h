// Made-up NAVTEX messages for measuring: a header, lines of words, positions and telephone numbers
// (figures, + and =), the end mark.
#pragma once

#include <random>
#include <string>

namespace fenlark::sitorsim {

// A whole message as sent: "ZCZC B1B2B3B4" CR LF, about `characters` of text, CR LF "NNNN" CR LF
// LF.
std::string makeMessage(std::mt19937& random, int characters);

// The header's four characters of a message made by makeMessage.
std::string headerOf(const std::string& message);

} // namespace fenlark::sitorsim
