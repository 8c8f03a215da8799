#include "qt/inputs/simulated_receiver.h"

#include "qt/latin1.h"

#include <algorithm>

namespace fenlark::qt {

SimulatedReceiver::SimulatedReceiver(QByteArray bytes, QString source, int charsPerSecond,
                                     QObject *parent)
    : QObject(parent), m_bytes(std::move(bytes)), m_source(std::move(source)),
      m_charsPerSecond(std::max(1, charsPerSecond))
{
    // A few characters per tick at watching speed; never more than 50 ticks a second.
    m_tick.setInterval(std::clamp(1000 / m_charsPerSecond, 20, 100));
    connect(&m_tick, &QTimer::timeout, this, [this] { sendUntil(m_clock.elapsed()); });
}

void SimulatedReceiver::start()
{
    m_clock.start();
    if (!finished())
        m_tick.start();
}

void SimulatedReceiver::sendUntil(qint64 elapsedMs)
{
    const qint64 due = std::min<qint64>(m_bytes.size(), elapsedMs * m_charsPerSecond / 1000);
    if (due <= m_sent)
        return;
    const qsizetype from = m_sent;
    m_sent = due;
    if (finished())
        m_tick.stop();
    if (!m_open)
        return;
    m_input.append(std::string_view(m_bytes.constData() + from, static_cast<std::size_t>(due - from)));
    inputArrived();
}

std::string SimulatedReceiver::deviceName(int) const
{
    return "the simulated receiver playing " + fromQString(m_source);
}

std::string SimulatedReceiver::open(int, const LineSettings &)
{
    m_open = true;
    return {};
}

void SimulatedReceiver::close()
{
    m_open = false;
    m_input.clear();
}

std::string SimulatedReceiver::read(std::size_t max)
{
    return m_input.read(max);
}

} // namespace fenlark::qt
