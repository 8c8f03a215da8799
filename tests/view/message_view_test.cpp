// The message view: the stations named for a message, and its texts of counts, dates and ages.
// The display modes and the fields of a shown record are walked by the golden script
// headless/scripts/message_view.txt.
#include "support/test_program.h"
#include "view/message_view.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace fenlark {
namespace {

using test::TestProgram;

DateTime at(int year, int month, int day, int hour, int minute, int second)
{
    return DateTime::fromCivil({year, month, day, hour, minute, second});
}

// The station text of a message comes from every entry of its letter, each longer than six
// characters ("A - XY" is too short); the last one gives the position and times.
TEST(MessageView, NamesEveryStationOfTheLetterWithAnEntryOfMoreThanSixCharacters)
{
    struct Case {
        std::string a;      // the entry at position 1
        std::string g;      // the entry at position 7
        std::string label6; // after the type text "- Navigation Warning"
        int curstation;
        bool positioned = true; // Label15 shows the position of station `curstation`
    };
    const Case cases[] = {
        {"A - XY", "G - Golf", "", 0, false},
        {"A - XYZ", "A - Second A", " from  XYZ     (CALLA) from  Second A     (CALLG)", 7},
        {"A - XYZ", "A - XY", " from  XYZ     (CALLA)", 1, false}, // a short entry empties it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a + " / " + c.g);
        TestProgram p;
        std::string file = test::makeStationFile("518");
        for (const auto& [from, entry] : {std::pair{"A - ", c.a}, std::pair{"G - ", c.g}}) {
            const std::size_t at = file.find(from);
            file.replace(at, file.find(',', at) - at, entry);
        }
        test::writeFile("518.txt", file);
        p.form().NavAreaList.setListIndex(0);
        p.receiveMessage("AA01");
        p.form().Option3.choose();
        EXPECT_EQ(p.form().Label6.caption(), "- Navigation Warning" + c.label6);
        EXPECT_EQ(p.form().Label15.caption(),
                  c.positioned ? "  Lat: 50 35 N  Lon: 001 18 W  Tx times: 0040 0440 0840" : "");
        EXPECT_EQ(p.state().curstation, c.curstation);
    }
}

TEST(MessageViewTexts, CountDatesTimesAndAges)
{
    EXPECT_EQ(receivedText(1), "Received once");
    EXPECT_EQ(receivedText(32767), "Received  32767 times");
    EXPECT_EQ(shortDateText(at(2001, 1, 9, 0, 0, 1)) + " " + timeText(at(2001, 1, 9, 0, 0, 1)),
              "09/01/01 00:00:01");
    EXPECT_EQ(shortDateText(at(2026, 12, 5, 0, 0, 0)) + " " + timeText(at(2026, 12, 5, 0, 0, 0)),
              "05/12/26 /12/2026"); // at midnight the text holds the date alone
    struct Case {
        DateTime received;
        DateTime now;
        std::string age;
    };
    const Case cases[] = {
        {at(2026, 12, 5, 0, 0, 1), at(2026, 12, 5, 23, 59, 59), " today"},
        {at(2026, 12, 4, 23, 59, 0), at(2026, 12, 5, 0, 1, 0), " yesterday"},
        {at(2026, 12, 3, 23, 0, 0), at(2026, 12, 5, 0, 30, 0), " 2 days ago"},
        {at(2026, 11, 25, 12, 0, 0), at(2026, 12, 5, 12, 0, 0), " 10 days ago"},
        {at(2026, 12, 31, 22, 0, 0), at(2027, 1, 1, 6, 0, 0), " yesterday"},
        {at(2028, 2, 28, 12, 0, 0), at(2028, 3, 1, 12, 0, 0), " 2 days ago"}, // leap year
        {at(2026, 12, 9, 9, 0, 0), at(2026, 12, 6, 9, 0, 0), " today"}, // the clock was set back
    };
    for (const Case& c : cases)
        EXPECT_EQ(ageText(c.now, c.received), c.age) << c.received.text() << " at " << c.now.text();
}

} // namespace
} // namespace fenlark
