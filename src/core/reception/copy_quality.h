// Copy quality: counting the receiver's error marks, and the percentage of good copy.
#pragma once

#include <string_view>

namespace fenlark {

// How many characters of `line` equal the error character; an error character that is not exactly
// one character long counts nothing.
long long countErrorMarks(std::string_view line, std::string_view errchar);

// Percentage of good copy of a stored text of `length` characters with `errors` marks, rounded
// down. An empty text has nothing wrong with it and rates 100 (0 if it claims marks); the result
// always lies between 0 and 100, also for counts a hand-edited log may hold.
int copyPercentage(long long length, long long errors);

} // namespace fenlark
