// A sound card's input through Qt Multimedia (an SSB receiver's audio output plugged in): mono
// samples at 8 to 48 kS/s in whatever sample format the card offers.
#pragma once

#include "qt/inputs/sample_source.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class QAudioSource;
class QIODevice;

namespace fenlark::qt {

class SoundCardSource : public QObject, public SampleSource {
public:
    static constexpr int kDefaultRateHz = 48000;
    static constexpr int kWatchMs = 1000;

    // `device`: a sound card's id or description as the device list gives it, or "default".
    // `rateHz`: the rate to ask for; 0 for the default.
    SoundCardSource(QString device, int rateHz = 0, QObject *parent = nullptr);
    ~SoundCardSource() override;

    // The sound cards that can record, default first: their ids and descriptions.
    static QList<QAudioDevice> cards();

    std::string name() const override;
    void start() override;
    void stop() override;

private:
    QAudioDevice find() const;
    void readArrived();
    void failed(const std::string &why);

    QString m_device;
    int m_rateHz;
    QMediaDevices m_devices;
    QTimer m_watch;
    QAudioDevice m_card;
    std::unique_ptr<QAudioSource> m_audio;
    QIODevice *m_io = nullptr;
    bool m_running = false;
    QByteArray m_pending; // a frame not yet whole
    std::vector<float> m_samples;
};

} // namespace fenlark::qt
