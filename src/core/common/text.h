// The small text forms the windows and files share: number texts, upper-casing, substrings.
#pragma once

#include <string>
#include <string_view>

namespace fenlark {

// A whole number as the screen shows it: a blank (a minus sign when negative), then the digits.
std::string numberText(long long n);
// A number as text files hold it: the number text and one trailing blank.
std::string printedNumber(long long n);

// Upper-cases the ASCII letters a-z; every other byte stays as it is.
std::string upperCase(std::string_view s);
char upperCase(char c);

// Characters `from` (1-based) onwards, at most `count` of them; empty when from is past the end.
std::string_view mid(std::string_view s, std::size_t from, std::size_t count = std::string_view::npos);
// Whole-text equality, exact and case-sensitive; written out for the short identifiers that the
// message table and lists compare thousands of times a message.
inline bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// The first character as a text of one character, or empty for an empty text.
std::string_view firstChar(std::string_view s);

// The value of a hexadecimal digit (either case), or -1 for any other character.
int hexDigit(char c);

} // namespace fenlark
