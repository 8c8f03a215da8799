// The fenlark program: the desktop program, or with --headless the headless driver with the Qt
// extras (no display needed).
#pragma once

#include <string>
#include <vector>

namespace fenlark::qt {

// Why no window can be opened here (no display to open it on); empty when one can.
std::string missingDisplay();

// Reads the options and runs the desktop program, or the headless driver with --headless;
// returns the process's exit status (2 for a bad option, with a hint to try --help).
int runProgram(int &argc, char **argv, const std::vector<std::string> &args);

} // namespace fenlark::qt
