// The symbol clock: finds the ends of the units in the tone sums and follows the transmitter's
// clock (a timing loop with a proportional and an integral term, so a sample rate off by up to 1 %
// is followed without a lasting lag).
#pragma once

#include "tone_detector.h"

#include <array>
#include <complex>
#include <span>
#include <vector>

namespace fenlark::sitor {

// The matched filters' outputs at the end of one unit.
struct UnitEnergies {
    float high = 0; // energy of the higher tone over the unit
    float low = 0;
    std::complex<float> turn; // how far the tones turned over half a unit (frequency error)
};

class SymbolClock {
public:
    SymbolClock(double sampleRateHz, int halfUnitSamples);

    // Takes tone sums; writes the units that ended among them to out and returns how many (at most
    // maxUnits(in.size())).
    std::size_t process(std::span<const ToneSums> in, std::span<UnitEnergies> out);
    static std::size_t maxUnits(std::size_t samples) { return samples / 4 + 2; }
    // The clock's rate against the nominal one (1.01: units 1 % longer than nominal).
    // Finds the clock afresh (a new signal): the wide loop again, no memory of the old rate.
    void restart();
    // Narrow loop while a signal is decoded, wide while one is sought.
    void setNarrow(bool narrow) { m_narrow = narrow; }
    double rateRatio() const { return (m_nominal - m_integral) / m_nominal; }

private:
    static constexpr std::size_t historySize = 128;
    ToneSums at(double samplesAgo) const;

    double m_nominal; // samples per unit
    int m_half;
    int m_steps;                               // whole samples in a unit
    std::vector<std::complex<double>> m_turns; // one turn over a unit, sample by sample
    std::array<ToneSums, historySize> m_history{};
    std::size_t m_newest = 0;
    double m_untilStrobe;  // samples until the next unit ends
    double m_integral = 0; // samples the loop takes off each unit for a clock off its nominal rate
    double m_lineSize = 0; // mean size of the unit-rate line
    long long m_units = 0;
    bool m_narrow = false;
    double m_samples = 0;
};

} // namespace fenlark::sitor
