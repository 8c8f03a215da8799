#include "qt/program_main.h"

#include "app/application.h"
#include "qt/desktop_shell.h"
#include "qt/document_printer.h"
#include "qt/headless_extras.h"
#include "qt/image_canvas.h"
#include "qt/inputs/desktop_inputs.h"
#include "qt/inputs/simulated_receiver.h"
#include "qt/latin1.h"
#include "qt/program_options.h"
#include "qt/system_clock.h"
#include "qt/user_folder.h"
#include "qt/windows/main_window.h"
#include "qt/windows/message_box_dialogs.h"
#include "qt/windows/receiver_input_dialog.h"
#include "qt/windows/window_metrics.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QSettings>
#include <QTimer>

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

// The folder to work in: DIR, the per-user folder (made ready first), or none (the folder the
// program was started in). Needs the application object; false when the folder cannot be used.
bool chooseWorkingFolder(const ProgramOptions &options, std::string &folder)
{
    folder = options.dir;
    if (!options.userFolder)
        return true;
    folder = userFolderPath().string();
    const std::string why = prepareUserFolder(installedDataPath(), folder);
    if (!why.empty())
        std::cerr << "fenlark: " << why << '\n';
    return why.empty();
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

namespace {

int runDesktop(int &argc, char **argv, const ProgramOptions &options)
{
    if (const std::string why = missingDisplay(); !why.empty()) {
        std::cerr << "fenlark: " << why << ".\n"
                  << "Start it on a desktop, or under a virtual one (xvfb-run -a fenlark ...), or "
                     "run the same program without windows, from a script of operator actions:\n"
                  << "  fenlark --headless "
                  << (options.userFolder    ? "--user-folder"
                      : options.dir.empty() ? "--dir DIR"
                                            : "--dir " + options.dir)
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
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("FenLark"));
    QApplication::setApplicationVersion(QStringLiteral(FENLARK_VERSION));
    std::string folder;
    if (!chooseWorkingFolder(options, folder) || !changeFolder(folder))
        return kBadOption;
    // The program ends only by its Quit: hiding every window (the port settings dialog closing
    // itself, say) must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    MessageBoxDialogs dialogs;
    dialogs.setSampleFolder(QString::fromStdString(installedDataPath().string()));
    DocumentPrinter printer(dialogs, DocumentPrinter::Target::DefaultPrinter);
    ImageCanvas canvas(Twips::forScreen().size(kMapWidthTwips, kMapHeightTwips));
    // The receiver's input: the simulated receiver, one given for this run, or the one chosen in
    // the window before.
    QSettings settings(QStringLiteral("FenLark"), QStringLiteral("FenLark"));
    SimulatedReceiver *simulator = nullptr;
    std::unique_ptr<ReceiverInput> input;
    if (!options.simulate.empty()) {
        const int cps =
            options.simulateCps ? options.simulateCps : SimulatedReceiver::kDefaultCharsPerSecond;
        auto receiver = std::make_unique<SimulatedReceiver>(capture, captureName, cps);
        simulator = receiver.get();
        const QString name = toQString(receiver->deviceName(0));
        input = std::make_unique<ReceiverInput>(dialogs, std::move(receiver), name);
    } else if (const auto given = receiverChoice(options)) {
        input = std::make_unique<ReceiverInput>(dialogs, *given, true);
    } else {
        input = std::make_unique<ReceiverInput>(dialogs, loadReceiverChoice(settings), false);
    }

    Application app(Platform{clock, dialogs, printer, *input, canvas});
    DesktopInputs inputs(*input, settings);
    app.setReceiverInputs(&inputs);
    // The alarm settings and the receiver's input are the user's own, apart from the settings file
    // of the working folder.
    DesktopShell shell(app, canvas, DesktopShell::OnEnd::QuitEventLoop,
                       {&settings, QMediaDevices::defaultAudioOutput()});
    auto *receiverDialog = new ReceiverInputDialog(*input, app, settings, &shell.mainWindow());
    receiverDialog->addActionTo(*shell.mainWindow().configureMenu());
    shell.restoreWindows(settings);
    app.start();
    if (app.ended())
        return 0;
    if (simulator)
        simulator->start();
    const int status = QApplication::exec();
    shell.keepWindows(settings);
    return status;
}

// A recording given as the receiver's input is named from the folder the program was started in,
// before --dir applies, and must be readable; a recording cut short is played as far as it goes.
bool checkRecording(ProgramOptions &options)
{
    std::string &path = options.audioFile.empty() ? options.iqFile : options.audioFile;
    if (path.empty())
        return true;
    path = std::filesystem::absolute(path).string();
    const auto choice = receiverChoice(options);
    recordings::Recording recording;
    const std::string why = recording.open(recordingSpec(choice->radio));
    if (!why.empty())
        std::cerr << "fenlark: cannot read \"" << path << "\": " << why << '\n';
    else if (!recording.shortfall().empty())
        std::cerr << "fenlark: \"" << path
                  << "\" is played as far as it goes: " << recording.shortfall() << '\n';
    return why.empty();
}

int runHeadlessWithQt(int &argc, char **argv, const ProgramOptions &options)
{
    // No display is needed: the windows, when built, are drawn offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeFolder();
    qInstallMessageHandler(quietOffscreenNotes);
    std::unique_ptr<QGuiApplication> qapp;
    if (options.windows)
        qapp = std::make_unique<QApplication>(argc, argv);
    else
        qapp = std::make_unique<QGuiApplication>(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("FenLark"));
    headless::Options driver = options.driver;
    if (!chooseWorkingFolder(options, driver.dir))
        return kBadOption;
    headless::Extras extras = headlessExtras(options.windows);
    // A recording is decoded as fast as it can be, and `wait` ends when it has been.
    auto decoder = std::make_shared<DecoderDevice *>(nullptr);
    if (const auto given = receiverChoice(options)) {
        extras.makeDevice = [choice = *given, decoder](Dialogs &dialogs) {
            auto device =
                makeReceiverDevice(choice, dialogs, RecordingSource::Pace::AsFastAsPossible);
            *decoder = dynamic_cast<DecoderDevice *>(device.get());
            return device;
        };
    }
    extras.runEventLoop = [decoder](double seconds) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
        if (*decoder && (*decoder)->ended())
            return;
        if (*decoder)
            (*decoder)->setEndListener([&loop] { loop.quit(); });
        loop.exec();
        if (*decoder)
            (*decoder)->setEndListener({});
    };
    return headless::runHeadless(driver, extras);
}

} // namespace

int runProgram(int &argc, char **argv, const std::vector<std::string> &args)
{
    ProgramOptions options;
    if (const std::string why = parseProgramOptions(args, options); !why.empty()) {
        std::cerr << "fenlark: " << why << "\nTry \"fenlark --help\" for the list of options.\n";
        return kBadOption;
    }
    if (options.help || options.version) {
        std::cout << (options.help ? programHelp() : programVersion());
        return 0;
    }
    if (!options.decode.empty())
        return recordings::decodeRecording(decodeRequest(options), std::cout, std::cerr);
    if (!checkRecording(options))
        return kBadOption;
    return options.headless ? runHeadlessWithQt(argc, argv, options)
                            : runDesktop(argc, argv, options);
}

} // namespace fenlark::qt
