#include "qt/inputs/recording_source.h"

#include <algorithm>
#include <cmath>

namespace fenlark::qt {
namespace {

constexpr int kRealTimeTickMs = 50;
// The samples decoded at each turn of the event loop when decoding as fast as possible.
constexpr double kFastBlockSeconds = 0.25;
constexpr std::size_t kBlockSamples = 16384;

} // namespace

RecordingSource::RecordingSource(recordings::RecordingSpec spec, double centreHz, Pace pace,
                                 QObject* parent)
    : QObject(parent), m_spec(std::move(spec)), m_centreHz(centreHz), m_pace(pace)
{
    m_tick.setInterval(pace == Pace::RealTime ? kRealTimeTickMs : 0);
    connect(&m_tick, &QTimer::timeout, this, [this] { play(); });
}

std::string RecordingSource::name() const
{
    return std::string(m_spec.iq ? "the IQ recording \"" : "the recording \"") + m_spec.path + "\"";
}

void RecordingSource::start()
{
    if (!m_recording.isOpen() && !m_done) {
        if (const std::string why = m_recording.open(m_spec); !why.empty()) {
            down(why);
            return;
        }
    }
    up({static_cast<double>(m_recording.sampleRateHz()), m_recording.iq(), m_centreHz});
    if (m_done)
        return;
    m_clock.start();
    m_playedAtStart = m_played;
    m_tick.start();
}

void RecordingSource::stop()
{
    m_tick.stop();
}

void RecordingSource::play()
{
    const double rateHz = m_recording.sampleRateHz();
    const long long due =
        m_pace == Pace::RealTime
            ? m_playedAtStart + static_cast<long long>(m_clock.elapsed() * rateHz / 1000)
            : m_played + static_cast<long long>(kFastBlockSeconds * rateHz);
    if (deliverSamples(due - m_played))
        return;
    // The end: silence, so that the decoder finishes its last characters.
    m_tick.stop();
    m_done = true;
    const auto silence = static_cast<std::size_t>(kFlushSeconds * rateHz);
    if (m_recording.iq())
        deliver(std::span<const std::complex<float>>(std::vector<std::complex<float>>(silence)));
    else
        deliver(std::span<const float>(std::vector<float>(silence)));
    ended();
}

bool RecordingSource::deliverSamples(long long count)
{
    while (count > 0) {
        const std::size_t want =
            std::min<std::size_t>(static_cast<std::size_t>(count), kBlockSamples);
        std::size_t got = 0;
        if (m_recording.iq()) {
            m_iq.resize(want);
            got = m_recording.readIq(m_iq);
            deliver(std::span<const std::complex<float>>(m_iq.data(), got));
        } else {
            m_audio.resize(want);
            got = m_recording.readAudio(m_audio);
            deliver(std::span<const float>(m_audio.data(), got));
        }
        m_played += static_cast<long long>(got);
        count -= static_cast<long long>(got);
        if (got < want)
            return false;
    }
    return true;
}

} // namespace fenlark::qt
