// fenlark: the desktop program; with --headless, the same program run from a script.
#include "qt/program_main.h"

#include <csignal>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    // Under a file size limit a write past it then fails, and the save says so, instead of the
    // signal ending the program with the table unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return fenlark::qt::runProgram(argc, argv, args);
}
