// Capture file replay: the recorded stream goes through the same framing and filing.
#include "reception/line_limits.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::record;
using test::TestProgram;
using test::visible;
using test::writeFile;

std::string sampleCapture()
{
    std::ifstream in(FENLARK_DATA_DIR "/capture-sample.txt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What filing left behind: the records in use, the lists and the reception state.
struct Outcome {
    std::vector<MessageRecord> records;
    std::string messageList;
    std::string messageList2;
    std::string lastid;
    std::string lastnewid;
    std::string rxbuffer;
    bool inmessage = false;
    std::string curtext;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome outcome(TestProgram& p)
{
    const State& s = p.state();
    return {{s.MessageTable.begin(), s.MessageTable.begin() + s.msgcount},
            test::listState(p.form().MessageList),
            test::listState(p.form().MessageList2),
            s.lastid,
            s.lastnewid,
            s.rxbuffer,
            s.inmessage,
            s.curtext};
}

void replay(TestProgram& p, const std::string& bytes)
{
    // A new file rather than a truncated one, which the file system would flush at every close.
    std::filesystem::remove("capture.txt");
    writeFile("capture.txt", bytes);
    p.form().mnucapture.click();
}

TEST(CaptureReplay, SampleFillsTheTableLikeLiveReception)
{
    const std::string capture = sampleCapture();
    ASSERT_GT(capture.size(), 1000u);
    TestProgram replayed;
    replay(replayed, capture);
    TestProgram live;
    live.receive(capture); // no lower-case "nnn" in the sample: live and replay agree
    EXPECT_GT(replayed.state().msgcount, 20);
    EXPECT_TRUE(outcome(replayed) == outcome(live));
}

TEST(CaptureReplay, SampleSplitAtEveryByteGivesTheSameTable)
{
    // The first piece is replayed from the capture file, the second arrives on the serial port:
    // a line or message cut at any byte continues across the two.
    const std::string capture = sampleCapture();
    Outcome whole;
    {
        TestProgram p;
        replay(p, capture);
        whole = outcome(p);
    }
    ASSERT_GT(whole.records.size(), 20u);
    // One program, started afresh for every cut: all shared variables back to their initial
    // values and the main window loaded again (a new program per cut would rewrite its station
    // files thousands of times).
    TestProgram p;
    for (std::size_t cut = 0; cut <= capture.size(); ++cut) {
        p.state() = State{};
        p.app.loadForm1();
        ASSERT_EQ(p.state().errchar, "~");
        replay(p, capture.substr(0, cut));
        for (std::size_t at = cut; at < capture.size(); at += 1024)
            p.receive(capture.substr(at, 1024));
        const Outcome split = outcome(p);
        ASSERT_TRUE(split == whole)
            << "cut before byte " << cut << " (" << visible(capture.substr(cut, 12)) << "...)";
    }
}

TEST(CaptureReplay, MissingFileIsCreatedEmptyAndNothingHappens)
{
    TestProgram p;
    p.receive("PART");
    ASSERT_FALSE(std::filesystem::exists("capture.txt"));
    p.form().mnucapture.click();
    EXPECT_TRUE(std::filesystem::exists("capture.txt"));
    EXPECT_EQ(std::filesystem::file_size("capture.txt"), 0u);
    EXPECT_EQ(p.state().rxbuffer, "PART");
    EXPECT_EQ(p.state().msgcount, 0);
}

TEST(CaptureReplay, ContinuesTheLineInProgress)
{
    TestProgram p;
    p.receive("ZCZC XA");
    replay(p, "01\r\nBODY\r\nNNNN\r\n");
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(record(p, 0).msgid, "XA01");
    EXPECT_EQ(record(p, 0).msgtext, "\r\nBODY");
}

TEST(CaptureReplay, KeepsLowerCaseTextInUpperCaseAndEndsLinesOnlyAtCarriageReturn)
{
    TestProgram p;
    replay(p, "zczc xa01\r\nlower body \xE4\r\nnnnn\r\nzczc xb02\r\nnnnn more");
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(record(p, 0).msgid, "XA01");
    EXPECT_EQ(visible(record(p, 0).msgtext), visible("\r\nLOWER BODY \xE4"));
    // The last line has no carriage return: it waits, upper-cased, for the next characters.
    EXPECT_EQ(p.state().rxbuffer, "NNNN MORE");
    EXPECT_EQ(p.form().Text9.text(), "NNNN MORE");
    EXPECT_TRUE(p.state().inmessage);
    p.receive("\r");
    EXPECT_EQ(p.state().msgcount, 2);
}

TEST(CaptureReplay, MessageCutOffByTheEndStaysOpen)
{
    TestProgram p;
    replay(p, "ZCZC XA01\r\nONE\r\n");
    EXPECT_TRUE(p.state().inmessage);
    EXPECT_EQ(p.state().msgcount, 0);
    p.receive("TWO\r\nNNNN\r\n");
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(record(p, 0).msgtext, "\r\nONE\r\nTWO");
}

TEST(CaptureReplay, ReplayingAgainCountsRepeats)
{
    TestProgram p;
    p.clock.set(2026, 12, 5, 9, 0, 0);
    replay(p, "ZCZC XA01\r\nA~B\r\nNNNN\r\nZCZC XB02\r\nCLEAN\r\nNNNN\r\n");
    p.clock.set(2026, 12, 7, 18, 0, 0);
    replay(p, "ZCZC XA01\r\nA~B NEW\r\nNNNN\r\nZCZC XB02\r\n~ WORSE\r\nNNNN\r\n");
    ASSERT_EQ(p.state().msgcount, 2);
    for (int slot : {0, 1}) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_EQ(record(p, slot).rxcount, 2);
        EXPECT_EQ(record(p, slot).firstrx.text(), "05/12/2026 09:00:00");
        EXPECT_EQ(record(p, slot).lastrx.text(), "07/12/2026 18:00:00");
    }
    EXPECT_EQ(record(p, 0).msgtext, "\r\nA~B NEW"); // as many marks: the newer copy
    EXPECT_EQ(record(p, 1).msgtext, "\r\nCLEAN");   // more marks: kept
}

TEST(CaptureReplay, LongLinesAreHandedOverAtTheLengthLimit)
{
    TestProgram p;
    std::size_t largest = 0;
    p.form().Text9.setObserver([&] { largest = std::max(largest, p.state().rxbuffer.size()); });
    // Three lines exactly at the limit: the last one is ended by its own CR, not cut before it.
    replay(p, "ZCZC XA01\r\n" + std::string(3 * kMaxLineLength, 'b') + "\r\nNNNN\r\n");
    EXPECT_EQ(largest, kMaxLineLength);
    ASSERT_EQ(p.state().msgcount, 1);
    const std::string full(kMaxLineLength, 'B');
    EXPECT_TRUE(record(p, 0).msgtext == "\r\n" + full + "\r\n" + full + "\r\n" + full);
}

} // namespace
} // namespace fenlark
