// Where the lines of one received stream end. Older receivers end them with CR (and an LF that is
// dropped); some receivers, converters and capture files end them with LF alone.
#pragma once

namespace fenlark {

class LineEnds {
public:
    // Whether this received byte ends a line; every byte of the stream passes here, in order.
    // A CR ends a line, and so does an LF while the stream ends its lines with LF: a pair (CR LF,
    // or LF CR) ends one line. A stream whose first line ends are CRs (alone or with LF) drops
    // its LFs, unless two of them come with no CR between: it ends lines with LF after all. A
    // stray CR in a stream that has shown LF line ends breaks the line it is in, and no other.
    bool endsLine(char c)
    {
        const Previous previous = m_previous;
        m_previous = Previous::Other;
        if (c == '\r') {
            m_lonelyLfs = 0;
            if (previous == Previous::EndingLf)
                return false; // LF CR
            m_previous = Previous::EndingCr;
            return true;
        }
        if (c == '\n') {
            if (previous == Previous::EndingCr) {
                if (!m_lfLines)
                    m_dropLfs = true; // CR LF
                return false;
            }
            if (m_dropLfs && ++m_lonelyLfs < 2)
                return false;
            m_dropLfs = false;
            m_lfLines = true;
            m_previous = Previous::EndingLf;
            return true;
        }
        if (previous == Previous::EndingCr && !m_lfLines)
            m_dropLfs = true; // a CR alone, before any LF ended a line
        return false;
    }
    // A new stream: the port opened again, or another replay.
    void restart() { *this = LineEnds(); }

private:
    enum class Previous { Other, EndingCr, EndingLf };
    Previous m_previous = Previous::Other;
    bool m_lfLines = false; // an LF has ended a line
    bool m_dropLfs = false; // the stream ends its lines with CR
    int m_lonelyLfs = 0;    // LFs dropped since the last CR
};

} // namespace fenlark
