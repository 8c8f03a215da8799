// A whole program over do-nothing ports in a temporary folder, and generated workloads.
#pragma once

#include "app/application.h"
#include "headless/script_ports.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace fenlark::bench {

class QuietClock : public Clock {
public:
    DateTime now() override { return t; }
    DateTime t = DateTime::fromCivil({2026, 12, 5, 12, 40, 1});
};

// Answers every question with Yes and ignores notices.
class YesDialogs : public Dialogs {
public:
    Answer question(const std::string&) override { return Answer::Yes; }
    void notice(const std::string&) override {}
};

class NullPrinter : public Printer {
public:
    void setFontSize(int) override {}
    void print(const std::string&) override {}
    void endDoc() override {}
};

class LoopSerial : public SerialDevice {
public:
    std::string deviceName(int) const override { return "bench"; }
    std::string checkPort(int) override { return {}; }
    std::string checkSettings(const LineSettings&) override { return {}; }
    std::string open(int, const LineSettings&) override
    {
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override { return 0; }
    std::string read(std::size_t) override { return {}; }

private:
    bool m_open = false;
};


// Makes a temporary working folder with a port-0 settings file and the supplied station files,
// and removes it again.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

struct BenchProgram {
    BenchProgram() { app.start(); }
    BenchFolder folder;
    QuietClock clock;
    YesDialogs dialogs;
    NullPrinter printer;
    LoopSerial serial;
    headless::NullCanvas canvas;
    Application app{Platform{clock, dialogs, printer, serial, canvas}};
};

// A receiver stream of `count` distinct messages with bodies of about `bodyChars` characters.
std::string makeCapture(int count, int bodyChars);
// The identifier of message i of makeCapture: four characters, all distinct for i < 5001.
std::string benchId(int i);

// Times captureload of `capture` in a fresh program per iteration, which must file 5001 messages.
void replayFullTable(benchmark::State& st, const std::string& capture);

} // namespace fenlark::bench
