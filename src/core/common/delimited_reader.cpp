#include "common/delimited_reader.h"

#include <charconv>

namespace fenlark {

void DelimitedReader::endOfLine()
{
    if (m_pos < m_text.size() && m_text[m_pos] == '\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '\n')
        ++m_pos;
    ++m_line;
}

std::optional<std::string> DelimitedReader::field()
{
    while (m_pos < m_text.size() && m_text[m_pos] == ' ')
        ++m_pos;
    if (atEnd())
        return std::nullopt;
    std::string value;
    if (m_text[m_pos] == '"') {
        const std::size_t close = m_text.find('"', m_pos + 1);
        const std::size_t end = close == std::string_view::npos ? m_text.size() : close;
        value = std::string(m_text.substr(m_pos + 1, end - m_pos - 1));
        m_pos = end == m_text.size() ? end : end + 1;
        // Whatever follows the closing quote up to the delimiter is passed over.
        while (m_pos < m_text.size() && m_text[m_pos] != ',' && m_text[m_pos] != '\r' &&
               m_text[m_pos] != '\n')
            ++m_pos;
    } else {
        const std::size_t end = m_text.find_first_of(",\r\n", m_pos);
        const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
        value = std::string(m_text.substr(m_pos, stop - m_pos));
        m_pos = stop;
    }
    if (m_pos < m_text.size()) {
        if (m_text[m_pos] == ',')
            ++m_pos;
        else
            endOfLine();
    }
    return value;
}

std::optional<std::string> DelimitedReader::line()
{
    if (atEnd())
        return std::nullopt;
    const std::size_t end = m_text.find_first_of("\r\n", m_pos);
    const std::size_t stop = end == std::string_view::npos ? m_text.size() : end;
    std::string value(m_text.substr(m_pos, stop - m_pos));
    m_pos = stop;
    if (m_pos < m_text.size())
        endOfLine();
    return value;
}

std::optional<int> parseInt16(std::string_view field)
{
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    while (!field.empty() && field.back() == ' ')
        field.remove_suffix(1);
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || ec != std::errc() || end != field.data() + field.size() ||
        value < -32768 || value > 32767)
        return std::nullopt;
    return value;
}

} // namespace fenlark
