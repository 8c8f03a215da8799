// Comma- and line-delimited text input, the way the program's text files are read back: a field
// starts at its first non-blank character and ends at a comma or the line's end; a field that starts
// with a double quote runs to the next double quote.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace fenlark {

class DelimitedReader {
public:
    explicit DelimitedReader(std::string_view text) : m_text(text) {}

    // The next field; nothing at the end of the text.
    std::optional<std::string> field();
    // The rest of the current line, without its ending; nothing at the end of the text.
    std::optional<std::string> line();
    bool atEnd() const { return m_pos >= m_text.size(); }
    // The 1-based number of the line the next read starts on.
    int lineNumber() const { return m_line; }

private:
    void endOfLine();

    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
};

// A whole number of the 16-bit range, blanks around it allowed ("  12 "); nothing otherwise.
std::optional<int> parseInt16(std::string_view field);

} // namespace fenlark
