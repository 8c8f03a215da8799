// Filing: header and end lines, the stored body, repeats, and a full message table.
#include "reception/line_limits.h"
#include "reception/message_record.h"
#include "storage/log_format.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::screen;
using test::record;
using test::TestProgram;
using test::visible;

std::vector<MessageRecord> table(TestProgram& p)
{
    const auto& t = p.state().MessageTable;
    return {t.begin(), t.begin() + p.state().msgcount};
}

TEST(MessageFiling, HeaderAndEndLinesFrameTheMessage)
{
    struct Case {
        std::string stream;
        int msgcount;
        std::string msgid;   // of slot 0 when filed
        std::string msgtext; // of slot 0 when filed
        std::string label1;
    };
    const std::string endCaption = "Incoming Message       ";
    const std::vector<Case> cases = {
        {"ZCZC\rNNNN\r", 1, "", "", endCaption},
        {"ZCZCXA12\rNNNN\r", 1, "A12", "", endCaption},
        {"ZCZC XA12 EXTRA TEXT\rNNNN\r", 1, "XA12", "", endCaption},
        {"QJE T ZCZC XA12\rNNNN\r", 1, "XA12", "", endCaption},
        {"ZCZC XA\rNNNN\r", 1, "XA", "", endCaption},
        {"ZCZC/XA12\rNNNN\r", 1, "XA12", "", endCaption},
        {"zczc xa12\rNNNN\r", 1, "XA12", "", endCaption},
        {"ZCZC XA12 NNNN\rBODY\rNNNN\r", 1, "XA12", "\r\nBODY", endCaption},
        {"ZCZC XA12\rLINE ONE\rLINE TWO\rNNNN\r", 1, "XA12", "\r\nLINE ONE\r\nLINE TWO",
         endCaption},
        {"ZCZC XA12\rONE\rDINNNER\rTWO\rNNNN\r", 1, "XA12", "\r\nONE", endCaption},
        {"ZCZC XA12\rNN\rNNNNNNNN\r", 1, "XA12", "\r\nNN", endCaption},
        {"ZCZC XA01\rONE\rZCZC XB02\rTWO\rNNNN\r", 1, "XB02", "\r\nTWO", endCaption},
        // No trusted header: body and end lines are ignored.
        {"BODY\rNNNN\r", 0, "", "", "Incoming  Message"},
        {"ZCZC XA~2\rBODY\rNNNN\r", 0, "", "", "Incoming Message XA~2"},
        {"ZCZC~XA12\rBODY\rNNNN\r", 0, "", "", "Incoming Message XA12"},
        {"ZCZC XA01\rONE\rZCZC XB~2\rTWO\rNNNN\r", 0, "", "", "Incoming Message XB~2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(visible(c.stream));
        TestProgram p;
        p.receive(c.stream);
        ASSERT_EQ(p.state().msgcount, c.msgcount);
        if (c.msgcount > 0) {
            EXPECT_EQ(record(p, 0).msgid, c.msgid);
            EXPECT_EQ(visible(record(p, 0).msgtext), visible(c.msgtext));
            EXPECT_EQ(record(p, 0).rxcount, 1);
        }
        EXPECT_EQ(p.form().Label1.caption(), c.label1);
        EXPECT_FALSE(p.state().inmessage);
    }
}

TEST(MessageFiling, NewMessageTakesTheNextSlotAndIsListed)
{
    TestProgram p;
    p.clock.set(2026, 12, 5, 8, 0, 0);
    p.receiveMessage("ZA01", {"FIRST"});
    p.clock.set(2026, 12, 5, 9, 30, 0);
    p.receiveMessage("AB12", {"SECOND"});
    ASSERT_EQ(p.state().msgcount, 2);
    const MessageRecord& r = record(p, 1);
    EXPECT_EQ(r.msgid, "AB12");
    EXPECT_EQ(r.msgtext, "\r\nSECOND");
    EXPECT_EQ(r.rxcount, 1);
    EXPECT_EQ(r.errcount, 0);
    EXPECT_EQ(r.firstrx.text(), "05/12/2026 09:30:00");
    EXPECT_EQ(r.lastrx, r.firstrx);
    EXPECT_EQ(p.state().lastid, "AB12");
    EXPECT_EQ(p.state().lastnewid, "AB12");
    EXPECT_EQ(test::listState(p.form().MessageList), "ZA01 AB12");
    EXPECT_EQ(test::listState(p.form().MessageList2), "AB12 ZA01");
}

TEST(MessageFiling, NewMessageWritesLastNewAndTheCountThenTheRebuildClearsThem)
{
    TestProgram p;
    p.receiveMessage("ZA01");
    p.receiveMessage("AB12");
    std::vector<std::string> lastNew;
    p.form().Text11.setObserver([&] { lastNew.push_back(p.form().Text11.text()); });
    std::vector<std::string> count;
    p.form().Text12.setObserver([&] { count.push_back(p.form().Text12.text()); });
    p.receiveMessage("NE05");
    EXPECT_EQ(lastNew, std::vector<std::string>({"Last new: NE05", ""}));
    EXPECT_EQ(count, std::vector<std::string>({" 3 logged", ""}));
    EXPECT_EQ(p.form().MessageTypeList.listIndex(), 0);
    EXPECT_EQ(p.form().MessageList.listIndex(), -1);
    EXPECT_EQ(p.form().MessageList2.listIndex(), -1);
}

TEST(MessageFiling, RepeatKeepsTheCleanerCopy)
{
    struct Case {
        int storedMarks;
        int repeatMarks;
        bool replaced;
    };
    const Case cases[] = {
        {1, 2, false}, // more marks: stored copy kept
        {1, 1, true},  // a tie goes to the newer copy
        {2, 0, true},  {0, 0, true}, {0, 5, false},
        {40000, 35000, true}, // both stored as 32767: a tie
    };
    // A copy's body lines: a word, then its marks in lines of at most 4000.
    auto copy = [](const std::string& word, int marks) {
        std::vector<std::string> lines{word};
        for (int left = marks; left > 0; left -= 4000)
            lines.push_back(std::string(static_cast<std::size_t>(std::min(left, 4000)), '~'));
        return lines;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("stored " + std::to_string(c.storedMarks) + " marks, repeat " +
                     std::to_string(c.repeatMarks));
        TestProgram p;
        p.clock.set(2026, 12, 5, 10, 0, 0);
        const std::vector<std::string> first = copy("FIRST", c.storedMarks);
        const std::vector<std::string> second = copy("SECOND", c.repeatMarks);
        p.receiveMessage("EA42", first);
        p.clock.set(2026, 12, 6, 11, 15, 0);
        p.receiveMessage("EA42", second);
        ASSERT_EQ(p.state().msgcount, 1);
        const MessageRecord& r = record(p, 0);
        EXPECT_EQ(r.rxcount, 2);
        EXPECT_EQ(r.firstrx.text(), "05/12/2026 10:00:00");
        EXPECT_EQ(r.lastrx.text(), "06/12/2026 11:15:00");
        std::string kept;
        for (const std::string& line : c.replaced ? second : first)
            kept += "\r\n" + line;
        EXPECT_TRUE(r.msgtext == kept) << visible(r.msgtext.substr(0, 20));
        EXPECT_EQ(r.errcount, std::min(c.replaced ? c.repeatMarks : c.storedMarks, 32767));
    }
}

TEST(MessageFiling, AnIdentifierLastHeardMoreThan72HoursAgoIsANewMessage)
{
    const DateTime first = DateTime::fromCivil({2026, 12, 4, 12, 0, 0});
    const DateTime last = first.plusSeconds(86400);
    const std::pair<long long, bool> cases[] = {
        {72 * 3600 - 1, false}, {72 * 3600, false}, {72 * 3600 + 1, true}};
    for (const auto& [after, isNew] : cases) {
        SCOPED_TRACE(std::to_string(after) + " s after the last reception");
        TestProgram p;
        std::vector<MessageRecord> log(3);
        log[0] = {"ZA01", "\r\nZ", 0, last, last, 1, 0};
        log[1] = {"EA42", "\r\nOLD WARNING", 0, first, last, 4, 0};
        log[2] = {"NE05", "\r\nN", 0, last, last, 1, 0};
        test::writeFile("navtex.txt", formatLog(log, 3));
        p.form().mnuload.click();
        ASSERT_EQ(p.state().msgcount, 3);
        p.clock.set(last.plusSeconds(after));
        p.receiveMessage("EA42", {"NEW WARNING ~"}); // more marks than the stored copy
        ASSERT_EQ(p.state().msgcount, 3);
        const MessageRecord& r = record(p, isNew ? 2 : 1);
        EXPECT_EQ(r.msgid, "EA42");
        EXPECT_EQ(r.msgtext, isNew ? "\r\nNEW WARNING ~" : "\r\nOLD WARNING");
        EXPECT_EQ(r.rxcount, isNew ? 1 : 5);
        EXPECT_EQ(r.firstrx, isNew ? p.clock.now() : first);
        EXPECT_EQ(r.lastrx, p.clock.now());
        EXPECT_EQ(p.state().lastnewid, isNew ? "EA42" : "");
        EXPECT_EQ(test::listState(p.form().MessageList),
                  isNew ? "ZA01 NE05 EA42" : "ZA01 [EA42] NE05");
        EXPECT_EQ(test::listState(p.form().MessageList2),
                  isNew ? "EA42 NE05 ZA01" : "[EA42] NE05 ZA01");
    }
}

TEST(MessageFiling, RepeatUpdatesLastIdButNotLastNewId)
{
    TestProgram p;
    p.receiveMessage("ZA01");
    p.receiveMessage("AB12");
    p.receiveMessage("ZA01");
    EXPECT_EQ(p.state().lastid, "ZA01");
    EXPECT_EQ(p.state().lastnewid, "AB12");
    EXPECT_EQ(p.state().msgcount, 2);
}

TEST(MessageFiling, RepeatChangesNothingOnScreen)
{
    TestProgram p;
    p.receiveMessage("ZA01", {"ONE"});
    p.receiveMessage("AB12", {"TWO"});
    // Show a message with both lists on it, so that a stray rebuild or selection would show.
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(1);
    p.receive("half a li");
    const auto before = screen(p.form());
    ASSERT_EQ(before.at("Text6"), "Message AB12");
    ASSERT_EQ(before.at("Text5"), "Received once");

    p.receive("ne\r\n");
    p.clock.advance(3600);
    p.receiveMessage("AB12", {"TWO AGAIN"});
    p.receive("half a li");
    EXPECT_EQ(screen(p.form()), before);
    EXPECT_EQ(record(p, 1).rxcount, 2); // the record did change
    EXPECT_EQ(record(p, 1).msgtext, "\r\nTWO AGAIN");
}

TEST(MessageFiling, RejectedHeaderKeepsItsIdentifierShownUntilAMessageEnds)
{
    TestProgram p;
    std::vector<std::string> captions;
    p.form().Label1.setObserver([&] { captions.push_back(p.form().Label1.caption()); });
    p.receive("ZCZC XA~1\r\nBODY LINE\r\nNNNN\r\n");
    EXPECT_EQ(p.form().Label1.caption(), "Incoming Message XA~1");
    p.receive("ZCZC XB02\r\nBODY\r\n");
    EXPECT_EQ(p.form().Label1.caption(), "Incoming Message XB02");
    p.receive("NNNN\r\n");
    const std::vector<std::string> expected = {"Incoming Message XA~1", "Incoming Message XB02",
                                               "Incoming Message       "};
    EXPECT_EQ(captions, expected);
    EXPECT_EQ(p.state().msgcount, 1);
}

TEST(MessageFiling, LostEndLineLeavesTheMessageUnfiledUntilTheNextHeaderDropsIt)
{
    TestProgram p;
    p.receive("ZCZC XA01\r\nONE\r\n");
    EXPECT_TRUE(p.state().inmessage);
    EXPECT_EQ(p.state().curid, "XA01");
    EXPECT_EQ(p.state().curtext, "\r\nONE");
    p.receive("ZCZC XB02\r\n");
    EXPECT_EQ(p.state().curtext, "");
    p.receive("NNNN\r\n");
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(record(p, 0).msgid, "XB02");
}

TEST(MessageFiling, ErrorMarksOfTheBodyAreCountedAndResetPerMessage)
{
    TestProgram p;
    p.receiveMessage("XA01", {"~~~~~", "A~B~C", ""});
    p.receiveMessage("XB02", {"CLEAN"});
    EXPECT_EQ(record(p, 0).errcount, 7); // a line of marks counts its whole length
    EXPECT_EQ(record(p, 1).errcount, 0);
    EXPECT_EQ(p.state().msgerrors, 0);
}

TEST(MessageFiling, ABodyPastSixtyFourKibibytesIsDroppedAtOnce)
{
    // Sixteen lines of 4094 characters with their CR LF pairs are 64 KiB exactly.
    for (const std::size_t lastLine : {std::size_t{4094}, std::size_t{4095}}) {
        SCOPED_TRACE("last line of " + std::to_string(lastLine));
        const bool fits = lastLine == 4094;
        TestProgram p;
        p.receive("ZCZC XA01\r\n");
        for (int i = 0; i < 15; ++i)
            p.receive(std::string(4094, 'A') + "\r\n");
        p.receive(std::string(lastLine, 'B') + "\r\n");
        EXPECT_EQ(p.state().inmessage, fits);
        EXPECT_EQ(p.state().curtext.size(), fits ? kMaxBodyLength : 0u);
        EXPECT_EQ(p.form().Label1.caption(),
                  fits ? "Incoming Message XA01" : "Too long - XA01 not filed");
        p.receive("NNNN\r\n");
        EXPECT_EQ(p.state().msgcount, fits ? 1 : 0);
    }
}

TEST(MessageFiling, ReceptionCountStopsAtItsLargestValue)
{
    TestProgram p;
    for (int i = 0; i < 32770; ++i)
        p.receiveMessage("XA01", {"TEXT"});
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(record(p, 0).rxcount, 32767);
}

// Fills slots 0-4999 with identifiers "0000" to "4999" and rebuilds the lists.
void fillTable(TestProgram& p, int count)
{
    State& s = p.state();
    for (int i = 0; i < count; ++i) {
        char id[8];
        std::snprintf(id, sizeof id, "%04d", i);
        MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
        r.msgid = id;
        r.msgtext = "\r\nTEXT " + std::string(id);
        r.errcount = 0;
        r.firstrx = p.clock.now();
        r.lastrx = r.firstrx;
        r.rxcount = 1;
    }
    s.msgcount = static_cast<std::int16_t>(count);
    p.form().MessageTypeList.setListIndex(0);
}

TEST(FullMessageTable, TheLastSlotIsUsedThenNewIdentifiersAreRefused)
{
    TestProgram p;
    fillTable(p, kTableSlots - 1);
    ASSERT_EQ(p.form().MessageList.count(), kTableSlots - 1);

    p.receiveMessage("XA01", {"LAST ONE IN"});
    ASSERT_EQ(p.state().msgcount, kTableSlots);
    EXPECT_EQ(record(p, kTableSlots - 1).msgid, "XA01");
    EXPECT_EQ(p.form().MessageList.count(), kTableSlots);
    EXPECT_EQ(p.form().MessageList2.indexOf("XA01"), kTableSlots - 1);
    EXPECT_TRUE(p.dialogs.notices.empty());

    const auto before = table(p);
    const std::string ml = test::listState(p.form().MessageList);
    p.receiveMessage("XB02", {"NO ROOM"});
    EXPECT_EQ(p.state().msgcount, kTableSlots);
    EXPECT_TRUE(table(p) == before);
    EXPECT_EQ(p.form().Label1.caption(), "Table full - XB02 not filed");
    EXPECT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_EQ(test::listState(p.form().MessageList), ml);
    EXPECT_EQ(p.state().lastnewid, "XA01");

    p.receiveMessage("XB03");
    EXPECT_EQ(p.form().Label1.caption(), "Table full - XB03 not filed");
    EXPECT_EQ(p.dialogs.notices.size(), 1u) << "the operator is told once";

    // A repeat still updates its record.
    p.clock.advance(60);
    p.receiveMessage("0007", {"AGAIN"});
    EXPECT_EQ(record(p, 7).rxcount, 2);
    EXPECT_EQ(record(p, 7).msgtext, "\r\nAGAIN");
    EXPECT_EQ(record(p, 7).lastrx, p.clock.now());
    EXPECT_EQ(p.form().Label1.caption(), "Incoming Message       ");
}

TEST(FullMessageTable, OperatorIsToldAgainAfterRoomWasMadeAndTheTableFilledUp)
{
    TestProgram p;
    fillTable(p, kTableSlots);
    p.receiveMessage("XB02");
    ASSERT_EQ(p.dialogs.notices.size(), 1u);

    // Delete the message shown: the table has room for one more.
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(3);
    ASSERT_EQ(p.form().Text6.text(), "Message 0003");
    p.dialogs.queue(true);
    p.form().Delmsg.click();
    ASSERT_EQ(p.state().msgcount, kTableSlots - 1);

    p.receiveMessage("XB04");
    EXPECT_EQ(p.state().msgcount, kTableSlots);
    EXPECT_EQ(record(p, kTableSlots - 1).msgid, "XB04");
    EXPECT_EQ(p.dialogs.notices.size(), 1u);
    p.receiveMessage("XB05");
    EXPECT_EQ(p.state().msgcount, kTableSlots);
    EXPECT_EQ(p.dialogs.notices.size(), 2u);
}

TEST(MessageFiling, NewMessageSelectionsShowTheOldestThenTheNewEntryBeforeTheViewIsCleared)
{
    TestProgram p;
    p.form().Option5.choose(); // "Selected": the view shows what the lists choose
    p.receiveMessage("ZA01");
    p.receiveMessage("AB12");
    std::vector<std::string> shown;
    p.form().Text6.setObserver([&] { shown.push_back(p.form().Text6.text()); });
    p.receiveMessage("NE05");
    const std::vector<std::string> expected = {"Message ZA01", "Message NE05", ""};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(p.state().selid, "NE05");
    p.form().Option5.choose(); // shows the identifier that filing's selections left chosen
    EXPECT_EQ(p.form().Text6.text(), "Message NE05");
}

} // namespace
} // namespace fenlark
