// One channel's decoder on its complex baseband (about 1 kS/s, the signal's centre near 0 Hz):
// frequency tracking, tone detection, symbol clock, soft units, and the unit decoder.
#pragma once

#include "soft_units.h"
#include "symbol_clock.h"
#include "tone_detector.h"
#include "unit_decoder.h"

#include <complex>
#include <span>
#include <string>
#include <vector>

struct nco_crcf_s;

namespace fenlark::sitor {

class ChannelDecoder {
public:
    explicit ChannelDecoder(double sampleRateHz);
    ~ChannelDecoder();
    ChannelDecoder(const ChannelDecoder&) = delete;
    ChannelDecoder& operator=(const ChannelDecoder&) = delete;

    void process(std::span<const std::complex<float>> baseband);
    // Where the signal's centre is taken to be, from the baseband's 0 Hz.
    double offsetHz() const { return m_offsetHz; }
    // Moves the frequency tracking's reference (the signal stays where it was found).
    void setOffsetHz(double hz);
    // A signal found elsewhere: tracking starts afresh from this offset, and the symbol clock too
    // when it is a new signal.
    void retune(double hz, bool newSignal);
    // The squelch is open: a NAVTEX signal is being decoded.
    bool open() const { return m_units.open(); }
    // +1 when B is the higher tone, -1 when the sense is reversed (LSB audio, swapped IQ).
    int sense() const { return m_units.sense(); }
    // Open now or lately (a fade does not make the decoder look elsewhere at once).
    bool holding() const { return m_unitsSinceOpen < holdUnits; }
    double snrDb() const { return m_soft.snrDb(); }
    std::string takeText() { return m_units.takeText(); }
    long long characters() const { return m_units.characters(); }
    long long doubtful() const { return m_units.doubtful(); }

private:
    static constexpr std::size_t blockSamples = 32;
    static constexpr long long holdUnits = 1000;
    void processBlock(std::span<const std::complex<float>> in);
    void track(const UnitEnergies& u);

    double m_sampleRateHz;
    nco_crcf_s* m_nco;
    ToneDetector m_detector;
    SymbolClock m_clock;
    SoftUnits m_soft;
    UnitDecoder m_units;
    double m_offsetHz = 0;
    std::complex<double> m_turn;
    long long m_unitsSinceOpen = holdUnits;
    std::vector<std::complex<float>> m_mixed;
    std::vector<ToneSums> m_sums;
    std::vector<UnitEnergies> m_energies;
    std::vector<float> m_llrs;
};

} // namespace fenlark::sitor
