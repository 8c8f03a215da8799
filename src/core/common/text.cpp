#include "common/text.h"

namespace fenlark {

std::string numberText(long long n)
{
    if (n < 0)
        return std::to_string(n);
    return " " + std::to_string(n);
}

std::string printedNumber(long long n) { return numberText(n) + " "; }

char upperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upperCase(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = upperCase(c);
    return out;
}

std::string_view mid(std::string_view s, std::size_t from, std::size_t count)
{
    if (from == 0 || from > s.size())
        return {};
    return s.substr(from - 1, count);
}

std::string_view firstChar(std::string_view s) { return s.substr(0, 1); }

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace fenlark
