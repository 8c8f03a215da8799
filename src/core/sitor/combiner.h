// The DX/RX combiner: one character from both copies' soft units, decided over the valid words, and
// the text a receiver prints for it.
#pragma once

#include "code_table.h"

#include <span>
#include <string>

namespace fenlark::sitor {

struct Decision {
    CodeEntry entry{};      // the most likely word (both copies the same)
    bool phasing = false;   // more likely still: RQ in the DX copy and alpha in the RX copy
    double probability = 0; // of that choice among all the candidates
};

// Units' log-likelihoods of B (sense applied), in order of transmission.
Decision combine(std::span<const float, 7> dx, std::span<const float, 7> rx);

// Turns decisions into the characters a receiver sends: letters or figures by the shift state, CR
// and LF as received, '*' for a character that stays doubtful; shifts, alpha, beta, RQ and
// unperforated tape print nothing.
class TextWriter {
public:
    // A decision whose probability is below this is doubtful.
    static constexpr double doubtfulBelow = 0.8;

    void write(const Decision& d);
    void resetShift() { m_figures = false; }
    std::string take();
    long long characters() const { return m_characters; }
    long long doubtful() const { return m_doubtful; }

private:
    void put(char c);

    std::string m_text;
    bool m_figures = false;
    long long m_characters = 0;
    long long m_doubtful = 0;
};

} // namespace fenlark::sitor
