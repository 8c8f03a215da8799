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

    // Why a message was not handed over.
    enum class Drop {
        NoProperEnd,  // the receiver marked it V: it saw no proper end
        SentenceLost, // a sentence missing, repeated or out of order, or a new start
        TooLong,      // its text would pass 64 KiB
        Crowded,      // the oldest of too many unfinished messages
    };
    struct Dropped {
        Drop why;
        std::string code; // the message code, B1B2B3B4
    };
    // What one sentence gave: messages not filed, then the lines of a completed message.
    struct Output {
        std::vector<Dropped> dropped;
        std::vector<std::string> lines;
        void clear()
        {
            dropped.clear();
            lines.clear();
        }
    };
    struct Counts {
        long long messages = 0;         // handed over whole
        long long ignored = 0;          // sentences of other kinds ($GPRMC, !AIVDM, ...)
        long long droppedSentences = 0; // bad or missing checksum, malformed, out of place
        long long droppedMessages = 0;  // not handed over, for any reason of Drop
    };

    // Takes one received sentence: a line starting with '$' or '!', without its line end.
    // $--NRX sentences are reassembled by (talker, sequential message id), legacy $NXNRX ones by
    // message code; every other sentence is counted and ignored.
    void feed(std::string_view sentence, Output& out);

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
        std::string text; // line breaks as received: CR LF, CR or LF
    };
    struct Part {
        std::string_view key;
        std::string_view code; // only read from a first sentence
        int number = 0;
        int total = 0;
        bool noProperEnd = false;
    };

    void feedStandard(std::string_view talker, const std::string_view* fields, Output& out);
    void feedLegacy(const std::string_view* fields, Output& out);
    // Adds a well-formed sentence whose text is in m_text to its message.
    void add(const Part& part, Output& out);
    void drop(std::size_t index, Drop why, Output& out);
    void finish(Pending& message, Output& out);

    std::vector<Pending> m_pending; // oldest first
    std::string m_key;
    std::string m_text; // the decoded text of the sentence being added
    Counts m_counts;
};

} // namespace fenlark::nmea
