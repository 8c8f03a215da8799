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

bool storeServer(std::string &server, const QStringList &values)
{
    return tcpChoice(values.last()) && store(server, values);
}

template <typename Number>
bool storeNumber(std::optional<Number> &number, const QStringList &values, double lowest,
                 double highest)
{
    bool ok = false;
    const double value = values.last().toDouble(&ok);
    if (!ok || value < lowest || value > highest || value != static_cast<Number>(value))
        return false;
    number = static_cast<Number>(value);
    return true;
}

bool storeCentre(double &hz, const QStringList &values)
{
    std::optional<double> given;
    if (!storeNumber(given, values, 1, 6e9))
        return false;
    hz = *given;
    return true;
}

// 424, 490, 518 or 4209 (4209.5 names it too).
bool storeChannel(int &khz, const QStringList &values)
{
    std::optional<double> given;
    if (!storeNumber(given, values, 424, 4209.5))
        return false;
    khz = static_cast<int>(*given);
    return *given == 424 || *given == 490 || *given == 518 || *given == 4209 || *given == 4209.5;
}

bool storeFormat(std::string &format, const QStringList &values)
{
    bool iq = false;
    return recordings::rawFormatNamed(values.last().toStdString(), iq) && store(format, values);
}

bool storeUdp(std::string &local, const QStringList &values)
{
    return udpChoice(values.last(), false) && store(local, values);
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
        {"udp", "[ADDRESS:]PORT",
         "receive the NMEA datagrams sent to UDP port PORT (on ADDRESS only, when given)", Both,
         "--udp needs a port number from 1 to 65535, or ADDRESS:PORT with an address of this "
         "computer",
         [](Values v, Into o) { return storeUdp(o.udp, v); }},
        {"udp-share", nullptr, "share the UDP port with other programs on this computer", Both, "",
         [](Values v, Into o) { return store(o.udpShare, v); }},
        {"simulate", "FILE", "no serial device: a simulated receiver plays FILE", Desktop,
         "--simulate needs a file to play", [](Values v, Into o) { return store(o.simulate, v); }},
        {"simulate-cps", "N",
         "the simulation's characters per second (default " +
             std::to_string(SimulatedReceiver::kDefaultCharsPerSecond) + ")",
         Desktop, "--simulate-cps needs a number of characters per second (1 or more)",
         [](Values v, Into o) { return store(o.simulateCps, v); }},
        {"decode", "FILE", "decode the recording FILE and write its text out, then exit", Both,
         "--decode needs a recording", [](Values v, Into o) { return store(o.decode, v); }},
        {"audio-file", "FILE", "FenLark's decoder receives from the audio recording FILE", Both,
         "--audio-file needs a recording", [](Values v, Into o) { return store(o.audioFile, v); }},
        {"iq-file", "FILE", "FenLark's decoder receives every channel of the IQ recording FILE",
         Both, "--iq-file needs a recording", [](Values v, Into o) { return store(o.iqFile, v); }},
        {"audio", "DEVICE|default", "FenLark's decoder receives from a sound card", Both,
         "--audio needs a sound card, or default",
         [](Values v, Into o) { return store(o.audio, v); }},
        {"sdr", "ARGS", "FenLark's decoder receives from the SDR SoapySDR finds by ARGS", Both,
         "--sdr needs SoapySDR device arguments, such as driver=rtlsdr,direct_samp=2",
         [](Values v, Into o) { return store(o.sdr, v); }},
        {"rtl-tcp", "HOST:PORT", "FenLark's decoder receives from the rtl_tcp server at HOST:PORT",
         Both, "--rtl-tcp needs HOST:PORT, such as 192.168.1.20:1234",
         [](Values v, Into o) { return storeServer(o.rtlTcp, v); }},
        {"iq", nullptr, "the recording to decode is IQ (I and Q samples)", Both, "",
         [](Values v, Into o) { return store(o.iq, v); }},
        {"format", "s16|u8|f32", "the sample format of a raw recording (cs16, cu8, cf32: IQ)", Both,
         "--format needs s16, u8, f32, cs16, cu8 or cf32",
         [](Values v, Into o) { return storeFormat(o.format, v); }},
        {"rate", "N", "samples a second: of a raw recording, the sound card or the SDR", Both,
         "--rate needs a number of samples a second, such as 48000",
         [](Values v, Into o) { return store(o.rate, v); }},
        {"centre", "HZ", "the radio frequency at the centre of IQ, such as 504000", Both,
         "--centre needs a frequency in Hz, such as 504000",
         [](Values v, Into o) { return storeCentre(o.centreHz, v); }},
        {"channel", "KHZ", "the channel: written out by --decode (default 518), or a receiver's",
         Both, "--channel needs a NAVTEX channel in kHz: 424, 490, 518 or 4209",
         [](Values v, Into o) { return storeChannel(o.channelKhz, v); }},
        {"gain", "DB", "the SDR's gain in dB (default: its automatic gain)", Both,
         "--gain needs a gain in dB, such as 30",
         [](Values v, Into o) { return storeNumber(o.gainDb, v, -100, 200); }},
        {"ppm", "N", "the frequency correction of the SDR's clock, in ppm", Both,
         "--ppm needs a whole number of ppm, such as -2",
         [](Values v, Into o) { return storeNumber(o.ppm, v, -1000, 1000); }},
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

bool rawRecording(const std::string &path, const std::string &format)
{
    bool iq = false;
    return !format.empty() || recordings::rawFormatOfName(path, iq) != recordings::RawFormat::None;
}

bool iqFormat(const std::string &format)
{
    bool iq = false;
    return recordings::rawFormatNamed(format, iq) && iq;
}

// The options of the decoder's inputs, each with the inputs it goes with.
std::string checkDecoderOptions(const ProgramOptions &o, const std::string &input)
{
    const bool recording = input == "--decode" || input == "--audio-file" || input == "--iq-file";
    const bool radio = input == "--sdr" || input == "--rtl-tcp";
    const bool iq = input == "--iq-file" || (input == "--decode" && (o.iq || iqFormat(o.format)));
    const std::pair<bool, const char *> misplaced[] = {
        {o.iq && input != "--decode", "--iq goes with --decode FILE"},
        {!o.format.empty() && !recording, "--format goes with --decode, --audio-file or --iq-file"},
        {o.rate && !recording && !radio && input != "--audio",
         "--rate goes with a recording, --audio, --sdr or --rtl-tcp"},
        {o.centreHz && !iq && !radio,
         "--centre goes with an IQ recording (--decode --iq, --iq-file), --sdr or --rtl-tcp"},
        {o.channelKhz && input != "--decode" && input != "--audio-file" && input != "--audio",
         "--channel goes with --decode, --audio-file or --audio"},
        {(o.gainDb || o.ppm) && !radio, "--gain and --ppm go with --sdr or --rtl-tcp"},
        {iq && !o.centreHz,
         "an IQ recording needs --centre HZ, the radio frequency at its centre (such as 504000)"},
        {recording && !o.rate && rawRecording(o.decode + o.audioFile + o.iqFile, o.format),
         "a raw recording needs --rate N, its samples a second"},
    };
    for (const auto &[wrong, why] : misplaced)
        if (wrong)
            return why;
    return {};
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
                                      {!options.udp.empty(), "--udp"},
                                      {!options.simulate.empty(), "--simulate"},
                                      {!options.decode.empty(), "--decode"},
                                      {!options.audioFile.empty(), "--audio-file"},
                                      {!options.iqFile.empty(), "--iq-file"},
                                      {!options.audio.empty(), "--audio"},
                                      {!options.sdr.empty(), "--sdr"},
                                      {!options.rtlTcp.empty(), "--rtl-tcp"}})
        if (given)
            inputs.push_back(name);
    if (inputs.size() > 1)
        return inputs[0] + " and " + inputs[1] + " cannot be used together";
    if (!inputs.empty() &&
        !(options.driver.refusedPorts.empty() && options.driver.busyPorts.empty()))
        return "--refuse-port and --busy-port are for the scripted receiver, not for " + inputs[0];
    if (const std::string why = checkDecoderOptions(options, inputs.empty() ? "" : inputs[0]);
        !why.empty())
        return why;
    if (options.udpShare && options.udp.empty())
        return "--udp-share goes with --udp [ADDRESS:]PORT";
    if (options.simulateCps && options.simulate.empty())
        return "--simulate-cps goes with --simulate FILE";
    return {};
}

namespace {

RadioChoice radioChoice(const ProgramOptions &options)
{
    using Kind = RadioChoice::Kind;
    RadioChoice radio;
    radio.kind = !options.audioFile.empty() ? Kind::AudioFile
                 : !options.iqFile.empty()  ? Kind::IqFile
                 : !options.audio.empty()   ? Kind::SoundCard
                 : !options.sdr.empty()     ? Kind::Sdr
                                            : Kind::RtlTcp;
    radio.path = QString::fromLocal8Bit(options.audioFile + options.iqFile);
    radio.rawFormat = QString::fromStdString(options.format);
    radio.rateHz = options.rate;
    radio.soundCard = QString::fromLocal8Bit(options.audio);
    radio.sdrArgs = QString::fromLocal8Bit(options.sdr);
    if (const auto server = tcpChoice(QString::fromLocal8Bit(options.rtlTcp))) {
        radio.host = server->host;
        radio.port = server->port;
    }
    if (options.centreHz)
        radio.tuner.centreHz = options.centreHz;
    if (options.rate)
        radio.tuner.sampleRateHz = options.rate;
    radio.tuner.gainDb = options.gainDb;
    radio.tuner.ppm = options.ppm.value_or(0);
    radio.channelKhz = options.channelKhz;
    return radio;
}

} // namespace

recordings::DecodeRequest decodeRequest(const ProgramOptions &options)
{
    recordings::DecodeRequest request;
    request.recording.path = options.decode;
    request.recording.sampleRateHz = options.rate;
    request.recording.iq = options.iq;
    if (options.format.empty())
        request.recording.raw = recordings::rawFormatOfName(options.decode, request.recording.iq);
    else
        request.recording.raw = recordings::rawFormatNamed(options.format, request.recording.iq)
                                    .value_or(recordings::RawFormat::None);
    request.centreHz = options.centreHz;
    if (options.channelKhz)
        request.channelKhz = options.channelKhz;
    return request;
}

std::optional<ReceiverChoice> receiverChoice(const ProgramOptions &options)
{
    if (!options.serial.empty())
        return ReceiverChoice{ReceiverChoice::Kind::Serial,
                              QString::fromLocal8Bit(options.serial.c_str()),
                              {},
                              {},
                              {},
                              false};
    if (!options.tcp.empty())
        return tcpChoice(QString::fromLocal8Bit(options.tcp.c_str()));
    if (!options.audioFile.empty() || !options.iqFile.empty() || !options.audio.empty() ||
        !options.sdr.empty() || !options.rtlTcp.empty())
        return ReceiverChoice{ReceiverChoice::Kind::Decoder, {}, {}, ReceiverChoice::kNmeaPort,
                              radioChoice(options), false};
    if (!options.udp.empty())
        return udpChoice(QString::fromLocal8Bit(options.udp.c_str()), options.udpShare);
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
