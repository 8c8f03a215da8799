// Short NAVTEX recordings made in a test with the decoder's simulator: real audio of one emission,
// or IQ with several channels at once; and files of them.
#pragma once

#include <complex>
#include <string>
#include <vector>

namespace fenlark::test {

// One emission on the air: its text, its radio frequency (IQ) or audio centre (audio).
struct Emission {
    std::string text;
    double hz;
};

// `seconds` of signal at 20 dB SNR, each emission a quarter of full scale with 2 s of phasing,
// then quiet.
std::vector<float> navtexAudio(double rateHz, const Emission& emission, double seconds);
std::vector<std::complex<float>> navtexIq(double rateHz, double centreHz,
                                          const std::vector<Emission>& emissions, double seconds);

// A 16-bit WAV file (IQ as two channels); raw files of each IQ form (".cu8", ".cs16", ".cf32").
void writeWav(const std::string& path, double rateHz, const std::vector<float>& samples);
void writeWav(const std::string& path, double rateHz,
              const std::vector<std::complex<float>>& samples);
void writeRawIq(const std::string& path, const std::vector<std::complex<float>>& samples);

} // namespace fenlark::test
