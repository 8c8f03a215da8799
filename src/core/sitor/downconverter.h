// The channel stage: mixes the signal's centre to 0 Hz and decimates to about 1 kS/s complex.
#pragma once

#include <complex>
#include <span>
#include <vector>

struct nco_crcf_s;
struct firdecim_crcf_s;

namespace fenlark::sitor {

class Downconverter {
public:
    // Input of at most this many samples per call.
    static constexpr std::size_t maxBlock = 4096;

    explicit Downconverter(double inputRateHz);
    ~Downconverter();
    Downconverter(const Downconverter&) = delete;
    Downconverter& operator=(const Downconverter&) = delete;

    double outputRateHz() const { return m_outputRateHz; }
    double centreHz() const { return m_centreHz; }
    void setCentreHz(double hz);

    // Real audio or complex baseband in, at most maxBlock samples; returns the decimated baseband,
    // valid until the next call.
    std::span<const std::complex<float>> process(std::span<const float> in);
    std::span<const std::complex<float>> process(std::span<const std::complex<float>> in);

private:
    std::span<const std::complex<float>> decimate(std::size_t n);

    double m_inputRateHz;
    unsigned m_factor;
    double m_outputRateHz;
    double m_centreHz = 0;
    nco_crcf_s* m_nco;
    firdecim_crcf_s* m_decimator;
    std::vector<std::complex<float>> m_mixed; // pending input not yet a whole decimation step
    std::size_t m_pending = 0;
    std::vector<std::complex<float>> m_out;
};

} // namespace fenlark::sitor
