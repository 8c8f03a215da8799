// Purge by age, delete of the shown message, and quitting.
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fenlark {
namespace {

using test::TestProgram;
using test::listState;

// Files a message with the clock at the given time.
void fileAt(TestProgram& p, const std::string& id, int y, int mo, int d, int h, int mi, int s)
{
    p.clock.set(y, mo, d, h, mi, s);
    p.receiveMessage(id, {"BODY OF " + id});
}

std::vector<std::string> ids(TestProgram& p)
{
    std::vector<std::string> out;
    for (int i = 0; i < p.state().msgcount; ++i)
        out.push_back(p.state().MessageTable[static_cast<std::size_t>(i)].msgid);
    return out;
}

TEST(PurgeClick, KeepsTodayAndYesterdayAroundMidnight)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 12, 3, 23, 59, 59); // two calendar days before the purge
    fileAt(p, "BB02", 2026, 12, 4, 0, 0, 0);    // yesterday, at its first second
    fileAt(p, "CC03", 2026, 12, 4, 23, 59, 0);  // yesterday, a minute before midnight
    fileAt(p, "DD04", 2026, 12, 5, 0, 0, 10);   // today
    fileAt(p, "EE05", 2026, 12, 7, 12, 0, 0);   // two days in the future
    fileAt(p, "FF06", 2026, 12, 6, 12, 0, 0);   // one day in the future
    p.clock.set(2026, 12, 5, 0, 0, 30);
    p.receiveMessage("AA01", {"REPEAT"}); // a repeat does not make a message younger
    p.form().purgeage.setTopIndex(0);
    p.form().purge.click();
    EXPECT_EQ(ids(p), (std::vector<std::string>{"BB02", "CC03", "DD04", "FF06"}));
    EXPECT_TRUE(p.dialogs.questions.empty());
    EXPECT_EQ(p.form().MessageList.list(0), "BB02");
}

TEST(PurgeClick, TheAgeIsTheEntryScrolledToTheTop)
{
    TestProgram p;
    for (int daysAgo = 0; daysAgo < 8; ++daysAgo)
        fileAt(p, "A" + std::to_string(daysAgo) + "00", 2026, 12, 10 - daysAgo, 12, 0, 0);
    p.clock.set(2026, 12, 10, 1, 0, 0);
    p.form().purgeage.setTopIndex(4); // "5"
    p.form().purge.click();
    EXPECT_EQ(ids(p), (std::vector<std::string>{"A000", "A100", "A200", "A300", "A400", "A500"}));
    EXPECT_EQ(p.form().Text12.text(), " 6 logged");
}

TEST(PurgeClick, DoesNothingWhenTheListIsEmptyEvenIfTheTableIsNot)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 1, 1, 12, 0, 0);
    p.clock.set(2026, 12, 5, 12, 0, 0);
    p.form().MessageTypeList.setListIndex(2); // type B: the list shows nothing
    ASSERT_EQ(p.form().MessageList.count(), 0);
    const int closes = p.serial.closes;
    p.form().purge.click();
    EXPECT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.serial.closes, closes);
    EXPECT_FALSE(std::filesystem::exists("navtex.txt"));
}

TEST(PurgeClick, PurgesRecordsTheFilterHides)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 1, 1, 12, 0, 0);
    fileAt(p, "AB02", 2026, 12, 5, 11, 0, 0);
    p.clock.set(2026, 12, 5, 12, 0, 0);
    p.form().MessageTypeList.setListIndex(2); // type B: only AB02 listed
    p.form().purge.click();
    EXPECT_EQ(ids(p), std::vector<std::string>{"AB02"});
}

TEST(PurgeClick, ClosesThePortAndLeavesItOpen)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 12, 5, 12, 0, 0);
    int closes = 0;
    p.serial.onClose = [&] { ++closes; };
    p.form().purge.click();
    EXPECT_GE(closes, 1);
    EXPECT_TRUE(p.form().MSComm1.portOpen());
    EXPECT_EQ(test::readFile("navtex.txt").substr(0, 5), " 1 \r\n");
}

TEST(DelmsgClick, WithNothingShownAsksNothing)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 12, 5, 12, 0, 0);
    ASSERT_TRUE(p.form().Text6.text().empty());
    p.form().Delmsg.click();
    EXPECT_TRUE(p.dialogs.questions.empty());
    EXPECT_EQ(p.state().msgcount, 1);
}

TEST(DelmsgClick, RemovesTheShownMessageAfterAsking)
{
    TestProgram p;
    p.form().Option5.choose();
    for (const char* id : {"AA01", "BB02", "CC03"})
        fileAt(p, id, 2026, 12, 5, 12, 0, 0);
    p.form().MessageList.setListIndex(1);
    ASSERT_EQ(p.form().Text6.text(), "Message BB02");
    p.dialogs.queue(false);
    p.form().Delmsg.click();
    EXPECT_EQ(p.state().msgcount, 3);
    p.form().Text6.setText("Message CC03"); // typed into the box: still BB02 is shown
    p.dialogs.queue(true);
    p.form().mnudel_msg.click();
    EXPECT_EQ(p.dialogs.questions, (std::vector<std::string>(2, "Delete displayed Message?")));
    EXPECT_EQ(ids(p), (std::vector<std::string>{"AA01", "CC03"}));
    EXPECT_EQ(listState(p.form().MessageList), "[AA01] CC03");
    EXPECT_EQ(p.form().Text6.text(), "Message AA01");
    EXPECT_EQ(test::readFile("navtex.txt").substr(0, 5), " 2 \r\n");
    EXPECT_TRUE(p.form().MSComm1.portOpen());
}

TEST(DelmsgClick, RemovesAMessageWithAShortIdentifier)
{
    TestProgram p;
    p.form().Option5.choose();
    p.receive("ZCZCXA12\r\nSHORT HEADER\r\nNNNN\r\n"); // no separator: the identifier is "A12"
    fileAt(p, "BB02", 2026, 12, 5, 12, 0, 0);
    p.form().MessageList.setListIndex(0);
    ASSERT_EQ(p.form().Text6.text(), "Message A12");
    p.dialogs.queue(true);
    p.form().Delmsg.click();
    EXPECT_EQ(ids(p), std::vector<std::string>{"BB02"});
}

TEST(DelmsgClick, DeletingTheOnlyMessageEmptiesEverything)
{
    TestProgram p;
    p.form().Option5.choose();
    fileAt(p, "AA01", 2026, 12, 5, 12, 0, 0);
    p.form().StationList.setListIndex(1); // station A
    p.form().MessageList.setListIndex(0);
    p.dialogs.queue(true);
    p.form().Delmsg.click();
    EXPECT_EQ(p.state().msgcount, 0);
    EXPECT_EQ(p.form().MessageList.count(), 0);
    EXPECT_EQ(p.form().StationList.listIndex(), 0);
    EXPECT_EQ(test::readFile("navtex.txt"), " 0 \r\n");
}

TEST(QuitbuttonClick, YesSavesAndEnds)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 12, 5, 12, 0, 0);
    p.dialogs.queue(true);
    p.form().Quitbutton.click();
    EXPECT_EQ(p.dialogs.questions, std::vector<std::string>{"Save messages first?"});
    EXPECT_TRUE(p.app.ended());
    EXPECT_FALSE(p.form().MSComm1.portOpen());
    EXPECT_EQ(test::readFile("navtex.txt").substr(0, 5), " 1 \r\n");
}

TEST(QuitbuttonClick, NoEndsWithoutWriting)
{
    TestProgram p;
    test::writeFile("navtex.txt", " 0 \r\n");
    fileAt(p, "AA01", 2026, 12, 5, 12, 0, 0);
    p.dialogs.queue(false);
    p.form().mnuQuit.click();
    EXPECT_TRUE(p.app.ended());
    EXPECT_EQ(test::readFile("navtex.txt"), " 0 \r\n");
}

TEST(QuitbuttonClick, DismissingTheQuestionQuitsNothing)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 12, 5, 12, 0, 0);
    p.dialogs.queueDismissal();
    p.form().Quitbutton.click();
    EXPECT_FALSE(p.app.ended());
    EXPECT_TRUE(p.form().MSComm1.portOpen());
    EXPECT_FALSE(std::filesystem::exists("navtex.txt"));
}

TEST(QuitbuttonClick, AFailedSaveLetsTheOperatorStay)
{
    TestProgram p;
    fileAt(p, "AA01", 2026, 12, 5, 12, 0, 0);
    std::filesystem::create_symlink("gone/navtex.txt", "navtex.txt"); // no folder to write in
    p.dialogs.queue(true);
    p.dialogs.queue(false);
    p.form().Quitbutton.click();
    EXPECT_FALSE(p.app.ended());
    EXPECT_EQ(p.dialogs.questions.back(), "The messages were not saved. Quit all the same?");
    EXPECT_EQ(p.state().msgcount, 1);
}

TEST(HelpMenu, ShowsTheHelpAndAboutNotices)
{
    TestProgram p;
    p.form().mnuhelpmsg.click();
    p.form().mnuAbout.click();
    ASSERT_EQ(p.dialogs.notices.size(), 2u);
    EXPECT_EQ(p.dialogs.notices[0], "No Help is available!");
    for (const char* part : {"FenLark", "version 2.4", "3 November 2008"})
        EXPECT_NE(p.dialogs.notices[1].find(part), std::string::npos) << part;
}

} // namespace
} // namespace fenlark
