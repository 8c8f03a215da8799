// fenlark: the desktop program; with --headless, the same program run from a script.
#include "qt/program_main.h"

#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return fenlark::qt::runProgram(argc, argv, args);
}
