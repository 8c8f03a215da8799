#include "nmea/sentence.h"

#include "common/text.h"

namespace fenlark::nmea {

std::optional<std::string_view> checkedBody(std::string_view sentence)
{
    if (sentence.size() < 4 || sentence[sentence.size() - 3] != '*')
        return std::nullopt;
    const int high = hexDigit(sentence[sentence.size() - 2]);
    const int low = hexDigit(sentence[sentence.size() - 1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    const std::string_view body = sentence.substr(1, sentence.size() - 4);
    unsigned char sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    if (sum != high * 16 + low)
        return std::nullopt;
    return body;
}

std::optional<std::string_view> findSentence(std::string_view line)
{
    // A sentence's text holds no raw '$' or '!' (they travel as ^24 and ^21), so the last one
    // starts it.
    const std::size_t start = line.find_last_of("$!");
    if (start == std::string_view::npos)
        return std::nullopt;
    const std::string_view sentence = line.substr(start);
    const std::size_t comma = sentence.find(',');
    if (comma == std::string_view::npos || comma < 3 || comma > 9)
        return std::nullopt;
    for (std::size_t i = 1; i < comma; ++i)
        if (!(sentence[i] >= 'A' && sentence[i] <= 'Z') &&
            !(sentence[i] >= '0' && sentence[i] <= '9'))
            return std::nullopt;
    for (const char c : sentence)
        if (c < 32 || c > 126)
            return std::nullopt;
    if (!checkedBody(sentence))
        return std::nullopt;
    return sentence;
}

std::size_t splitFields(std::string_view body, std::string_view* fields, std::size_t maxFields)
{
    std::size_t count = 0;
    while (count + 1 < maxFields) {
        const std::size_t comma = body.find(',');
        if (comma == std::string_view::npos)
            break;
        fields[count++] = body.substr(0, comma);
        body.remove_prefix(comma + 1);
    }
    fields[count++] = body;
    return count;
}

std::optional<int> digitsValue(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool appendUnescaped(std::string_view text, std::string& out)
{
    const std::size_t before = out.size();
    std::size_t at = 0;
    for (;;) {
        const std::size_t caret = text.find('^', at);
        out.append(text.substr(at, caret == std::string_view::npos ? caret : caret - at));
        if (caret == std::string_view::npos)
            return true;
        const int high = caret + 1 < text.size() ? hexDigit(text[caret + 1]) : -1;
        const int low = caret + 2 < text.size() ? hexDigit(text[caret + 2]) : -1;
        if (high < 0 || low < 0) {
            out.resize(before);
            return false;
        }
        out += static_cast<char>(high * 16 + low);
        at = caret + 3;
    }
}

} // namespace fenlark::nmea
