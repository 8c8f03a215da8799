// One channel from input samples to text: the downconverter, the search that finds the signal and
// tunes to it, and the channel decoder.
#pragma once

#include "channel_decoder.h"
#include "decoder.h"
#include "downconverter.h"
#include "signal_watch.h"

#include <complex>
#include <span>

namespace fenlark::sitor {

class TunedChannel {
public:
    // Audio: real samples, the signal searched for between 300 and 3000 Hz.
    TunedChannel(double sampleRateHz, double radioFrequencyHz);
    // IQ: complex samples, listening channelOffsetHz from the band's centre. With I and Q swapped
    // the band is mirrored and the sense reversed, so a signal found there in reversed sense was
    // sent on mirroredFrequencyHz.
    TunedChannel(double sampleRateHz, double radioFrequencyHz, double channelOffsetHz,
                 double mirroredFrequencyHz);

    void process(std::span<const float> samples);
    void process(std::span<const std::complex<float>> samples);
    std::string takeText() { return m_decoder.takeText(); }
    ChannelFigures figures() const;
    Spectrum spectrum() const;

private:
    void retune();

    bool m_audio;
    double m_radioFrequencyHz;
    double m_mirroredFrequencyHz = 0;
    Downconverter m_down;
    SpectrumWatch m_watch;
    ChannelDecoder m_decoder;
    double m_lastRetuneSeconds = -1e9;
};

} // namespace fenlark::sitor
