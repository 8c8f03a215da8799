// Capture file replay: the recorded stream goes through the same framing and filing as the serial
// port, and the two continue each other's lines and messages.
#include "common/text.h"
#include "storage/log_format.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::readFile;
using test::TestProgram;
using test::visible;

// What reception left behind: the records in use as the log writes them, both lists, and the
// framing state, the line in progress upper-cased (a replay keeps it so, the serial port not).
std::string outcome(TestProgram& p)
{
    const State& s = p.state();
    return formatLog(s.MessageTable, s.msgcount) + test::listState(p.form().MessageList) + " | " +
           test::listState(p.form().MessageList2) + " | " + upperCase(s.rxbuffer) +
           (s.inmessage ? " | in " : " | out ") + visible(s.curtext);
}

void replay(TestProgram& p, const std::string& bytes)
{
    // A new file rather than a truncated one, which the file system would flush at every close.
    std::filesystem::remove("capture.txt");
    test::writeFile("capture.txt", bytes);
    p.form().mnucapture.click();
}

TEST(CaptureReplay, TheSampleCutAtEveryKindOfBoundaryFilesAsTheSerialPortDoes)
{
    // One piece arrives on the serial port and the other is replayed, either way round; after each
    // piece the program stands where live reception of the same bytes leaves it.
    const std::string capture = readFile(FENLARK_DATA_DIR "/capture-sample.txt");
    std::vector<std::size_t> cuts = {0, capture.size()};
    for (const char* mark : {"ZCZC", "NNNN", "\r\n"}) {
        const std::size_t at = capture.find(mark, 1000);
        ASSERT_NE(at, std::string::npos) << mark;
        cuts.insert(cuts.end(), {at, at + 1, at + 2});
    }
    cuts.push_back(capture.find("ZCZC ", 1000) + 7); // inside an identifier
    std::mt19937 rng(5);
    for (int i = 0; i < 6; ++i)
        cuts.push_back(rng() % capture.size());
    for (const std::size_t cut : cuts) {
        SCOPED_TRACE("cut before byte " + std::to_string(cut) + " (" +
                     visible(capture.substr(cut, 12)) + "...)");
        // Each stream starts afresh and has shown no CR yet, so a second piece that begins with
        // the LF of a CR LF pair ends a line with it, as a CR would.
        std::string stream = capture;
        if (cut > 0 && cut < capture.size() && capture[cut] == '\n')
            stream[cut] = '\r';
        TestProgram whole;
        whole.receive(stream);
        ASSERT_GT(whole.state().msgcount, 20);
        TestProgram live;
        live.receive(capture.substr(0, cut));
        TestProgram replayed;
        replay(replayed, capture.substr(0, cut));
        EXPECT_EQ(outcome(replayed), outcome(live));
        replayed.receive(capture.substr(cut));
        EXPECT_EQ(outcome(replayed), outcome(whole));
        replay(live, capture.substr(cut));
        EXPECT_EQ(outcome(live), outcome(whole));
    }
}

TEST(CaptureReplay, ContinuesTheLineInProgressInUpperCaseAndEndsLinesOnlyAtCarriageReturn)
{
    TestProgram p;
    p.receive("zczc xa01\r\nlive li");
    std::filesystem::remove("capture.txt");
    p.form().mnucapture.click(); // no capture file and none chosen: nothing is made or replayed
    EXPECT_EQ(p.dialogs.fileDialogs, std::vector<std::string>{"Capture file load"});
    EXPECT_FALSE(std::filesystem::exists("capture.txt"));
    EXPECT_EQ(p.state().rxbuffer, "live li");
    // A recording chosen in the file dialog is replayed as capture.txt would be.
    test::writeFile("elsewhere.txt", "ne\r\nlower\x01 body \xE4\r\nnnnn\r\nzczc xb02\r\nnnnn more");
    p.dialogs.files = {"elsewhere.txt"};
    p.form().mnucapture.click();
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.state().MessageTable[0].msgid, "XA01");
    EXPECT_EQ(visible(p.state().MessageTable[0].msgtext),
              visible("\r\nLIVE LINE\r\nLOWER BODY \xE4"));
    // The last line has no carriage return: it waits, upper-cased, for the serial port.
    EXPECT_EQ(p.state().rxbuffer, "NNNN MORE");
    EXPECT_EQ(p.form().Text9.text(), "NNNN MORE");
    p.receive("\r");
    EXPECT_EQ(p.state().msgcount, 2);
}

} // namespace
} // namespace fenlark
