// Filing: repeats, a full message table, and the copy rating.
#include "reception/copy_quality.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::TestProgram;

TEST(Filing, ARepeatKeepsTheCopyWithFewerMarksAndCountsTheReception)
{
    // {marks stored, marks in the repeat, marks kept, repeat kept, reception count before and
    // after}: a tie goes to the newer copy, and counts past the largest value compare as stored.
    const int cases[][6] = {{1, 2, 1, 0, 1, 2},
                            {1, 1, 1, 1, 1, 2},
                            {2, 0, 0, 1, 32766, 32767},
                            {32767, 40000, 32767, 1, 32767, 32767}};
    for (const auto& [stored, repeat, kept, replaced, before, after] : cases) {
        SCOPED_TRACE(testing::Message() << stored << " marks stored, " << repeat << " repeated");
        TestProgram p;
        const DateTime first = p.clock.now();
        p.receiveMessage("EA42", {"FIRST"});
        p.state().MessageTable[0].errcount = static_cast<std::int16_t>(stored);
        p.state().MessageTable[0].rxcount = static_cast<std::int16_t>(before);
        p.clock.advance(90000);
        p.receiveMessage("EA42", {"AGAIN", std::string(static_cast<std::size_t>(repeat), '~')});
        ASSERT_EQ(p.state().msgcount, 1);
        const MessageRecord& r = p.state().MessageTable[0];
        EXPECT_EQ(r.msgtext.substr(0, 7), replaced ? "\r\nAGAIN" : "\r\nFIRST");
        EXPECT_EQ(r.errcount, kept);
        EXPECT_EQ(r.rxcount, after);
        EXPECT_EQ(r.firstrx, first);
        EXPECT_EQ(r.lastrx, p.clock.now());
    }
}

// Gives the table `count` records "0000", "0001", ... and rebuilds the lists.
void fillTable(TestProgram& p, int count)
{
    for (int i = 0; i < count; ++i)
        p.state().MessageTable[static_cast<std::size_t>(i)] = {
            std::to_string(10000 + i).substr(1), "", 0, p.clock.now(), p.clock.now(), 1, 0, {}};
    p.state().msgcount = static_cast<std::int16_t>(count);
    p.form().MessageTypeList.setListIndex(0);
}

TEST(Filing, AFullTableRefusesNewIdentifiersAndSaysSoOnceUntilAMessageIsFiledAgain)
{
    TestProgram p;
    fillTable(p, kTableSlots - 1);
    p.receiveMessage("XA01"); // the last slot
    ASSERT_EQ(p.state().msgcount, kTableSlots);
    const std::vector<MessageRecord> before = test::tableRecords(p);
    p.receiveMessage("XB02");
    p.receiveMessage("XB03");
    EXPECT_TRUE(test::tableRecords(p) == before);
    EXPECT_EQ(p.form().Label1.caption(), "Table full - XB03 not filed");
    EXPECT_EQ(p.dialogs.notices.size(), 1u);
    p.receiveMessage("0007", {"AGAIN"}); // a repeat still updates its record
    EXPECT_EQ(p.state().MessageTable[7].msgtext, "\r\nAGAIN");
    EXPECT_EQ(p.state().MessageTable[7].rxcount, 2);

    fillTable(p, kTableSlots - 1);
    p.receiveMessage("XB04");
    p.receiveMessage("XB05");
    EXPECT_EQ(p.state().msgcount, kTableSlots);
    EXPECT_EQ(p.dialogs.notices.size(), 2u);
}

TEST(CopyPercentage, RoundsDownAndStaysWithinZeroToHundred)
{
    // {length, marks, percent}: an empty body has nothing wrong with it unless it claims marks;
    // counts a hand-edited log may hold are clamped.
    const int cases[][3] = {{300, 3, 99}, {3, 1, 66},  {0, 0, 100},
                            {0, 4, 0},    {10, 20, 0}, {10, -5, 100}};
    for (const auto& c : cases)
        EXPECT_EQ(copyPercentage(c[0], c[1]), c[2]) << c[1] << " marks in " << c[0];
}

} // namespace
} // namespace fenlark
