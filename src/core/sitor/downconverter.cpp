#include "downconverter.h"

#include <complex>
// liquid-dsp takes std::complex when <complex> comes first.
#include <liquid/liquid.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace fenlark::sitor {
namespace {

// The baseband keeps +-400 Hz (the tones +-85 Hz, their keying sidebands, and the offsets the
// channel decoder follows) and aliases nothing into it from beyond.
constexpr double basebandRateHz = 1000.0;
constexpr double passbandHz = 400.0;
constexpr float stopbandDb = 60.0f;

} // namespace

Downconverter::Downconverter(double inputRateHz)
    : m_inputRateHz(inputRateHz),
      m_factor(std::max(1u, static_cast<unsigned>(inputRateHz / basebandRateHz))),
      m_outputRateHz(inputRateHz / m_factor), m_nco(nco_crcf_create(LIQUID_NCO)),
      m_mixed(maxBlock + m_factor), m_out(maxBlock / m_factor + 2)
{
    const double transitionHz = m_outputRateHz - 2.0 * passbandHz;
    const double cutoff = (passbandHz + transitionHz / 2.0) / inputRateHz;
    unsigned length =
        estimate_req_filter_len(static_cast<float>(transitionHz / inputRateHz), stopbandDb);
    length = std::max(length, 2 * m_factor + 1) | 1u;
    std::vector<float> taps(length);
    liquid_firdes_kaiser(length, static_cast<float>(cutoff), stopbandDb, 0.0f, taps.data());
    const float dcGain = std::accumulate(taps.begin(), taps.end(), 0.0f);
    for (float& t : taps)
        t /= dcGain;
    m_decimator = firdecim_crcf_create(m_factor, taps.data(), length);
}

Downconverter::~Downconverter()
{
    firdecim_crcf_destroy(m_decimator);
    nco_crcf_destroy(m_nco);
}

void Downconverter::setCentreHz(double hz)
{
    m_centreHz = hz;
    nco_crcf_set_frequency(m_nco, static_cast<float>(2.0 * std::numbers::pi * hz / m_inputRateHz));
}

std::span<const std::complex<float>> Downconverter::process(std::span<const float> in)
{
    std::complex<float>* dst = m_mixed.data() + m_pending;
    for (std::size_t i = 0; i < in.size(); ++i)
        dst[i] = in[i];
    nco_crcf_mix_block_down(m_nco, dst, dst, static_cast<unsigned>(in.size()));
    return decimate(in.size());
}

std::span<const std::complex<float>> Downconverter::process(std::span<const std::complex<float>> in)
{
    std::complex<float>* dst = m_mixed.data() + m_pending;
    nco_crcf_mix_block_down(m_nco, const_cast<std::complex<float>*>(in.data()), dst,
                            static_cast<unsigned>(in.size()));
    return decimate(in.size());
}

std::span<const std::complex<float>> Downconverter::decimate(std::size_t n)
{
    const std::size_t total = m_pending + n;
    const std::size_t steps = total / m_factor;
    if (steps > 0)
        firdecim_crcf_execute_block(m_decimator, m_mixed.data(), static_cast<unsigned>(steps),
                                    m_out.data());
    m_pending = total - steps * m_factor;
    std::copy_n(m_mixed.begin() + static_cast<std::ptrdiff_t>(steps * m_factor), m_pending,
                m_mixed.begin());
    return {m_out.data(), steps};
}

} // namespace fenlark::sitor
