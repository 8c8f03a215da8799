// The NAVTEX decoders of one stream of samples: one channel for real audio, every channel inside
// the band for IQ. Each channel's text, figures and spectrum, and the frequency it is filed with.
#pragma once

#include "sitor/decoder.h"

#include <complex>
#include <memory>
#include <span>
#include <string>
#include <variant>

namespace fenlark::recordings {

class StreamDecoder {
public:
    // Real audio; `channelKhz`: the channel the receiver is tuned to, 0 when not known.
    StreamDecoder(double sampleRateHz, int channelKhz);
    // IQ around `centreHz`.
    StreamDecoder(double sampleRateHz, double centreHz);

    void process(std::span<const float> samples);
    void process(std::span<const std::complex<float>> samples);

    std::size_t channelCount() const;
    // kHz as the station files name the channel (490, 518, 4209 for 4209.5 kHz); 0 when unknown.
    int frequencyKhz(std::size_t channel) const;
    // The channel of that frequency; channelCount() when none is inside.
    std::size_t channelOf(int khz) const;
    std::string takeText(std::size_t channel);
    sitor::ChannelFigures figures(std::size_t channel) const;
    sitor::Spectrum spectrum(std::size_t channel) const;

private:
    std::unique_ptr<sitor::AudioDecoder> m_audio;
    std::unique_ptr<sitor::IqDecoder> m_iq;
    int m_audioKhz = 0;
};

// kHz as the station files name a radio frequency: 4209500 Hz is 4209.
int khzOf(double radioFrequencyHz);

} // namespace fenlark::recordings
