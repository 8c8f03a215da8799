// Soft values: each unit's log-likelihood that it is the higher tone, from the two matched
// filters' energies, the noise they carry and the signal's recent strength.
#pragma once

#include "symbol_clock.h"

#include <span>

namespace fenlark::sitor {

class SoftUnits {
public:
    // out.size() must equal in.size().
    void process(std::span<const UnitEnergies> in, std::span<float> out);
    // Signal over noise in 2500 Hz, from the energies' averages.
    double snrDb() const;

private:
    double m_noise = 0;      // mean energy of a matched filter that holds only noise
    double m_signal = 0;     // recent signal energy of the filter that holds the tone
    double m_signalSlow = 0; // the same over a few seconds, for the figure
    long long m_units = 0;
};

} // namespace fenlark::sitor
