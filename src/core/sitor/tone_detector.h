// Tone detection: correlates the baseband with the two tones (85 Hz either side of the centre)
// over sliding half units, the pieces of a noncoherent matched filter the symbol clock samples.
#pragma once

#include <complex>
#include <span>
#include <vector>

namespace fenlark::sitor {

// Correlation of the last half unit with each tone, at one sample.
struct ToneSums {
    std::complex<float> high;
    std::complex<float> low;
};

class ToneDetector {
public:
    explicit ToneDetector(double sampleRateHz);

    // out.size() must equal in.size().
    void process(std::span<const std::complex<float>> in, std::span<ToneSums> out);
    // Samples in a half unit: a matched filter over one unit is the sum of two sums this far apart.
    int halfUnitSamples() const { return m_half; }

private:
    int m_half;
    std::complex<double> m_turnHigh;
    std::complex<double> m_phasorHigh{1.0, 0.0};
    std::vector<std::complex<double>> m_pastHigh; // the last m_half rotated samples, per tone
    std::vector<std::complex<double>> m_pastLow;
    std::complex<double> m_sumHigh;
    std::complex<double> m_sumLow;
    std::size_t m_pos = 0;
    unsigned m_count = 0;
};

} // namespace fenlark::sitor
