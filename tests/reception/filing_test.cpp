// Filing: new messages, repeats, reused identifiers, a full message table, and the copy rating.
#include "reception/copy_quality.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::TestProgram;

TEST(Filing, ANewMessageTakesTheNextSlotAndTheListsChooseIt)
{
    TestProgram p;
    p.form().Option5.choose(); // "Selected": the view shows what the lists choose
    p.receiveMessage("ZA01");
    p.receiveMessage("AB12");
    p.receiveMessage("NE05", {"~ THIRD"});
    const DateTime now = p.clock.now();
    EXPECT_EQ(p.state().MessageTable[2], (MessageRecord{"NE05", "\r\n~ THIRD", 1, now, now, 1, 0}));
    // Filing chose the new entry in the sorted list; showing the view again shows it.
    p.form().Option5.choose();
    EXPECT_EQ(p.form().Text6.text(), "Message NE05");
}

TEST(Filing, ARepeatKeepsTheCopyWithFewerMarksAndCountsTheReception)
{
    // A tie goes to the newer copy; counts past the record's largest value compare as stored.
    struct Case {
        int storedMarks;
        int repeatMarks;
        bool replaced;
        std::int16_t rxcountBefore;
        std::int16_t rxcountAfter;
    };
    const Case cases[] = {
        {1, 2, false, 1, 2},
        {1, 1, true, 1, 2},
        {2, 0, true, 32766, 32767},
        {40000, 35000, true, 32767, 32767},
    };
    // A copy's body: a word, then its marks in lines of at most 4000.
    auto copy = [](const std::string& word, int marks) {
        std::vector<std::string> body{word};
        for (int left = marks; left > 0; left -= 4000)
            body.push_back(std::string(static_cast<std::size_t>(std::min(left, 4000)), '~'));
        return body;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.storedMarks) + " marks stored, " +
                     std::to_string(c.repeatMarks) + " in the repeat");
        TestProgram p;
        const DateTime first = p.clock.now();
        p.receiveMessage("EA42", copy("FIRST", c.storedMarks));
        p.state().MessageTable[0].rxcount = c.rxcountBefore;
        p.clock.advance(90000);
        p.receiveMessage("EA42", copy("AGAIN", c.repeatMarks));
        ASSERT_EQ(p.state().msgcount, 1);
        const MessageRecord& r = p.state().MessageTable[0];
        EXPECT_EQ(r.msgtext.substr(0, 7), c.replaced ? "\r\nAGAIN" : "\r\nFIRST");
        EXPECT_EQ(r.errcount, std::min(c.replaced ? c.repeatMarks : c.storedMarks, 32767));
        EXPECT_EQ(r.rxcount, c.rxcountAfter);
        EXPECT_EQ(r.firstrx, first);
        EXPECT_EQ(r.lastrx, p.clock.now());
    }
}

TEST(Filing, AnIdentifierLastHeardMoreThan72HoursAgoStartsANewMessage)
{
    const std::pair<long long, bool> cases[] = {{72 * 3600, false}, {72 * 3600 + 1, true}};
    for (const auto& [after, isNew] : cases) {
        SCOPED_TRACE(std::to_string(after) + " s after the last reception");
        TestProgram p;
        const DateTime first = p.clock.now();
        p.receiveMessage("EA42", {"OLD"});
        p.clock.advance(86400); // heard again: the 72 hours count from here
        p.receiveMessage("EA42", {"OLD"});
        p.receiveMessage("NE05");
        p.clock.advance(after);
        p.receiveMessage("EA42", {"NEW ~"}); // more marks than the stored copy
        const MessageRecord& r = p.state().MessageTable[isNew ? 1 : 0];
        EXPECT_EQ(test::tableIds(p), (isNew ? std::vector<std::string>{"NE05", "EA42"}
                                            : std::vector<std::string>{"EA42", "NE05"}));
        EXPECT_EQ(r.msgtext, isNew ? "\r\nNEW ~" : "\r\nOLD");
        EXPECT_EQ(r.rxcount, isNew ? 1 : 3);
        EXPECT_EQ(r.firstrx, isNew ? p.clock.now() : first);
        EXPECT_EQ(test::listState(p.form().MessageList), isNew ? "NE05 EA42" : "EA42 NE05");
    }
}

// Gives the table `count` records "0000", "0001", ... and rebuilds the lists.
void fillTable(TestProgram& p, int count)
{
    for (int i = 0; i < count; ++i) {
        char id[8];
        std::snprintf(id, sizeof id, "%04d", i);
        p.state().MessageTable[static_cast<std::size_t>(i)] = {
            id, "", 0, p.clock.now(), p.clock.now(), 1, 0};
    }
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
