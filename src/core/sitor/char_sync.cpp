#include "char_sync.h"

#include "signal_facts.h"

namespace fenlark::sitor {
namespace {

// Witnesses fade with this factor per word position pair (about 16 pairs, 2.2 s, remembered).
constexpr double evidenceDecay = 15.0 / 16.0;
// A new framing must lead the current one by this much before the decoder follows it.
constexpr double switchMargin = 1.5;

constexpr Word complement(Word w)
{
    return static_cast<Word>(~w & 0x7F);
}

} // namespace

CharSync::CharSync() : m_rqNormal(wordFromUnits("YBBYYBB")), m_alphaNormal(wordFromUnits("BBBBYYY"))
{
}

void CharSync::process(std::span<const float> unitLlrs)
{
    for (float l : unitLlrs)
        push(l);
}

bool CharSync::copiesMatch(long long unitEnd, int sense) const
{
    if (unitEnd < 0 || unitEnd >= m_count || unitEnd + historyUnits <= m_count)
        return false;
    return (m_match[unitEnd & (historyUnits - 1)] >> (sense > 0 ? 0 : 1)) & 1;
}

void CharSync::push(float llr)
{
    const long long k = m_count++;
    const auto slot = static_cast<std::size_t>(k & (historyUnits - 1));
    m_llr[slot] = llr;
    m_register = static_cast<Word>(((m_register << 1) | (llr > 0 ? 1 : 0)) & 0x7F);
    m_word[slot] = m_register;
    m_match[slot] = 0;
    const long long earlierEnd = k - signal::repeatUnits;
    if (earlierEnd < signal::unitsPerWord - 1)
        return;
    const Word now = m_register;
    const Word before = m_word[earlierEnd & (historyUnits - 1)];
    std::uint8_t match = 0;
    if (now == before && hasValidWeight(now))
        match |= 1;
    if (now == before && hasValidWeight(complement(now)))
        match |= 2;
    if (before == m_rqNormal && now == m_alphaNormal)
        match |= 1;
    if (before == complement(m_rqNormal) && now == complement(m_alphaNormal))
        match |= 2;
    m_match[slot] = match;

    // The word ending here starts at k - 6; its DX copy, if this is an RX position, 35 units
    // before.
    const long long start = k - (signal::unitsPerWord - 1);
    const int phase = static_cast<int>(start % signal::unitsPerWord);
    const int dxParity = static_cast<int>(((start / signal::unitsPerWord) + 1) & 1);
    for (int s = 0; s < 2; ++s) {
        const Framing f{phase, dxParity, s == 0 ? 1 : -1};
        double& e = m_evidence[indexOf(f)];
        e = e * evidenceDecay + ((match >> s) & 1);
    }
    double bestEvidence = m_evidence[indexOf(m_best)];
    for (int i = 0; i < 28; ++i) {
        if (m_evidence[i] > bestEvidence + switchMargin) {
            m_best = Framing{i / 4, (i / 2) & 1, (i & 1) ? -1 : 1};
            bestEvidence = m_evidence[i];
        }
    }
}

} // namespace fenlark::sitor
