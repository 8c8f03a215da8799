// Live reception: the serial stream cut into lines, messages framed by their header and end lines,
// error marks counted, and the limits that keep a line and a body bounded.
#include "nmea/nrx.h"
#include "reception/line_ends.h"
#include "reception/line_limits.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::TestProgram;
using test::visible;

// `count` lines of `length` letters, each with `before` and `after` it.
std::string lines(int count, std::size_t length, const std::string& before,
                  const std::string& after)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += before + std::string(length, 'A') + after;
    return out;
}

TEST(Framing, AStreamFilesWhatItsLinesFrame)
{
    // One stream into a fresh program: what slot 0 holds (nothing when `msgid` is null) and what
    // Label1 shows at the end.
    struct Case {
        const char* what;
        std::string stream;
        const char* msgid;
        std::string msgtext = "";
        int errcount = 0;
        std::string label1 = "Incoming Message       ";
        std::string errchar = "~";
    };
    const std::string cap(kMaxLineLength, 'A');
    const std::vector<Case> cases = {
        {"CR LF", "ZCZC XA01\r\nONE\r\nTWO\r\nNNNN\r\n", "XA01", "\r\nONE\r\nTWO"},
        {"LF alone ends nothing", "ZCZC XA01\rONE\nTWO\rNNNN\r", "XA01", "\r\nONETWO"},
        {"two CRs: an empty line", "ZCZC XA01\rONE\r\rTWO\rNNNN\r", "XA01", "\r\nONE\r\n\r\nTWO"},
        {"controls dropped", "ZCZC XA01\rO\x01N\x1B\tE\x7F\x80\xFF\rNNNN\r", "XA01",
         "\r\nONE\x7F\x80\xFF"},
        {"$ and ! lines that are no sentence are text",
         "ZCZC XA01\r\n$5 A TON\r\n!GALE\r\n$GPRMC,1*00\r\nNNNN\r\n", "XA01",
         "\r\n$5 A TON\r\n!GALE\r\n$GPRMC,1*00"},
        {"upper-casing is ASCII only", "zczc xa01\rgale \xE4 z\rNNNN\r", "XA01", "\r\nGALE \xE4 Z"},
        {"lower-case end mark, at its third n", "ZCZC XA01\rBODY\rnnnn", "XA01", "\r\nBODY"},
        {"ZCZC alone", "ZCZC\rNNNN\r", ""},
        {"no separator", "ZCZCXA12\rNNNN\r", "A12"},
        {"text around the header", "QJE T ZCZC XA12 MORE\rNNNN\r", "XA12"},
        {"a header holding NNNN", "ZCZC XA12 NNNN\rBODY\rNNNN\r", "XA12", "\r\nBODY"},
        {"NNN inside a word ends", "ZCZC XA12\rNN\rDINNNER\rTWO\rNNNN\r", "XA12", "\r\nNN"},
        {"a header drops the unfinished message", "ZCZC XA01\rONE\rZCZC XB02\rNNNN\r", "XB02"},
        {"no header", "BODY\rNNNN\r", nullptr, "", 0, "Incoming  Message"},
        {"a marked separator", "ZCZC~XA12\rNNNN\r", nullptr, "", 0, "Incoming Message XA12"},
        {"a marked header drops the unfinished message", "ZCZC XA01\rONE\rZCZC XB~2\rNNNN\r",
         nullptr, "", 0, "Incoming Message XB~2"},
        {"marks in the body", "ZCZC XA01\r~~~~~\rA~B~C\rNNNN\r", "XA01", "\r\n~~~~~\r\nA~B~C", 7},
        {"another error character", "ZCZC XA01 ~\rA#B##\rNNNN\r", "XA01", "\r\nA#B##", 3,
         "Incoming Message       ", "#"},
        {"rated upper-cased", "zczc xa01\raaa\rnnnn", "XA01", "\r\nAAA", 0,
         "Incoming Message       ", "a"},
        {"no error character", "ZCZC XA~1\r~\rNNNN\r", "XA~1", "\r\n~", 0,
         "Incoming Message       ", ""},
        {"two error characters", "ZCZC XA~1\r~\rNNNN\r", "XA~1", "\r\n~", 0,
         "Incoming Message       ", "~~"},
        {"a line at the limit", "ZCZC XA01\r" + cap + "\rNNNN\r", "XA01", "\r\n" + cap},
        {"a line past the limit", "ZCZC XA01\r" + cap + cap + "A\rNNNN\r", "XA01",
         "\r\n" + cap + "\r\n" + cap + "\r\nA"},
        {"a body of 64 KiB", "ZCZC XA01\r\n" + lines(16, 4094, "", "\r\n") + "NNNN\r\n", "XA01",
         lines(16, 4094, "\r\n", "")},
        {"a body past 64 KiB",
         "ZCZC XA01\r\n" + lines(15, 4094, "", "\r\n") + cap + "\r\nB\rNNNN\r", nullptr, "", 0,
         "Too long - XA01 not filed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + visible(c.stream.substr(0, 60)));
        TestProgram p;
        p.state().errchar = c.errchar;
        p.receive(c.stream);
        ASSERT_EQ(p.state().msgcount, c.msgid ? 1 : 0);
        if (c.msgid) {
            const MessageRecord& r = p.state().MessageTable[0];
            EXPECT_EQ(r.msgid, c.msgid);
            EXPECT_TRUE(r.msgtext == c.msgtext) << visible(r.msgtext.substr(0, 80));
            EXPECT_EQ(r.errcount, c.errcount);
            EXPECT_EQ(r.rxcount, 1);
        }
        EXPECT_EQ(p.form().Label1.caption(), c.label1);
        EXPECT_FALSE(p.state().inmessage);
        EXPECT_EQ(p.form().Text9.text(), p.state().rxbuffer);
    }
}

TEST(LineEnds, AStrayByteCostsAtMostOneLine)
{
    // The lines a fresh stream gives, "|" after each.
    const std::pair<const char*, const char*> cases[] = {
        {"A\nB\n", "A|B|"},
        {"A\r\nB\r\n", "A|B|"},
        {"A\rB\r\r", "A|B||"},
        {"A\n\rB\n\r", "A|B|"},
        {"A\nB\nC1\rC2\nD\n", "A|B|C1|C2|D|"}, // LF with a stray CR
        {"A\nB\r\nC\nD\n", "A|B|C|D|"},        // LF with a stray CR LF
        {"A\r\nB1\nB2\r\nC\r\n", "A|B1B2|C|"}, // CR LF with a stray LF
        {"A\rB1\nB2\rC\r", "A|B1B2|C|"},       // CR with a stray LF
        {"\rA\nB\nC\nD\n", "|AB|C|D|"},        // a stray CR before the first LF
    };
    for (const auto& [stream, expected] : cases) {
        LineEnds ends;
        std::string lines;
        for (const char* c = stream; *c; ++c)
            lines += ends.endsLine(*c) ? "|" : *c < 32 ? "" : std::string(1, *c);
        EXPECT_EQ(lines, expected) << visible(stream);
    }
}

TEST(Delivery, BytesArrivingWhileAHandlerRunsAreNeverTakenForIt)
{
    // Every 10th read a whole message arrives, as a datagram does during delivery.
    TestProgram p;
    int reads = 0, sent = 0;
    p.serial.onRead = [&] {
        if (++reads % 10 == 0 && sent < 200)
            p.serial.input().append("ZCZC A" + std::to_string(sent++ % 10) + "00\nMESSAGE\nNNNN\n");
    };
    p.serial.send("ZCZC AZ99\nMESSAGE\nNNNN\n");
    ASSERT_EQ(sent, 10 * 20);
    EXPECT_EQ(p.state().msgcount, 11);
    for (int i = 0; i < p.state().msgcount; ++i)
        EXPECT_EQ(p.state().MessageTable[static_cast<std::size_t>(i)].msgtext, "\r\nMESSAGE");
    EXPECT_EQ(p.state().MessageTable[4].rxcount, 20);
}

TEST(ReceivedStreams, ChannelsAndNrxAreFramedApartAndFiledWithTheirFrequency)
{
    TestProgram p;
    // Two channels of a decoder byte by byte, the second starting afresh in the middle of EA03.
    const std::string on490 = "ZCZC EA01\r\nON 490\r\nNNNN\r\nZCZC EA04\r\nAFTER\r\nNNNN\r\n";
    const std::string on518 = "ZCZC EA02\nON 518\nNNNN\nZCZC EA03\nHALF";
    for (std::size_t i = 0; i < on490.size(); ++i) {
        if (i == on490.size() - 8) // before EA04's end line: its figures
            p.serial.input().setFigures(1, {{"snr_db", 4.5}});
        p.serial.sendOn(1, 490, on490.substr(i, 1));
        if (i < on518.size())
            p.serial.sendOn(2, 518, on518.substr(i, 1));
    }
    p.serial.input().restart(2);
    p.serial.sendOn(2, 518, "L");
    EXPECT_EQ(p.form().Label1.caption(), "Cut off - EA03 not filed");
    EXPECT_EQ(p.form().Text9.text(), "L");
    p.serial.sendOn(2, 518, "F\nZCZC EA05\nNNNN\n");
    // The port's own stream: an NRX message completes inside a plain-text one.
    p.serial.send("ZCZC GA01\r\nPLAIN\r\n" + test::nrx("001,001,00,GA02", "SENTENCE") +
                  "\r\nMORE\r\nNNNN\r\n");
    std::string filed;
    for (const MessageRecord& r : test::tableRecords(p))
        filed += r.msgid + " " + std::to_string(r.spare) + " " + visible(r.msgtext) + " " +
                 (r.figures.empty() ? "" : r.figures[0].name) + "|";
    EXPECT_EQ(filed, "EA02 518 \\r\\nON 518 |EA01 490 \\r\\nON 490 |EA04 490 \\r\\nAFTER snr_db|"
                     "EA05 518  |GA02 518 \\r\\nSENTENCE |"
                     "GA01 0 \\r\\nPLAIN\\r\\nMORE |");
}

} // namespace
} // namespace fenlark
