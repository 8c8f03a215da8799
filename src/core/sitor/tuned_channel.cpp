#include "tuned_channel.h"

#include "signal_facts.h"

#include <algorithm>
#include <cmath>

namespace fenlark::sitor {
namespace {

// The search retunes while the squelch is not holding, to a pair of tones this much above the
// noise floor, this far from where the decoder listens, and not more often than this.
constexpr double retuneStrength = 1.8;
constexpr double retuneDistanceHz = 20.0;
// A retune this far is a new signal: its symbol clock is found afresh.
constexpr double newSignalHz = 60.0;
constexpr double retuneEverySeconds = 0.4;
// Audio: the mixer follows the frequency tracking once it has moved this far.
constexpr double recentreHz = 40.0;
constexpr double audioShownLowHz = 0.0;
constexpr double audioShownHighHz = 3500.0;
constexpr double iqShownHz = 500.0;

} // namespace

TunedChannel::TunedChannel(double sampleRateHz, double radioFrequencyHz)
    : m_audio(true), m_radioFrequencyHz(radioFrequencyHz), m_down(sampleRateHz),
      m_watch(sampleRateHz, false), m_decoder(m_down.outputRateHz())
{
    m_down.setCentreHz((signal::audioCentreLowHz + signal::audioCentreHighHz) / 2.0);
}

TunedChannel::TunedChannel(double sampleRateHz, double radioFrequencyHz, double channelOffsetHz,
                           double mirroredFrequencyHz)
    : m_audio(false), m_radioFrequencyHz(radioFrequencyHz),
      m_mirroredFrequencyHz(mirroredFrequencyHz), m_down(sampleRateHz),
      m_watch(m_down.outputRateHz(), true), m_decoder(m_down.outputRateHz())
{
    m_down.setCentreHz(channelOffsetHz);
}

void TunedChannel::process(std::span<const float> samples)
{
    while (!samples.empty()) {
        const auto block = samples.first(std::min(samples.size(), Downconverter::maxBlock));
        samples = samples.subspan(block.size());
        if (m_watch.process(block))
            retune();
        if (m_audio && std::abs(m_decoder.offsetHz()) > recentreHz) {
            m_down.setCentreHz(m_down.centreHz() + m_decoder.offsetHz());
            m_decoder.setOffsetHz(0);
        }
        m_decoder.process(m_down.process(block));
    }
}

void TunedChannel::process(std::span<const std::complex<float>> samples)
{
    while (!samples.empty()) {
        const auto block = samples.first(std::min(samples.size(), Downconverter::maxBlock));
        samples = samples.subspan(block.size());
        const auto baseband = m_down.process(block);
        if (m_watch.process(baseband))
            retune();
        m_decoder.process(baseband);
    }
}

void TunedChannel::retune()
{
    const double now = m_watch.secondsHeard();
    if (m_decoder.holding() || now - m_lastRetuneSeconds < retuneEverySeconds)
        return;
    const TonePair pair =
        m_audio ? m_watch.strongestPair(signal::audioCentreLowHz, signal::audioCentreHighHz)
                : m_watch.strongestPair(-signal::channelOffsetHz, signal::channelOffsetHz);
    const double listening =
        m_audio ? m_down.centreHz() + m_decoder.offsetHz() : m_decoder.offsetHz();
    if (pair.strength < retuneStrength || std::abs(pair.centreHz - listening) < retuneDistanceHz)
        return;
    m_lastRetuneSeconds = now;
    const bool newSignal = std::abs(pair.centreHz - listening) > newSignalHz;
    if (m_audio) {
        m_down.setCentreHz(pair.centreHz);
        m_decoder.retune(0, newSignal);
    } else {
        m_decoder.retune(pair.centreHz, newSignal);
    }
}

ChannelFigures TunedChannel::figures() const
{
    ChannelFigures f;
    const bool mirrored = !m_audio && m_decoder.holding() && m_decoder.sense() < 0;
    f.radioFrequencyHz = mirrored ? m_mirroredFrequencyHz : m_radioFrequencyHz;
    f.locked = m_decoder.open();
    f.centreHz = m_audio ? m_down.centreHz() + m_decoder.offsetHz() : m_decoder.offsetHz();
    f.snrDb = m_decoder.snrDb();
    f.characters = m_decoder.characters();
    f.doubtful = m_decoder.doubtful();
    return f;
}

Spectrum TunedChannel::spectrum() const
{
    return m_audio ? m_watch.snapshot(audioShownLowHz, audioShownHighHz)
                   : m_watch.snapshot(-iqShownHz, iqShownHz);
}

} // namespace fenlark::sitor
