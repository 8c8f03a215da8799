#include "signal_watch.h"

#include "signal_facts.h"

#include <complex>
// liquid-dsp takes std::complex when <complex> comes first.
#include <liquid/liquid.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fenlark::sitor {
namespace {

// Bins of about 5 Hz, half-overlapping transforms, averaged over about 1.5 s.
constexpr double binTargetHz = 6.0;
constexpr double averageSeconds = 1.5;
// Each tone's power is taken over this width (its keying spreads it).
constexpr double toneWidthHz = 50.0;
constexpr double snapshotSeconds = 0.25;
// Real audio is decimated to at least this rate before the transforms, through a filter that keeps
// 0..3500 Hz.
constexpr double searchRateHz = 8000.0;
constexpr double searchPassbandHz = 3500.0;
constexpr std::size_t chunk = 4096;

std::size_t transformSize(double sampleRateHz)
{
    std::size_t n = 64;
    while (static_cast<double>(n) < sampleRateHz / binTargetHz)
        n *= 2;
    return n;
}

} // namespace

SpectrumWatch::SpectrumWatch(double sampleRateHz, bool complexInput)
    : m_inputRateHz(sampleRateHz),
      m_decimation(complexInput ? 1u
                                : std::max(1u, static_cast<unsigned>(sampleRateHz / searchRateHz))),
      m_sampleRateHz(sampleRateHz / m_decimation), m_complex(complexInput),
      m_size(transformSize(m_sampleRateHz)), m_hop(m_size / 2), m_ring(m_size), m_in(m_size),
      m_out(m_size), m_window(m_size), m_average(m_size), m_prefix(m_size + 1), m_scratch(m_size)
{
    for (std::size_t i = 0; i < m_size; ++i)
        m_window[i] = static_cast<float>(
            0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) / m_size));
    m_plan = fft_create_plan(static_cast<unsigned>(m_size), m_in.data(), m_out.data(),
                             LIQUID_FFT_FORWARD, 0);
    if (m_decimation > 1) {
        const double transitionHz = m_sampleRateHz - 2.0 * searchPassbandHz;
        unsigned length =
            estimate_req_filter_len(static_cast<float>(transitionHz / sampleRateHz), 60.0f);
        length = std::max(length, 2 * m_decimation + 1) | 1u;
        std::vector<float> taps(length);
        liquid_firdes_kaiser(
            length, static_cast<float>((searchPassbandHz + transitionHz / 2.0) / sampleRateHz),
            60.0f, 0.0f, taps.data());
        m_decimator = firdecim_rrrf_create(m_decimation, taps.data(), length);
        m_pending.resize(chunk + m_decimation);
        m_decimated.resize(chunk / m_decimation + 2);
    }
}

SpectrumWatch::~SpectrumWatch()
{
    fft_destroy_plan(m_plan);
}

bool SpectrumWatch::process(std::span<const float> in)
{
    if (!m_decimator)
        return take(in);
    bool renewed = false;
    while (!in.empty()) {
        const std::size_t n = std::min(in.size(), chunk);
        std::copy_n(in.begin(), n, m_pending.begin() + static_cast<std::ptrdiff_t>(m_pendingCount));
        in = in.subspan(n);
        const std::size_t total = m_pendingCount + n;
        const std::size_t steps = total / m_decimation;
        firdecim_rrrf_execute_block(m_decimator, m_pending.data(), static_cast<unsigned>(steps),
                                    m_decimated.data());
        m_pendingCount = total - steps * m_decimation;
        std::copy_n(m_pending.begin() + static_cast<std::ptrdiff_t>(steps * m_decimation),
                    m_pendingCount, m_pending.begin());
        renewed = take(std::span<const float>(m_decimated.data(), steps)) || renewed;
    }
    return renewed;
}

bool SpectrumWatch::process(std::span<const std::complex<float>> in)
{
    return take(in);
}

template <typename T> bool SpectrumWatch::take(std::span<const T> in)
{
    bool renewed = false;
    for (const T& x : in) {
        m_ring[m_filled++] = std::complex<float>(x);
        if (m_filled == m_size) {
            transform();
            std::copy(m_ring.begin() + static_cast<std::ptrdiff_t>(m_hop), m_ring.end(),
                      m_ring.begin());
            m_filled = m_size - m_hop;
            renewed = true;
        }
    }
    m_seconds += static_cast<double>(in.size()) / m_sampleRateHz;
    return renewed;
}

void SpectrumWatch::transform()
{
    for (std::size_t i = 0; i < m_size; ++i)
        m_in[i] = m_ring[i] * m_window[i];
    fft_execute(m_plan);
    ++m_transforms;
    const double hopSeconds = static_cast<double>(m_hop) / m_sampleRateHz;
    const double step =
        std::max(1.0 / static_cast<double>(m_transforms), hopSeconds / averageSeconds);
    for (std::size_t b = 0; b < m_size; ++b) {
        // Lowest frequency first: for complex input the upper half of the transform is negative.
        const std::size_t source = m_complex ? (b + m_size / 2) % m_size : b;
        const double p = std::norm(m_out[source]);
        m_average[b] += step * (p - m_average[b]);
    }
    m_prefix[0] = 0;
    for (std::size_t b = 0; b < m_size; ++b)
        m_prefix[b + 1] = m_prefix[b] + m_average[b];
    if (m_seconds - m_shownAt >= snapshotSeconds || m_shownAt < 0) {
        m_shownAt = m_seconds;
        m_shown.resize(m_size);
        for (std::size_t b = 0; b < m_size; ++b)
            m_shown[b] = static_cast<float>(10.0 * std::log10(m_average[b] + 1e-30));
    }
}

double SpectrumWatch::binOf(double hz) const
{
    const double first = m_complex ? -m_sampleRateHz / 2.0 : 0.0;
    return (hz - first) * static_cast<double>(m_size) / m_sampleRateHz;
}

TonePair SpectrumWatch::strongestPair(double lowHz, double highHz)
{
    const double binHz = m_sampleRateHz / static_cast<double>(m_size);
    const auto halfWidth = static_cast<long>(std::lround(toneWidthHz / 2.0 / binHz));
    const auto toneBins = static_cast<long>(std::lround(signal::toneOffsetHz / binHz));
    const auto size = static_cast<long>(m_size);
    const long reach = toneBins + halfWidth;
    const long first = std::max(reach, static_cast<long>(std::ceil(binOf(lowHz))));
    const long last = std::min(size - 1 - reach, static_cast<long>(std::floor(binOf(highHz))));
    TonePair best;
    if (first > last || m_transforms == 0)
        return best;
    // The noise floor: the median bin over the searched band and the tones' reach beyond it.
    const std::size_t from = static_cast<std::size_t>(first - reach);
    const std::size_t to = static_cast<std::size_t>(last + reach + 1);
    std::copy(m_average.begin() + static_cast<std::ptrdiff_t>(from),
              m_average.begin() + static_cast<std::ptrdiff_t>(to), m_scratch.begin());
    const auto middle = m_scratch.begin() + static_cast<std::ptrdiff_t>((to - from) / 2);
    std::nth_element(m_scratch.begin(), middle,
                     m_scratch.begin() + static_cast<std::ptrdiff_t>(to - from));
    const double floor = *middle * static_cast<double>(2 * halfWidth + 1);
    if (floor <= 0)
        return best;
    auto band = [&](long centre) {
        return m_prefix[static_cast<std::size_t>(centre + halfWidth + 1)] -
               m_prefix[static_cast<std::size_t>(centre - halfWidth)];
    };
    auto strength = [&](long c) {
        return std::min(band(c - toneBins), band(c + toneBins)) / floor;
    };
    long bestBin = first;
    for (long c = first; c <= last; ++c) {
        if (strength(c) > best.strength) {
            best.strength = strength(c);
            bestBin = c;
        }
    }
    // Between bins: the vertex of the parabola through the best and its neighbours.
    double fraction = 0;
    if (bestBin > first && bestBin < last) {
        const double l = strength(bestBin - 1);
        const double r = strength(bestBin + 1);
        const double curve = l - 2.0 * best.strength + r;
        if (curve < 0)
            fraction = std::clamp(0.5 * (l - r) / curve, -0.5, 0.5);
    }
    const double firstHz = m_complex ? -m_sampleRateHz / 2.0 : 0.0;
    best.centreHz = firstHz + (static_cast<double>(bestBin) + fraction) * binHz;
    return best;
}

Spectrum SpectrumWatch::snapshot(double lowHz, double highHz) const
{
    Spectrum s;
    if (m_shown.empty())
        return s;
    const double binHz = m_sampleRateHz / static_cast<double>(m_size);
    const auto first = static_cast<std::size_t>(std::max(0.0, std::ceil(binOf(lowHz))));
    const auto last = std::min(m_size - 1, static_cast<std::size_t>(std::max(0.0, binOf(highHz))));
    s.firstHz = (m_complex ? -m_sampleRateHz / 2.0 : 0.0) + static_cast<double>(first) * binHz;
    s.stepHz = binHz;
    if (last >= first)
        s.powerDb.assign(m_shown.begin() + static_cast<std::ptrdiff_t>(first),
                         m_shown.begin() + static_cast<std::ptrdiff_t>(last + 1));
    return s;
}

} // namespace fenlark::sitor
