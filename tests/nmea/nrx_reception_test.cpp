// Messages arriving as NRX sentences, live and replayed, are filed as the same messages arriving
// as plain text are; those not filed say why on the reception label.
#include "nmea/nrx.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fenlark::test {
namespace {

// What filing left: every record, both lists and the reception texts.
std::string outcome(TestProgram& p)
{
    std::string out;
    for (int i = 0; i < p.state().msgcount; ++i) {
        const MessageRecord& r = record(p, i);
        out += r.msgid + " \"" + visible(r.msgtext) + "\" marks " + std::to_string(r.errcount) +
               " received " + std::to_string(r.rxcount) + "\n";
    }
    return out + listState(p.form().MessageList) + " / " + listState(p.form().MessageList2) + "\n" +
           p.form().Label1.caption() + " / " + p.form().Text11.text() + " / " +
           p.form().Text12.text();
}

void replay(TestProgram& p, const std::string& bytes)
{
    std::filesystem::remove("capture.txt");
    writeFile("capture.txt", bytes);
    p.form().mnucapture.click();
}

std::string lines(const std::vector<std::string>& sentences, const char* end = "\r\n")
{
    std::string out;
    for (const std::string& s : sentences)
        out += s + end;
    return out;
}

const std::string kStarSettings = " 0 \r\n9600\r\nn\r\n8\r\n1\r\n*\r\n";

TEST(NrxReception, FilesWhatTheSameMessagesAsPlainTextFile)
{
    struct Case {
        const char* name;
        std::string plain;
        std::string sentences;
        std::string settings = kPortZeroSettings;
    };
    const std::string gprmc =
        sentence("$GPRMC,120000,A,5230.00,N,00130.00,E,0.0,0.0,051226,,*") + "\r\n";
    const Case cases[] = {
        {"one sentence", "ZCZC IA01\r\nGALE WARNING\r\nWIND 8\r\nNNNN\r\n",
         lines({nrx("001,001,00,IA01", "GALE WARNING^0D^0AWIND 8^0D^0A")})},
        {"three sentences, escapes, and an odd count of lower-case letters that replay keeps",
         "ZCZC IB02\r\nSTAR * COMMA , CARET ^\r\nnext lines\r\nNNNN\r\n",
         lines({nrx("003,001,07,IB02", "STAR ^2A COMMA ^2C"), nrx("003,002,07,", " CARET ^5E^0D"),
                nrx("003,003,07,", "^0Anext lines")})},
        {"a repeat with a worse copy",
         "ZCZC IC03\r\nSHIP ADRIFT\r\nNNNN\r\nZCZC IC03\r\nSH~P A~RIFT\r\nNNNN\r\n",
         lines({nrx("001,001,00,IC03", "SHIP ADRIFT"), nrx("001,001,01,IC03", "SH~P A~RIFT")})},
        {"sentences mixed with plain text and other sentences",
         "ZCZC ID04\r\nA\r\nNNNN\r\nZCZC ID05\r\nB\r\nNNNN\r\nZCZC ID06\r\nC\r\nNNNN\r\n",
         "ZCZC ID04\r\nA\r\nNNNN\r\n" + gprmc + lines({nrx("001,001,00,ID05", "B")}) + gprmc +
             "ZCZC ID06\r\nC\r\nNNNN\r\n"},
        {"sentences ended by LF alone", "ZCZC IE07\r\nONE\r\nTWO\r\nNNNN\r\n",
         lines({nrx("002,001,00,IE07", "ONE^0D^0A"), nrx("002,002,00,", "TWO")}, "\n")},
        {"a lower-case end mark inside a sentence does not cut it", "ZCZC IF08\r\nLINE\r\nnnnn\r\n",
         lines({nrx("001,001,00,IF08", "LINE^0D^0Annnn")})},
        {"a receiver marking bad characters with * and the error character *",
         "ZCZC IG09\r\nGA*E FO*CE 9\r\nNNNN\r\n",
         lines({nrx("001,001,00,IG09", "GA^2AE FO^2ACE 9")}), kStarSettings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestProgram plain(c.settings);
        plain.receive(c.plain);
        EXPECT_GT(plain.state().msgcount, 0);
        TestProgram live(c.settings);
        live.receive(c.sentences);
        EXPECT_EQ(outcome(live), outcome(plain));
        TestProgram replayed(c.settings);
        replay(replayed, c.sentences);
        EXPECT_EQ(outcome(replayed), outcome(plain));
    }
}

TEST(NrxReception, TheReceptionLabelSaysWhyAMessageWasNotFiled)
{
    const std::pair<std::string, std::string> cases[] = {
        {lines({nrx("001,001,00,IA01", "CUT", 'V')}), "No proper end - IA01 not filed"},
        {lines({nrx("003,001,00,IB02", "A"), nrx("003,003,00,", "C")}),
         "Sentence lost - IB02 not filed"},
    };
    for (const auto& [stream, caption] : cases) {
        SCOPED_TRACE(caption);
        TestProgram p;
        p.receive(stream);
        EXPECT_EQ(p.form().Label1.caption(), caption);
        EXPECT_EQ(p.state().msgcount, 0);
        EXPECT_EQ(p.state().sentences.counts().droppedMessages, 1);
    }
}

} // namespace
} // namespace fenlark::test
