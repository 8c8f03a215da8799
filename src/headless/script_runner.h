// Runs a script of operator actions against one program, one command a line.
#pragma once

#include "app/application.h"
#include "forms/control_registry.h"
#include "headless/script_ports.h"

#include <array>
#include <functional>
#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

namespace fenlark::headless {

// A line the driver cannot run: unknown name, malformed line, bad number.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScriptPorts {
    ScriptClock& clock;
    ScriptDialogs& dialogs;
    ScriptSerialDevice* serial;               // null when a real receiver's device is read
    std::function<void(double seconds)> wait; // runs the event loop; empty when there is none
};

// Writes a window's picture to a file (the map's image); returns the reason of a failure, empty
// on success. Runs without a picture source answer every `snapshot` with an error.
using SnapshotWriter = std::function<std::string(Window, const std::string& path)>;

class ScriptRunner {
public:
    ScriptRunner(Application& app, ScriptPorts ports, std::ostream& out);

    void setSnapshotWriter(SnapshotWriter writer) { m_snapshot = std::move(writer); }

    // Runs every line; returns the exit status: 0 when the script ran to its end or the program
    // ended, 2 for a line it cannot run, 3 for a question with no queued answer. Errors go to `err`
    // naming the script and line.
    int run(std::istream& script, const std::string& scriptName, std::ostream& err);

    // Runs one command line (no comment, not empty); throws ScriptError.
    void execute(const std::string& line);

private:
    struct Target {
        Window window;
        const ControlRef* control = nullptr; // null for a window's own property
        std::string property;                // empty: the control's main value
        std::string name;                    // as written in the script
    };
    Target resolve(const std::string& name) const;
    void requireLoaded(const Target& target) const;

    void get(const std::string& name);
    void list(const std::string& name);
    void click(const std::string& name);
    void select(const std::string& name, const std::string& number);
    void type(const std::string& name, const std::string& text);
    void tick(const std::string& name);
    void sort(const std::string& name, const std::string& column);
    void listTable(const std::string& name, const TableControl& table);
    void clock(const std::string& argument);
    void wait(const std::string& seconds);
    void close(const std::string& window);
    void snapshot(const std::string& window, const std::string& path);

    Application& m_app;
    ScriptPorts m_ports;
    std::ostream& m_out;
    ControlRegistry& controls(Window window) { return m_controls[static_cast<std::size_t>(window)]; }

    std::array<ControlRegistry, kWindowCount> m_controls; // each window's, by its Window
    SnapshotWriter m_snapshot;
};

} // namespace fenlark::headless
