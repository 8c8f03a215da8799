// A receiver without hardware: plays the bytes of a file down the line at a steady rate, as a
// receiver would. Characters sent while the port is closed are lost; after the last byte the
// line stays quiet.
#pragma once

#include "forms/ports.h"
#include "reception/input_buffer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace fenlark::qt {

class SimulatedReceiver : public QObject, public SerialDevice {
public:
    // The default pace: a line of text every two seconds or so, slow enough to watch.
    static constexpr int kDefaultCharsPerSecond = 40;

    SimulatedReceiver(QByteArray bytes, QString source, int charsPerSecond,
                      QObject *parent = nullptr);

    // Starts sending at the steady rate, timed by the clock.
    void start();
    // Sends every byte due `elapsedMs` after the start that has not been sent yet.
    void sendUntil(qint64 elapsedMs);
    qsizetype sent() const { return m_sent; }
    bool finished() const { return m_sent >= m_bytes.size(); }

    std::string deviceName(int port) const override;
    std::string checkPort(int) override { return {}; }
    std::string checkSettings(const LineSettings &) override { return {}; }
    std::string open(int port, const LineSettings &settings) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override { return m_input.waiting(); }
    std::string read(std::size_t max) override;

private:
    QByteArray m_bytes;
    QString m_source;
    int m_charsPerSecond;
    qsizetype m_sent = 0;
    QTimer m_tick;
    QElapsedTimer m_clock;
    bool m_open = false;
    InputBuffer m_input;
};

} // namespace fenlark::qt
