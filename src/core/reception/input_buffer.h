// The bytes a serial device has received and not yet handed over, read from the front.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fenlark {

class InputBuffer {
public:
    void append(std::string_view bytes)
    {
        // Drop what was read once it is half the buffer, so reading stays cheap and memory bounded.
        if (m_read > 0 && m_read >= m_bytes.size() / 2) {
            m_bytes.erase(0, m_read);
            m_read = 0;
        }
        m_bytes.append(bytes);
    }
    std::size_t waiting() const { return m_bytes.size() - m_read; }
    // Removes and returns up to `max` bytes from the front.
    std::string read(std::size_t max)
    {
        const std::size_t n = max < waiting() ? max : waiting();
        std::string out = m_bytes.substr(m_read, n);
        m_read += n;
        if (m_read == m_bytes.size())
            clear();
        return out;
    }
    void clear()
    {
        m_bytes.clear();
        m_read = 0;
    }

private:
    std::string m_bytes;
    std::size_t m_read = 0; // bytes at the front already read
};

} // namespace fenlark
