// A receiver reached over the network, behind the same serial device port as a serial line: an
// NMEA-over-TCP server (a multiplexer, a receiver's LAN port) or NMEA datagrams sent to a UDP port.
#pragma once

#include "forms/ports.h"
#include "qt/inputs/delivery_turns.h"
#include "reception/input_buffer.h"

#include <QByteArray>
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
    // The most bytes handed to the core at once: a flood is read and filed a block at a time.
    static constexpr qint64 kBlock = 1024;
    // What QTcpSocket holds between the network and the core; beyond it TCP's own flow control
    // holds the sender back.
    static constexpr qint64 kTcpBuffer = 16 * 1024;
    // What the system is asked to keep of the datagrams not read yet, for bursts.
    static constexpr int kUdpBuffer = 1024 * 1024;

    // Tcp: the server to connect to. Udp: the port to listen on, on the address `host` (empty:
    // every address); `shared`: other programs on this computer may listen on the same port
    // (otherwise the port is this program's alone). Port 0 takes any free port. `retryMs`: how
    // often an input that is away is tried again; 0 never.
    NetworkDevice(Kind kind, QString host, quint16 port, int retryMs = kRetryMs,
                  QObject *parent = nullptr, bool shared = false);
    ~NetworkDevice() override;

    // "TCP HOST:PORT" or "UDP port PORT" (with its address, when one is given).
    std::string deviceName(int port) const override;
    std::string checkPort(int) override { return {}; }
    std::string checkSettings(const LineSettings &) override { return {}; }
    // Connects, or starts listening. It never refuses: an input that cannot be reached yet is
    // tried again every retry interval and received from as soon as it is there.
    std::string open(int port, const LineSettings &settings) override;
    // Disconnects; what arrived and was not read is lost, and so is what is sent meanwhile.
    void close() override;
    bool isOpen() const override { return m_open; }
    // The bytes taken from the network and not read yet: a block at most.
    std::size_t waiting() const override { return m_input.waiting(); }
    std::string read(std::size_t max) override { return m_input.read(max); }
    InputSource source() const override { return m_input.source(); }

    enum class Outage { Lost, Unreachable };
    // Told once for each outage, with the reason, after the socket's signal has returned: a
    // connection lost, or an input that cannot be reached (refused, no such host, port taken).
    // Attempts that fail again tell nothing until the input has been up in between.
    void setOutageListener(std::function<void(Outage, const std::string &reason)> listener)
    {
        m_outageListener = std::move(listener);
    }
    // Told when the input is up again after an outage that was told.
    void setBackListener(std::function<void()> listener) { m_backListener = std::move(listener); }
    // The operator is told in the receiver's notice: what failed, that the messages are kept, and
    // the retry; the notice goes when the input is back.
    void reportOutagesTo(Dialogs &dialogs);

    // Connected, or listening.
    bool lineUp() const;
    LineState lineState(int) const override;
    bool retrying() const { return m_retry.isActive(); }
    // How many attempts failed and connections were lost.
    int failures() const { return m_failures; }
    // Starts another attempt when the input is away (a connection's outcome arrives later).
    void retryNow();
    // The port listened on (UDP).
    quint16 localPort() const { return m_udp.localPort(); }
    // Whether bytes have been received that the core has not read yet.
    bool receiving() const;

private:
    void attempt();
    // The connection is made, or the port listened on.
    void cameUp();
    void lineDown(const std::string &why);
    // Moves the next block of received bytes to those waiting; false when none is there. A
    // datagram that does not end its last line gets the stream's own line end.
    bool take();
    // Whatever a closing connection left in the socket's buffer.
    void takeRest();

    Kind m_kind;
    QString m_host;
    quint16 m_port;
    bool m_shared;
    QTcpSocket m_tcp;
    QUdpSocket m_udp;
    QTimer m_retry;
    bool m_open = false;
    bool m_down = false; // the current attempt or connection has failed and was handled
    bool m_told = false; // the current outage was told
    bool m_wasUp = false;
    int m_failures = 0;
    InputBuffer m_input;
    QByteArray m_datagram; // the rest of the datagram being handed over
    bool m_crSeen = false; // the datagrams have shown a CR: their line end is CR LF, else LF
    DeliveryTurns m_turns;
    std::function<void(Outage, const std::string &)> m_outageListener;
    std::function<void()> m_backListener;
};

} // namespace fenlark::qt
