// The client of an rtl_tcp server (an RTL-SDR dongle on another computer): it tunes the dongle
// with the protocol's 5-byte commands and reads its 8-bit IQ samples.
#pragma once

#include "qt/inputs/sample_source.h"
#include "qt/inputs/tuner_settings.h"

#include <QObject>
#include <QString>
#include <QTcpSocket>

#include <vector>

namespace fenlark::qt {

class RtlTcpSource : public QObject, public SampleSource {
public:
    static constexpr quint16 kDefaultPort = 1234;
    // The protocol's commands: one byte, then a 32-bit parameter, big-endian.
    enum Command : quint8 {
        SetFrequency = 0x01,
        SetSampleRate = 0x02,
        SetGainMode = 0x03, // 0 automatic, 1 manual
        SetGain = 0x04,     // tenths of a dB
        SetFrequencyCorrection = 0x05,
        SetDirectSampling = 0x09, // 0 off, 1 the I branch, 2 the Q branch
    };

    RtlTcpSource(QString host, quint16 port, TunerSettings tuner, QObject *parent = nullptr);
    ~RtlTcpSource() override;

    // Below 24 MHz, where an RTL-SDR's tuner cannot go, the dongle samples directly on its Q
    // branch (as RTL-SDR Blog dongles take HF and LF); above, it tunes as usual.
    static int directSamplingFor(double centreHz);

    std::string name() const override;
    void start() override;
    void stop() override;

    // What the server said of its dongle (from its 12-byte header); 0 before it said it.
    quint32 tunerType() const { return m_tunerType; }
    quint32 gainCount() const { return m_gainCount; }

private:
    void sendCommand(Command command, quint32 parameter);
    void readArrived();
    void failed(const std::string &why);

    QString m_host;
    quint16 m_port;
    TunerSettings m_tuner;
    QTcpSocket m_socket;
    bool m_running = false;
    bool m_headerSeen = false;
    QByteArray m_pending; // the header, or an I sample waiting for its Q
    quint32 m_tunerType = 0;
    quint32 m_gainCount = 0;
    std::vector<std::complex<float>> m_samples;
};

} // namespace fenlark::qt
