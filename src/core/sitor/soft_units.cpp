#include "soft_units.h"

#include "signal_facts.h"

#include <algorithm>
#include <cmath>

namespace fenlark::sitor {
namespace {

// ln I0(x), the Rician likelihood's shape.
double logBesselI0(double x)
{
    if (x < 1e-3)
        return x * x / 4.0;
    if (x > 500.0)
        return x - 0.5 * std::log(2.0 * M_PI * x);
    return std::log(std::cyl_bessel_i(0.0, x));
}

// Averaging lengths in units: noise is steady, a fading signal's strength changes within a second.
constexpr double noiseUnits = 400.0;
constexpr double signalUnits = 12.0;
constexpr double figureUnits = 300.0;
// The weaker filter's energy averages a little below the noise alone, since noise sometimes
// makes the tone's filter the weaker one; near the decoding limit by about this factor.
constexpr double weakerShare = 0.95;
// Eb/N0 over SNR in 2500 Hz at 100 Bd: 10 log10(2500 / 100).
constexpr double bandwidthRatioDb = 13.98;
// A unit's tone leaks into the other tone's filter by this share of its energy (over 10 ms the
// tones 170 Hz apart differ by 1.7 turns: (sin(1.7 pi) / (1.7 pi))^2).
constexpr double crosstalk = 0.023;
constexpr float llrLimit = 40.0f;

} // namespace

void SoftUnits::process(std::span<const UnitEnergies> in, std::span<float> out)
{
    for (std::size_t i = 0; i < in.size(); ++i) {
        const double high = in[i].high;
        const double low = in[i].low;
        const double weaker =
            std::max(std::min(high, low) - crosstalk * std::max(high, low), 0.0) / weakerShare;
        const double stronger = std::max(high, low);
        ++m_units;
        const double noiseStep = 1.0 / std::min(static_cast<double>(m_units), noiseUnits);
        m_noise += noiseStep * (weaker - m_noise);
        const double signal = std::max(stronger - m_noise, 0.0);
        m_signal += std::max(1.0 / m_units, 1.0 / signalUnits) * (signal - m_signal);
        m_signalSlow += std::max(1.0 / m_units, 1.0 / figureUnits) * (signal - m_signalSlow);
        if (m_noise <= 0) {
            out[i] = 0;
            continue;
        }
        const double amplitude = std::sqrt(std::max(m_signal, 1e-3 * m_noise));
        const double k = 2.0 * amplitude / m_noise;
        const double llr = logBesselI0(k * std::sqrt(high)) - logBesselI0(k * std::sqrt(low));
        out[i] = std::clamp(static_cast<float>(llr), -llrLimit, llrLimit);
    }
}

double SoftUnits::snrDb() const
{
    if (m_noise <= 0 || m_signalSlow <= 0)
        return -99.0;
    return 10.0 * std::log10(m_signalSlow / m_noise) - bandwidthRatioDb;
}

} // namespace fenlark::sitor
