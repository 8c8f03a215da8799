#include "symbol_clock.h"

#include "signal_facts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fenlark::sitor {
namespace {

// Loop gains per unit (proportional as a share of a unit, integral as a share of a unit per unit):
// wide while no signal is decoded, so a clock 1 % off is caught within a second, narrow while one
// is, so noise moves the strobes little.
constexpr double acquireProportional = 0.15;
constexpr double acquireIntegral = 0.004;
constexpr double trackProportional = 0.03;
constexpr double trackIntegral = 0.0003;
// The clock is followed this far from its nominal rate.
constexpr double rateLimit = 0.015;

float energy(std::complex<float> z)
{
    return std::norm(z);
}

} // namespace

SymbolClock::SymbolClock(double sampleRateHz, int halfUnitSamples)
    : m_nominal(sampleRateHz * signal::unitSeconds), m_half(halfUnitSamples),
      m_steps(static_cast<int>(std::lround(m_nominal))), m_turns(static_cast<std::size_t>(m_steps)),
      m_untilStrobe(m_nominal)
{
    for (int i = 0; i < m_steps; ++i)
        m_turns[static_cast<std::size_t>(i)] =
            std::polar(1.0, 2.0 * std::numbers::pi * i / m_nominal);
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
        UnitEnergies u;
        u.high = energy(second.high + first.high);
        u.low = energy(second.low + first.low);
        u.turn = second.high * std::conj(first.high) + second.low * std::conj(first.low);
        // The unit-rate line of the energy difference's size over the unit just ended (Oerder and
        // Meyr): the difference peaks where a unit's filter holds that unit alone and dips at each
        // change of tone, so the line's phase is how late the strobe is.
        std::complex<double> line;
        for (int i = 0; i < m_steps; ++i) {
            const ToneSums b = at(ago + i);
            const ToneSums a = at(ago + i + half);
            line += static_cast<double>(std::abs(energy(a.high + b.high) - energy(a.low + b.low))) *
                    m_turns[static_cast<std::size_t>(i)];
        }
        m_lineSize =
            m_units == 0 ? std::abs(line) : m_lineSize + 0.02 * (std::abs(line) - m_lineSize);
        const double error =
            m_lineSize > 0
                ? std::clamp(line.imag() / (2.0 * std::numbers::pi * m_lineSize), -0.5, 0.5)
                : 0.0;
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
