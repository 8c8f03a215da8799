// A receiver reached over the network, behind the same serial device port as a serial line: an
// NMEA-over-TCP server (a multiplexer, a receiver's LAN port) or NMEA datagrams sent to a UDP port.
#pragma once

#include "forms/ports.h"
#include "reception/input_buffer.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <string>

namespace fenlark::qt {

class NetworkDevice : public QObject, public SerialDevice {
public:
    enum class Kind { Tcp, Udp };
    static constexpr int kRetryMs = 5000;
    // The most received bytes held between the network and the core (as for the serial line).
    static constexpr std::size_t kHeldBound = 32 * 1024;

    // Tcp: the server to connect to; Udp: the port to listen on (`host` unused; port 0 takes any
    // free port). `retryMs`: how often an input that is away is tried again; 0 never.
    NetworkDevice(Kind kind, QString host, quint16 port, int retryMs = kRetryMs,
                  QObject *parent = nullptr);
    ~NetworkDevice() override;

    // "TCP HOST:PORT" or "UDP port PORT", whatever the port number.
    std::string deviceName(int port) const override;
    std::string checkPort(int) override { return {}; }
    std::string checkSettings(const LineSettings &) override { return {}; }
    // Connects, or starts listening. It never refuses: an input that cannot be reached yet is
    // tried again every retry interval and received from as soon as it is there.
    std::string open(int port, const LineSettings &settings) override;
    // Disconnects; what arrived and was not read is lost, and so is what is sent meanwhile.
    void close() override;
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override;
    std::string read(std::size_t max) override;

    enum class Outage { Lost, Unreachable };
    // Told once for each outage, with the reason, after the socket's signal has returned: a
    // connection lost, or an input that cannot be reached (refused, no such host, port taken).
    // Attempts that fail again tell nothing until the input has been up in between.
    void setOutageListener(std::function<void(Outage, const std::string &reason)> listener)
    {
        m_outageListener = std::move(listener);
    }
    // The operator is told in a notice: what failed, that the messages are kept, and the retry.
    void reportOutagesTo(Dialogs &dialogs);

    // Connected, or listening.
    bool lineUp() const;
    bool retrying() const { return m_retry.isActive(); }
    // How many attempts failed and connections were lost.
    int failures() const { return m_failures; }
    // Starts another attempt when the input is away (a connection's outcome arrives later).
    void retryNow();
    // The port listened on (UDP).
    quint16 localPort() const { return m_udp.localPort(); }

private:
    void attempt();
    void lineDown(const std::string &why);
    // Moves received bytes to those waiting while fewer than half the bound wait; true when any
    // moved. A datagram is one or more lines: one that does not end its last line gets CR LF.
    bool pull();
    void readArrived();

    Kind m_kind;
    QString m_host;
    quint16 m_port;
    QTcpSocket m_tcp;
    QUdpSocket m_udp;
    QTimer m_retry;
    bool m_open = false;
    bool m_down = false; // the current attempt or connection has failed and was handled
    bool m_told = false; // the current outage was told
    bool m_wasUp = false;
    int m_failures = 0;
    InputBuffer m_input;
    std::function<void(Outage, const std::string &)> m_outageListener;
};

} // namespace fenlark::qt
