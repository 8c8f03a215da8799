#include "reception/mscomm.h"

#include <charconv>
#include <vector>

namespace fenlark {
namespace {

std::vector<std::string> splitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == ',') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

std::optional<int> wholeNumber(const std::string& s)
{
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty())
        return std::nullopt;
    return v;
}

} // namespace

std::optional<LineSettings> parseLineSettings(const std::string& text)
{
    const auto parts = splitCommas(text);
    if (parts.size() != 4)
        return std::nullopt;
    LineSettings s;
    const auto baud = wholeNumber(parts[0]);
    const auto bits = wholeNumber(parts[2]);
    if (!baud || *baud <= 0 || !bits || *bits < 4 || *bits > 8 || parts[1].size() != 1)
        return std::nullopt;
    const char parity = static_cast<char>(parts[1][0] | 0x20);
    if (parity != 'n' && parity != 'e' && parity != 'o' && parity != 'm' && parity != 's')
        return std::nullopt;
    if (parts[3] != "1" && parts[3] != "1.5" && parts[3] != "2")
        return std::nullopt;
    s.baud = *baud;
    s.parity = parity;
    s.dataBits = *bits;
    s.stopBits = parts[3];
    return s;
}

std::string lineSettingsText(const LineSettings& s)
{
    return std::to_string(s.baud) + "," + std::string(1, s.parity) + "," +
           std::to_string(s.dataBits) + "," + s.stopBits;
}

MSComm::MSComm(std::string name, SerialDevice& device) : Control(std::move(name)), m_device(device)
{
    m_device.setInputListener([this] { deliver(); });
}

MSComm::~MSComm() { m_device.setInputListener({}); }

void MSComm::setCommPort(int port)
{
    if (m_open)
        throw PortError("the port is open");
    if (port < 0 || port > 16)
        throw PortError("invalid port number " + std::to_string(port));
    if (const std::string why = m_device.checkPort(port); !why.empty())
        throw PortError(why);
    m_port = port;
    changed();
}

void MSComm::setSettings(const std::string& text)
{
    const auto parsed = parseLineSettings(text);
    if (!parsed)
        throw PortError("invalid line settings \"" + text + "\"");
    if (const std::string why = m_device.checkSettings(*parsed); !why.empty())
        throw PortError(why);
    m_settings = *parsed;
    changed();
}

void MSComm::setHandshaking(int mode)
{
    m_handshaking = mode;
    changed();
}

void MSComm::setPortOpen(bool open)
{
    if (open == m_open)
        return;
    if (open) {
        if (const std::string why = m_device.open(m_port, m_settings); !why.empty())
            throw PortError(why);
        m_open = true;
        ++m_openings;
    } else {
        m_device.close();
        m_open = false;
    }
    changed();
    if (m_open && m_device.waiting() > 0)
        deliver();
}

std::string MSComm::input()
{
    if (!m_open)
        return {};
    m_source = m_device.source();
    std::string c = m_device.read(1);
    m_reads += c.size();
    return c;
}

std::string MSComm::deviceName() const { return m_device.deviceName(m_port); }

void MSComm::deliver()
{
    if (m_delivering)
        return;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(m_delivering);
    while (m_open && m_device.waiting() > 0) {
        const unsigned long long before = m_reads;
        runHandler();
        // A handler that read nothing would make this loop spin; drop the character instead.
        if (m_open && m_reads == before)
            m_device.read(1);
    }
}

} // namespace fenlark
