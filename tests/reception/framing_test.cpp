// Live reception: the serial stream cut into lines, messages framed by their header and end lines,
// error marks counted, and the limits that keep a line and a body bounded.
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

} // namespace
} // namespace fenlark
