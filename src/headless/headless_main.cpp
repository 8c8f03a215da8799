#include "headless/headless_main.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace fenlark::headless {

int runHeadless(const Options& options, const Extras& extras)
{
    std::ifstream scriptFile;
    if (options.script != "-") {
        // A folder opens as a stream that reads nothing; it is refused like a missing script.
        std::error_code ec;
        if (!std::filesystem::is_directory(options.script, ec))
            scriptFile.open(options.script);
        if (!scriptFile.is_open()) {
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
    ScriptSerialDevice scripted;
    for (int port : options.refusedPorts)
        scripted.refusePort(port);
    for (int port : options.busyPorts)
        scripted.makeBusy(port);
    const std::unique_ptr<SerialDevice> device =
        extras.makeDevice ? extras.makeDevice(dialogs) : nullptr;
    SerialDevice& serial = device ? *device : scripted;
    std::unique_ptr<Printer> printer;
    if (!options.printText && extras.makePrinter)
        printer = extras.makePrinter(dialogs);
    if (!printer)
        printer = std::make_unique<TextPrinter>(std::cout);
    std::unique_ptr<Canvas> canvas = extras.makeCanvas ? extras.makeCanvas() : nullptr;
    if (!canvas)
        canvas = std::make_unique<NullCanvas>();

    Application app(Platform{clock, dialogs, *printer, serial, *canvas});
    ScriptInputs inputs(std::cout);
    app.setReceiverInputs(&inputs);
    ScriptRunner runner(
        app, ScriptPorts{clock, dialogs, device ? nullptr : &scripted, extras.runEventLoop},
        std::cout);
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
