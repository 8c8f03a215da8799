#include "qt/inputs/rtl_tcp_source.h"

#include "qt/latin1.h"

#include <QtEndian>

#include <cmath>

namespace fenlark::qt {
namespace {

constexpr qsizetype kHeaderBytes = 12;
constexpr double kDirectSamplingBelowHz = 24e6;

} // namespace

RtlTcpSource::RtlTcpSource(QString host, quint16 port, TunerSettings tuner, QObject *parent)
    : QObject(parent), m_host(std::move(host)), m_port(port), m_tuner(tuner)
{
    connect(&m_socket, &QTcpSocket::connected, this, [this] {
        sendCommand(SetSampleRate, static_cast<quint32>(std::lround(m_tuner.sampleRateHz)));
        sendCommand(SetDirectSampling, static_cast<quint32>(directSamplingFor(m_tuner.centreHz)));
        sendCommand(SetFrequency, static_cast<quint32>(std::llround(m_tuner.centreHz)));
        sendCommand(SetFrequencyCorrection, static_cast<quint32>(m_tuner.ppm));
        sendCommand(SetGainMode, m_tuner.gainDb ? 1 : 0);
        if (m_tuner.gainDb)
            sendCommand(SetGain, static_cast<quint32>(std::lround(*m_tuner.gainDb * 10)));
    });
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] { readArrived(); });
    connect(&m_socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) {
                failed(error == QAbstractSocket::RemoteHostClosedError
                           ? "the server closed the connection"
                           : fromQString(m_socket.errorString()));
            });
    connect(&m_socket, &QTcpSocket::disconnected, this,
            [this] { failed("the server closed the connection"); });
}

RtlTcpSource::~RtlTcpSource()
{
    m_socket.disconnect(this);
    m_socket.abort();
}

int RtlTcpSource::directSamplingFor(double centreHz)
{
    return centreHz < kDirectSamplingBelowHz ? 2 : 0;
}

std::string RtlTcpSource::name() const
{
    const bool v6 = m_host.contains(QLatin1Char(':'));
    return "rtl_tcp " + fromQString(v6 ? "[" + m_host + "]" : m_host) + ":" +
           std::to_string(m_port);
}

void RtlTcpSource::start()
{
    m_running = true;
    m_headerSeen = false;
    m_pending.clear();
    m_socket.abort();
    m_socket.connectToHost(m_host, m_port);
}

void RtlTcpSource::stop()
{
    m_running = false;
    m_socket.abort();
}

void RtlTcpSource::sendCommand(Command command, quint32 parameter)
{
    char bytes[5] = {static_cast<char>(command)};
    qToBigEndian(parameter, bytes + 1);
    m_socket.write(bytes, sizeof bytes);
}

void RtlTcpSource::failed(const std::string &why)
{
    if (!m_running)
        return;
    // What the server sent before it closed is decoded first.
    if (m_headerSeen && m_socket.bytesAvailable() > 0)
        readArrived();
    m_running = false;
    m_socket.abort();
    down(why);
}

void RtlTcpSource::readArrived()
{
    QByteArray bytes = m_pending + m_socket.readAll();
    m_pending.clear();
    qsizetype at = 0;
    if (!m_headerSeen) {
        if (bytes.size() < kHeaderBytes) {
            m_pending = bytes;
            return;
        }
        if (!bytes.startsWith("RTL0")) {
            failed("the server is not an rtl_tcp server (its stream does not start with RTL0)");
            return;
        }
        m_tunerType = qFromBigEndian<quint32>(bytes.constData() + 4);
        m_gainCount = qFromBigEndian<quint32>(bytes.constData() + 8);
        m_headerSeen = true;
        at = kHeaderBytes;
        up({m_tuner.sampleRateHz, true, m_tuner.centreHz});
    }
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype pairs = (bytes.size() - at) / 2;
    m_samples.resize(static_cast<std::size_t>(pairs));
    // Unsigned 8-bit samples centred on 127.5.
    for (qsizetype k = 0; k < pairs; ++k)
        m_samples[static_cast<std::size_t>(k)] = {(data[at + 2 * k] - 127.5f) / 127.5f,
                                                  (data[at + 2 * k + 1] - 127.5f) / 127.5f};
    m_pending = bytes.mid(at + 2 * pairs);
    if (pairs > 0)
        deliver(std::span<const std::complex<float>>(m_samples));
}

} // namespace fenlark::qt
