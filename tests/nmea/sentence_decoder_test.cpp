// The sentence decoder alone: checksums, escapes, reassembly, what it drops and counts, its
// bounds, and random streams (fixed seeds) split, escaped, interleaved and damaged at random.
#include "nmea/nrx.h"
#include "nmea/sentence_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace fenlark::test {
namespace {

using nmea::SentenceDecoder;

// The lines handed over, the messages not filed ("why CODE") and the counts (messages, ignored,
// dropped sentences, dropped messages): "ZCZC IA01|TEXT|NNNN /  / 1 0 0 0".
std::string feedAll(SentenceDecoder& decoder, const std::vector<std::string>& sentences)
{
    static const char* const kWhy[] = {"noend", "lost", "toolong", "crowded"};
    std::string lines, dropped;
    SentenceDecoder::Output out;
    for (const std::string& s : sentences) {
        out.clear();
        decoder.feed(s, out);
        for (const auto& d : out.dropped)
            dropped += (dropped.empty() ? "" : "|") + std::string(kWhy[int(d.why)]) + " " + d.code;
        for (const auto& line : out.lines)
            lines += (lines.empty() ? "" : "|") + line;
    }
    const auto& c = decoder.counts();
    return lines + " / " + dropped + " / " + std::to_string(c.messages) + " " +
           std::to_string(c.ignored) + " " + std::to_string(c.droppedSentences) + " " +
           std::to_string(c.droppedMessages);
}

// The sentence with one character of its text changed, so that its checksum no longer fits.
std::string spoiled(std::string s)
{
    s[s.size() - 5] ^= 1;
    return s;
}

TEST(SentenceDecoder, ReassemblesChecksAndCounts)
{
    const std::string gprmc = sentence("$GPRMC,120000,A,5230.00,N,00130.00,E,0.0,0.0,051226,,*");
    const struct {
        const char* name;
        std::vector<std::string> sentences;
        const char* expected;
    } cases[] = {
        {"one sentence; talkers apart; NX with a three-digit count is not the legacy sentence",
         {nrx("001,001,00,IA01", "GALE WARNING^0D^0AWIND 8^0D^0A"),
          nrx("002,001,01,IC03", "A^0D^0A"),
          sentence("$NXNRX,002,001,01,IE05,2,120000.00,05,12,2026,4,0,A,E*"),
          nrx("002,002,01,", "B"), sentence("$NXNRX,002,002,01,,,,,,,,,,F*")},
         "ZCZC IA01|GALE WARNING|WIND 8|NNNN|ZCZC IC03|A|B|NNNN|ZCZC IE05|EF|NNNN /  / 3 0 0 0"},
        {"line breaks in the text as in a received stream",
         {nrx("001,001,00,IF07", "A^0AB^0A^0DC^0AD")},
         "ZCZC IF07|A|B|C|D|NNNN /  / 1 0 0 0"},
        {"a wrong or missing checksum, a lost or repeated sentence, a changed count, a new start",
         {nrx("003,001,00,IH08", "ONE"), spoiled(nrx("003,002,00,", "TWO")),
          nrx("003,003,00,", "THREE"), nrx("001,001,01,II09", "X").substr(0, 50),
          nrx("003,001,01,IJ10", "A"), nrx("003,003,01,", "C"), nrx("003,001,02,IK11", "A"),
          nrx("003,002,02,", "B"), nrx("003,002,02,", "B"), nrx("003,001,03,IL12", "A"),
          nrx("004,002,03,", "B"), nrx("002,001,05,IM13", "OLD"), nrx("001,001,05,IN14", "NEW")},
         "ZCZC IN14|NEW|NNNN / lost IH08|lost IJ10|lost IK11|lost IL12|lost IM13 / 1 0 6 5"},
        {"status V: the receiver saw no proper end",
         {nrx("001,001,00,IO15", "CUT", 'V'), nrx("002,001,01,IP16", "A", 'V'),
          nrx("002,002,01,", "B")},
         " / noend IO15|noend IP16 / 0 0 0 2"},
        {"legacy sentences by message code, one line each, commas and marks as they stand",
         {sentence("$NXNRX,IQ17,1,2,2,05,12,2026,120000,0,FIRST, LINE*"),
          sentence("$NXNRX,IR18,1,1,2,05,12,2026,120000,0,OTHER*"),
          sentence("$NXNRX,IQ17,2,2,2,05,12,2026,120000,5,SEC*ND*")},
         "ZCZC IR18|OTHER|NNNN|ZCZC IQ17|FIRST, LINE|SEC*ND|NNNN /  / 2 0 0 0"},
        {"other sentences are ignored once their checksum holds",
         {gprmc, sentence("!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*"),
          sentence("!CRNRX,001,001,00,IS19,2,120000.00,05,12,2026,1,0,A,X*"), spoiled(gprmc)},
         " /  / 0 3 1 0"},
        {"malformed: a caret without two hex digits, too few fields, numbers out of range",
         {nrx("001,001,00,IG07", "BAD ^2"), nrx("001,001,00,IG07", "BAD ^ZZ"),
          sentence("$CRNRX,001,001,00,IT20*"), nrx("001,002,00,IT20", "X"),
          nrx("1000,001,00,IT20", "X"), nrx("001,001,100,IT20", "X"),
          sentence("$NXNRX,IU21,3,2,2,05,12,2026,120000,0,X*")},
         " /  / 0 0 7 0"},
    };
    for (const auto& c : cases) {
        SentenceDecoder decoder;
        EXPECT_EQ(feedAll(decoder, c.sentences), c.expected) << c.name;
    }
}

TEST(SentenceDecoder, UnfinishedMessagesAreBounded)
{
    SentenceDecoder decoder;
    std::vector<std::string> starts;
    for (int id = 10; id <= 20; ++id)
        starts.push_back(nrx("002,001," + std::to_string(id) + ",IA" + std::to_string(id), "A"));
    starts.push_back(nrx("002,002,10,", "END")); // the oldest went when the eleventh started
    starts.push_back(nrx("002,002,20,", "END"));
    EXPECT_EQ(feedAll(decoder, starts), "ZCZC IA20|AEND|NNNN / crowded IA10 / 1 0 1 1");
    // 999 sentences of 70 characters are more than 64 KiB of text.
    std::vector<std::string> longOne{nrx("999,001,00,IB01", std::string(70, 'X'))};
    for (int n = 1002; n <= 1999; ++n)
        longOne.push_back(nrx("999," + std::to_string(n).substr(1) + ",00,", std::string(70, 'X')));
    EXPECT_EQ(feedAll(decoder, longOne), " / toolong IB01 / 1 0 63 2");
}

// Random messages, their text split into sentences at random and escaped, up to the bound of them
// interleaved; and what feedAll must give for them.
std::pair<std::vector<std::string>, std::string> randomStream(std::mt19937& rng)
{
    struct Message {
        std::string head, lines;
        std::vector<std::string> texts;
        std::size_t sent = 0;
    };
    std::vector<Message> active;
    std::pair<std::vector<std::string>, std::string> stream;
    for (int started = 0; started < 2000 || !active.empty();) {
        const std::string id = std::to_string(100 + started % 100).substr(1);
        // Ids are reused after 100 starts, long after the bound of unfinished messages.
        if (started < 2000 && active.size() < SentenceDecoder::kMaxPending && rng() % 3 == 0) {
            std::string text; // line breaks CR LF, and never empty
            for (auto n = 1 + rng() % 300; n > 0; --n)
                text += rng() % 20 ? std::string(1, "ABCXYZ0189 .-*,^~"[rng() % 17]) : "\r\n";
            std::string lines = replaced(text, "\r\n", "|");
            if (text.back() == '\n')
                lines.pop_back(); // a last line break ends the last line: no empty line follows
            Message m{id + ",I" + id + "X", "|ZCZC I" + id + "X|" + lines + "|NNNN", {}};
            for (std::size_t at = 0; at < text.size(); at += m.texts.back().size())
                m.texts.push_back(text.substr(at, 1 + rng() % 60));
            for (std::string& piece : m.texts) // the caret first, as the others bring carets
                for (const char* escape : {"^^5e", "*^2A", ",^2c", "\r^0D", "\n^0a"})
                    piece = replaced(piece, std::string(1, escape[0]), escape + 1);
            active.push_back(m);
            ++started;
        } else if (!active.empty()) {
            const std::size_t at = rng() % active.size();
            Message& m = active[at];
            char count[16];
            std::snprintf(count, sizeof count, "%03zu,%03zu,", m.texts.size(), m.sent + 1);
            stream.first.push_back(
                nrx(count + (m.sent ? m.head.substr(0, 3) : m.head), m.texts[m.sent]));
            if (++m.sent == m.texts.size()) {
                stream.second += m.lines;
                active.erase(active.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
    }
    stream.second = stream.second.substr(1) + " /  / 2000 0 0 0";
    return stream;
}

TEST(SentenceDecoder, RandomStreamsComeBackExactlyAndDamagedOnesStayBounded)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const auto [sentences, lines] = randomStream(rng);
        SentenceDecoder decoder;
        EXPECT_TRUE(feedAll(decoder, sentences) == lines);
        // Bytes changed, sentences lost and repeated.
        SentenceDecoder damaged;
        SentenceDecoder::Output out;
        for (std::string s : sentences) {
            const unsigned roll = rng() % 100;
            s[rng() % s.size()] ^= roll < 5 ? static_cast<char>(1 + rng() % 255) : 0;
            for (int times = roll < 8 ? 0 : roll < 11 ? 2 : 1; times > 0; --times)
                damaged.feed(s, out);
            ASSERT_LE(damaged.pending(), SentenceDecoder::kMaxPending);
        }
        EXPECT_GT(damaged.counts().messages, 1000);
        EXPECT_GT(damaged.counts().droppedMessages, 100);
    }
}

} // namespace
} // namespace fenlark::test
