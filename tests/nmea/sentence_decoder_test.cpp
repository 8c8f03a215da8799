// The sentence decoder alone: checksums, escapes, reassembly, what it drops and counts, its
// bounds, and random streams (fixed seeds) split, escaped, interleaved and damaged at random.
#include "nmea/nrx.h"
#include "nmea/sentence.h"
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
// dropped sentences, dropped messages): "ZCZC IA01|TEXT|NNNN /  / 1 0 0 0". What the receiver told
// of a message follows its NNNN: "NNNN{518 b5 s2}" for 518 kHz, 5 bad characters, 2 stars. A line
// that does not start the sentence is a received one, whose sentence is found first ("text" when
// it holds none); "+N" lets N seconds pass.
std::string feedAll(SentenceDecoder& decoder, const std::vector<std::string>& received,
                    bool told = true)
{
    static const char* const kWhy[] = {"noend", "lost", "toolong", "crowded", "nocode"};
    std::string lines, dropped;
    SentenceDecoder::Output out;
    long long now = 1000;
    auto collect = [&] {
        for (const auto& d : out.dropped)
            dropped += (dropped.empty() ? "" : "|") + std::string(kWhy[int(d.why)]) + " " + d.code;
        for (const auto& line : out.lines)
            lines += (lines.empty() ? "" : "|") + line;
        if (told && !out.lines.empty() && (out.frequency || out.badCharacters || out.stars))
            lines += "{" + std::to_string(out.frequency) + " b" +
                     std::to_string(out.badCharacters) + " s" + std::to_string(out.stars) + "}";
    };
    for (const std::string& line : received) {
        out.clear();
        if (line[0] == '+') {
            now += std::stoll(line.substr(1));
            continue;
        }
        const auto sentence = nmea::startsSentence(line[0]) && line[0] != '\\'
                                  ? std::optional<std::string_view>(line)
                                  : nmea::findSentence(line);
        if (!sentence) {
            dropped += (dropped.empty() ? "" : "|") + std::string("text");
            continue;
        }
        decoder.feed(*sentence, out, now);
        collect();
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
         "ZCZC IA01|GALE WARNING|WIND 8|NNNN{518 b0 s0}|ZCZC IC03|A|B|NNNN{518 b0 s0}|ZCZC IE05|EF|"
         "NNNN{518 b0 s0} /  / 3 0 0 0"},
        {"line breaks in the text as in a received stream",
         {nrx("001,001,00,IF07", "A^0AB^0A^0DC^0AD")},
         "ZCZC IF07|A|B|C|D|NNNN{518 b0 s0} /  / 1 0 0 0"},
        {"a wrong or missing checksum, a lost sentence, a changed count, a new start; the "
         "repeat of IK11's second sentence is none of them: IK11 waits",
         {nrx("003,001,00,IH08", "ONE"), spoiled(nrx("003,002,00,", "TWO")),
          nrx("003,003,00,", "THREE"), nrx("001,001,01,II09", "X").substr(0, 50),
          nrx("003,001,01,IJ10", "A"), nrx("003,003,01,", "C"), nrx("003,001,02,IK11", "A"),
          nrx("003,002,02,", "B"), nrx("003,002,02,", "B"), nrx("003,001,03,IL12", "A"),
          nrx("004,002,03,", "B"), nrx("002,001,05,IM13", "OLD"), nrx("001,001,05,IN14", "NEW")},
         "ZCZC IN14|NEW|NNNN{518 b0 s0} / lost IH08|lost IJ10|lost IL12|lost IM13 / 1 1 5 4"},
        {"status V: the receiver saw no proper end",
         {nrx("001,001,00,IO15", "CUT", 'V'), nrx("002,001,01,IP16", "A", 'V'),
          nrx("002,002,01,", "B")},
         " / noend IO15|noend IP16 / 0 0 0 2"},
        {"legacy: by message code, one line each, ^hh decoded, its kHz; after the first "
         "sentence only the code, the line number and the text are needed",
         {sentence("$NXNRX,IQ17,1,3,518,05,12,2026,120000,0,FIRST^2C LINE*"),
          sentence("$NXNRX,IR18,1,1,4209.5,05,12,2026,120000,0,OTHER*"),
          sentence("$NXNRX,IQ17,2,,,,,,,,SEC^2AND*"), sentence("$NXNRX,IQ17,3,3,,,,,,5,THIRD*"),
          sentence("$NXNRX,IQ18,1,1,490,05,12,2026,120000,0,CARET ^5E^ZZ*"),
          sentence("$NXNRX,IQ19,1,2,518,05,12,2026,120000,0,A*"),
          sentence("$NXNRX,IQ19,2,3,,,,,,,B*")},
         "ZCZC IR18|OTHER|NNNN{4209 b0 s0}|ZCZC IQ17|FIRST, LINE|SEC*ND|THIRD|NNNN{518 b0 s1} / "
         "lost IQ19 / 2 0 2 1"},
        {"the frequency index and the count of bad characters; * are counted",
         {sentence("$CRNRX,002,001,10,IZ26,1,120000.00,05,12,2026,10,5,A,B^2AD*"),
          sentence("$CRNRX,002,002,10,,,,,,,,,A,^2A*"),
          sentence("$CRNRX,001,001,11,IZ27,3,120000.00,05,12,2026,10,,A,X*"),
          sentence("$CRNRX,001,001,12,IZ28,0,120000.00,05,12,2026,10,0,A,Y*")},
         "ZCZC IZ26|B*D*|NNNN{490 b5 s2}|ZCZC IZ27|X|NNNN{4209 b0 s0}|ZCZC IZ28|Y|NNNN /  / 3 0 0 "
         "0"},
        {"a null message code: apart by talker and id, and not filed",
         {sentence("$CRNRX,002,001,04,,2,120000.00,05,12,2026,10,0,A,MSI ONE*"),
          sentence("$CRNRX,002,001,05,,2,120000.00,05,12,2026,10,0,A,MSI TWO*"),
          nrx("002,002,04,", "END"), nrx("002,002,05,", "END")},
         " / nocode |nocode  / 0 0 0 2"},
        {"a code that is not letter, letter, digit, digit is a malformed sentence",
         {sentence("$CRNRX,001,001,00,E,A,01,2,120000.00,05,12,2026,10,0,A,TEXT*"),
          nrx("001,001,00,ia01", "X"), nrx("001,001,00,I1A1", "X"), nrx("001,001,00,IA012", "X"),
          sentence("$NXNRX,I,A01,1,518,05,12,2026,120000,0,X*")},
         " /  / 0 0 5 0"},
        {"the same sentence again at once is ignored; a minute later it is a repeat",
         {nrx("002,001,06,IV22", "A"), nrx("002,001,06,IV22", "A"), nrx("002,002,06,", "B"),
          nrx("002,002,06,", "B"), nrx("001,001,07,IW23", "X"), "+61", nrx("001,001,07,IW23", "X")},
         "ZCZC IV22|AB|NNNN{518 b0 s0}|ZCZC IW23|X|NNNN{518 b0 s0}|ZCZC IW23|X|NNNN{518 b0 s0} /  "
         "/ "
         "3 2 0 0"},
        {"an unfinished message lasts a minute without a sentence, not more",
         {nrx("003,001,08,IX24", "A"), nrx("003,002,08,", "B"), "+61", nrx("003,003,08,", "C"),
          nrx("002,001,09,IY25", "A"), "+60", nrx("002,002,09,", "B")},
         "ZCZC IY25|AB|NNNN{518 b0 s0} / lost IX24 / 1 0 1 1"},
        {"tag blocks, an IEC 61162-450 header and noise before the sentence",
         {sentence("\\s:CR0001*") + "\\" + nrx("001,001,13,IA31", "T"),
          "UdPbC" + sentence("\\s:CR0001,n:12*") + "\\" + nrx("001,001,14,IA32", "U"),
          "#~ x" + nrx("001,001,15,IA33", "N"), "NO SENTENCE*00"},
         "ZCZC IA31|T|NNNN{518 b0 s0}|ZCZC IA32|U|NNNN{518 b0 s0}|ZCZC IA33|N|NNNN{518 b0 s0} / "
         "text "
         "/ 3 0 0 0"},
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
    EXPECT_EQ(feedAll(decoder, starts), "ZCZC IA20|AEND|NNNN{518 b0 s0} / crowded IA10 / 1 0 1 1");
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
            Message m{id + ",IX" + id, "|ZCZC IX" + id + "|" + lines + "|NNNN", {}};
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
        EXPECT_TRUE(feedAll(decoder, sentences, false) == lines);
        // Bytes changed, sentences lost and repeated.
        SentenceDecoder damaged;
        SentenceDecoder::Output out;
        for (std::string s : sentences) {
            const unsigned roll = rng() % 100;
            s[rng() % s.size()] ^= roll < 5 ? static_cast<char>(1 + rng() % 255) : 0;
            for (int times = roll < 8 ? 0 : roll < 11 ? 2 : 1; times > 0; --times)
                damaged.feed(s, out, 0);
            ASSERT_LE(damaged.pending(), SentenceDecoder::kMaxPending);
        }
        EXPECT_GT(damaged.counts().messages, 1000);
        EXPECT_GT(damaged.counts().droppedMessages, 100);
    }
}

} // namespace
} // namespace fenlark::test
