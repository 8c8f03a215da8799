// NAVAREA and frequency choice: which block of which station file fills the station table and the
// station selector, and the station information shown for the chosen station.
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::listState;
using test::TestProgram;
using test::writeFile;

// A station file of 25 blocks whose every line names its own line number: "L29 entry,..." is
// line 29.
std::string numberedStationFile()
{
    std::string out;
    int line = 0;
    for (int block = 0; block < 25; ++block) {
        out += "heading L" + std::to_string(++line) + "\r\n";
        for (int k = 1; k <= 26; ++k) {
            const std::string n = std::to_string(++line);
            out += "L" + n + " entry,C" + n + ",1 " + n + " N,2 " + n + " E,T" + n + "\r\n";
        }
    }
    return out;
}

// Block 0 of a station file from the given station lines (positions 1 up), padded with empty
// stations, followed by 24 more blocks of the generated kind.
std::string stationFileWith(const std::vector<std::string>& lines)
{
    std::string out = "NAVAREA I test block\r\n";
    for (int k = 1; k <= 26; ++k)
        out +=
            (k <= static_cast<int>(lines.size()) ? lines[k - 1] : std::string("- ,,,,")) + "\r\n";
    const std::string rest = test::makeStationFile("518");
    return out + rest.substr(rest.find("NAVAREA block 2"));
}

TEST(NavAreaChoice, ReadsTheBlockOfTheChosenPosition)
{
    struct Case {
        int position;
        int firstLine; // file line of station position 1
    };
    const Case cases[] = {{0, 2}, {1, 29}, {7, 191}, {24, 650}};
    for (const Case& c : cases) {
        SCOPED_TRACE("NAVAREA position " + std::to_string(c.position));
        TestProgram p;
        writeFile("518.txt", numberedStationFile());
        p.form().NavAreaList.setListIndex(c.position);
        const DropDown& stations = p.form().StationList;
        ASSERT_EQ(stations.count(), 27);
        EXPECT_EQ(stations.list(0), " All Stations");
        EXPECT_EQ(stations.list(1), "L" + std::to_string(c.firstLine) + " entry");
        EXPECT_EQ(stations.list(26), "L" + std::to_string(c.firstLine + 25) + " entry");
        EXPECT_EQ(p.state().navareaindex, c.position);
        const std::string last = std::to_string(c.firstLine + 25);
        EXPECT_EQ(p.state().stations.stncall[26], "C" + last);
        EXPECT_EQ(p.state().stations.stnlat[26], "1 " + last + " N");
        EXPECT_EQ(p.state().stations.stnlon[26], "2 " + last + " E");
        EXPECT_EQ(p.state().stations.stntxtimes[26], "T" + last);
        EXPECT_EQ(p.state().stations.stnentry[0], "");
        EXPECT_TRUE(p.dialogs.notices.empty());
    }
}

TEST(NavAreaChoice, FieldsAreTakenAsTheyStandBetweenCommas)
{
    TestProgram p;
    writeFile("518.txt", stationFileWith({
                             "A - Extra fields,CALLA,10 00 N,020 00 E,0000 0400,spare,more",
                             "B - Spaced ,  CALLB , 11 00 N,021 00 W ,0010 ",
                         }));
    p.form().NavAreaList.setListIndex(0);
    const StationTable& t = p.state().stations;
    EXPECT_EQ(t.stnentry[1], "A - Extra fields");
    EXPECT_EQ(t.stntxtimes[1], "0000 0400");
    EXPECT_EQ(p.form().StationList.list(2), "B - Spaced ");
    EXPECT_EQ(t.stncall[2], "  CALLB ");
    EXPECT_EQ(t.stnlat[2], " 11 00 N");
    EXPECT_EQ(t.stnlon[2], "021 00 W ");
    EXPECT_EQ(t.stntxtimes[2], "0010 ");
    p.form().StationList.setListIndex(2);
    EXPECT_EQ(p.form().Label5.caption(), "Call:   CALLB   -  Lat:  11 00 N  Lon: 021 00 W ");
    EXPECT_EQ(p.form().TxTimeslabel.caption(), "Tx times: 0010 ");
}

TEST(StationListClick, ShowsTheStationsCallPositionAndTimes)
{
    struct Case {
        std::string line; // the station line at position 1
        std::string label5;
        std::string txTimes;
    };
    const std::vector<Case> cases = {
        {"A - Full,GNI,50 35 N,001 18 W,0040 0440", "Call: GNI  -  Lat: 50 35 N  Lon: 001 18 W",
         "Tx times: 0040 0440"},
        {"A - One letter call,G,1 N,2 E,abc", "  -  Lat: 1 N  Lon: 2 E", "Tx times: abc"},
        {"A - Two letter call,GN,,,", "Call: GN", ""},
        {"A - Short latitude,GNI,12,001 18 W,ab", "Call: GNI", ""},
        {"A - Nothing,X,12,34,56", "", ""},
        {"A - No call,,123,,", "  -  Lat: 123  Lon: ", ""},
        {"A - Empty,,,,", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TestProgram p;
        writeFile("518.txt", stationFileWith({c.line}));
        p.form().NavAreaList.setListIndex(0);
        p.form().StationList.setListIndex(1);
        EXPECT_EQ(p.form().Label5.caption(), c.label5);
        EXPECT_EQ(p.form().TxTimeslabel.caption(), c.txTimes);
        EXPECT_EQ(p.state().curstation, 1);
    }
}

TEST(StationListClick, AllStationsShowsNoStationInformation)
{
    TestProgram p;
    p.form().StationList.setListIndex(5);
    ASSERT_NE(p.form().Label5.caption(), "");
    ASSERT_NE(p.form().TxTimeslabel.caption(), "");
    p.form().StationList.setListIndex(0);
    EXPECT_EQ(p.form().Label5.caption(), "");
    EXPECT_EQ(p.form().TxTimeslabel.caption(), "");
    EXPECT_EQ(p.state().curstation, 0);
}

TEST(FrequencyChoice, ReloadsFromTheOtherFileAndKeepsTheStationPosition)
{
    TestProgram p;
    p.receiveMessage("EA01");
    p.receiveMessage("EB02");
    p.receiveMessage("FA03");
    p.form().StationList.setListIndex(5);
    ASSERT_EQ(p.form().StationList.text(), "E - Station E of area 1 (518)");
    ASSERT_EQ(listState(p.form().MessageList), "EA01 EB02");

    p.form().Frequency[0].choose();
    EXPECT_EQ(p.form().StationList.listIndex(), 5);
    EXPECT_EQ(p.form().StationList.text(), "E - Station E of area 1 (424)");
    EXPECT_EQ(p.state().stations.stnentry[1], "A - Station A of area 1 (424)");
    EXPECT_EQ(p.state().curstation, 5);
    EXPECT_EQ(p.form().Label5.caption(), "Call: CALLE  -  Lat: 50 35 N  Lon: 001 18 W");
    EXPECT_EQ(listState(p.form().MessageList), "EA01 EB02");

    p.form().NavAreaList.setListIndex(3);
    EXPECT_EQ(p.form().StationList.text(), "E - Station E of area 4 (424)");
}

TEST(FrequencyChoice, WithAllStationsTheListsAndTheShownMessageComeBack)
{
    TestProgram p;
    for (const char* id : {"ZA01", "AB12", "NE05"})
        p.receiveMessage(id);
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(1);
    const auto before = test::screen(p.form());
    ASSERT_EQ(before.at("Text6"), "Message AB12");

    p.form().Frequency[3].choose();
    auto after = test::screen(p.form());
    EXPECT_EQ(after.at("MessageList"), before.at("MessageList"));
    EXPECT_EQ(after.at("MessageList2"), before.at("MessageList2"));
    EXPECT_EQ(after.at("Text6"), "Message AB12");
    EXPECT_EQ(after.at("Text12"), " 3 logged");
    EXPECT_EQ(p.form().StationList.list(1), "A - Station A of area 1 (4209)");
}

TEST(FrequencyChoice, ARememberedListPositionBeyondTheRebuiltListLeavesNoSelection)
{
    TestProgram p;
    // On 424 kHz position 5 is a station with another letter.
    std::string other = test::makeStationFile("424");
    const std::string from = "E - Station E of area 1 (424),CALLE";
    other.replace(other.find(from), from.size(), "X - Station X of area 1 (424),CALLX");
    writeFile("424.txt", other);
    for (const char* id : {"EA01", "EA02", "XA01"})
        p.receiveMessage(id);
    p.form().StationList.setListIndex(5);
    p.form().Option5.choose();
    p.form().MessageList.setListIndex(1);
    ASSERT_EQ(listState(p.form().MessageList), "EA01 [EA02]");
    ASSERT_EQ(listState(p.form().MessageList2), "EA01 [EA02]");

    p.form().Frequency[0].choose();
    EXPECT_EQ(p.form().StationList.text(), "X - Station X of area 1 (424)");
    EXPECT_EQ(listState(p.form().MessageList), "XA01");
    EXPECT_EQ(listState(p.form().MessageList2), "XA01");
    EXPECT_EQ(p.form().Text6.text(), "");
}

// The station file problems an operator can meet; each is told once and leaves " All Stations".
struct FileProblem {
    const char* what;
    std::function<void()> spoil; // changes the files in the working folder
    int navarea;
    std::string mention; // a part of the notice
};

TEST(StationFileProblem, IsToldOnceAndLeavesOnlyAllStations)
{
    const std::vector<FileProblem> problems = {
        {"missing file", [] { std::filesystem::remove("518.txt"); }, 0, "518.txt"},
        {"file too short", [] { writeFile("518.txt", test::makeStationFile("518", 3)); }, 5,
         "NAVAREA \"IVb - Carribean\""},
        {"block cut short",
         [] {
             const std::string file = test::makeStationFile("518", 25);
             writeFile("518.txt", file.substr(0, file.find("Q - Station Q of area 1")));
         },
         0, "518.txt"},
        {"four fields",
         [] {
             std::string file = test::makeStationFile("518");
             const std::string line = "G - Station G of area 1 (518),CALLG,50 35 N,001 18 W,";
             file.replace(file.find(line), line.size(), "G - Four fields,CALLG,50 35 N,001 18 W");
             writeFile("518.txt", file);
         },
         0, "line 8"},
    };
    for (const FileProblem& problem : problems) {
        SCOPED_TRACE(problem.what);
        TestProgram p;
        p.receiveMessage("EA01");
        p.receiveMessage("GA02");
        p.form().StationList.setListIndex(7); // a remembered position beyond " All Stations"
        ASSERT_EQ(listState(p.form().MessageList), "GA02");
        problem.spoil();
        p.form().NavAreaList.setListIndex(problem.navarea);

        ASSERT_EQ(p.dialogs.notices.size(), 1u);
        EXPECT_NE(p.dialogs.notices[0].find(problem.mention), std::string::npos)
            << p.dialogs.notices[0];
        EXPECT_EQ(listState(p.form().StationList), "[ All Stations]");
        for (int k = 0; k < kStationSlots; ++k) {
            const StationTable& t = p.state().stations;
            EXPECT_EQ(t.stnentry[k] + t.stncall[k] + t.stnlat[k] + t.stnlon[k] + t.stntxtimes[k],
                      "")
                << "slot " << k;
        }
        EXPECT_EQ(p.state().curstation, 0);
        EXPECT_EQ(p.form().Label5.caption(), "");
        EXPECT_EQ(listState(p.form().MessageList), "EA01 GA02");

        // Messages still arrive and are listed.
        p.receiveMessage("ZZ03");
        EXPECT_EQ(listState(p.form().MessageList2), "EA01 GA02 ZZ03");
        EXPECT_EQ(p.dialogs.notices.size(), 1u);
    }
}

TEST(StationFileProblem, AtStartUpIsToldOnce)
{
    TestProgram p(test::kPortZeroSettings, false);
    std::filesystem::remove("518.txt");
    p.app.start();
    ASSERT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_NE(p.dialogs.notices[0].find("518.txt"), std::string::npos);
    EXPECT_EQ(listState(p.form().StationList), "[ All Stations]");
    p.receiveMessage("EA01");
    EXPECT_EQ(listState(p.form().MessageList), "EA01");
    p.form().Option3.choose();
    EXPECT_EQ(p.form().Label6.caption(), "- Navigation Warning");
    EXPECT_EQ(p.form().Label15.caption(), "");
    EXPECT_EQ(p.dialogs.notices.size(), 1u);
}

} // namespace
} // namespace fenlark
