#include "qt/inputs/network_device.h"

#include "qt/latin1.h"

#include <QNetworkDatagram>

#include <utility>

namespace fenlark::qt {

NetworkDevice::NetworkDevice(Kind kind, QString host, quint16 port, int retryMs, QObject *parent,
                             bool shared)
    : QObject(parent), m_kind(kind), m_host(std::move(host)), m_port(port), m_shared(shared),
      m_turns(
          m_input, [this] { return take(); }, [this] { inputArrived(); }, this)
{
    m_tcp.setReadBufferSize(kTcpBuffer);
    connect(&m_tcp, &QTcpSocket::connected, this, [this] {
        // A new connection is a new stream: nothing of the last one's half line carries over.
        m_input.restart(0);
        cameUp();
    });
    connect(&m_tcp, &QTcpSocket::readyRead, this, [this] { m_turns.run(); });
    connect(&m_udp, &QUdpSocket::readyRead, this, [this] { m_turns.run(); });
    connect(&m_tcp, &QTcpSocket::errorOccurred, this,
            [this] { lineDown(fromQString(m_tcp.errorString())); });
    connect(&m_tcp, &QTcpSocket::disconnected, this,
            [this] { lineDown("the server closed the connection"); });
    m_retry.setInterval(retryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] { retryNow(); });
}

NetworkDevice::~NetworkDevice()
{
    m_tcp.disconnect(this);
    m_tcp.abort();
}

std::string NetworkDevice::deviceName(int) const
{
    if (m_kind == Kind::Tcp)
        return "TCP " + fromQString(m_host) + ":" + std::to_string(m_port);
    return "UDP port " + std::to_string(m_port) +
           (m_host.isEmpty() ? std::string() : " on " + fromQString(m_host));
}

std::string NetworkDevice::open(int, const LineSettings &)
{
    m_open = true;
    attempt();
    return {};
}

void NetworkDevice::attempt()
{
    m_down = false;
    m_wasUp = false;
    if (m_kind == Kind::Tcp) {
        m_tcp.abort();
        m_tcp.connectToHost(m_host, m_port);
        return;
    }
    // The port is this program's alone unless sharing it was chosen: a program that binds it
    // later gets nothing, and none can take the datagrams from under this one.
    const QHostAddress address =
        m_host.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(m_host);
    const auto mode = m_shared ? QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint
                               : QUdpSocket::DontShareAddress;
    if (!m_host.isEmpty() && address.isNull()) {
        lineDown("\"" + fromQString(m_host) + "\" is not an address of this computer");
        return;
    }
    if (m_udp.bind(address, m_port, mode)) {
        m_udp.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, kUdpBuffer);
        m_crSeen = false;
        m_datagram.clear();
        m_input.restart(0);
        cameUp();
        return;
    }
    const std::string why = fromQString(m_udp.errorString());
    m_udp.close();
    lineDown(why);
}

void NetworkDevice::cameUp()
{
    m_retry.stop();
    m_wasUp = true;
    // Told after the outage was told, which is queued too.
    if (std::exchange(m_told, false))
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_backListener)
                    m_backListener();
            },
            Qt::QueuedConnection);
}

void NetworkDevice::close()
{
    m_open = false;
    m_retry.stop();
    m_turns.stop();
    m_tcp.abort();
    m_udp.close();
    m_input.clear();
    m_datagram.clear();
}

bool NetworkDevice::lineUp() const
{
    return m_kind == Kind::Tcp ? m_tcp.state() == QAbstractSocket::ConnectedState
                               : m_udp.state() == QAbstractSocket::BoundState;
}

SerialDevice::LineState NetworkDevice::lineState(int) const
{
    if (!lineUp())
        return LineState::Down;
    return m_kind == Kind::Tcp ? LineState::Connected : LineState::Listening;
}

bool NetworkDevice::receiving() const
{
    return m_input.waiting() > 0 || !m_datagram.isEmpty() || m_tcp.bytesAvailable() > 0 ||
           (m_udp.state() == QAbstractSocket::BoundState && m_udp.hasPendingDatagrams());
}

void NetworkDevice::retryNow()
{
    const bool busy = m_kind == Kind::Tcp && m_tcp.state() != QAbstractSocket::UnconnectedState;
    if (m_open && !lineUp() && !busy)
        attempt();
}

void NetworkDevice::lineDown(const std::string &why)
{
    if (!m_open || m_down)
        return;
    m_down = true;
    ++m_failures;
    takeRest();
    m_tcp.abort();
    if (m_retry.interval() > 0)
        m_retry.start();
    const Outage outage = m_wasUp ? Outage::Lost : Outage::Unreachable;
    if (m_told)
        return;
    m_told = true;
    // The operator hears of it after this signal has returned, not from inside it.
    QMetaObject::invokeMethod(
        this,
        [this, outage, why] {
            if (m_outageListener)
                m_outageListener(outage, why);
        },
        Qt::QueuedConnection);
}

bool NetworkDevice::take()
{
    if (!lineUp())
        return false;
    if (m_kind == Kind::Tcp) {
        const QByteArray bytes = m_tcp.read(kBlock);
        m_input.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return !bytes.isEmpty();
    }
    while (m_datagram.isEmpty()) {
        if (!m_udp.hasPendingDatagrams())
            return false;
        m_datagram = m_udp.receiveDatagram().data();
        if (m_datagram.contains('\r'))
            m_crSeen = true;
        if (!m_datagram.isEmpty() && !m_datagram.endsWith('\r') && !m_datagram.endsWith('\n'))
            m_datagram += m_crSeen ? "\r\n" : "\n";
    }
    const qsizetype n = std::min<qsizetype>(m_datagram.size(), kBlock);
    m_input.append(std::string_view(m_datagram.constData(), static_cast<std::size_t>(n)));
    m_datagram.remove(0, n);
    return true;
}

void NetworkDevice::takeRest()
{
    // What the server sent just before closing is received before the connection goes.
    if (m_kind != Kind::Tcp || m_tcp.bytesAvailable() == 0)
        return;
    const QByteArray bytes = m_tcp.readAll();
    m_input.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    QMetaObject::invokeMethod(
        this, [this] { m_turns.run(); }, Qt::QueuedConnection);
}

void NetworkDevice::reportOutagesTo(Dialogs &dialogs)
{
    setOutageListener([&dialogs, this](Outage outage, const std::string &reason) {
        const bool lost = outage == Outage::Lost;
        std::string text = lost ? "The connection to " + deviceName(0) + " was lost (" + reason +
                                      "); every message received so far is kept."
                                : "The receiver input " + deviceName(0) +
                                      " cannot be reached now: " + reason + ".";
        if (const int seconds = m_retry.interval() / 1000; seconds > 0)
            text += " FenLark tries every " + std::to_string(seconds) + " seconds to " +
                    (m_kind == Kind::Tcp ? "connect" : "listen") + " again and " +
                    (lost ? "goes on receiving" : "starts receiving") + " when it can.";
        dialogs.inputNotice(text);
    });
    setBackListener([&dialogs] { dialogs.inputBack(); });
}

} // namespace fenlark::qt
