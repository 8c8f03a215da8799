#include "headless/headless_main.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace fenlark::headless {
namespace {

bool parseInt(const std::string& text, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

} // namespace

std::string usage()
{
    return "usage: fenlark --headless [--script FILE|-] [--dir DIR] [--refuse-port N]...\n"
           "                          [--busy-port N]... [--print-text]\n";
}

std::string parseOptions(const std::vector<std::string>& args, Options& options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        std::string text;
        int number = 0;
        if (arg == "--headless") {
            continue;
        } else if (arg == "--script") {
            if (!value(options.script))
                return "--script needs a file name (or - for standard input)";
        } else if (arg == "--dir") {
            if (!value(options.dir))
                return "--dir needs a folder";
        } else if (arg == "--refuse-port" || arg == "--busy-port") {
            if (!value(text) || !parseInt(text, number))
                return arg + " needs a port number";
            (arg == "--refuse-port" ? options.refusedPorts : options.busyPorts).push_back(number);
        } else if (arg == "--print-text") {
            options.printText = true;
        } else {
            return "unknown option \"" + arg + "\"";
        }
    }
    return {};
}

int runHeadless(const std::vector<std::string>& args, const Extras& extras)
{
    Options options;
    if (const std::string why = parseOptions(args, options); !why.empty()) {
        std::cerr << "fenlark: " << why << '\n' << usage();
        return 2;
    }
    std::ifstream scriptFile;
    if (options.script != "-") {
        scriptFile.open(options.script);
        if (!scriptFile) {
            std::cerr << "fenlark: cannot open the script \"" << options.script << "\"\n";
            return 2;
        }
    }
    if (!options.dir.empty()) {
        std::error_code ec;
        std::filesystem::current_path(options.dir, ec);
        if (ec) {
            std::cerr << "fenlark: cannot change to \"" << options.dir << "\": " << ec.message()
                      << '\n';
            return 2;
        }
    }

    ScriptClock clock;
    ScriptDialogs dialogs(std::cout);
    ScriptSerialDevice serial;
    for (int port : options.refusedPorts)
        serial.refusePort(port);
    for (int port : options.busyPorts)
        serial.makeBusy(port);
    std::unique_ptr<Printer> printer;
    if (!options.printText && extras.makePrinter)
        printer = extras.makePrinter(dialogs);
    if (!printer)
        printer = std::make_unique<TextPrinter>(std::cout);
    std::unique_ptr<Canvas> canvas = extras.makeCanvas ? extras.makeCanvas() : nullptr;
    if (!canvas)
        canvas = std::make_unique<NullCanvas>();

    Application app(Platform{clock, dialogs, *printer, serial, *canvas});
    ScriptRunner runner(app, ScriptPorts{clock, dialogs, serial}, std::cout);
    if (extras.makeSnapshotWriter)
        runner.setSnapshotWriter(extras.makeSnapshotWriter(app, *canvas));
    try {
        app.start();
    } catch (const UnansweredQuestion& e) {
        std::cerr << "fenlark: a question was asked at start-up with no answer queued: "
                  << e.what() << '\n';
        return 3;
    }
    std::istream& script = options.script == "-" ? std::cin : scriptFile;
    return runner.run(script, options.script == "-" ? "stdin" : options.script, std::cerr);
}

} // namespace fenlark::headless
