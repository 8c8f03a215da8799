// A recording played to the decoder as a radio would deliver it: in real time (the desktop), or
// as fast as it can be decoded (the headless driver), a block at each turn of the event loop.
#pragma once

#include "qt/inputs/sample_source.h"
#include "recordings/recording.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <vector>

namespace fenlark::qt {

class RecordingSource : public QObject, public SampleSource {
public:
    enum class Pace { RealTime, AsFastAsPossible };
    // After the last sample, this much silence lets the decoder finish the last characters.
    static constexpr double kFlushSeconds = 1.0;

    // `centreHz`: the radio frequency at 0 Hz of an IQ recording.
    RecordingSource(recordings::RecordingSpec spec, double centreHz, Pace pace,
                    QObject* parent = nullptr);

    std::string name() const override;
    // Opens the recording the first time; later, goes on where it stopped. After its end the
    // recording stays quiet.
    void start() override;
    void stop() override;

private:
    void play();
    // Delivers up to `count` samples; false at the end of the recording.
    bool deliverSamples(long long count);

    recordings::RecordingSpec m_spec;
    double m_centreHz;
    Pace m_pace;
    recordings::Recording m_recording;
    QTimer m_tick;
    QElapsedTimer m_clock;
    long long m_played = 0;        // samples delivered
    long long m_playedAtStart = 0; // when the clock started
    bool m_done = false;
    std::vector<float> m_audio;
    std::vector<std::complex<float>> m_iq;
};

} // namespace fenlark::qt
