// Copy quality: counting the receiver's error marks and the percentage of good copy.
#include "reception/copy_quality.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <string>

namespace fenlark {
namespace {

using test::TestProgram;
using test::visible;

TEST(ErrorMarkCount, CountsEveryOccurrenceOfTheErrorCharacter)
{
    struct Case {
        std::string line;
        std::string errchar;
        long long marks;
    };
    const Case cases[] = {
        {"~~~~~", "~", 5},         // a line of only marks counts its whole length
        {"A~B ~ C~", "~", 3},      // marks anywhere
        {"", "~", 0},              // an empty line
        {"NO MARKS", "~", 0},      // a clean line
        {"A~B~C", "", 0},          // no error character: nothing counts
        {"A~~B", "~~", 0},         // longer than one character never equals one character
        {"A#B##", "#", 3},         // another error character
        {"A\x7F-\x7F", "\x7F", 2}, // the character of code 127
        {"a?A?", "?", 2},          // letters are no marks
        {"UPPER CASE", "a", 0},    // case matters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("line \"" + visible(c.line) + "\", errchar \"" + visible(c.errchar) + "\"");
        EXPECT_EQ(countErrorMarks(c.line, c.errchar), c.marks);
    }
}

TEST(CopyPercentage, RoundsDownAndStaysWithinZeroToHundred)
{
    struct Case {
        long long length;
        long long errors;
        int percent;
    };
    const Case cases[] = {
        {300, 3, 99},      // 99.0
        {300, 0, 100},     // no marks
        {100, 1, 99},      // 99.0
        {100000, 1, 99},   // 99.999 is rounded down
        {3, 1, 66},        // 66.7
        {1, 1, 0},         // nothing but marks
        {200, 199, 0},     // 0.5
        {200, 100, 50},    // exact half
        {0, 0, 100},       // an empty body has nothing wrong with it
        {0, 4, 0},         // ... unless it claims marks
        {10, 20, 0},       // more marks than characters (a hand-edited log): clamped
        {10, -5, 100},     // a negative count: clamped
        {32767, 32767, 0}, // the largest count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.errors) + " marks in " + std::to_string(c.length));
        EXPECT_EQ(copyPercentage(c.length, c.errors), c.percent);
    }
}

TEST(CopyQualityInFiling, LinesAreUpperCasedBeforeTheyAreRated)
{
    // A lower-case error character never matches, since filing rates upper-cased lines.
    TestProgram p(" 0 \r\n9600\r\nn\r\n8\r\n1\r\na\r\n");
    ASSERT_EQ(p.state().errchar, "a");
    p.receive("zczc xa01\r\nabracadabra aaa\r\nnnnn\r\n");
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.state().MessageTable[0].errcount, 0);
}

TEST(CopyQualityInFiling, EmptyErrorCharacterCountsNothingAndEveryRepeatReplaces)
{
    TestProgram p;
    p.state().errchar = "";
    p.receiveMessage("XA~1", {"~~~ FIRST"}); // the header's "~" is no mark now
    p.receiveMessage("XA~1", {"~~~~~~ SECOND"});
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.state().MessageTable[0].errcount, 0);
    EXPECT_EQ(p.state().MessageTable[0].msgtext, "\r\n~~~~~~ SECOND");
}

TEST(CopyQualityInFiling, ErrorMarkInTheHeaderDropsACleanMessage)
{
    TestProgram p(" 0 \r\n9600\r\nn\r\n8\r\n1\r\n#\r\n");
    p.receiveMessage("XA01 #", {"CLEAN", "BODY"});
    EXPECT_EQ(p.state().msgcount, 0);
    p.receiveMessage("XA01 ~", {"CLEAN", "BODY"}); // "~" is no mark with "#" chosen
    EXPECT_EQ(p.state().msgcount, 1);
}

} // namespace
} // namespace fenlark
