#include "decoder.h"

#include "signal_facts.h"
#include "tuned_channel.h"

#include <algorithm>
#include <cmath>

namespace fenlark::sitor {
namespace {

// A channel is decoded from IQ when it lies this far inside the band's edges.
constexpr double edgeMarginHz = 2000.0;

} // namespace

AudioDecoder::AudioDecoder(double sampleRateHz, double radioFrequencyHz)
    : m_channel(std::make_unique<TunedChannel>(sampleRateHz, radioFrequencyHz))
{
}

AudioDecoder::~AudioDecoder() = default;

void AudioDecoder::process(std::span<const float> samples)
{
    m_channel->process(samples);
}

std::string AudioDecoder::takeText()
{
    return m_channel->takeText();
}

ChannelFigures AudioDecoder::figures() const
{
    return m_channel->figures();
}

Spectrum AudioDecoder::spectrum() const
{
    return m_channel->spectrum();
}

IqDecoder::IqDecoder(double sampleRateHz, double centreHz)
{
    // Each channel inside the band is listened for where it lies and where it lies mirrored (I and
    // Q swapped); a centre midway between two channels makes each the other's mirror.
    std::vector<double> offsets;
    for (double hz : signal::channelsHz)
        if (std::abs(hz - centreHz) < sampleRateHz / 2.0 - edgeMarginHz)
            for (double offset : {hz - centreHz, centreHz - hz})
                if (std::none_of(offsets.begin(), offsets.end(), [offset](double o) {
                        return std::abs(o - offset) < 2 * signal::channelOffsetHz;
                    }))
                    offsets.push_back(offset);
    std::sort(offsets.begin(), offsets.end());
    for (double offset : offsets)
        m_channels.push_back(std::make_unique<TunedChannel>(sampleRateHz, centreHz + offset,
                                                            offset, centreHz - offset));
}

IqDecoder::~IqDecoder() = default;

void IqDecoder::process(std::span<const std::complex<float>> samples)
{
    for (auto& c : m_channels)
        c->process(samples);
}

std::string IqDecoder::takeText(std::size_t channel)
{
    return m_channels.at(channel)->takeText();
}

ChannelFigures IqDecoder::figures(std::size_t channel) const
{
    return m_channels.at(channel)->figures();
}

Spectrum IqDecoder::spectrum(std::size_t channel) const
{
    return m_channels.at(channel)->spectrum();
}

} // namespace fenlark::sitor
