#include "recordings/stream_decoder.h"

#include <cmath>

namespace fenlark::recordings {

int khzOf(double radioFrequencyHz)
{
    return static_cast<int>(std::floor(radioFrequencyHz / 1000 + 1e-6));
}

StreamDecoder::StreamDecoder(double sampleRateHz, int channelKhz)
    : m_audio(std::make_unique<sitor::AudioDecoder>(sampleRateHz, channelKhz * 1000.0)),
      m_audioKhz(channelKhz)
{
}

StreamDecoder::StreamDecoder(double sampleRateHz, double centreHz)
    : m_iq(std::make_unique<sitor::IqDecoder>(sampleRateHz, centreHz))
{
}

void StreamDecoder::process(std::span<const float> samples)
{
    if (m_audio)
        m_audio->process(samples);
}

void StreamDecoder::process(std::span<const std::complex<float>> samples)
{
    if (m_iq)
        m_iq->process(samples);
}

std::size_t StreamDecoder::channelCount() const
{
    return m_audio ? 1 : m_iq->channelCount();
}

int StreamDecoder::frequencyKhz(std::size_t channel) const
{
    return m_audio ? m_audioKhz : khzOf(m_iq->figures(channel).radioFrequencyHz);
}

std::size_t StreamDecoder::channelOf(int khz) const
{
    std::size_t channel = 0;
    while (channel < channelCount() && frequencyKhz(channel) != khz)
        ++channel;
    return channel;
}

std::string StreamDecoder::takeText(std::size_t channel)
{
    return m_audio ? m_audio->takeText() : m_iq->takeText(channel);
}

sitor::ChannelFigures StreamDecoder::figures(std::size_t channel) const
{
    return m_audio ? m_audio->figures() : m_iq->figures(channel);
}

sitor::Spectrum StreamDecoder::spectrum(std::size_t channel) const
{
    return m_audio ? m_audio->spectrum() : m_iq->spectrum(channel);
}

} // namespace fenlark::recordings
