// Live reception: how the characters from the serial port are cut into lines and echoed.
#include "reception/line_limits.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace fenlark {
namespace {

using test::record;
using test::TestProgram;
using test::visible;

TEST(SerialFraming, EndsLinesAsTheReceiverSendsThem)
{
    // Each stream holds one message; the stored body shows which lines were handed to filing.
    struct Case {
        const char* what;
        std::string stream;
        std::string msgtext;
    };
    const Case cases[] = {
        {"CR LF", "ZCZC XA01\r\nONE\r\nTWO\r\nNNNN\r\n", "\r\nONE\r\nTWO"},
        {"CR alone", "ZCZC XA01\rONE\rTWO\rNNNN\r", "\r\nONE\r\nTWO"},
        {"LF CR", "ZCZC XA01\n\rONE\n\rTWO\n\rNNNN\n\r", "\r\nONE\r\nTWO"},
        {"LF alone ends nothing", "ZCZC XA01\rONE\nTWO\rNNNN\r", "\r\nONETWO"},
        {"two CRs give an empty line", "ZCZC XA01\rONE\r\rTWO\rNNNN\r", "\r\nONE\r\n\r\nTWO"},
        {"blank line in CR LF", "ZCZC XA01\r\nONE\r\n\r\nTWO\r\nNNNN\r\n", "\r\nONE\r\n\r\nTWO"},
        {"control characters dropped", "ZCZC XA01\rO\x01N\x1B\tE\x7F\rNNNN\r", "\r\nONE\x7F"},
        {"codes 127 and above kept", "ZCZC XA01\r\x7F\x80\xC4\xFF\rNNNN\r", "\r\n\x7F\x80\xC4\xFF"},
        {"upper-casing is ASCII only", "ZCZC XA01\rgale \xE4\xF6 z\rNNNN\r", "\r\nGALE \xE4\xF6 Z"},
        {"lower-case end mark", "zczc xa01\rbody\rnnnn\r", "\r\nBODY"},
        {"upper-case NNN inside a line waits for CR", "ZCZC XA01\rONE\rNNNNX\r", "\r\nONE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + visible(c.stream));
        TestProgram p;
        p.receive(c.stream);
        ASSERT_EQ(p.state().msgcount, 1);
        EXPECT_EQ(record(p, 0).msgid, "XA01");
        EXPECT_EQ(visible(record(p, 0).msgtext), visible(c.msgtext));
        EXPECT_EQ(p.state().rxbuffer, "");
        EXPECT_FALSE(p.state().inmessage);
    }
}

TEST(SerialFraming, CarriageReturnHandsTheLineOverAndLineFeedIsDropped)
{
    TestProgram p;
    p.receive("xa");
    EXPECT_EQ(p.state().rxbuffer, "xa"); // kept as received until filing
    EXPECT_EQ(p.form().Text9.text(), "xa");
    p.receive("\r");
    EXPECT_EQ(p.state().rxline, "XA");
    EXPECT_EQ(p.state().rxbuffer, "");
    EXPECT_EQ(p.form().Text9.text(), "");
    p.receive("\n");
    EXPECT_EQ(p.state().rxbuffer, "");
    EXPECT_EQ(p.state().rxline, "XA"); // no second hand-over
}

TEST(SerialFraming, LowerCaseEndMarkIsHandedOverAtTheThirdN)
{
    TestProgram p;
    p.receive("zczc xa01\r\nbody\r\nnn");
    EXPECT_EQ(p.state().msgcount, 0);
    EXPECT_EQ(p.state().rxbuffer, "nn");

    p.receive("n");
    EXPECT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.state().rxline, "NNN");
    EXPECT_EQ(p.state().rxbuffer, "");
    EXPECT_EQ(p.form().Text9.text(), "");

    p.receive("n");
    EXPECT_EQ(p.state().rxbuffer, "n");
    EXPECT_EQ(p.form().Text9.text(), "n");

    p.receive("\r\n");
    EXPECT_EQ(p.state().rxline, "N");
    EXPECT_EQ(p.state().rxbuffer, "");
    EXPECT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(visible(record(p, 0).msgtext), "\\r\\nBODY");
}

TEST(SerialFraming, EchoShowsOnlyTheLineInProgress)
{
    // Replayed byte by byte, the echo always equals the reception buffer; it is emptied at every
    // line handed over.
    std::ifstream in(FENLARK_DATA_DIR "/capture-sample.txt", std::ios::binary);
    const std::string capture{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(capture.empty());
    TestProgram p;
    std::size_t lines = 0;
    for (std::size_t i = 0; i < capture.size(); ++i) {
        p.receive(std::string(1, capture[i]));
        ASSERT_EQ(p.form().Text9.text(), p.state().rxbuffer) << "after byte " << i;
        if (capture[i] == '\r') {
            ++lines;
            ASSERT_EQ(p.form().Text9.text(), "") << "after byte " << i;
        }
    }
    EXPECT_GT(lines, 100u);
    EXPECT_GT(p.state().msgcount, 0);
}

TEST(SerialFraming, ALineAtTheLengthLimitIsHandedOver)
{
    struct Case {
        std::size_t length; // characters sent without a carriage return, then one CR
        std::string msgtext;
    };
    const std::string cap(kMaxLineLength, 'A');
    const Case cases[] = {
        {kMaxLineLength - 1, "\r\n" + std::string(kMaxLineLength - 1, 'A')},
        {kMaxLineLength, "\r\n" + cap}, // the CR ends a line exactly at the limit
        {kMaxLineLength + 1, "\r\n" + cap + "\r\nA"},
        {2 * kMaxLineLength + 5, "\r\n" + cap + "\r\n" + cap + "\r\nAAAAA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("a line of " + std::to_string(c.length) + " characters");
        TestProgram p;
        p.receive("ZCZC XA01\r\n");
        p.receive(std::string(c.length, 'A') + "\r\nNNNN\r\n");
        ASSERT_EQ(p.state().msgcount, 1);
        EXPECT_EQ(record(p, 0).msgtext.size(), c.msgtext.size());
        EXPECT_TRUE(record(p, 0).msgtext == c.msgtext);
    }
}

TEST(SerialFraming, AMegabyteWithoutCarriageReturnKeepsLineAndBodyBounded)
{
    TestProgram p;
    std::size_t largest = 0;
    std::size_t largestBody = 0;
    p.form().Text9.setObserver([&] {
        largest = std::max({largest, p.state().rxbuffer.size(), p.form().Text9.text().size()});
        largestBody = std::max(largestBody, p.state().curtext.size());
    });
    p.receive("ZCZC XA01\r\n");
    const std::string chunk(256, 'B');
    for (std::size_t sent = 0; sent < (1 << 20); sent += chunk.size())
        p.receive(chunk);
    EXPECT_EQ(largest, kMaxLineLength);
    EXPECT_LE(largestBody, kMaxBodyLength);
    EXPECT_EQ(p.state().rxbuffer.size(), kMaxLineLength); // the last piece waits for its CR
    p.receive("\r\nNNNN\r\n");
    EXPECT_EQ(p.state().msgcount, 0);
    EXPECT_EQ(p.form().Label1.caption(), "Too long - XA01 not filed");
}

} // namespace
} // namespace fenlark
