#include "qt/program_options.h"

#include "qt/inputs/simulated_receiver.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace fenlark::qt {
namespace {

enum Mode : unsigned { Desktop = 1, Headless = 2, Both = Desktop | Headless };

// One option of the command line. A value option gets every value given (a repeated option gives
// several), none of them empty; `take` stores them, or refuses them with the `needs` message.
struct OptionEntry {
    const char *names;     // "h,help": short names, then the long name
    const char *valueName; // nullptr for a switch
    std::string help;      // one line
    Mode mode;
    std::string needs; // the message for a missing, empty or refused value
    bool (*take)(const QStringList &values, ProgramOptions &options);
};

// The stores of the table's options, by the kind of value they take: a switch is set; a text
// takes the last value given; a count is a whole number from 1; port numbers collect every value.
bool store(bool &flag, const QStringList &)
{
    flag = true;
    return true;
}

bool store(std::string &text, const QStringList &values)
{
    text = values.last().toLocal8Bit().toStdString();
    return true;
}

bool toInt(const QString &text, int &number)
{
    const std::string digits = text.toStdString();
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return ec == std::errc() && end == digits.data() + digits.size();
}

bool store(int &count, const QStringList &values)
{
    return toInt(values.last(), count) && count >= 1 && count <= 10'000'000;
}

bool store(std::vector<int> &ports, const QStringList &values)
{
    for (const QString &value : values) {
        int port = 0;
        if (!toInt(value, port))
            return false;
        ports.push_back(port);
    }
    return true;
}

bool storePort(int &port, const QStringList &values)
{
    return toInt(values.last(), port) && port >= 1 && port <= 65535;
}

bool storeServer(std::string &server, const QStringList &values)
{
    return tcpChoice(values.last()) && store(server, values);
}

using Values = const QStringList &;
using Into = ProgramOptions &;

// Adding an option is adding its line here (and its field to ProgramOptions).
const std::vector<OptionEntry> &optionTable()
{
    static const std::vector<OptionEntry> table{
        {"h,help", nullptr, "print this list of options and exit", Both, "",
         [](Values v, Into o) { return store(o.help, v); }},
        {"v,version", nullptr, "print the program's name and version and exit", Both, "",
         [](Values v, Into o) { return store(o.version, v); }},
        {"user-folder", nullptr, "work in $XDG_DATA_HOME/fenlark, made and filled when missing",
         Both, "", [](Values v, Into o) { return store(o.userFolder, v); }},
        {"dir", "DIR", "work in DIR (settings, station files, message log)", Both,
         "--dir needs a folder", [](Values v, Into o) { return store(o.dir, v); }},
        {"serial", "DEVICE", "use DEVICE for every port number, not /dev/ttyS(N-1)", Both,
         "--serial needs a device, such as /dev/ttyUSB0",
         [](Values v, Into o) { return store(o.serial, v); }},
        {"tcp", "HOST:PORT", "receive from the NMEA server at HOST:PORT over TCP", Both,
         "--tcp needs HOST:PORT, such as 192.168.1.10:10110",
         [](Values v, Into o) { return storeServer(o.tcp, v); }},
        {"udp", "PORT", "receive the NMEA datagrams sent to UDP port PORT", Both,
         "--udp needs a port number from 1 to 65535",
         [](Values v, Into o) { return storePort(o.udp, v); }},
        {"simulate", "FILE", "no serial device: a simulated receiver plays FILE", Desktop,
         "--simulate needs a file to play", [](Values v, Into o) { return store(o.simulate, v); }},
        {"simulate-cps", "N",
         "the simulation's characters per second (default " +
             std::to_string(SimulatedReceiver::kDefaultCharsPerSecond) + ")",
         Desktop, "--simulate-cps needs a number of characters per second (1 or more)",
         [](Values v, Into o) { return store(o.simulateCps, v); }},
        {"headless", nullptr, "run without windows, from a script of operator actions", Both, "",
         [](Values v, Into o) { return store(o.headless, v); }},
        {"script", "FILE|-", "the script to run: FILE, or - for standard input (default)", Headless,
         "--script needs a file name (or - for standard input)",
         [](Values v, Into o) { return store(o.driver.script, v); }},
        {"windows", nullptr, "build the real windows offscreen, so any can be pictured", Headless,
         "", [](Values v, Into o) { return store(o.windows, v); }},
        {"print-text", nullptr, "print as \"printer:\" lines instead of writing a PDF file",
         Headless, "", [](Values v, Into o) { return store(o.driver.printText, v); }},
        {"refuse-port", "N", "the serial device refuses port N's settings (repeatable)", Headless,
         "--refuse-port needs a port number",
         [](Values v, Into o) { return store(o.driver.refusedPorts, v); }},
        {"busy-port", "N", "opening port N fails with \"device busy\" (repeatable)", Headless,
         "--busy-port needs a port number",
         [](Values v, Into o) { return store(o.driver.busyPorts, v); }},
    };
    return table;
}

std::string dashed(const QString &name)
{
    return (name.size() == 1 ? "-" : "--") + name.toStdString();
}

QStringList nameList(const OptionEntry &entry)
{
    return QString::fromLatin1(entry.names).split(QLatin1Char(','));
}

// The name the parser knows the option by.
QString longName(const OptionEntry &entry)
{
    return nameList(entry).last();
}

// Why QCommandLineParser stopped: the first unknown option, or the option left without a value.
std::string parseError(const QCommandLineParser &parser, const QStringList &args)
{
    if (!parser.unknownOptionNames().isEmpty())
        return "unknown option \"" + dashed(parser.unknownOptionNames().first()) + "\"";
    for (const OptionEntry &entry : optionTable())
        for (const QString &name : nameList(entry))
            if (entry.valueName && args.last() == QString::fromStdString(dashed(name)))
                return entry.needs;
    // Qt's own message, in the form of ours: "Unexpected value after '--windows'."
    std::string text = parser.errorText().toStdString();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}

} // namespace

std::string parseProgramOptions(const std::vector<std::string> &args, ProgramOptions &options)
{
    QStringList qargs{QStringLiteral("fenlark")};
    for (const std::string &arg : args)
        qargs << QString::fromLocal8Bit(arg.data(), static_cast<qsizetype>(arg.size()));
    QCommandLineParser parser;
    for (const OptionEntry &entry : optionTable())
        parser.addOption(QCommandLineOption(nameList(entry), QString(),
                                            entry.valueName ? entry.valueName : QString()));
    if (!parser.parse(qargs))
        return parseError(parser, qargs);
    if (!parser.positionalArguments().isEmpty())
        return "unexpected argument \"" + parser.positionalArguments().first().toStdString() + "\"";
    const Mode mode = parser.isSet(QStringLiteral("headless")) ? Headless : Desktop;
    for (const OptionEntry &entry : optionTable()) {
        if (!parser.isSet(longName(entry)))
            continue;
        if (!(entry.mode & mode))
            return dashed(longName(entry)) +
                   (mode == Headless ? " is not an option of --headless" : " goes with --headless");
        const QStringList values = parser.values(longName(entry));
        if (entry.valueName && values.contains(QString()))
            return entry.needs;
        if (!entry.take(values, options))
            return entry.needs;
    }
    if (options.help || options.version)
        return {};
    if (options.userFolder && !options.dir.empty())
        return "--user-folder and --dir cannot be used together";
    std::vector<std::string> inputs;
    for (const auto &[given, name] : {std::pair{!options.serial.empty(), "--serial"},
                                      {!options.tcp.empty(), "--tcp"},
                                      {options.udp != 0, "--udp"},
                                      {!options.simulate.empty(), "--simulate"}})
        if (given)
            inputs.push_back(name);
    if (inputs.size() > 1)
        return inputs[0] + " and " + inputs[1] + " cannot be used together";
    if (!inputs.empty() &&
        !(options.driver.refusedPorts.empty() && options.driver.busyPorts.empty()))
        return "--refuse-port and --busy-port are for the scripted receiver, not for " + inputs[0];
    if (options.simulateCps && options.simulate.empty())
        return "--simulate-cps goes with --simulate FILE";
    return {};
}

std::optional<ReceiverChoice> receiverChoice(const ProgramOptions &options)
{
    if (!options.serial.empty())
        return ReceiverChoice{
            ReceiverChoice::Kind::Serial, QString::fromLocal8Bit(options.serial.c_str()), {}, {}};
    if (!options.tcp.empty())
        return tcpChoice(QString::fromLocal8Bit(options.tcp.c_str()));
    if (options.udp)
        return ReceiverChoice{ReceiverChoice::Kind::Udp, {}, {}, static_cast<quint16>(options.udp)};
    return std::nullopt;
}

std::string programHelp()
{
    std::string text =
        "usage: fenlark [OPTION]...             the desktop program\n"
        "       fenlark --headless [OPTION]...  the same program run from a script\n";
    const std::pair<Mode, const char *> sections[] = {
        {Both, "Options"}, {Desktop, "Desktop program"}, {Headless, "Headless driver"}};
    for (const auto &[mode, heading] : sections) {
        text += std::string("\n") + heading + ":\n";
        for (const OptionEntry &entry : optionTable()) {
            if (entry.mode != mode)
                continue;
            std::string names;
            for (const QString &name : nameList(entry))
                names += (names.empty() ? "" : ", ") + dashed(name);
            if (entry.valueName)
                names += std::string(" ") + entry.valueName;
            names.resize(std::max<std::size_t>(names.size() + 2, 20), ' ');
            text += "  " + names + entry.help + "\n";
        }
    }
    return text;
}

std::string programVersion()
{
    return "FenLark " FENLARK_VERSION "\n";
}

} // namespace fenlark::qt
