#include "support/test_program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

namespace fenlark::test {
namespace {

std::string hex(Rgb c)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

std::string num(double v)
{
    std::ostringstream out;
    out << v;
    return out.str();
}

} // namespace

Answer FakeDialogs::question(const std::string& question)
{
    questions.push_back(question);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question;
        return Answer::No;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeSerial::sendOn(int channel, int frequency, const std::string& bytes)
{
    if (!m_open)
        return;
    m_input.append(channel, bytes, frequency);
    inputArrived();
}

std::string FakeSerial::checkPort(int port)
{
    return port == refusedPort ? "no such port" : std::string();
}

std::string FakeSerial::open(int, const LineSettings&)
{
    if (!openFailure.empty())
        return openFailure;
    m_open = true;
    return {};
}

void FakeSerial::close()
{
    if (m_open)
        ++closes;
    m_open = false;
    m_input.clear();
}

std::string FakeSerial::read(std::size_t max)
{
    std::string bytes = m_input.read(max);
    if (onRead)
        onRead();
    return bytes;
}

void RecordingCanvas::setScale(double l, double t, double r, double b)
{
    ops.push_back("scale " + num(l) + " " + num(t) + " " + num(r) + " " + num(b));
}
void RecordingCanvas::setForeColor(Rgb c) { ops.push_back("fore " + hex(c)); }
void RecordingCanvas::setFillColor(Rgb c) { ops.push_back("fill " + hex(c)); }
void RecordingCanvas::pset(double x, double y) { ops.push_back("pset " + num(x) + " " + num(y)); }
void RecordingCanvas::lineTo(double x, double y)
{
    ops.push_back("line " + num(x) + " " + num(y));
}
void RecordingCanvas::circle(double x, double y, double radius, Rgb outline)
{
    ops.push_back("circle " + num(x) + " " + num(y) + " " + num(radius) + " " + hex(outline));
}

TempWorkingDir::TempWorkingDir() : m_previous(std::filesystem::current_path())
{
    static std::mt19937_64 random{std::random_device{}()};
    m_path = std::filesystem::temp_directory_path() /
             ("fenlark-test-" + std::to_string(random()));
    std::filesystem::create_directories(m_path);
    std::filesystem::current_path(m_path);
}

TempWorkingDir::~TempWorkingDir()
{
    std::error_code ec;
    std::filesystem::current_path(m_previous, ec);
    std::filesystem::remove_all(m_path, ec);
}

void writeFile(const std::string& name, const std::string& bytes)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string readFile(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string makeStationFile(const std::string& tag, int blocks)
{
    std::string out;
    for (int area = 0; area < blocks; ++area) {
        out += "NAVAREA block " + std::to_string(area + 1) + " (" + tag + ")\r\n";
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const std::string l(1, letter);
            out += l + " - Station " + l + " of area " + std::to_string(area + 1) + " (" + tag +
                   "),CALL" + l + ",50 35 N,001 18 W,0040 0440 0840\r\n";
        }
    }
    return out;
}

TestProgram::TestProgram(const std::string& settings, bool start)
    : app(Platform{clock, dialogs, printer, serial, canvas})
{
    if (!settings.empty())
        writeFile("fenlark.ini", settings);
    for (const char* tag : {"424", "490", "518", "4209"})
        writeFile(std::string(tag) + ".txt", makeStationFile(tag));
    if (start)
        app.start();
}

void TestProgram::receiveMessage(const std::string& id, const std::vector<std::string>& body)
{
    std::string text = "ZCZC " + id + "\r\n";
    for (const std::string& line : body)
        text += line + "\r\n";
    text += "NNNN\r\n";
    receive(text);
}

std::string listState(const ListControl& list)
{
    std::string out;
    for (int i = 0; i < list.count(); ++i) {
        if (i)
            out += ' ';
        out += i == list.listIndex() ? "[" + list.list(i) + "]" : list.list(i);
    }
    return out;
}

std::string visible(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        if (c == '\r' || c == '\n' || c == '\\')
            out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\\\";
        else
            out += byte < 32 || byte >= 127 ? std::string(hex) : std::string(1, c);
    }
    return out;
}

std::vector<MessageRecord> tableRecords(TestProgram& p)
{
    const auto& table = p.state().MessageTable;
    return {table.begin(), table.begin() + p.state().msgcount};
}

} // namespace fenlark::test
