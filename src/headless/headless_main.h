// The headless driver's entry point: options, working folder, and one scripted run.
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

// Reads the driver's options (after --headless); on a bad option returns the message.
std::string parseOptions(const std::vector<std::string>& args, Options& options);
std::string usage();

// What a shell adds to a headless run: a canvas that keeps the map's picture, a printer that
// writes documents, and the writer of window pictures. Any of them may be left empty.
struct Extras {
    std::function<std::unique_ptr<Canvas>()> makeCanvas;
    std::function<std::unique_ptr<Printer>(Dialogs&)> makePrinter;
    std::function<SnapshotWriter(Application&, Canvas&)> makeSnapshotWriter;
};

// Runs the driver: returns the process's exit status.
int runHeadless(const std::vector<std::string>& args, const Extras& extras = {});

} // namespace fenlark::headless
