// Where the lines of one received stream end. Older receivers end them with CR (and an LF that is
// dropped); some receivers, converters and capture files end them with LF alone.
#pragma once

namespace fenlark {

class LineEnds {
public:
    // Whether this received byte ends a line; every byte of the stream passes here, in order.
    // While the stream has shown no CR, an LF ends a line. Its first CR switches it for good: CR
    // ends a line and LF is dropped. A CR right after an LF that ended a line ends no second one.
    bool endsLine(char c)
    {
        if (c == '\r') {
            const bool afterEndingLf = m_lfEnded;
            m_lfEnded = false;
            m_crSeen = true;
            return !afterEndingLf;
        }
        m_lfEnded = c == '\n' && !m_crSeen;
        return m_lfEnded;
    }
    // A new stream: the port opened again, or another replay.
    void restart() { *this = LineEnds(); }

private:
    bool m_crSeen = false;
    bool m_lfEnded = false; // the previous byte was an LF that ended a line
};

} // namespace fenlark
