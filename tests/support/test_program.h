// A whole FenLark program for tests: fake ports (fixed clock, scripted message boxes, a serial line
// fed by the test, a recording printer and canvas) in a fresh temporary working folder.
#pragma once

#include "app/application.h"
#include "reception/input_buffer.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fenlark::test {

class FakeClock : public Clock {
public:
    DateTime now() override { return m_now; }
    void set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
    {
        m_now = DateTime::fromCivil({year, month, day, hour, minute, second});
    }
    void set(DateTime t) { m_now = t; }
    void advance(long long seconds) { m_now = m_now.plusSeconds(seconds); }

private:
    DateTime m_now = DateTime::fromCivil({2026, 12, 5, 12, 40, 1});
};

// Records every box; questions take the queued answers and fail the test when none is queued.
class FakeDialogs : public Dialogs {
public:
    Answer question(const std::string& question) override;
    void notice(const std::string& text) override
    {
        notices.push_back(text);
        if (auto act = std::exchange(duringNextNotice, {}))
            act(); // while the box would be open
    }
    void queue(bool yes) { answers.push_back(yes ? Answer::Yes : Answer::No); }
    // The file chosen in the next file dialog; none when nothing is queued.
    std::string chooseFile(const std::string& title) override
    {
        fileDialogs.push_back(title);
        if (files.empty())
            return {};
        const std::string file = files.front();
        files.erase(files.begin());
        return file;
    }
    std::vector<std::string> files;
    std::vector<std::string> fileDialogs;

    std::function<void()> duringNextNotice;
    std::deque<Answer> answers;
    std::vector<std::string> questions;
    std::vector<std::string> notices;
};

// A serial line the test feeds; it can be told to refuse a port number or fail to open.
class FakeSerial : public SerialDevice {
public:
    // Bytes from the receiver: delivered while open, lost while closed.
    void send(const std::string& bytes) { sendOn(0, 0, bytes); }
    // Bytes of a channel on a frequency, as a device with channels hands them over.
    void sendOn(int channel, int frequency, const std::string& bytes);
    InputBuffer& input() { return m_input; }

    std::string deviceName(int port) const override { return "test port " + std::to_string(port); }
    std::string checkPort(int port) override;
    std::string checkSettings(const LineSettings&) override { return {}; }
    std::string open(int port, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override { return m_input.waiting(); }
    std::string read(std::size_t max) override;
    InputSource source() const override { return m_input.source(); }
    MessageFigures figures(int channel) const override { return m_input.figures(channel); }

    // Runs at every read, as bytes arriving meanwhile would.
    std::function<void()> onRead;
    int refusedPort = -1;
    std::string openFailure; // non-empty: every open fails with this reason
    int closes = 0;

private:
    bool m_open = false;
    InputBuffer m_input;
};

class RecordingPrinter : public Printer {
public:
    void setFontSize(int points) override { fontSize = points; }
    void print(const std::string& text) override { printed.push_back(text); }
    void endDoc() override { ++documents; }

    int fontSize = 0;
    std::vector<std::string> printed;
    int documents = 0;
};

// Records drawing operations as text, one per call ("circle 10722 3035 15.6 ff0000").
class RecordingCanvas : public Canvas {
public:
    void clear() override { ops.push_back("clear"); }
    void setScale(double l, double t, double r, double b) override;
    void setForeColor(Rgb c) override;
    void setFillColor(Rgb c) override;
    void setFillSolid(bool solid) override { ops.push_back(solid ? "solid" : "transparent"); }
    void pset(double x, double y) override;
    void lineTo(double x, double y) override;
    void circle(double x, double y, double radius, Rgb outline) override;
    void print(const std::string& text) override { ops.push_back("print " + text); }

    std::vector<std::string> ops;
};

// Changes into a fresh temporary folder for the object's lifetime.
class TempWorkingDir {
public:
    TempWorkingDir();
    ~TempWorkingDir();
    TempWorkingDir(const TempWorkingDir&) = delete;
    TempWorkingDir& operator=(const TempWorkingDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

// Writes a file in the working folder.
void writeFile(const std::string& name, const std::string& bytes);
std::string readFile(const std::string& name);

// The settings file of a port-0 setup: the port keeps its defaults, the error character is "~".
inline const std::string kPortZeroSettings = " 0 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n";

// A station file of 25 blocks whose stations are named after their letter, NAVAREA and file:
// "E - Station E of area 1 (518)", call "CALLE", a position and times; `blocks` may be fewer
// than 25 to make a short file.
std::string makeStationFile(const std::string& tag, int blocks = 25);

class TestProgram {
public:
    // Writes `settings` (when not empty) and station files for all four frequencies, then starts
    // the program unless told not to.
    explicit TestProgram(const std::string& settings = kPortZeroSettings, bool start = true);

    // The receiver sends `text`; every character arrives as one receive event.
    void receive(const std::string& text) { serial.send(text); }
    // Sends a whole message: header, body lines and end line, each ended by CR LF.
    void receiveMessage(const std::string& id, const std::vector<std::string>& body = {});

    Form1& form() { return app.form1(); }
    State& state() { return app.state(); }

    TempWorkingDir dir;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeSerial serial;
    RecordingPrinter printer;
    RecordingCanvas canvas;
    Application app;
};

// Compact markup of a list's state: entries separated by blanks, the current one in brackets
// ("AB12 [NE05] ZA01").
std::string listState(const ListControl& list);

// A text with CR, LF, backslashes, other control characters and bytes from 127 written as escapes
// (\r, \n, \\, \xHH), for failure messages.
std::string visible(std::string_view text);

// The records in use, slot 0 first.
std::vector<MessageRecord> tableRecords(TestProgram& p);

} // namespace fenlark::test
