// Character sync: finds where words begin, which positions carry DX copies and the sense, from the
// unit stream alone (a DX word comes round again 35 units later as its RX copy).
#pragma once

#include "code_table.h"

#include <array>
#include <cstdint>
#include <span>

namespace fenlark::sitor {

// One way of reading the unit stream: words start at units with index % 7 == phase, DX copies sit
// in the word positions whose number (start unit / 7) has the parity dxParity, and B is the higher
// tone (sense +1) or the lower one (sense -1).
struct Framing {
    int phase = 0;
    int dxParity = 0;
    int sense = 1;
    bool operator==(const Framing&) const = default;
};

class CharSync {
public:
    // Units kept for the combiner and the squelch to look back on (about 20 s).
    static constexpr long long historyUnits = 2048;

    CharSync();

    // Takes units' log-likelihoods (positive: the higher tone).
    void process(std::span<const float> unitLlrs);

    long long unitCount() const { return m_count; }
    float llr(long long unit) const { return m_llr[unit & (historyUnits - 1)]; }
    // Whether the word ending at unitEnd came round intact from 35 units before (same valid word,
    // or RQ then alpha as in phasing) when read with this sense.
    bool copiesMatch(long long unitEnd, int sense) const;
    // The word ending at unitEnd as received (a 1 for the higher tone).
    Word word(long long unitEnd) const { return m_word[unitEnd & (historyUnits - 1)]; }
    // The framing with the most such witnesses lately.
    Framing best() const { return m_best; }

private:
    static int indexOf(const Framing& f)
    {
        return (f.phase * 2 + f.dxParity) * 2 + (f.sense > 0 ? 0 : 1);
    }
    void push(float llr);

    std::array<float, historyUnits> m_llr{};
    std::array<std::uint8_t, historyUnits> m_match{};
    std::array<Word, historyUnits> m_word{};
    std::array<double, 28> m_evidence{};
    Framing m_best;
    long long m_count = 0;
    Word m_register = 0;
    Word m_rqNormal, m_alphaNormal;
};

} // namespace fenlark::sitor
