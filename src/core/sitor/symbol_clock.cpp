#include "symbol_clock.h"

#include "signal_facts.h"

#include <algorithm>
#include <cmath>

namespace fenlark::sitor {
namespace {

// Loop gains per unit, as fractions of a unit: wide while the clock is found, then narrow.
// Loop gains per unit (proportional as a share of a unit, integral as a share of a unit per unit):
// wide while no signal is decoded, so a clock 1 % off is caught, narrow while one is.
constexpr double acquireProportional = 0.05;
constexpr double acquireIntegral = 0.0006;
constexpr double trackProportional = 0.02;
constexpr double trackIntegral = 0.0001;
// The clock is followed this far from its nominal rate.
constexpr double rateLimit = 0.015;

float energy(std::complex<float> z)
{
    return std::norm(z);
}

} // namespace

SymbolClock::SymbolClock(double sampleRateHz, int halfUnitSamples)
    : m_nominal(sampleRateHz * signal::unitSeconds), m_half(halfUnitSamples),
      m_untilStrobe(m_nominal)
{
}

void SymbolClock::restart()
{
    m_integral = 0;
    m_narrow = false;
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
        const double midDifference =
            energy(midSecond.high + midFirst.high) - energy(midSecond.low + midFirst.low);
        const double difference = u.high - u.low;
        m_swing =
            m_units == 0 ? std::abs(difference) : m_swing + 0.02 * (std::abs(difference) - m_swing);
        // Gardner's detector, decision-directed: at a change of tone the energy difference halfway
        // between the strobes is zero when they are on time, of the later tone's sign when late.
        const double change = ((difference > 0) - (m_previousDifference > 0)) / 2.0;
        const double error =
            m_swing > 0 ? std::clamp(change * midDifference / m_swing, -1.0, 1.0) : 0.0;
        m_previousDifference = difference;
        const double gain = m_narrow ? trackProportional : acquireProportional;
        m_integral += (m_narrow ? trackIntegral : acquireIntegral) * error * m_nominal;
        m_integral = std::clamp(m_integral, -rateLimit * m_nominal, rateLimit * m_nominal);
        m_untilStrobe += m_nominal - m_integral - gain * error * m_nominal;
        ++m_units;
        if (produced < out.size())
            out[produced++] = u;
    }
    return produced;
}

} // namespace fenlark::sitor
