// Turns the NRX sentences of a NAVTEX receiver back into the plain-text lines of its messages, as
// an older receiver would have sent them: "ZCZC B1B2B3B4", the text's lines, "NNNN".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fenlark::nmea {

class SentenceDecoder {
public:
    // Unfinished messages held at once; the oldest goes first when another starts.
    static constexpr std::size_t kMaxPending = 10;
    static constexpr int kMaxSentences = 999;
    // An unfinished message that gets no sentence for this long is lost: at receiver speeds its
    // next sentence follows within seconds, and its sequential id may come round again later.
    static constexpr long long kExpirySeconds = 60;

    // Why a message was not handed over.
    enum class Drop {
        NoProperEnd,  // the receiver marked it V: it saw no proper end
        SentenceLost, // a sentence missing, repeated or out of order, or a new start
        TooLong,      // its text would pass 64 KiB
        Crowded,      // the oldest of too many unfinished messages
        NoCode, // a null message code (not a NAVTEX message): it has no identifier to be filed by
    };
    struct Dropped {
        Drop why;
        std::string code; // the message code, B1B2B3B4
    };
    // What one sentence gave: messages not filed, then the lines of a completed message with what
    // the receiver said of it.
    struct Output {
        std::vector<Dropped> dropped;
        std::vector<std::string> lines;
        // kHz as the station files name it (490, 518, 4209 for 4209.5 kHz); 0 when not told.
        int frequency = 0;
        long long badCharacters = 0; // the receiver's count of bad characters; 0 when not told
        long long stars = 0;         // '*' in the text: receivers mark bad characters with it
        void clear() { *this = Output(); }
    };
    struct Counts {
        long long messages = 0; // handed over whole
        long long ignored = 0;  // sentences of other kinds ($GPRMC, !AIVDM, ...), and repeats of
                                // the sentence just received
        long long droppedSentences = 0; // bad or missing checksum, malformed, out of place
        long long droppedMessages = 0;  // not handed over, for any reason of Drop
    };

    // Takes one received sentence, received at `now` (seconds): a line starting with '$' or '!',
    // without its line end. $--NRX sentences are reassembled by (talker, sequential message id),
    // legacy $NXNRX ones by message code; every other sentence is counted and ignored.
    void feed(std::string_view sentence, Output& out, long long now);

    // The stream broke off (a connection closed): every unfinished message is lost.
    void dropUnfinished(Output& out)
    {
        while (!m_pending.empty())
            drop(0, Drop::SentenceLost, out);
    }

    const Counts& counts() const { return m_counts; }
    // Unfinished messages held now, at most kMaxPending.
    std::size_t pending() const { return m_pending.size(); }

private:
    struct Pending {
        std::string key; // "$" talker and id, or "#" and the legacy message code
        std::string code;
        int total = 0;
        int next = 0; // the sentence number expected next
        bool noProperEnd = false;
        int frequency = 0;
        long long badCharacters = 0;
        long long lastSeen = 0;
        std::string text; // line breaks as received: CR LF, CR or LF
    };
    struct Part {
        std::string_view key;
        std::string_view code; // only read from a first sentence
        int number = 0;
        int total = 0; // 0: as the message's first sentence said (legacy sentences may omit it)
        bool noProperEnd = false;
        int frequency = 0; // only read from a first sentence
        long long badCharacters = 0;
    };

    void feedStandard(std::string_view talker, const std::string_view* fields, Output& out);
    void feedLegacy(const std::string_view* fields, Output& out);
    // Adds a well-formed sentence whose text is in m_text to its message.
    void add(const Part& part, Output& out);
    // Drops the unfinished messages that have waited too long for their next sentence.
    void expire(Output& out);
    void drop(std::size_t index, Drop why, Output& out);
    void finish(Pending& message, Output& out);

    std::vector<Pending> m_pending; // oldest first
    std::string m_key;
    std::string m_text; // the decoded text of the sentence being added
    std::string m_last; // the sentence received last, and when
    long long m_lastAt = 0;
    long long m_now = 0;
    Counts m_counts;
};

} // namespace fenlark::nmea
