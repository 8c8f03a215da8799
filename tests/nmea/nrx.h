// Hand-written NRX sentences for the tests, with their checksums computed here.
#pragma once

#include <cstdio>
#include <string>

namespace fenlark::test {

// A text ending in "*" with its checksum appended: the XOR of the characters between its first
// character and the "*".
inline std::string sentence(const std::string& text)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i + 1 < text.size(); ++i)
        sum ^= static_cast<unsigned char>(text[i]);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return text + hex;
}

// A $CRNRX sentence: `head` is "nnn,sss,qq,B1B2B3B4"; a head without a code ("003,002,07,") leaves
// the fields after it empty, as later sentences may.
inline std::string nrx(const std::string& head, const std::string& text, char status = 'A')
{
    const bool first = head.back() != ',';
    return sentence(
        "$CRNRX," + head +
        (first ? ",2,120000.00,05,12,2026,100,000," + std::string(1, status) + "," : ",,,,,,,,,") +
        text + "*");
}

// The text with every `from` replaced by `to`.
inline std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

} // namespace fenlark::test
