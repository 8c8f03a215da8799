// The receiver's serial line through QSerialPort. Port number N is the device /dev/ttyS(N-1), and
// 0 no serial port, unless one device was named for every port number (a USB adapter, a
// pseudo-terminal).
#pragma once

#include "forms/ports.h"
#include "reception/input_buffer.h"

#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>

namespace fenlark::qt {

class SerialPortDevice : public QObject, public SerialDevice {
public:
    static constexpr int kRetryMs = 5000;
    // The most received bytes held between the line and the core: half in QSerialPort's buffer,
    // half waiting to be read. While both are full nothing more is read from the line, until the
    // core reads again.
    static constexpr std::size_t kHeldBound = 32 * 1024;

    // `device`: the device for every port number, empty for the /dev/ttyS rule. `retryMs`: how
    // often a line that is away is tried again; 0 never.
    explicit SerialPortDevice(QString device = {}, int retryMs = kRetryMs,
                              QObject *parent = nullptr);
    ~SerialPortDevice() override;

    static QString standardDeviceName(int port);
    // Why the device could not be opened, in the operator's words: a missing permission names the
    // group serial devices belong to.
    static std::string openingProblem(QSerialPort::SerialPortError error, const QString &reason);

    std::string deviceName(int port) const override;
    std::string checkPort(int port) override;
    std::string checkSettings(const LineSettings &settings) override;
    // A device that is not there (not plugged in yet, or away since its line failed) is no
    // refusal: the port opens and waits for it, tries it again every retry interval, and receives
    // as soon as it is back. Settings the device refuses are refused, and so is a device that is
    // there but cannot be opened (busy, not a terminal) unless its outage was told.
    std::string open(int port, const LineSettings &settings) override;
    void close() override;
    // Open from a successful open() to close(), also while the line is away.
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override;
    std::string read(std::size_t max) override;
    InputSource source() const override { return m_input.source(); }

    enum class Outage { LineFailed, NotThere };
    // Told once for each outage of a device, with the device's reason: when an open line fails
    // (the receiver unplugged, the far end of a pseudo-terminal closed), after the line has been
    // closed and the failure's signal has returned; or when open() finds the device not there.
    // Opening again while the same device is still away tells nothing.
    void setOutageListener(std::function<void(Outage, const std::string &reason)> listener)
    {
        m_outageListener = std::move(listener);
    }
    // The operator is told in the receiver's notice: what failed, that the messages are kept, and
    // how the line comes back; the notice goes when the line is back.
    void reportOutagesTo(Dialogs &dialogs);
    // Whether the device itself is open now (false while the line is away).
    bool lineUp() const { return m_port.isOpen(); }
    // Port 0 without a device of its own is no receiver; a line that is away is down.
    LineState lineState(int port) const override
    {
        if (m_fixedDevice.isEmpty() && port == 0)
            return LineState::None;
        return m_open && !m_port.isOpen() ? LineState::Down : LineState::Settings;
    }
    // Whether the line is away and tried again every retry interval.
    bool retrying() const { return m_retry.isActive(); }
    // How many line failures were handled (each closes the line, so each is counted once).
    int lineFailures() const { return m_failures; }
    // How many read and resource errors the device reported, handled or not.
    int errorReports() const { return m_errorReports; }
    // Tries once to open a line that is away; true when it is up.
    bool retryNow();

private:
    // Unavailable: the device is there but cannot be opened (busy, not a terminal); Refused: it
    // refuses a setting.
    enum class LineOpening { Up, NotThere, Unavailable, Refused };
    // Opens the device with the settings; `why` says what failed.
    LineOpening openLine(std::string &why);
    void waitForLine();
    // Moves bytes from QSerialPort's buffer to those waiting, while fewer than half the bound
    // wait; true when any moved.
    bool pull();
    void readArrived();
    void errorOccurred(QSerialPort::SerialPortError error);

    QString m_fixedDevice;
    QSerialPort m_port;
    QTimer m_retry;
    bool m_open = false;
    int m_portNumber = 1;
    LineSettings m_settings;
    InputBuffer m_input;
    std::string m_awayDevice; // the device whose outage was told; empty when none is away
    int m_failures = 0;
    int m_errorReports = 0;
    std::function<void(Outage, const std::string &)> m_outageListener;
    Dialogs *m_dialogs = nullptr;
};

} // namespace fenlark::qt
