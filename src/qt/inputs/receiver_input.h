// The receiver's input: the device the program reads (a serial line, a TCP server, UDP datagrams,
// FenLark's own decoder on a recording, sound card or SDR, or the simulated receiver). It is chosen
// in the window and kept in Qt's per-user settings, or given on the command line for one run, and
// it can be switched while the program runs.
#pragma once

#include "forms/ports.h"
#include "qt/inputs/radio_choice.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

class QSettings;

namespace fenlark::qt {

struct ReceiverChoice {
    enum class Kind { PortSettings, Serial, Tcp, Udp, Decoder };
    static constexpr quint16 kNmeaPort = 10110;

    Kind kind = Kind::PortSettings;
    QString serialDevice;     // Serial
    QString host;             // Tcp: the server; Udp: the address listened on, empty for every one
    quint16 port = kNmeaPort; // Tcp and Udp
    RadioChoice radio;        // Decoder
    bool shared = false;      // Udp: other programs on this computer may listen on the port too

    // How the choice reads to the operator ("TCP 192.168.1.5:10110").
    QString text() const;
    friend bool operator==(const ReceiverChoice &, const ReceiverChoice &) = default;
};

// "HOST:PORT" ("[::1]:10110" for an IPv6 address) as a TCP choice; nothing when malformed.
std::optional<ReceiverChoice> tcpChoice(const QString &text);
// "[ADDRESS:]PORT" as a UDP choice, the address one of this computer's ("127.0.0.1", "[::1]");
// nothing when malformed.
std::optional<ReceiverChoice> udpChoice(const QString &text, bool shared);
// The choice kept in the settings; the port number of the port settings when none is.
ReceiverChoice loadReceiverChoice(QSettings &settings);
// Keeps the choice; what was kept for the other kinds of input stays, for the dialog to offer.
void saveReceiverChoice(QSettings &settings, const ReceiverChoice &choice);
// Keeps what a kind of input was last given (its server, device, address and port), for the
// dialog to offer again, without choosing it.
void keepForKind(QSettings &settings, const ReceiverChoice &choice);
// What the settings keep for a kind of input, also while another is chosen.
ReceiverChoice keptChoice(QSettings &settings, ReceiverChoice::Kind kind);

// The device of a choice; it tells its outages (an unplugged line, a lost connection) to `dialogs`.
// A recording is played at `pace`.
std::unique_ptr<SerialDevice>
makeReceiverDevice(const ReceiverChoice &choice, Dialogs &dialogs,
                   RecordingSource::Pace pace = RecordingSource::Pace::RealTime);

// The program's serial device: it passes everything to the device in use, which can change.
class ReceiverInput : public SerialDevice {
public:
    // `forThisRun`: the choice came from the command line.
    ReceiverInput(Dialogs &dialogs, const ReceiverChoice &choice, bool forThisRun);
    // A device made elsewhere (the simulated receiver), given for this run.
    ReceiverInput(Dialogs &dialogs, std::unique_ptr<SerialDevice> device, QString text);

    // The choice in use; none for a device made elsewhere.
    const std::optional<ReceiverChoice> &choice() const { return m_choice; }
    bool forThisRun() const { return m_forThisRun; }
    // The input in use as the operator knows it.
    QString text() const { return m_text; }
    // Whether the device is there: the line up, connected, or listening.
    bool lineUp() const;
    // FenLark's decoder when it is the device in use; none otherwise.
    const DecoderDevice *decoderDevice() const;
    // Uses another device from now on; the port must be closed meanwhile, so that the new
    // device opens with the port's number and line settings and its stream starts afresh.
    void switchTo(const ReceiverChoice &choice);

    std::string deviceName(int port) const override { return m_device->deviceName(port); }
    std::string checkPort(int port) override { return m_device->checkPort(port); }
    std::string checkSettings(const LineSettings &s) override { return m_device->checkSettings(s); }
    std::string open(int port, const LineSettings &settings) override
    {
        return m_device->open(port, settings);
    }
    void close() override { m_device->close(); }
    bool isOpen() const override { return m_device->isOpen(); }
    std::size_t waiting() const override { return m_device->waiting(); }
    std::string read(std::size_t max) override { return m_device->read(max); }
    InputSource source() const override { return m_device->source(); }
    MessageFigures figures(int channel) const override { return m_device->figures(channel); }
    LineState lineState(int port) const override { return m_device->lineState(port); }

private:
    void choose(const ReceiverChoice &choice);
    void use(std::unique_ptr<SerialDevice> device);

    Dialogs &m_dialogs;
    std::unique_ptr<SerialDevice> m_device;
    std::optional<ReceiverChoice> m_choice;
    QString m_text;
    bool m_forThisRun = false;
};

} // namespace fenlark::qt
