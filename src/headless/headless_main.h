// The headless driver's entry point: its options, working folder, and one scripted run.
#pragma once

#include "forms/ports.h"
#include "headless/script_runner.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fenlark::headless {

struct Options {
    std::string script = "-"; // a file, or "-" for standard input
    std::string dir;          // change to this folder first
    std::vector<int> refusedPorts;
    std::vector<int> busyPorts;
    bool printText = false; // print as "printer:" lines instead of a document file
};

// What a shell adds to a headless run: a canvas that keeps the map's picture, a printer that
// writes documents, the writer of window pictures, a real receiver's device in place of the
// scripted one, and the event loop that `wait` runs. Any of them may be left empty.
struct Extras {
    std::function<std::unique_ptr<Canvas>()> makeCanvas;
    std::function<std::unique_ptr<Printer>(Dialogs&)> makePrinter;
    std::function<SnapshotWriter(Application&, Canvas&)> makeSnapshotWriter;
    std::function<std::unique_ptr<SerialDevice>(Dialogs&)> makeDevice;
    std::function<void(double seconds)> runEventLoop;
};

// Runs the driver: opens the script, changes to the working folder, starts the program and runs
// the script; returns the process's exit status.
int runHeadless(const Options& options, const Extras& extras = {});

} // namespace fenlark::headless
