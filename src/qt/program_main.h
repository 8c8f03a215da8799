// The fenlark program: the desktop program, or with --headless the headless driver with the Qt
// extras (no display needed).
#pragma once

#include <string>
#include <vector>

namespace fenlark::qt {

struct DesktopOptions {
    std::string dir;      // change to this folder first
    std::string serial;   // the device for every port number, instead of /dev/ttyS(N-1)
    std::string simulate; // a file a simulated receiver plays, instead of a serial device
    int simulateCps = 0;  // its characters per second; 0 for the default pace
    bool help = false;
};

// Reads the desktop program's options; on a bad option returns the message.
std::string parseDesktopOptions(const std::vector<std::string> &args, DesktopOptions &options);
std::string desktopUsage();

// Why no window can be opened here (no display to open it on); empty when one can.
std::string missingDisplay();

int runDesktop(int &argc, char **argv, const std::vector<std::string> &args);
int runHeadlessWithQt(int &argc, char **argv, std::vector<std::string> args);

} // namespace fenlark::qt
