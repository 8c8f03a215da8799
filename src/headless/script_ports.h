// The ports of a scripted run: a settable clock, message boxes answered from the script, a serial
// device fed by `receive`, and a printer that writes its lines out.
#pragma once

#include "forms/ports.h"
#include "reception/input_buffer.h"

#include <deque>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>

namespace fenlark::headless {

// The system clock in UTC, or a fixed time set by the script.
class ScriptClock : public Clock {
public:
    DateTime now() override;
    void set(DateTime t) { m_fixed = t; }
    // Advances the fixed clock (fixing it at the real time first when it was not fixed).
    void advance(long long seconds);

private:
    std::optional<DateTime> m_fixed;
};

// Raised when a question is asked and the script queued no answer.
class UnansweredQuestion : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ScriptDialogs : public Dialogs {
public:
    explicit ScriptDialogs(std::ostream& out) : m_out(out) {}
    Answer question(const std::string& question) override;
    void notice(const std::string& text) override;
    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    // Prints "file: TITLE -> NAME" with the file queued for it, or "-> none".
    std::string chooseFile(const std::string& title) override;
    void queueFile(std::string name) { m_files.push_back(std::move(name)); }

private:
    std::ostream& m_out;
    std::deque<Answer> m_answers;
    std::deque<std::string> m_files;
};

// A serial device that accepts every port and setting except those a run was told to refuse.
class ScriptSerialDevice : public SerialDevice {
public:
    void refusePort(int port) { m_refused.insert(port); }
    void makeBusy(int port) { m_busy.insert(port); }
    // Bytes from the receiver: kept and delivered while the port is open, lost while it is closed.
    void receive(const std::string& bytes);

    std::string deviceName(int port) const override;
    std::string checkPort(int port) override;
    std::string checkSettings(const LineSettings& settings) override;
    std::string open(int port, const LineSettings& settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override { return m_input.waiting(); }
    std::string read(std::size_t max) override;

private:
    std::set<int> m_refused;
    std::set<int> m_busy;
    bool m_open = false;
    InputBuffer m_input;
};

// The receiver's inputs of a scripted run: no serial device is present, and the input chosen
// (in the first start's welcome) is printed as "receiver: INPUT".
class ScriptInputs : public ReceiverInputs {
public:
    explicit ScriptInputs(std::ostream& out) : m_out(out) {}
    std::vector<PresentDevice> presentDevices() override { return {}; }
    void use(const InputChoice& choice) override;

private:
    std::ostream& m_out;
};

// Writes each printed text as "printer: LINE" lines.
class TextPrinter : public Printer {
public:
    explicit TextPrinter(std::ostream& out) : m_out(out) {}
    void setFontSize(int points) override;
    void print(const std::string& text) override;
    void endDoc() override;

private:
    std::ostream& m_out;
};

// A canvas that draws nothing, for runs that never look at the map's picture.
class NullCanvas : public Canvas {
public:
    void clear() override {}
    void setScale(double, double, double, double) override {}
    void setForeColor(Rgb) override {}
    void setFillColor(Rgb) override {}
    void setFillSolid(bool) override {}
    void pset(double, double) override {}
    void lineTo(double, double) override {}
    void circle(double, double, double, Rgb) override {}
    void print(const std::string&) override {}
};

// The date and time in UTC from the system clock, whatever the machine's time zone.
DateTime systemNow();

} // namespace fenlark::headless
