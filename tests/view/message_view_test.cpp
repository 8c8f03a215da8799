// The message view: which message each display mode shows and how every field is written.
#include "reception/screen.h"
#include "support/test_program.h"
#include "view/message_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::listState;
using test::TestProgram;
using test::visible;
using test::writeFile;

DateTime at(int year, int month, int day, int hour, int minute, int second)
{
    return DateTime::fromCivil({year, month, day, hour, minute, second});
}

// The view's own fields and the two texts cleared with it.
const char* const kViewFields[] = {"Text1",  "Text2",   "Text3",  "Text4",  "Text5",
                                   "Text6",  "Text7",   "Text8",  "Text10", "Text13",
                                   "Label6", "Label15", "Text11", "Text12"};

// Replaces the station at position 5 (letter E) of block 0 of the 518 kHz file.
void setStationE(const std::string& line)
{
    std::string file = test::makeStationFile("518");
    const std::size_t from = file.find("E - Station E of area 1");
    file.replace(from, file.find("\r\n", from) - from, line);
    writeFile("518.txt", file);
}

TEST(MessageView, ShowsARecordWithItsHistoryTypeAndStation)
{
    TestProgram p;
    // 300 characters with the CR LF pairs, 3 of them error marks.
    std::vector<std::string> body;
    for (int i = 0; i < 3; ++i)
        body.push_back(std::string(50, 'A') + "~" + std::string(47, 'B'));
    p.clock.set(2026, 12, 5, 8, 15, 30);
    p.receiveMessage("EA42", body);
    p.clock.set(2026, 12, 5, 10, 0, 0);
    p.receiveMessage("EA42", body);
    p.clock.set(2026, 12, 5, 12, 40, 1);
    p.receiveMessage("EA42", body);
    ASSERT_EQ(p.state().MessageTable[0].msgtext.size(), 300u);

    p.form().Option3.choose(); // "Last": the last message received
    const auto shown = test::screen(p.form());
    EXPECT_EQ(shown.at("Text1"), "\r\n" + body[0] + "\r\n" + body[1] + "\r\n" + body[2]);
    EXPECT_EQ(shown.at("Text6"), "Message EA42");
    EXPECT_EQ(shown.at("Text5"), "Received  3 times");
    EXPECT_EQ(shown.at("Text2"), "with 99% copy");
    EXPECT_EQ(shown.at("Text3"), "05/12/26");
    EXPECT_EQ(shown.at("Text4"), "08:15:30");
    EXPECT_EQ(shown.at("Text7"), "05/12/26");
    EXPECT_EQ(shown.at("Text8"), "12:40:01");
    EXPECT_EQ(shown.at("Text10"), " today");
    EXPECT_EQ(shown.at("Text13"), " today");
    EXPECT_EQ(shown.at("Label6"),
              "- Navigation Warning from  Station E of area 1 (518)     (CALLE)");
    EXPECT_EQ(shown.at("Label15"), "  Lat: 50 35 N  Lon: 001 18 W  Tx times: 0040 0440 0840");
    EXPECT_EQ(shown.at("Text12"), " 1 logged");
    EXPECT_EQ(p.state().curstation, 5);
}

TEST(MessageView, StartsEmpty)
{
    TestProgram p;
    for (const char* field : kViewFields) {
        SCOPED_TRACE(field);
        EXPECT_EQ(test::screen(p.form()).at(field), "");
    }
}

TEST(MessageView, EachDisplayModeChoosesItsMessage)
{
    struct Case {
        const char* mode;
        std::string shown;
        std::string messageList; // afterwards
    };
    const Case cases[] = {
        {"Option3", "Message AB12", "[ZA01] AB12 NE05"}, // the last received, a repeat
        {"Option4", "Message NE05", "ZA01 AB12 [NE05]"}, // the last entry of MessageList
        {"Option5", "Message ZA01", "[ZA01] AB12 NE05"}, // the chosen one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TestProgram p;
        for (const char* id : {"ZA01", "AB12", "NE05", "AB12"})
            p.receiveMessage(id);
        OptionButton& mode = c.mode == std::string("Option3")   ? p.form().Option3
                             : c.mode == std::string("Option4") ? p.form().Option4
                                                                : p.form().Option5;
        mode.choose();
        p.form().MessageList.setListIndex(0); // the operator chooses ZA01
        EXPECT_EQ(p.form().Text6.text(), c.shown);
        EXPECT_EQ(listState(p.form().MessageList), c.messageList);
        EXPECT_EQ(p.state().selid, c.shown.substr(8));
    }
}

TEST(MessageView, LastNewShowsTheLastListedEntryAndSelectsItInBothLists)
{
    TestProgram p;
    for (const char* id : {"ZA01", "AB12", "ZC03", "NE05"})
        p.receiveMessage(id);
    p.form().StationList.setListIndex(26); // station Z
    p.form().Option4.choose();
    EXPECT_EQ(p.form().Text6.text(), "Message ZC03");
    EXPECT_EQ(listState(p.form().MessageList), "ZA01 [ZC03]");
    EXPECT_EQ(listState(p.form().MessageList2), "ZA01 [ZC03]");
    EXPECT_EQ(p.form().Text12.text(), " 4 logged");
}

TEST(MessageView, LastNewWithAnEmptyListStopsWithoutWritingTheCount)
{
    TestProgram p;
    p.receiveMessage("ZA01");
    p.receiveMessage("AB12");
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(0);
    ASSERT_EQ(p.form().Text6.text(), "Message ZA01");
    p.form().StationList.setListIndex(3); // station C: nothing listed
    p.form().Option5.choose();
    ASSERT_EQ(p.form().Text12.text(), " 2 logged");

    p.form().Option4.choose();
    for (const char* field : kViewFields) {
        SCOPED_TRACE(field);
        EXPECT_EQ(test::screen(p.form()).at(field), "");
    }
    EXPECT_EQ(p.state().selid, "AB12"); // the last new identifier
}

TEST(MessageView, LastWithNothingFiledWritesOnlyTheCount)
{
    TestProgram p;
    p.form().Option3.choose();
    EXPECT_EQ(p.form().Text12.text(), " 0 logged");
    EXPECT_EQ(p.form().Text6.text(), "");
    EXPECT_EQ(p.form().Text2.text(), "");
}

TEST(MessageView, NewMessageLeavesTheViewEmpty)
{
    TestProgram p;
    p.receiveMessage("ZA01", {"BODY"});
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(0);
    ASSERT_EQ(p.form().Text6.text(), "Message ZA01");
    p.receiveMessage("AB12", {"OTHER"});
    for (const char* field : kViewFields) {
        SCOPED_TRACE(field);
        EXPECT_EQ(test::screen(p.form()).at(field), "");
    }
}

TEST(MessageView, AgesCountCalendarDays)
{
    struct Case {
        DateTime received;
        DateTime now;
        std::string age;
    };
    const Case cases[] = {
        {at(2026, 12, 5, 0, 0, 1), at(2026, 12, 5, 23, 59, 59), " today"},
        {at(2026, 12, 4, 23, 59, 0), at(2026, 12, 5, 0, 1, 0), " yesterday"},
        {at(2026, 12, 4, 0, 0, 0), at(2026, 12, 5, 23, 59, 59), " yesterday"},
        {at(2026, 12, 3, 23, 0, 0), at(2026, 12, 5, 0, 30, 0), " 2 days ago"},
        {at(2026, 11, 25, 12, 0, 0), at(2026, 12, 5, 12, 0, 0), " 10 days ago"},
        {at(2026, 12, 31, 22, 0, 0), at(2027, 1, 1, 6, 0, 0), " yesterday"},
        {at(2028, 2, 28, 12, 0, 0), at(2028, 3, 1, 12, 0, 0), " 2 days ago"}, // leap year
        {at(2026, 12, 9, 9, 0, 0), at(2026, 12, 6, 9, 0, 0), " today"}, // the clock was set back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.received.text() + " seen at " + c.now.text());
        TestProgram p;
        p.clock.set(c.received);
        p.receiveMessage("EA01");
        p.clock.set(c.now);
        p.form().Option3.choose();
        EXPECT_EQ(p.form().Text10.text(), c.age);
        EXPECT_EQ(p.form().Text13.text(), c.age);
    }
}

TEST(MessageView, MidnightShowsTheDateInPlaceOfTheTime)
{
    TestProgram p;
    p.clock.set(2026, 12, 5, 0, 0, 0);
    p.receiveMessage("EA01");
    p.form().Option3.choose();
    EXPECT_EQ(p.form().Text3.text(), "05/12/26");
    EXPECT_EQ(p.form().Text4.text(), "/12/2026");
    EXPECT_EQ(p.form().Text7.text(), "05/12/26");
    EXPECT_EQ(p.form().Text8.text(), "/12/2026");
}

TEST(MessageView, CopyQualityCountsLineEndsAsGoodCharacters)
{
    struct Case {
        std::vector<std::string> body;
        std::string quality;
    };
    const std::vector<Case> cases = {
        {{}, "with 100% copy"}, // an empty body
        {{"CLEAN LINE"}, "with 100% copy"},
        {std::vector<std::string>(10, "~"), "with 66% copy"}, // 10 marks in 30 characters
        {{"~~~~"}, "with 33% copy"},
        {{std::string(99, 'A') + "~" + std::string(98, 'B')}, "with 99% copy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quality);
        TestProgram p;
        p.receiveMessage("EA01", c.body);
        p.form().Option3.choose();
        EXPECT_EQ(p.form().Text2.text(), c.quality);
        EXPECT_EQ(p.form().Text6.text(), "Message EA01");
        EXPECT_EQ(p.form().Text5.text(), "Received once");
    }
}

TEST(MessageView, StationEntryOfSixCharactersOrFewerGivesNoStationText)
{
    struct Case {
        std::string entry;
        std::string label6;
        std::string label15;
        int curstation;
    };
    const Case cases[] = {
        {"E - X", "- Navigation Warning", "", 0},
        {"E - XY", "- Navigation Warning", "", 0},
        {"E - XYZ", "- Navigation Warning from  XYZ     (CALLE)",
         "  Lat: 50 35 N  Lon: 001 18 W  Tx times: 0040 0440 0840", 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.entry + "\"");
        TestProgram p;
        setStationE(c.entry + ",CALLE,50 35 N,001 18 W,0040 0440 0840");
        p.form().NavAreaList.setListIndex(0);
        p.receiveMessage("EA01");
        p.form().StationList.setListIndex(3); // station C is current
        ASSERT_EQ(p.state().curstation, 3);
        p.form().Option3.choose();
        EXPECT_EQ(p.form().Text6.text(), "Message EA01");
        EXPECT_EQ(p.form().Label6.caption(), c.label6);
        EXPECT_EQ(p.form().Label15.caption(), c.label15);
        EXPECT_EQ(p.state().curstation, c.curstation);
    }
}

TEST(MessageView, StationLetterWithoutAnEntryClearsTheStationFields)
{
    TestProgram p;
    p.receiveMessage("EA01");
    p.receiveMessage("1A02"); // no station entry begins with "1"
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(0);
    const std::string stationE = p.form().Label15.caption();
    ASSERT_NE(stationE, "");
    p.form().MessageList.setListIndex(1);
    EXPECT_EQ(p.form().Text6.text(), "Message 1A02");
    EXPECT_EQ(p.form().Label6.caption(), "- Navigation Warning");
    EXPECT_EQ(p.form().Label15.caption(), "");
    EXPECT_EQ(p.state().curstation, 0);
}

TEST(MessageView, TypeLetterWithoutAnEntryShowsNoTypeText)
{
    TestProgram p;
    p.receiveMessage("EA01");
    p.receiveMessage("EM02"); // no message type M
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(0);
    ASSERT_EQ(p.form().Label6.caption(),
              "- Navigation Warning from  Station E of area 1 (518)     (CALLE)");
    p.form().MessageList.setListIndex(1);
    EXPECT_EQ(p.form().Label6.caption(), " from  Station E of area 1 (518)     (CALLE)");
}

TEST(MessageView, EveryStationEntryWithTheLetterIsAppended)
{
    TestProgram p;
    std::string file = test::makeStationFile("518");
    const std::string g = "G - Station G of area 1 (518),CALLG";
    file.replace(file.find(g), g.size(), "E - Second E,CALLG");
    writeFile("518.txt", file);
    p.form().NavAreaList.setListIndex(0);
    p.receiveMessage("EB01");
    p.form().Option3.choose();
    EXPECT_EQ(p.form().Label6.caption(),
              "- Meteorological  Warning from  Station E of area 1 (518)     (CALLE) from  Second "
              "E     (CALLG)");
    EXPECT_EQ(p.state().curstation, 7);
}

TEST(MessageViewTexts, ReceptionCount)
{
    const std::pair<int, std::string> cases[] = {
        {1, "Received once"},
        {2, "Received  2 times"},
        {3, "Received  3 times"},
        {32767, "Received  32767 times"},
    };
    for (const auto& [count, text] : cases)
        EXPECT_EQ(receivedText(count), text) << count;
}

TEST(MessageViewTexts, DateAndTimeAreCutFromTheDateTimeText)
{
    struct Case {
        DateTime t;
        std::string date;
        std::string time;
    };
    const Case cases[] = {
        {at(2026, 12, 5, 12, 40, 1), "05/12/26", "12:40:01"},
        {at(2026, 12, 5, 0, 0, 0), "05/12/26", "/12/2026"},
        {at(2001, 1, 9, 0, 0, 1), "09/01/01", "00:00:01"},
        {at(2099, 7, 31, 23, 59, 59), "31/07/99", "23:59:59"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.t.text());
        EXPECT_EQ(shortDateText(c.t), c.date);
        EXPECT_EQ(timeText(c.t), c.time);
    }
}

} // namespace
} // namespace fenlark
