// fenlark: the desktop program; with --headless, the same program run from a script.
#include "qt/program_main.h"

#include <string>
#include <vector>

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string &arg : args)
        if (arg == "--headless")
            return fenlark::qt::runHeadlessWithQt(argc, argv, args);
    return fenlark::qt::runDesktop(argc, argv, args);
}
