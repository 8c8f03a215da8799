#include "unit_decoder.h"

#include "signal_facts.h"

#include <array>

namespace fenlark::sitor {
namespace {

constexpr long long pairUnits = 2 * signal::unitsPerWord;
constexpr long long rxEnd = signal::repeatUnits + signal::unitsPerWord - 1;
// After this long without printing, a new signal starts in letters case.
constexpr long long shiftForgetUnits = 500;
const Word alphaWord = wordFromUnits("BBBBYYY");

} // namespace

void UnitDecoder::process(std::span<const float> unitLlrs)
{
    for (float l : unitLlrs) {
        m_sync.process(std::span<const float>(&l, 1));
        decideReady();
    }
}

long long UnitDecoder::alignedStart(long long unit, const Framing& f) const
{
    // The first DX copy under this framing starting at or after `unit`.
    long long u = unit < 0 ? 0 : unit;
    while (u % signal::unitsPerWord != f.phase || (u / signal::unitsPerWord) % 2 != f.dxParity)
        ++u;
    return u;
}

UnitDecoder::Verdict UnitDecoder::judge(long long dxStart, const Framing& f) const
{
    const long long newest = m_sync.unitCount() - 1;
    const Word alpha = f.sense > 0 ? alphaWord : static_cast<Word>(~alphaWord & 0x7F);
    int witnesses = 0;
    int before = 0;
    int after = 0;
    bool idleBefore = false; // the last witness at or before the character was alpha
    bool complete = true;
    for (int j = -squelchReach; j <= squelchReach; ++j) {
        const long long end = dxStart + j * pairUnits + rxEnd;
        if (end > newest) {
            complete = false;
            continue;
        }
        if (m_sync.copiesMatch(end, f.sense)) {
            ++witnesses;
            before += j <= 0;
            after += j >= 0;
            if (j <= 0)
                idleBefore = m_sync.word(end) == alpha;
        }
    }
    const bool hold = m_open && !idleBefore;
    const int need = hold ? holdWitnesses : openWitnesses;
    const int side = hold ? holdSide : openSide;
    if (witnesses >= need && before >= side && after >= side)
        return Verdict::Print;
    // The witnesses at or before the character are all known: without them it never prints.
    return complete || before < side ? Verdict::Skip : Verdict::Wait;
}

void UnitDecoder::decideReady()
{
    const long long newest = m_sync.unitCount() - 1;
    const Framing f = m_sync.best();
    // Follow the framing: a slip of a unit or a new signal moves the word boundaries.
    m_next = alignedStart(m_next - signal::unitsPerWord + 1, f);
    while (m_next + rxEnd <= newest) {
        const Verdict v = judge(m_next, f);
        if (v == Verdict::Wait)
            return;
        if (v == Verdict::Print) {
            if (m_lastPrinted < 0 || m_next - m_lastPrinted > shiftForgetUnits)
                m_writer.resetShift();
            std::array<float, 7> dx{};
            std::array<float, 7> rx{};
            for (int i = 0; i < signal::unitsPerWord; ++i) {
                dx[i] = static_cast<float>(f.sense) * m_sync.llr(m_next + i);
                rx[i] = static_cast<float>(f.sense) * m_sync.llr(m_next + signal::repeatUnits + i);
            }
            m_writer.write(combine(dx, rx));
            m_lastPrinted = m_next;
        }
        m_open = v == Verdict::Print;
        m_next += pairUnits;
    }
}

} // namespace fenlark::sitor
