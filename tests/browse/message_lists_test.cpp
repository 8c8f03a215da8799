// The station and type filters and the two message lists.
#include "browse/message_filter.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::listState;
using test::TestProgram;

void fileAll(TestProgram& p, const std::vector<std::string>& ids)
{
    for (const std::string& id : ids)
        p.receiveMessage(id, {"TEXT OF " + id});
}

TEST(MessageFilter, PassesByStationLetterAndTypeLetter)
{
    struct Case {
        int station; // StationList position (5 = E, 4 = D)
        int type;    // MessageTypeList position (2 = "B - Meteorological  Warning")
        std::string messageList;
        std::string messageList2;
    };
    const std::vector<std::string> filed = {"DB01", "EA02", "DA03", "EB04", "XB05", "D", "", "DBX"};
    const Case cases[] = {
        {0, 0, "DB01 EA02 DA03 EB04 XB05 D  DBX", " D DA03 DB01 DBX EA02 EB04 XB05"},
        {0, 2, "DB01 EB04 XB05 DBX", "DB01 DBX EB04 XB05"},
        {4, 0, "DB01 DA03 D DBX", "D DA03 DB01 DBX"},
        {4, 2, "DB01 DBX", "DB01 DBX"},
        {5, 1, "EA02", "EA02"},
        {5, 3, "", ""},
        {3, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("station " + std::to_string(c.station) + ", type " + std::to_string(c.type));
        TestProgram p;
        fileAll(p, filed);
        p.form().StationList.setListIndex(c.station);
        p.form().MessageTypeList.setListIndex(c.type);
        EXPECT_EQ(listState(p.form().MessageList), c.messageList);
        EXPECT_EQ(listState(p.form().MessageList2), c.messageList2);
    }
}

TEST(MessageFilter, ComparesOnlyTheLetters)
{
    struct Case {
        std::string msgid;
        std::string station;
        std::string type;
        bool passes;
    };
    const Case cases[] = {
        {"EA42", " All Stations", " All Messages", true},
        {"EA42", "E - Niton (UK)", " All Messages", true},
        {"EA42", "e - lower case", " All Messages", false},
        {"EA42", " All Stations", "A - Navigation Warning", true},
        {"EA42", " All Stations", "B - Meteorological  Warning", false},
        {"EA42", "E - Niton (UK)", "A - Navigation Warning", true},
        {"EA42", "D - Torshavn", "A - Navigation Warning", false},
        {"E", " All Stations", "A - Navigation Warning", false},
        {"", "E - Niton (UK)", " All Messages", false},
        {"", " All Stations", " All Messages", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.msgid + "\" / \"" + c.station + "\" / \"" + c.type + "\"");
        EXPECT_EQ(passesFilter(c.msgid, c.station, c.type), c.passes);
    }
}

TEST(MessageFilter, SettingTheTypeSelectorToItsCurrentEntryRebuildsTheLists)
{
    TestProgram p;
    fileAll(p, {"ZA01", "AB12"});
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(0);
    ASSERT_EQ(p.form().Text6.text(), "Message ZA01");
    ASSERT_EQ(p.form().MessageTypeList.listIndex(), 0);
    p.form().MessageTypeList.setListIndex(0);
    EXPECT_EQ(listState(p.form().MessageList), "ZA01 AB12");
    EXPECT_EQ(listState(p.form().MessageList2), "AB12 ZA01");
    EXPECT_EQ(p.form().Text6.text(), "");
    EXPECT_EQ(p.form().Text12.text(), "");
}

TEST(MessageFilter, NewMessageResetsTheTypeAndRebuildsForTheChosenStation)
{
    TestProgram p;
    fileAll(p, {"EA01", "EB02", "DA03"});
    p.form().StationList.setListIndex(5);
    p.form().MessageTypeList.setListIndex(2);
    ASSERT_EQ(listState(p.form().MessageList), "EB02");
    p.receiveMessage("XA04");
    EXPECT_EQ(p.form().MessageTypeList.listIndex(), 0);
    EXPECT_EQ(listState(p.form().MessageList), "EA01 EB02");
    EXPECT_EQ(listState(p.form().MessageList2), "EA01 EB02");
    EXPECT_EQ(p.state().msgcount, 4);
}

TEST(MessageFilter, EmptyTableGivesEmptyListsButStillShowsTheStation)
{
    TestProgram p;
    p.form().StationList.setListIndex(5);
    EXPECT_EQ(p.form().MessageList.count(), 0);
    EXPECT_EQ(p.form().MessageList2.count(), 0);
    EXPECT_EQ(p.form().Label5.caption(), "Call: CALLE  -  Lat: 50 35 N  Lon: 001 18 W");
    EXPECT_EQ(p.form().TxTimeslabel.caption(), "Tx times: 0040 0440 0840");
}

TEST(MessageListChoice, ChoosingInEitherListMakesItCurrentInBothAndShowsIt)
{
    struct Case {
        std::vector<std::string> filed;
        std::string messageList; // in order of filing
        bool chooseInSorted;     // choose NE05 in MessageList2, else in MessageList
        std::string chosenList;  // state of both lists afterwards
        std::string chosenSorted;
    };
    const std::vector<Case> cases = {
        {{"ZA01", "AB12", "NE05"}, "ZA01 AB12 NE05", false, "ZA01 AB12 [NE05]", "AB12 [NE05] ZA01"},
        {{"ZA01", "AB12", "NE05"}, "ZA01 AB12 NE05", true, "ZA01 AB12 [NE05]", "AB12 [NE05] ZA01"},
        {{"NE05", "ZA01", "AB12"}, "NE05 ZA01 AB12", false, "[NE05] ZA01 AB12", "AB12 [NE05] ZA01"},
        {{"NE05", "ZA01", "AB12"}, "NE05 ZA01 AB12", true, "[NE05] ZA01 AB12", "AB12 [NE05] ZA01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.messageList +
                     (c.chooseInSorted ? ", chosen in MessageList2" : ", chosen in MessageList"));
        TestProgram p;
        fileAll(p, c.filed);
        EXPECT_EQ(listState(p.form().MessageList), c.messageList);
        EXPECT_EQ(listState(p.form().MessageList2), "AB12 NE05 ZA01");
        p.form().Option5.choose();
        ListBox& list = c.chooseInSorted ? p.form().MessageList2 : p.form().MessageList;
        list.setListIndex(list.indexOf("NE05"));
        EXPECT_EQ(listState(p.form().MessageList), c.chosenList);
        EXPECT_EQ(listState(p.form().MessageList2), c.chosenSorted);
        EXPECT_EQ(p.state().selid, "NE05");
        EXPECT_EQ(p.form().Text6.text(), "Message NE05");
        EXPECT_EQ(p.form().Text1.text(), "\r\nTEXT OF NE05");
    }
}

TEST(MessageListChoice, NoCurrentEntryChangesNothing)
{
    TestProgram p;
    fileAll(p, {"ZA01", "AB12"});
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(1);
    const auto before = test::screen(p.form());
    ASSERT_EQ(before.at("Text6"), "Message AB12");

    // Leaving a list without a current entry runs its handler, which stops at once.
    p.form().MessageList.setListIndex(-1);
    p.form().MessageList_click();
    auto after = test::screen(p.form());
    EXPECT_EQ(after.at("MessageList"), "-1: ZA01 AB12");
    after.erase("MessageList");
    auto expected = before;
    expected.erase("MessageList");
    EXPECT_EQ(after, expected);
    EXPECT_EQ(p.state().selid, "AB12");
}

TEST(MessageListChoice, AnEmptyListOffersNothingToChoose)
{
    TestProgram p;
    p.form().Option5.choose();
    const auto before = test::screen(p.form());
    p.form().MessageList.setListIndex(0);
    p.form().MessageList2.setListIndex(0);
    p.form().MessageList_click();
    EXPECT_EQ(test::screen(p.form()), before);
    EXPECT_EQ(p.state().selid, "");
}

TEST(MessageListChoice, RepeatAddsNoEntry)
{
    TestProgram p;
    fileAll(p, {"ZA01", "AB12", "ZA01", "AB12", "ZA01"});
    EXPECT_EQ(listState(p.form().MessageList), "ZA01 AB12");
    EXPECT_EQ(listState(p.form().MessageList2), "AB12 ZA01");
}

TEST(MessageListChoice, ChoosingTheCurrentEntryAgainShowsItAgain)
{
    TestProgram p;
    p.form().Option5.choose();
    fileAll(p, {"ZA01"});
    p.form().MessageList.choose(0);
    p.receiveMessage("ZA01", {"AGAIN"}); // a repeat changes nothing on screen
    p.form().MessageList.choose(0);
    EXPECT_EQ(p.form().Text5.text(), "Received  2 times");
    p.receiveMessage("ZA01", {"THIRD"});
    p.form().MessageList2.choose(0);
    EXPECT_EQ(p.form().Text5.text(), "Received  3 times");
}

} // namespace
} // namespace fenlark
