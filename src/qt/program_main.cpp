#include "qt/program_main.h"

#include "app/application.h"
#include "qt/desktop_shell.h"
#include "qt/document_printer.h"
#include "qt/headless_extras.h"
#include "qt/image_canvas.h"
#include "qt/latin1.h"
#include "qt/message_box_dialogs.h"
#include "qt/serial_port_device.h"
#include "qt/simulated_receiver.h"
#include "qt/system_clock.h"
#include "qt/window_metrics.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include <unistd.h>

namespace fenlark::qt {
namespace {

constexpr int kBadOption = 2;
constexpr int kNoDisplay = 4;

bool isSet(const char *variable)
{
    const char *value = std::getenv(variable);
    return value && *value;
}

bool changeFolder(const std::string &dir)
{
    if (dir.empty())
        return true;
    std::error_code ec;
    std::filesystem::current_path(dir, ec);
    if (ec)
        std::cerr << "fenlark: cannot change to \"" << dir << "\": " << ec.message() << '\n';
    return !ec;
}

// Qt warns when the per-user runtime folder is not set, as in many automated runs; a private
// folder of our own keeps the headless driver's error output to what the driver says.
void ensureRuntimeFolder()
{
    if (isSet("XDG_RUNTIME_DIR"))
        return;
    const QString path = QDir::tempPath() + QStringLiteral("/fenlark-runtime-") +
                         QString::number(static_cast<qulonglong>(getuid()));
    QDir().mkpath(path);
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", path.toLocal8Bit());
}

// The offscreen platform cannot raise windows or pass size hints to a window manager, and says so
// each time; nothing depends on either there, so only those notes are dropped.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

} // namespace

std::string desktopUsage()
{
    return "usage: fenlark [--dir DIR] [--serial DEVICE | --simulate FILE [--simulate-cps N]]\n"
           "       fenlark --headless [--windows] [--print-text] [--script FILE|-] [--dir DIR] "
           "...\n"
           "  --dir DIR          work in DIR (settings, station files, map outline, message log)\n"
           "  --serial DEVICE    use DEVICE for every port number (default: port N is\n"
           "                     /dev/ttyS(N-1)), e.g. /dev/ttyUSB0 or a pseudo-terminal\n"
           "  --simulate FILE    no serial device: a simulated receiver plays FILE while the\n"
           "                     port is open\n"
           "  --simulate-cps N   the simulated receiver's characters per second (default " +
           std::to_string(SimulatedReceiver::kDefaultCharsPerSecond) + ")\n";
}

std::string parseDesktopOptions(const std::vector<std::string> &args, DesktopOptions &options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        auto value = [&](std::string &out) {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return false;
            out = args[++i];
            return true;
        };
        if (arg == "--dir") {
            if (!value(options.dir))
                return "--dir needs a folder";
        } else if (arg == "--serial") {
            if (!value(options.serial))
                return "--serial needs a device, such as /dev/ttyUSB0";
        } else if (arg == "--simulate") {
            if (!value(options.simulate))
                return "--simulate needs a file to play";
        } else if (arg == "--simulate-cps") {
            std::string text;
            int cps = 0;
            const bool ok = value(text);
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), cps);
            if (!ok || ec != std::errc() || end != text.data() + text.size() || cps < 1 ||
                cps > 10'000'000)
                return "--simulate-cps needs a number of characters per second (1 or more)";
            options.simulateCps = cps;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else {
            return "unknown option \"" + arg + "\"";
        }
    }
    if (!options.serial.empty() && !options.simulate.empty())
        return "--serial and --simulate cannot be used together";
    if (options.simulateCps && options.simulate.empty())
        return "--simulate-cps goes with --simulate FILE";
    return {};
}

std::string missingDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A platform chosen explicitly (offscreen, vnc, a framebuffer) needs no display server.
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
        return {};
    return "there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
           "set)";
#else
    return {};
#endif
}

int runDesktop(int &argc, char **argv, const std::vector<std::string> &args)
{
    DesktopOptions options;
    if (const std::string why = parseDesktopOptions(args, options); !why.empty()) {
        std::cerr << "fenlark: " << why << '\n' << desktopUsage();
        return kBadOption;
    }
    if (options.help) {
        std::cout << desktopUsage();
        return 0;
    }
    if (const std::string why = missingDisplay(); !why.empty()) {
        std::cerr << "fenlark: " << why << ".\n"
                  << "Start it on a desktop, or under a virtual one (xvfb-run -a fenlark ...), or "
                     "run the same program without windows, from a script of operator actions:\n"
                  << "  fenlark --headless --dir " << (options.dir.empty() ? "DIR" : options.dir)
                  << " --script -\n";
        return kNoDisplay;
    }
    // The file to play is named from where the program was started, before --dir applies.
    QByteArray capture;
    QString captureName;
    if (!options.simulate.empty()) {
        captureName = QFileInfo(toQString(options.simulate)).absoluteFilePath();
        QFile file(captureName);
        if (!file.open(QIODevice::ReadOnly)) {
            std::cerr << "fenlark: cannot read \"" << options.simulate
                      << "\": " << fromQString(file.errorString()) << '\n';
            return kBadOption;
        }
        capture = file.readAll();
    }
    if (!changeFolder(options.dir))
        return kBadOption;

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("FenLark"));
    QApplication::setApplicationVersion(QStringLiteral("2.4"));
    // The program ends only by its Quit: hiding every window (the port settings dialog closing
    // itself, say) must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    MessageBoxDialogs dialogs;
    DocumentPrinter printer(dialogs, DocumentPrinter::Target::DefaultPrinter);
    ImageCanvas canvas(Twips::forScreen().size(kMapWidthTwips, kMapHeightTwips));
    std::unique_ptr<SimulatedReceiver> simulator;
    std::unique_ptr<SerialPortDevice> device;
    SerialDevice *serial = nullptr;
    if (!options.simulate.empty()) {
        const int cps =
            options.simulateCps ? options.simulateCps : SimulatedReceiver::kDefaultCharsPerSecond;
        simulator = std::make_unique<SimulatedReceiver>(capture, captureName, cps);
        serial = simulator.get();
    } else {
        device = std::make_unique<SerialPortDevice>(toQString(options.serial));
        device->reportLossTo(dialogs);
        serial = device.get();
    }

    Application app(Platform{clock, dialogs, printer, *serial, canvas});
    DesktopShell shell(app, canvas);
    app.start();
    if (app.ended())
        return 0;
    if (simulator)
        simulator->start();
    return QApplication::exec();
}

int runHeadlessWithQt(int &argc, char **argv, std::vector<std::string> args)
{
    const auto windows = std::find(args.begin(), args.end(), "--windows");
    const bool withWindows = windows != args.end();
    if (withWindows)
        args.erase(windows);
    // No display is needed: the windows, when built, are drawn offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeFolder();
    qInstallMessageHandler(quietOffscreenNotes);
    std::unique_ptr<QGuiApplication> qapp;
    if (withWindows)
        qapp = std::make_unique<QApplication>(argc, argv);
    else
        qapp = std::make_unique<QGuiApplication>(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("FenLark"));
    return headless::runHeadless(args, headlessExtras(withWindows));
}

} // namespace fenlark::qt
