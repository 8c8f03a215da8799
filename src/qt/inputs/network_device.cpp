#include "qt/inputs/network_device.h"

#include "qt/latin1.h"

#include <QNetworkDatagram>

#include <algorithm>

namespace fenlark::qt {

NetworkDevice::NetworkDevice(Kind kind, QString host, quint16 port, int retryMs, QObject *parent)
    : QObject(parent), m_kind(kind), m_host(std::move(host)), m_port(port)
{
    m_tcp.setReadBufferSize(static_cast<qint64>(kHeldBound / 2));
    connect(&m_tcp, &QTcpSocket::connected, this, [this] {
        m_retry.stop();
        m_told = false;
        m_wasUp = true;
    });
    connect(&m_tcp, &QTcpSocket::readyRead, this, [this] { readArrived(); });
    connect(&m_udp, &QUdpSocket::readyRead, this, [this] { readArrived(); });
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
    return m_kind == Kind::Tcp ? "TCP " + fromQString(m_host) + ":" + std::to_string(m_port)
                               : "UDP port " + std::to_string(m_port);
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
    if (m_udp.bind(QHostAddress::Any, m_port,
                   QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
        m_retry.stop();
        m_told = false;
        return;
    }
    const std::string why = fromQString(m_udp.errorString());
    m_udp.close();
    lineDown(why);
}

void NetworkDevice::close()
{
    m_open = false;
    m_retry.stop();
    m_tcp.abort();
    m_udp.close();
    m_input.clear();
}

bool NetworkDevice::lineUp() const
{
    return m_kind == Kind::Tcp ? m_tcp.state() == QAbstractSocket::ConnectedState
                               : m_udp.state() == QAbstractSocket::BoundState;
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

std::size_t NetworkDevice::waiting() const
{
    const qint64 more = m_kind == Kind::Tcp                       ? m_tcp.bytesAvailable()
                        : lineUp() && m_udp.hasPendingDatagrams() ? m_udp.pendingDatagramSize()
                                                                  : 0;
    return m_input.waiting() + static_cast<std::size_t>(std::max<qint64>(more, 0));
}

std::string NetworkDevice::read(std::size_t max)
{
    if (m_input.waiting() < max)
        pull();
    return m_input.read(max);
}

bool NetworkDevice::pull()
{
    const std::size_t limit = kHeldBound / 2;
    bool moved = false;
    while (m_input.waiting() < limit) {
        QByteArray bytes;
        if (!lineUp()) {
            break;
        } else if (m_kind == Kind::Tcp) {
            bytes = m_tcp.read(static_cast<qint64>(limit - m_input.waiting()));
        } else if (m_udp.hasPendingDatagrams()) {
            bytes = m_udp.receiveDatagram().data();
            if (!bytes.isEmpty() && !bytes.endsWith('\r') && !bytes.endsWith('\n'))
                bytes += "\r\n";
            moved = true; // an empty datagram is taken too
        }
        if (bytes.isEmpty())
            break;
        m_input.append(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        moved = true;
    }
    return moved;
}

void NetworkDevice::readArrived()
{
    if (pull())
        inputArrived();
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
        dialogs.notice(text);
    });
}

} // namespace fenlark::qt
