// From units to text: character sync, the squelch over the DX/RX witnesses, and the combiner.
#pragma once

#include "char_sync.h"
#include "combiner.h"

#include <span>
#include <string>

namespace fenlark::sitor {

class UnitDecoder {
public:
    // The squelch looks this many character positions either side of a character. It opens on a
    // character when at least openWitnesses of them came round intact (a witness), openSide of them
    // at or before it and as many at or after it. Noise makes a witness about once in 500
    // positions, a NAVTEX signal at the limit of decoding about every other time. Once open it
    // stays open while holdWitnesses remain, holdSide each side, unless the last witness before the
    // character was idle alpha or phasing (the end of an emission): a stray witness in the noise
    // after a signal must not carry the squelch across.
    static constexpr int squelchReach = 10;
    static constexpr int openWitnesses = 6;
    static constexpr int openSide = 2;
    static constexpr int holdWitnesses = 3;
    static constexpr int holdSide = 1;

    // Takes units' log-likelihoods (positive: the higher tone).
    void process(std::span<const float> unitLlrs);
    std::string takeText() { return m_writer.take(); }
    bool open() const { return m_open; }
    // +1 when B is the higher tone of the units, -1 when the sense is reversed.
    int sense() const { return m_sync.best().sense; }
    long long characters() const { return m_writer.characters(); }
    long long doubtful() const { return m_writer.doubtful(); }

private:
    enum class Verdict { Print, Skip, Wait };
    Verdict judge(long long dxStart, const Framing& f) const;
    long long alignedStart(long long unit, const Framing& f) const;
    void decideReady();

    CharSync m_sync;
    TextWriter m_writer;
    long long m_next = 0;         // first unit of the next DX copy to decide
    long long m_lastPrinted = -1; // first unit of the DX copy printed last
    bool m_open = false;
};

} // namespace fenlark::sitor
