// Browsing: which block of which station file fills the station table, the station information
// shown for the chosen station, station files that cannot be used, and the message lists without
// a current entry. The filters and the choice in either list are walked by the golden script
// headless/scripts/browsing.txt.
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::listState;
using test::TestProgram;
using test::writeFile;

// A station file of 25 blocks whose every line names its own line number: "L29 entry,..." is
// line 29. The lines end in CR LF, a lone LF or a lone CR in turn.
std::string numberedStationFile()
{
    std::string out;
    const char* const endings[] = {"\r\n", "\n", "\r"};
    for (int line = 1; line <= 25 * 27; ++line) {
        const std::string n = std::to_string(line);
        out += (line % 27 == 1 ? "heading L" + n
                               : "L" + n + " entry,C" + n + ",1 " + n + " N,2 " + n + " E,T" + n) +
               endings[line % 3];
    }
    return out;
}

TEST(NavAreaChoice, ReadsTheBlockOfTheChosenPosition)
{
    const std::pair<int, int> cases[] = {{0, 2}, {1, 29}, {24, 650}}; // file line of station 1
    for (const auto& [position, firstLine] : cases) {
        SCOPED_TRACE("NAVAREA position " + std::to_string(position));
        TestProgram p;
        writeFile("518.txt", numberedStationFile());
        p.form().NavAreaList.setListIndex(position);
        const std::string last = std::to_string(firstLine + 25);
        ASSERT_EQ(p.form().StationList.count(), 27);
        EXPECT_EQ(p.form().StationList.list(1), "L" + std::to_string(firstLine) + " entry");
        EXPECT_EQ(p.form().StationList.list(26), "L" + last + " entry");
        const StationTable& t = p.state().stations;
        EXPECT_EQ(t.stncall[26] + "," + t.stnlat[26] + "," + t.stnlon[26] + "," + t.stntxtimes[26],
                  "C" + last + ",1 " + last + " N,2 " + last + " E,T" + last);
        EXPECT_EQ(p.state().navareaindex, position);
    }
}

TEST(StationListClick, ShowsTheStationsCallPositionAndTimesAsTheyStandBetweenCommas)
{
    struct Case {
        std::string line; // the station line at position 1
        std::string label5;
        std::string txTimes;
    };
    const std::vector<Case> cases = {
        {"A - Full,GNI,50 35 N,001 18 W,0040 0440", "Call: GNI  -  Lat: 50 35 N  Lon: 001 18 W",
         "Tx times: 0040 0440"},
        {"A - Spaced ,  CALLB , 11 00 N,021 00 W ,0010 ,spare,more",
         "Call:   CALLB   -  Lat:  11 00 N  Lon: 021 00 W ", "Tx times: 0010 "},
        {"A - One letter call,G,1 N,2 E,abc", "  -  Lat: 1 N  Lon: 2 E", "Tx times: abc"},
        {"A - Two letter call,GN,,,", "Call: GN", ""},
        {"A - Short latitude,GNI,12,001 18 W,ab", "Call: GNI", ""},
        {"A - Nothing,X,12,34,56", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TestProgram p;
        std::string file = test::makeStationFile("518");
        const std::size_t at = file.find("A - ");
        file.replace(at, file.find("\r\n", at) - at, c.line);
        writeFile("518.txt", file);
        p.form().NavAreaList.setListIndex(0);
        p.form().StationList.setListIndex(1);
        EXPECT_EQ(p.form().Label5.caption(), c.label5);
        EXPECT_EQ(p.form().TxTimeslabel.caption(), c.txTimes);
        EXPECT_EQ(p.state().curstation, 1);
        p.form().StationList.setListIndex(0); // " All Stations" has no station information
        EXPECT_EQ(p.form().Label5.caption() + p.form().TxTimeslabel.caption(), "");
        EXPECT_EQ(p.state().curstation, 0);
    }
}

TEST(FrequencyChoice, RememberedListPositionsCarryOverToTheRebuiltLists)
{
    TestProgram p;
    // On 424 kHz position 5 is a station with another letter.
    std::string other = test::makeStationFile("424");
    const std::string from = "E - Station E of area 1 (424),CALLE";
    other.replace(other.find(from), from.size(), "X - Station X of area 1 (424),CALLX");
    writeFile("424.txt", other);
    for (const char* id : {"EB02", "EA01", "XA01"})
        p.receiveMessage(id);
    p.form().StationList.setListIndex(5);
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(0);
    ASSERT_EQ(listState(p.form().MessageList2), "EA01 [EB02]");

    // MessageList's position 0 now holds XA01, which is shown and chosen in both lists;
    // MessageList2's position 1 lies beyond the rebuilt list and is dropped.
    p.form().Frequency[0].choose();
    EXPECT_EQ(p.form().StationList.text(), "X - Station X of area 1 (424)");
    EXPECT_EQ(listState(p.form().MessageList), "[XA01]");
    EXPECT_EQ(listState(p.form().MessageList2), "[XA01]");
    EXPECT_EQ(p.form().Text6.text(), "Message XA01");
}

// The station file problems an operator can meet; each is told once and leaves " All Stations".
TEST(StationFileProblem, IsToldOnceAndLeavesOnlyAllStations)
{
    struct Problem {
        const char* what;
        std::string file; // the 518 kHz station file, missing when empty
        int navarea;      // chosen after start-up; -1: the file is spoilt before start-up
        std::string mention;
    };
    const std::string full = test::makeStationFile("518");
    std::string fourFields = full;
    const std::string line = "G - Station G of area 1 (518),CALLG,50 35 N,001 18 W,";
    fourFields.replace(fourFields.find(line), line.size(), "G - Four,CALLG,50 35 N,001 18 W");
    const std::vector<Problem> problems = {
        {"missing file", "", 0, "518.txt"},
        {"missing at start-up", "", -1, "518.txt"},
        {"ends before the block", test::makeStationFile("518", 3), 5,
         "line 82, before the block of NAVAREA \"IVb - Carribean\" (line 136)"},
        {"ends at the block", test::makeStationFile("518", 4), 4,
         "NAVAREA \"IV - North American Atlantic\" (line 109 is missing)"},
        {"block cut short", full.substr(0, full.find("Q - Station Q")), 0, "line 18, inside"},
        {"four fields", fourFields, 0, "line 8 has 4 fields"},
    };
    for (const Problem& problem : problems) {
        SCOPED_TRACE(problem.what);
        TestProgram p(test::kPortZeroSettings, false);
        auto spoil = [&] {
            if (problem.file.empty())
                std::filesystem::remove("518.txt");
            else
                writeFile("518.txt", problem.file);
        };
        if (problem.navarea < 0)
            spoil();
        p.app.start();
        p.receiveMessage("EA01");
        p.receiveMessage("GA02");
        if (problem.navarea >= 0) {
            p.form().StationList.setListIndex(7); // a remembered position beyond " All Stations"
            ASSERT_EQ(listState(p.form().MessageList), "GA02");
            spoil();
            p.form().NavAreaList.setListIndex(problem.navarea);
        }
        ASSERT_EQ(p.dialogs.notices.size(), 1u);
        EXPECT_NE(p.dialogs.notices[0].find(problem.mention), std::string::npos)
            << p.dialogs.notices[0];
        EXPECT_EQ(listState(p.form().StationList), "[ All Stations]");
        const StationTable& t = p.state().stations;
        for (int k = 0; k < kStationSlots; ++k)
            EXPECT_EQ(t.stnentry[k] + t.stncall[k] + t.stnlat[k] + t.stnlon[k] + t.stntxtimes[k],
                      "")
                << "slot " << k;
        EXPECT_EQ(p.state().curstation, 0);
        EXPECT_EQ(p.form().Label5.caption(), "");
        EXPECT_EQ(listState(p.form().MessageList), "EA01 GA02");
        p.receiveMessage("ZZ03"); // messages still arrive and are listed
        EXPECT_EQ(listState(p.form().MessageList2), "EA01 GA02 ZZ03");
        EXPECT_EQ(p.dialogs.notices.size(), 1u);
    }
}

TEST(MessageListChoice, AListWithoutACurrentEntryChangesNothing)
{
    TestProgram p;
    p.receiveMessage("ZA01");
    p.receiveMessage("AB12");
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(1);
    auto before = test::screen(p.form());
    ASSERT_EQ(before.at("Text6"), "Message AB12");

    // Leaving a list without a current entry runs its handler, which stops at once.
    p.form().MessageList.setListIndex(-1);
    p.form().MessageList2.setListIndex(-1);
    p.form().MessageList_click();
    before["MessageList"] = "-1: ZA01 AB12";
    before["MessageList2"] = "-1: AB12 ZA01";
    EXPECT_EQ(test::screen(p.form()), before);
    EXPECT_EQ(p.state().selid, "AB12");
}

} // namespace
} // namespace fenlark
