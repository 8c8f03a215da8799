#include "qt/inputs/serial_port_device.h"

#include "qt/latin1.h"

namespace fenlark::qt {
namespace {

QSerialPort::Parity parityOf(char letter)
{
    switch (letter) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits stopBitsOf(const std::string &text)
{
    if (text == "2")
        return QSerialPort::TwoStop;
    if (text == "1.5")
        return QSerialPort::OneAndHalfStop;
    return QSerialPort::OneStop;
}

} // namespace

SerialPortDevice::SerialPortDevice(QString device, int retryMs, QObject *parent)
    : QObject(parent), m_fixedDevice(std::move(device))
{
    m_port.setReadBufferSize(static_cast<qint64>(kHeldBound / 2));
    connect(&m_port, &QSerialPort::readyRead, this, [this] { readArrived(); });
    connect(&m_port, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError error) { errorOccurred(error); });
    m_retry.setInterval(retryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] { retryNow(); });
}

SerialPortDevice::~SerialPortDevice()
{
    m_port.disconnect(this);
    m_port.close();
}

QString SerialPortDevice::standardDeviceName(int port)
{
    return QStringLiteral("/dev/ttyS") + QString::number(port - 1);
}

std::string SerialPortDevice::deviceName(int port) const
{
    if (m_fixedDevice.isEmpty() && port == 0)
        return "no serial port";
    return fromQString(m_fixedDevice.isEmpty() ? standardDeviceName(port) : m_fixedDevice);
}

std::string SerialPortDevice::openingProblem(QSerialPort::SerialPortError error,
                                             const QString &reason)
{
    std::string why = fromQString(reason);
    if (error == QSerialPort::PermissionError)
        why += " (serial devices belong to the group dialout: as root, adduser USER dialout, "
               "then log out and in again)";
    return why;
}

std::string SerialPortDevice::checkPort(int)
{
    return {};
}

std::string SerialPortDevice::checkSettings(const LineSettings &settings)
{
    // Everything else is the device's to refuse when the port opens.
    if (settings.dataBits < 5 || settings.dataBits > 8)
        return std::to_string(settings.dataBits) + " data bits are not possible here (5 to 8 are)";
    return {};
}

std::string SerialPortDevice::open(int port, const LineSettings &settings)
{
    m_portNumber = port;
    m_settings = settings;
    if (m_fixedDevice.isEmpty() && port == 0) {
        // No serial port: the port is open and nothing arrives.
        m_open = true;
        return {};
    }
    std::string why;
    const LineOpening opening = openLine(why);
    if (opening == LineOpening::Up) {
        m_open = true;
        return {};
    }
    // A device that is not there is waited for, and so is one whose outage was told, whatever
    // keeps it away; settings it refuses are refused.
    const bool told = m_awayDevice == deviceName(port);
    if (opening == LineOpening::Refused || (opening == LineOpening::Unavailable && !told))
        return why;
    m_open = true;
    waitForLine();
    if (told)
        return {};
    m_awayDevice = deviceName(port);
    if (m_outageListener)
        m_outageListener(Outage::NotThere, why);
    return {};
}

SerialPortDevice::LineOpening SerialPortDevice::openLine(std::string &why)
{
    m_port.setPortName(toQString(deviceName(m_portNumber)));
    if (!m_port.open(QIODevice::ReadWrite)) {
        const bool notThere = m_port.error() == QSerialPort::DeviceNotFoundError;
        why = openingProblem(m_port.error(), m_port.errorString());
        m_port.clearError();
        return notThere ? LineOpening::NotThere : LineOpening::Unavailable;
    }
    // Each setting the device refuses fails the opening with the device's own reason.
    auto refused = [this, &why](const std::string &what) {
        why = what + ": " + fromQString(m_port.errorString());
        m_port.clearError();
        m_port.close();
        return LineOpening::Refused;
    };
    if (!m_port.setBaudRate(m_settings.baud))
        return refused("baud rate " + std::to_string(m_settings.baud));
    if (!m_port.setDataBits(static_cast<QSerialPort::DataBits>(m_settings.dataBits)))
        return refused(std::to_string(m_settings.dataBits) + " data bits");
    if (!m_port.setParity(parityOf(m_settings.parity)))
        return refused(std::string("parity ") + m_settings.parity);
    if (!m_port.setStopBits(stopBitsOf(m_settings.stopBits)))
        return refused(m_settings.stopBits + " stop bits");
    if (!m_port.setFlowControl(QSerialPort::NoFlowControl))
        return refused("no handshaking");
    m_retry.stop();
    m_awayDevice.clear();
    return LineOpening::Up;
}

void SerialPortDevice::waitForLine()
{
    if (m_retry.interval() > 0)
        m_retry.start();
}

void SerialPortDevice::close()
{
    m_open = false;
    m_retry.stop();
    if (m_port.isOpen())
        m_port.close();
    m_input.clear();
}

std::size_t SerialPortDevice::waiting() const
{
    return m_input.waiting() + static_cast<std::size_t>(m_port.bytesAvailable());
}

std::string SerialPortDevice::read(std::size_t max)
{
    if (m_input.waiting() < max)
        pull();
    return m_input.read(max);
}

bool SerialPortDevice::pull()
{
    const std::size_t limit = kHeldBound / 2;
    if (!m_port.isOpen() || m_input.waiting() >= limit)
        return false;
    const QByteArray bytes = m_port.read(static_cast<qint64>(limit - m_input.waiting()));
    m_input.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return !bytes.isEmpty();
}

void SerialPortDevice::readArrived()
{
    if (pull())
        inputArrived();
}

void SerialPortDevice::errorOccurred(QSerialPort::SerialPortError error)
{
    // A failed read on an open line (the receiver unplugged, the far end gone) is reported again
    // at every turn of the event loop for as long as the device stays open: close it at once.
    if (error != QSerialPort::ReadError && error != QSerialPort::ResourceError)
        return;
    ++m_errorReports;
    if (!m_port.isOpen())
        return;
    const std::string why = fromQString(m_port.errorString());
    m_port.clearError();
    m_port.close();
    ++m_failures;
    if (!m_open)
        return;
    m_awayDevice = deviceName(m_portNumber);
    waitForLine();
    // The operator hears of it after this signal has returned, not from inside it.
    QMetaObject::invokeMethod(
        this,
        [this, why] {
            if (m_outageListener)
                m_outageListener(Outage::LineFailed, why);
        },
        Qt::QueuedConnection);
}

void SerialPortDevice::reportOutagesTo(Dialogs &dialogs)
{
    setOutageListener([&dialogs, this](Outage outage, const std::string &reason) {
        const bool lost = outage == Outage::LineFailed;
        const int retrySeconds = m_retry.interval() / 1000;
        std::string text =
            lost ? "The receiver's line on " + deviceName(m_portNumber) + " failed (" + reason +
                       "), so the port was closed; every message received so far is kept. "
                 : "The serial port " + std::to_string(m_portNumber) + " (" +
                       deviceName(m_portNumber) + ") cannot be opened now: " + reason + ". ";
        if (retrySeconds > 0)
            text += "FenLark tries every " + std::to_string(retrySeconds) + " seconds to open it " +
                    (lost ? "again and goes on receiving" : "and starts receiving") +
                    " when it can. ";
        text += lost ? "To try at once, choose Configure, ComPort, then Leave Unchanged."
                     : "To use another port, choose Configure, ComPort.";
        dialogs.inputNotice(text);
    });
    m_dialogs = &dialogs;
}

bool SerialPortDevice::retryNow()
{
    if (!m_open || m_port.isOpen() || (m_fixedDevice.isEmpty() && m_portNumber == 0))
        return m_port.isOpen();
    std::string why;
    if (openLine(why) != LineOpening::Up)
        return false;
    // The line came back on its own: a fresh stream, whose line ends start afresh.
    m_input.restart(0);
    if (m_dialogs)
        m_dialogs->inputBack();
    return true;
}

} // namespace fenlark::qt
