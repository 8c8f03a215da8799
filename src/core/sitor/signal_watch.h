// Tone search: an averaged power spectrum (periodic FFTs) in which the signal is found as a pair of
// tones 170 Hz apart, and from which the tuning display's snapshot is taken.
#pragma once

#include "decoder.h"

#include <complex>
#include <span>
#include <vector>

struct fftplan_s;
struct firdecim_rrrf_s;

namespace fenlark::sitor {

struct TonePair {
    double centreHz = 0;
    double strength = 0; // the weaker tone's power over the noise floor in the same width (1: none)
};

class SpectrumWatch {
public:
    // Real input covers 0..rate/2 (decimated first to about 8 kS/s: the search needs no more than
    // 4 kHz); complex input -rate/2..rate/2.
    SpectrumWatch(double sampleRateHz, bool complexInput);
    ~SpectrumWatch();
    SpectrumWatch(const SpectrumWatch&) = delete;
    SpectrumWatch& operator=(const SpectrumWatch&) = delete;

    // Returns true when the averaged spectrum was renewed.
    bool process(std::span<const float> in);
    bool process(std::span<const std::complex<float>> in);

    // The strongest pair whose centre lies between lowHz and highHz.
    TonePair strongestPair(double lowHz, double highHz);
    // The averaged power between lowHz and highHz, renewed a few times a second.
    Spectrum snapshot(double lowHz, double highHz) const;
    double secondsHeard() const { return m_seconds; }

private:
    template <typename T> bool take(std::span<const T> in);
    void transform();
    double binOf(double hz) const;

    double m_inputRateHz;
    unsigned m_decimation;
    double m_sampleRateHz; // of what is transformed
    bool m_complex;
    firdecim_rrrf_s* m_decimator = nullptr;
    std::vector<float> m_pending; // real input not yet a whole decimation step, then its output
    std::size_t m_pendingCount = 0;
    std::vector<float> m_decimated;
    std::size_t m_size;
    std::size_t m_hop;
    std::vector<std::complex<float>> m_ring;
    std::size_t m_filled = 0;
    std::vector<std::complex<float>> m_in;
    std::vector<std::complex<float>> m_out;
    std::vector<float> m_window;
    std::vector<double> m_average; // power per bin, ordered from the lowest frequency
    std::vector<double> m_prefix;  // running sums of m_average
    std::vector<double> m_scratch;
    std::vector<float> m_shown; // the snapshot's copy of m_average, in dB
    double m_seconds = 0;
    double m_shownAt = -1;
    long long m_transforms = 0;
    fftplan_s* m_plan;
};

} // namespace fenlark::sitor
