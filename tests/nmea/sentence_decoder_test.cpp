// The sentence decoder alone: checksums, escapes, reassembly, what it drops and counts.
#include "nmea/nrx.h"
#include "nmea/sentence_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark::test {
namespace {

using nmea::SentenceDecoder;

struct Fed {
    std::string lines;   // the lines handed over, joined by "|"
    std::string dropped; // "why CODE" of each message not filed, joined by "|"
    std::string counts;  // messages, ignored, dropped sentences, dropped messages
};

Fed feedAll(SentenceDecoder& decoder, const std::vector<std::string>& sentences)
{
    static const char* const kWhy[] = {"noend", "lost", "toolong", "crowded"};
    Fed fed;
    SentenceDecoder::Output out;
    for (const std::string& s : sentences) {
        out.clear();
        decoder.feed(s, out);
        for (const auto& d : out.dropped)
            fed.dropped +=
                (fed.dropped.empty() ? "" : "|") + std::string(kWhy[int(d.why)]) + " " + d.code;
        for (const auto& line : out.lines)
            fed.lines += (fed.lines.empty() ? "" : "|") + line;
    }
    const auto& c = decoder.counts();
    fed.counts = std::to_string(c.messages) + " " + std::to_string(c.ignored) + " " +
                 std::to_string(c.droppedSentences) + " " + std::to_string(c.droppedMessages);
    return fed;
}

// The sentence with one character of its text changed, so that its checksum no longer fits.
std::string spoiled(std::string s)
{
    s[s.size() - 5] ^= 1;
    return s;
}

TEST(SentenceDecoder, ReassemblesChecksAndCounts)
{
    struct Case {
        const char* name;
        std::vector<std::string> sentences;
        Fed expected;
    };
    const Case cases[] = {
        {"one sentence",
         {nrx("001,001,00,IA01", "GALE WARNING^0D^0AWIND 8^0D^0A")},
         {"ZCZC IA01|GALE WARNING|WIND 8|NNNN", "", "1 0 0 0"}},
        {"three sentences, later ones without the fields after the id",
         {nrx("003,001,07,IB02", "PART ONE^0D^0APART "), nrx("003,002,07,", "TWO "),
          nrx("003,003,07,", "GOES ON")},
         {"ZCZC IB02|PART ONE|PART TWO GOES ON|NNNN", "", "1 0 0 0"}},
        {"two messages interleaved, and a talker of its own",
         {nrx("002,001,01,IC03", "A^0D^0A"), nrx("002,001,02,ID04", "C^0D^0A"),
          sentence("$NXNRX,002,001,01,IE05,2,120000.00,05,12,2026,4,0,A,E*"),
          nrx("002,002,02,", "D"), nrx("002,002,01,", "B"),
          sentence("$NXNRX,002,002,01,,,,,,,,,,F*")},
         {"ZCZC ID04|C|D|NNNN|ZCZC IC03|A|B|NNNN|ZCZC IE05|EF|NNNN", "", "3 0 0 0"}},
        {"escapes, in either case",
         {nrx("001,001,00,IF06", "STAR ^2A COMMA ^2c CARET ^5E^0D^0ANEXT")},
         {"ZCZC IF06|STAR * COMMA , CARET ^|NEXT|NNNN", "", "1 0 0 0"}},
        {"line breaks as in a received stream",
         {nrx("001,001,00,IF07", "A^0AB^0A^0DC^0AD")},
         {"ZCZC IF07|A|B|CD|NNNN", "", "1 0 0 0"}},
        {"a caret without two hex digits is malformed",
         {nrx("001,001,00,IG07", "BAD ^2"), nrx("001,001,00,IG07", "BAD ^ZZ")},
         {"", "", "0 0 2 0"}},
        {"a wrong or missing checksum drops the sentence and leaves its message incomplete",
         {nrx("003,001,00,IH08", "ONE"), spoiled(nrx("003,002,00,", "TWO")),
          nrx("003,003,00,", "THREE"), nrx("001,001,01,II09", "X").substr(0, 50)},
         {"", "lost IH08", "0 0 3 1"}},
        {"a lost sentence",
         {nrx("003,001,00,IJ10", "A"), nrx("003,003,00,", "C")},
         {"", "lost IJ10", "0 0 1 1"}},
        {"a repeated sentence",
         {nrx("003,001,00,IK11", "A"), nrx("003,002,00,", "B"), nrx("003,002,00,", "B")},
         {"", "lost IK11", "0 0 1 1"}},
        {"a sentence count that changes",
         {nrx("003,001,00,IL12", "A"), nrx("004,002,00,", "B")},
         {"", "lost IL12", "0 0 1 1"}},
        {"a new first sentence drops the unfinished message and starts",
         {nrx("002,001,05,IM13", "OLD"), nrx("001,001,05,IN14", "NEW")},
         {"ZCZC IN14|NEW|NNNN", "lost IM13", "1 0 0 1"}},
        {"status V: the receiver saw no proper end",
         {nrx("001,001,00,IO15", "CUT", 'V'), nrx("002,001,01,IP16", "A", 'V'),
          nrx("002,002,01,", "B")},
         {"", "noend IO15|noend IP16", "0 0 0 2"}},
        {"legacy sentences by message code, one line each, commas and marks as they stand",
         {sentence("$NXNRX,IQ17,1,2,2,05,12,2026,120000,0,FIRST, LINE*"),
          sentence("$NXNRX,IR18,1,1,2,05,12,2026,120000,0,OTHER*"),
          sentence("$NXNRX,IQ17,2,2,2,05,12,2026,120000,5,SEC*ND*")},
         {"ZCZC IR18|OTHER|NNNN|ZCZC IQ17|FIRST, LINE|SEC*ND|NNNN", "", "2 0 0 0"}},
        {"other sentences are ignored; a bad checksum is dropped first",
         {sentence("$GPRMC,120000,A,5230.00,N,00130.00,E,0.0,0.0,051226,,*"),
          sentence("!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*"),
          sentence("!CRNRX,001,001,00,IS19,2,120000.00,05,12,2026,1,0,A,X*"),
          spoiled(sentence("$GPRMC,120000,A,5230.00,N,00130.00,E,0.0,0.0,051226,,*"))},
         {"", "", "0 3 1 0"}},
        {"too few fields or numbers out of range",
         {sentence("$CRNRX,001,001,00,IT20*"), nrx("001,002,00,IT20", "X"),
          nrx("1000,001,00,IT20", "X"), nrx("001,001,100,IT20", "X"),
          sentence("$NXNRX,IU21,3,2,2,05,12,2026,120000,0,X*")},
         {"", "", "0 0 5 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SentenceDecoder decoder;
        const Fed fed = feedAll(decoder, c.sentences);
        EXPECT_EQ(fed.lines, c.expected.lines);
        EXPECT_EQ(fed.dropped, c.expected.dropped);
        EXPECT_EQ(fed.counts, c.expected.counts);
    }
}

TEST(SentenceDecoder, UnfinishedMessagesAreBounded)
{
    SentenceDecoder decoder;
    std::vector<std::string> starts;
    for (int id = 0; id <= 10; ++id)
        starts.push_back(
            nrx("002,001," + std::to_string(10 + id) + ",IA" + std::to_string(10 + id), "START"));
    starts.push_back(nrx("002,002,10,", "END")); // the oldest went when the eleventh started
    starts.push_back(nrx("002,002,20,", "END"));
    EXPECT_EQ(feedAll(decoder, starts).dropped, "crowded IA10");
    EXPECT_EQ(decoder.counts().messages, 1);

    // 999 sentences of 70 characters are more than 64 KiB of text.
    std::vector<std::string> longOne{nrx("999,001,00,IB01", std::string(70, 'X'))};
    for (int n = 2; n <= 999; ++n)
        longOne.push_back(
            nrx("999," + std::to_string(n + 1000).substr(1) + ",00,", std::string(70, 'X')));
    const Fed fed = feedAll(decoder, longOne);
    EXPECT_EQ(fed.dropped, "toolong IB01");
    EXPECT_EQ(fed.lines, "");
}

} // namespace
} // namespace fenlark::test
