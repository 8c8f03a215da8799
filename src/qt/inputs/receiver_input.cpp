#include "qt/inputs/receiver_input.h"

#include "qt/inputs/network_device.h"
#include "qt/inputs/serial_port_device.h"
#include "qt/latin1.h"

#include <QHostAddress>
#include <QSettings>

namespace fenlark::qt {
namespace {

const char *const kKindNames[] = {"port-settings", "serial", "tcp", "udp", "decoder"};

std::optional<quint16> portNumber(const QString &text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

} // namespace

QString ReceiverChoice::text() const
{
    switch (kind) {
    case Kind::PortSettings:
        return QStringLiteral("the port number from the port settings");
    case Kind::Serial:
        return QStringLiteral("serial device ") + serialDevice;
    case Kind::Tcp:
        return QStringLiteral("TCP %1:%2").arg(host).arg(port);
    case Kind::Decoder:
        return radio.text();
    case Kind::Udp:
        break;
    }
    return QStringLiteral("UDP port %1").arg(port) +
           (host.isEmpty() ? QString() : QStringLiteral(" on ") + host) +
           (shared ? QStringLiteral(", shared") : QString());
}

namespace {

// HOST and PORT of "HOST:PORT", the brackets of "[::1]" taken off; nothing when malformed.
std::optional<std::pair<QString, quint16>> hostAndPort(const QString &text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    const auto port = portNumber(text.mid(colon + 1));
    if (colon < 0 || host.isEmpty() || !port)
        return std::nullopt;
    return std::pair{host, *port};
}

QString key(const char *name)
{
    return QLatin1String(name);
}

} // namespace

std::optional<ReceiverChoice> tcpChoice(const QString &text)
{
    const auto server = hostAndPort(text);
    if (!server)
        return std::nullopt;
    return ReceiverChoice{ReceiverChoice::Kind::Tcp, {}, server->first, server->second, {}, false};
}

std::optional<ReceiverChoice> udpChoice(const QString &text, bool shared)
{
    ReceiverChoice choice{ReceiverChoice::Kind::Udp, {}, {}, ReceiverChoice::kNmeaPort, {}, shared};
    if (const auto port = portNumber(text)) {
        choice.port = *port;
        return choice;
    }
    const auto local = hostAndPort(text);
    if (!local || QHostAddress(local->first).isNull())
        return std::nullopt;
    choice.host = local->first;
    choice.port = local->second;
    return choice;
}

ReceiverChoice keptChoice(QSettings &settings, ReceiverChoice::Kind kind)
{
    using Kind = ReceiverChoice::Kind;
    settings.beginGroup(key("receiver"));
    // Settings kept before each kind had its own host and port hold them once, for both.
    const QString host = settings.value(key("host")).toString();
    const QString port = settings.value(key("port")).toString();
    ReceiverChoice choice;
    choice.kind = kind;
    choice.serialDevice = settings.value(key("serialDevice")).toString();
    if (kind == Kind::Tcp) {
        choice.host = settings.value(key("tcpHost"), host).toString();
        choice.port = portNumber(settings.value(key("tcpPort"), port).toString())
                          .value_or(ReceiverChoice::kNmeaPort);
    } else if (kind == Kind::Udp) {
        choice.host = settings.value(key("udpAddress")).toString();
        choice.port = portNumber(settings.value(key("udpPort"), port).toString())
                          .value_or(ReceiverChoice::kNmeaPort);
        choice.shared = settings.value(key("udpShared"), false).toBool();
    } else if (kind == Kind::Decoder) {
        choice.radio = loadRadioChoice(settings);
    }
    settings.endGroup();
    return choice;
}

ReceiverChoice loadReceiverChoice(QSettings &settings)
{
    ReceiverChoice::Kind kind = ReceiverChoice::Kind::PortSettings;
    const QString name = settings.value(key("receiver/input")).toString();
    for (int k = 0; k < 5; ++k)
        if (name == QLatin1String(kKindNames[k]))
            kind = static_cast<ReceiverChoice::Kind>(k);
    const ReceiverChoice choice = keptChoice(settings, kind);
    const bool complete =
        (choice.kind != ReceiverChoice::Kind::Serial || !choice.serialDevice.isEmpty()) &&
        (choice.kind != ReceiverChoice::Kind::Tcp || !choice.host.isEmpty());
    return complete ? choice : ReceiverChoice{};
}

void saveReceiverChoice(QSettings &settings, const ReceiverChoice &choice)
{
    settings.setValue(key("receiver/input"),
                      QLatin1String(kKindNames[static_cast<int>(choice.kind)]));
    keepForKind(settings, choice);
}

void keepForKind(QSettings &settings, const ReceiverChoice &choice)
{
    using Kind = ReceiverChoice::Kind;
    settings.beginGroup(key("receiver"));
    if (choice.kind == Kind::Serial) {
        settings.setValue(key("serialDevice"), choice.serialDevice);
    } else if (choice.kind == Kind::Tcp) {
        settings.setValue(key("tcpHost"), choice.host);
        settings.setValue(key("tcpPort"), choice.port);
    } else if (choice.kind == Kind::Udp) {
        settings.setValue(key("udpAddress"), choice.host);
        settings.setValue(key("udpPort"), choice.port);
        settings.setValue(key("udpShared"), choice.shared);
    } else if (choice.kind == Kind::Decoder) {
        saveRadioChoice(settings, choice.radio);
    }
    settings.endGroup();
    settings.sync();
}

std::unique_ptr<SerialDevice> makeReceiverDevice(const ReceiverChoice &choice, Dialogs &dialogs,
                                                 RecordingSource::Pace pace)
{
    using Kind = ReceiverChoice::Kind;
    if (choice.kind == Kind::Decoder)
        return makeDecoderDevice(choice.radio, dialogs, pace);
    if (choice.kind == Kind::PortSettings || choice.kind == Kind::Serial) {
        auto device = std::make_unique<SerialPortDevice>(
            choice.kind == Kind::Serial ? choice.serialDevice : QString());
        device->reportOutagesTo(dialogs);
        return device;
    }
    auto device = std::make_unique<NetworkDevice>(
        choice.kind == Kind::Tcp ? NetworkDevice::Kind::Tcp : NetworkDevice::Kind::Udp, choice.host,
        choice.port, NetworkDevice::kRetryMs, nullptr, choice.shared);
    device->reportOutagesTo(dialogs);
    return device;
}

ReceiverInput::ReceiverInput(Dialogs &dialogs, const ReceiverChoice &choice, bool forThisRun)
    : m_dialogs(dialogs), m_forThisRun(forThisRun)
{
    choose(choice);
}

ReceiverInput::ReceiverInput(Dialogs &dialogs, std::unique_ptr<SerialDevice> device, QString text)
    : m_dialogs(dialogs), m_text(std::move(text)), m_forThisRun(true)
{
    use(std::move(device));
}

void ReceiverInput::switchTo(const ReceiverChoice &choice)
{
    m_forThisRun = false;
    choose(choice);
}

void ReceiverInput::choose(const ReceiverChoice &choice)
{
    m_choice = choice;
    m_text = choice.text();
    use(makeReceiverDevice(choice, m_dialogs));
}

void ReceiverInput::use(std::unique_ptr<SerialDevice> device)
{
    if (m_device)
        m_device->close();
    m_device = std::move(device);
    m_device->setInputListener([this] { inputArrived(); });
}

const DecoderDevice *ReceiverInput::decoderDevice() const
{
    return dynamic_cast<const DecoderDevice *>(m_device.get());
}

bool ReceiverInput::lineUp() const
{
    if (const auto *serial = dynamic_cast<const SerialPortDevice *>(m_device.get()))
        return serial->lineUp();
    if (const auto *network = dynamic_cast<const NetworkDevice *>(m_device.get()))
        return network->lineUp();
    if (const auto *decoder = dynamic_cast<const DecoderDevice *>(m_device.get()))
        return decoder->lineUp();
    return m_device->isOpen();
}

} // namespace fenlark::qt
