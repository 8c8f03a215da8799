#include "headless/script_ports.h"

#include "headless/escapes.h"

#include <chrono>
#include <ctime>

namespace fenlark::headless {

DateTime systemNow()
{
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm utc{};
    gmtime_r(&t, &utc);
    return DateTime::fromCivil({utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour,
                                utc.tm_min, utc.tm_sec});
}

DateTime ScriptClock::now() { return m_fixed ? *m_fixed : systemNow(); }

void ScriptClock::advance(long long seconds) { m_fixed = now().plusSeconds(seconds); }

Answer ScriptDialogs::question(const std::string& question)
{
    if (m_answers.empty())
        throw UnansweredQuestion(question);
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    static constexpr const char* kWords[] = {"yes", "no", "dismissed"};
    m_out << "ask: " << escape(question) << " -> " << kWords[static_cast<int>(answer)] << '\n';
    return answer;
}

void ScriptDialogs::notice(const std::string& text) { m_out << "notice: " << escape(text) << '\n'; }

std::string ScriptDialogs::chooseFile(const std::string& title)
{
    std::string name;
    if (!m_files.empty()) {
        name = std::move(m_files.front());
        m_files.pop_front();
    }
    m_out << "file: " << escape(title) << " -> " << (name.empty() ? "none" : escape(name)) << '\n';
    return name;
}

void ScriptSerialDevice::receive(const std::string& bytes)
{
    if (!m_open)
        return;
    m_input.append(bytes);
    inputArrived();
}

std::string ScriptSerialDevice::deviceName(int port) const
{
    return "scripted port " + std::to_string(port);
}

std::string ScriptSerialDevice::checkPort(int port)
{
    return m_refused.count(port) ? "the device refuses port " + std::to_string(port)
                                 : std::string();
}

std::string ScriptSerialDevice::checkSettings(const LineSettings&) { return {}; }

std::string ScriptSerialDevice::open(int port, const LineSettings&)
{
    if (m_busy.count(port))
        return "device busy";
    m_open = true;
    return {};
}

void ScriptSerialDevice::close()
{
    m_open = false;
    m_input.clear();
}

std::string ScriptSerialDevice::read(std::size_t max)
{
    return m_input.read(max);
}

void TextPrinter::setFontSize(int) {}

void TextPrinter::print(const std::string& text)
{
    // A CR LF inside the text starts a new line, and every print ends its line.
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        m_out << "printer: " << escape(text.substr(start, end - start)) << '\n';
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
}

void TextPrinter::endDoc() { m_out << "printer: (end of document)\n"; }

void ScriptInputs::use(const InputChoice& choice)
{
    using Kind = InputChoice::Kind;
    m_out << "receiver: ";
    switch (choice.kind) {
    case Kind::PortSettings:
        m_out << "the port number from the port settings";
        break;
    case Kind::Serial:
        m_out << "serial device " << escape(choice.device);
        break;
    case Kind::Tcp:
        m_out << "TCP " << escape(choice.host) << ':' << choice.port;
        break;
    case Kind::Udp:
        m_out << "UDP port " << choice.port;
        break;
    }
    m_out << '\n';
}

} // namespace fenlark::headless
