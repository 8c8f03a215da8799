// The fenlark program without its desktop shell: the headless driver alone.
#include "headless/headless_main.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "--headless") {
        std::cerr << "fenlark: this build has no desktop shell; run it with --headless\n"
                  << fenlark::headless::usage();
        return 2;
    }
    return fenlark::headless::runHeadless(args);
}
