#include "symbol_clock.h"

#include "signal_facts.h"

#include <algorithm>
#include <cmath>

namespace fenlark::sitor {
namespace {

// Loop gains per unit, as fractions of a unit: wide while the clock is found, then narrow.
constexpr double acquireProportional = 0.08;
constexpr double trackProportional = 0.025;
constexpr long long acquireUnits = 150;
constexpr double integralShare = 0.08; // integral gain as a share of the proportional one

float energy(std::complex<float> z) { return std::norm(z); }

} // namespace

SymbolClock::SymbolClock(double sampleRateHz, int halfUnitSamples)
    : m_nominal(sampleRateHz * signal::unitSeconds), m_half(halfUnitSamples),
      m_untilStrobe(m_nominal)
{
}

ToneSums SymbolClock::at(double samplesAgo) const
{
    const double clamped = std::clamp(samplesAgo, 0.0, static_cast<double>(historySize - 2));
    const auto whole = static_cast<std::size_t>(clamped);
    const auto frac = static_cast<float>(clamped - static_cast<double>(whole));
    const ToneSums& a = m_history[(m_newest - whole) % historySize];
    const ToneSums& b = m_history[(m_newest - whole - 1) % historySize];
    return {a.high + frac * (b.high - a.high), a.low + frac * (b.low - a.low)};
}

std::size_t SymbolClock::process(std::span<const ToneSums> in, std::span<UnitEnergies> out)
{
    std::size_t produced = 0;
    for (const ToneSums& s : in) {
        m_newest = (m_newest + 1) % historySize;
        m_history[m_newest] = s;
        m_untilStrobe -= 1.0;
        if (m_untilStrobe > 0.0)
            continue;
        // The unit ended -m_untilStrobe samples ago.
        const double ago = -m_untilStrobe;
        const double half = m_half;
        const ToneSums second = at(ago);
        const ToneSums first = at(ago + half);
        const ToneSums midSecond = at(ago + m_nominal / 2.0);
        const ToneSums midFirst = at(ago + m_nominal / 2.0 + half);
        UnitEnergies u;
        u.high = energy(second.high + first.high);
        u.low = energy(second.low + first.low);
        u.turn = second.high * std::conj(first.high) + second.low * std::conj(first.low);
        const double midDifference = energy(midSecond.high + midFirst.high) -
                                     energy(midSecond.low + midFirst.low);
        const double total = u.high + u.low;
        m_power = m_units == 0 ? total : m_power + 0.02 * (total - m_power);
        const double scale = m_power > 0 ? 1.0 / m_power : 0.0;
        const double difference = (u.high - u.low) * scale;
        // Gardner's detector on the energy difference: positive when the strobe comes late.
        const double error = std::clamp((difference - m_previousDifference) * midDifference * scale,
                                        -1.0, 1.0);
        m_previousDifference = difference;
        const double gain = m_units < acquireUnits ? acquireProportional : trackProportional;
        m_integral += gain * integralShare * error * m_nominal;
        m_integral = std::clamp(m_integral, -0.03 * m_nominal, 0.03 * m_nominal);
        m_untilStrobe += m_nominal - m_integral - gain * error * m_nominal;
        ++m_units;
        if (produced < out.size())
            out[produced++] = u;
    }
    return produced;
}

} // namespace fenlark::sitor
