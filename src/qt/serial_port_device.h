// The receiver's serial line through QSerialPort. Port number N is the device /dev/ttyS(N-1),
// unless one device was named for every port number (a USB adapter, a pseudo-terminal).
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
    // often a lost line is tried again; 0 never.
    explicit SerialPortDevice(QString device = {}, int retryMs = kRetryMs,
                              QObject *parent = nullptr);
    ~SerialPortDevice() override;

    static QString standardDeviceName(int port);

    std::string deviceName(int port) const override;
    std::string checkPort(int port) override;
    std::string checkSettings(const LineSettings &settings) override;
    std::string open(int port, const LineSettings &settings) override;
    void close() override;
    // Open from a successful open() to close(), also while a lost line waits to come back.
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override;
    std::string read(std::size_t max) override;

    // Told once each time an open line fails (the receiver unplugged, the far end of a
    // pseudo-terminal closed), with the device's reason, after the line has been closed.
    void setLostListener(std::function<void(const std::string &reason)> listener)
    {
        m_lostListener = std::move(listener);
    }
    // The operator is told in a notice: what failed, that the messages are kept, and how the line
    // comes back.
    void reportLossTo(Dialogs &dialogs);
    // Whether the device itself is open now (false while a lost line waits).
    bool lineUp() const { return m_port.isOpen(); }
    // How many line failures were handled (each closes the line, so each is counted once).
    int lineFailures() const { return m_failures; }
    // How many read and resource errors the device reported, handled or not.
    int errorReports() const { return m_errorReports; }
    // Tries once to open a lost line again; true when it is up.
    bool retryNow();

private:
    std::string openLine();
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
    int m_failures = 0;
    int m_errorReports = 0;
    std::function<void(const std::string &)> m_lostListener;
};

} // namespace fenlark::qt
