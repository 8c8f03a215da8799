// Signals on the air and the path to the decoder, for measuring it: SITOR-B FSK from units, and the
// signals that must not open its squelch (RTTY, CW, an AM carrier); frequency offset and drift,
// clock error, reversed sense, ITU-R F.1487 fading (Watterson model), white noise.
#pragma once

#include <complex>
#include <memory>
#include <random>
#include <span>
#include <vector>

namespace fenlark::sitorsim {

// What an emitter sends, as the complex envelope about its centre, one sample at a time.
class Source {
public:
    virtual ~Source() = default;
    virtual std::complex<double> next() = 0;
};

// SITOR-B FSK: B is +85 Hz, Y -85 Hz (swapped when reversed), continuous phase. clockError makes
// each unit that much longer than 10 ms (0.0067: 0.67 % slow against the sample rate). Silent after
// the last unit.
std::unique_ptr<Source> makeFsk(std::vector<bool> units, double sampleRateHz, double clockError,
                                bool reversed);
// RTTY: 50 Bd, 170 Hz shift, random 5-bit characters with one start and 1.5 stop units.
std::unique_ptr<Source> makeRtty(double sampleRateHz, unsigned seed);
// CW: a carrier keyed with random Morse at 20 words a minute.
std::unique_ptr<Source> makeCw(double sampleRateHz, unsigned seed);
// An AM broadcast carrier, 50 % modulated by a 400 Hz tone.
std::unique_ptr<Source> makeAm(double sampleRateHz);
// Nothing at all (noise alone).
std::unique_ptr<Source> makeSilence();

struct Path {
    double centreHz = 1000; // audio centre, or offset from the centre of an IQ band
    double offsetHz = 0;
    double driftHzPerMinute = 0;
    bool fading = false; // F.1487 mid-latitude moderate: two Rayleigh paths 1 ms apart, 0.5 Hz
};

// Emitters through their paths, summed, plus white noise at snrDb (signal of one emitter over the
// noise in 2500 Hz; 99 or more: no noise).
class Air {
public:
    Air(double sampleRateHz, double snrDb, unsigned seed);
    void add(std::unique_ptr<Source> source, const Path& path);
    // Real audio (each emitter's power 0.5) or complex baseband (each emitter's power 1).
    void generate(std::span<float> out);
    void generate(std::span<std::complex<float>> out);

private:
    struct Emitter;
    std::complex<double> sum();

    double m_sampleRateHz;
    double m_noiseSigma;
    std::vector<std::shared_ptr<Emitter>> m_emitters;
    std::mt19937_64 m_random;
    std::normal_distribution<double> m_normal;
    unsigned m_seed;
};

} // namespace fenlark::sitorsim
