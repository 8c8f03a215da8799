#include "tone_detector.h"

#include "signal_facts.h"

#include <cmath>
#include <numbers>

namespace fenlark::sitor {

ToneDetector::ToneDetector(double sampleRateHz)
    : m_half(static_cast<int>(std::lround(sampleRateHz * signal::unitSeconds / 2.0))),
      m_turnHigh(std::polar(1.0, -2.0 * std::numbers::pi * signal::toneOffsetHz / sampleRateHz)),
      m_pastHigh(static_cast<std::size_t>(m_half)), m_pastLow(static_cast<std::size_t>(m_half))
{
}

void ToneDetector::process(std::span<const std::complex<float>> in, std::span<ToneSums> out)
{
    for (std::size_t i = 0; i < in.size(); ++i) {
        const std::complex<double> x(in[i].real(), in[i].imag());
        // The low tone's phasor is the high one's conjugate.
        const std::complex<double> high = x * m_phasorHigh;
        const std::complex<double> low = x * std::conj(m_phasorHigh);
        m_sumHigh += high - m_pastHigh[m_pos];
        m_sumLow += low - m_pastLow[m_pos];
        m_pastHigh[m_pos] = high;
        m_pastLow[m_pos] = low;
        if (++m_pos == m_pastHigh.size())
            m_pos = 0;
        m_phasorHigh *= m_turnHigh;
        if (++m_count == 4096) {
            // Keep the phasor on the unit circle and the running sums free of rounding drift.
            m_count = 0;
            m_phasorHigh /= std::abs(m_phasorHigh);
            m_sumHigh = m_sumLow = {};
            for (std::size_t k = 0; k < m_pastHigh.size(); ++k) {
                m_sumHigh += m_pastHigh[k];
                m_sumLow += m_pastLow[k];
            }
        }
        out[i] = {std::complex<float>(m_sumHigh), std::complex<float>(m_sumLow)};
    }
}

} // namespace fenlark::sitor
