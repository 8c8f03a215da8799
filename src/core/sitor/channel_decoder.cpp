#include "channel_decoder.h"

#include "signal_facts.h"

#include <complex>
// liquid-dsp takes std::complex when <complex> comes first.
#include <liquid/liquid.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fenlark::sitor {
namespace {

// Frequency tracking: the tones' turn over half a unit, averaged, moves the centre by this share of
// the error per unit (while the squelch is open; much less while it is not).
constexpr double turnAverage = 0.1;
constexpr double trackGainOpen = 0.02;
constexpr double trackGainClosed = 0.008;

} // namespace

ChannelDecoder::ChannelDecoder(double sampleRateHz)
    : m_sampleRateHz(sampleRateHz), m_nco(nco_crcf_create(LIQUID_VCO)), m_detector(sampleRateHz),
      m_clock(sampleRateHz, m_detector.halfUnitSamples()), m_mixed(blockSamples),
      m_sums(blockSamples), m_energies(SymbolClock::maxUnits(blockSamples)),
      m_llrs(SymbolClock::maxUnits(blockSamples))
{
}

ChannelDecoder::~ChannelDecoder()
{
    nco_crcf_destroy(m_nco);
}

void ChannelDecoder::setOffsetHz(double hz)
{
    m_offsetHz = hz;
    m_turn = {};
    nco_crcf_set_frequency(m_nco, static_cast<float>(2.0 * std::numbers::pi * hz / m_sampleRateHz));
}

void ChannelDecoder::retune(double hz, bool newSignal)
{
    setOffsetHz(hz);
    if (newSignal)
        m_clock.restart();
}

void ChannelDecoder::process(std::span<const std::complex<float>> baseband)
{
    while (!baseband.empty()) {
        const std::size_t n = std::min(baseband.size(), blockSamples);
        processBlock(baseband.first(n));
        baseband = baseband.subspan(n);
    }
}

void ChannelDecoder::processBlock(std::span<const std::complex<float>> in)
{
    auto* x = const_cast<std::complex<float>*>(in.data());
    nco_crcf_mix_block_down(m_nco, x, m_mixed.data(), static_cast<unsigned>(in.size()));
    m_detector.process(std::span<const std::complex<float>>(m_mixed.data(), in.size()),
                       std::span<ToneSums>(m_sums.data(), in.size()));
    const std::size_t units =
        m_clock.process(std::span<const ToneSums>(m_sums.data(), in.size()), m_energies);
    const std::span<const UnitEnergies> energies(m_energies.data(), units);
    m_soft.process(energies, std::span<float>(m_llrs.data(), units));
    for (const UnitEnergies& u : energies)
        track(u);
    m_units.process(std::span<const float>(m_llrs.data(), units));
    m_clock.setNarrow(m_units.open());
    m_unitsSinceOpen = m_units.open() ? 0 : m_unitsSinceOpen + static_cast<long long>(units);
}

void ChannelDecoder::track(const UnitEnergies& u)
{
    m_turn += turnAverage * (std::complex<double>(u.turn) - m_turn);
    const double halfUnitSeconds = m_detector.halfUnitSamples() / m_sampleRateHz;
    const double errorHz = std::arg(m_turn) / (2.0 * std::numbers::pi * halfUnitSeconds);
    const double gain = m_units.open() ? trackGainOpen : trackGainClosed;
    m_offsetHz =
        std::clamp(m_offsetHz + gain * errorHz, -signal::channelOffsetHz, signal::channelOffsetHz);
    nco_crcf_set_frequency(
        m_nco, static_cast<float>(2.0 * std::numbers::pi * m_offsetHz / m_sampleRateHz));
}

} // namespace fenlark::sitor
