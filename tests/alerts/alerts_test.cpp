// Alarms and new-message marks: which filings sound, the queue of alarms, and the marks' lifetime.
#include "alerts/alarm_rules.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::TestProgram;

// The identifiers of the pending alarms, newest first.
std::string pendingIds(Application& app)
{
    std::string out;
    for (const Alarm& alarm : app.alarms().pending())
        out += (out.empty() ? "" : " ") + alarm.msgid;
    return out;
}

// The display mode "Selected", chosen without showing anything.
void selectedMode(Form1& form)
{
    form.Option3.setValueQuietly(false);
    form.Option5.setValueQuietly(true);
}

std::string newIds(Application& app, const std::vector<std::string>& ids)
{
    std::string out;
    for (const std::string& id : ids)
        if (app.newMarks().isNew(id))
            out += (out.empty() ? "" : " ") + id;
    return out;
}

TEST(AlarmRules, TypeDAlwaysTheAddedTypesAndNumberZeroWhenChosenEachWithItsHeading)
{
    const AlarmTypes none;
    const AlarmTypes a{true, false, false, false};
    const AlarmTypes b{false, true, false, false};
    const AlarmTypes l{false, false, true, false};
    const AlarmTypes zero{false, false, false, true};
    const AlarmTypes all{true, true, true, true};
    const std::string sar = "SEARCH AND RESCUE", nav = "NAVIGATIONAL WARNING";
    const struct {
        const char* id;
        AlarmTypes added;
        std::string heading; // empty: no alarm
    } cases[] = {
        {"XD01", none, sar},
        {"XD", none, sar},
        {"XA01", none, ""},
        {"XA01", a, nav},
        {"XB01", a, ""},
        {"XB01", b, "METEOROLOGICAL WARNING"},
        {"XL01", l, "FURTHER NAVIGATIONAL WARNING"},
        {"XL01", b, ""},
        {"XE00", none, ""},
        {"XE00", zero, "MESSAGE NUMBER 00"},
        {"XA00", zero, "MESSAGE NUMBER 00"},
        {"XA00", all, nav},
        {"XD00", all, sar},
        {"XE10", zero, ""},
        {"XC01", all, ""},
        {"D", all, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(alarmHeading(c.id, c.added), c.heading) << c.id;
        EXPECT_EQ(soundsAlarm(c.id, c.added), !c.heading.empty()) << c.id;
    }
}

TEST(AlarmFiling, TypeDSoundsThroughEveryFilterAndDisplayModeAndShowBringsItUp)
{
    const struct {
        int mode;    // 3 "Last", 4 "Last New", 5 "Selected"
        int type;    // MessageTypeList position; 5 is "E - Weather Forecast"
        int station; // StationList position; 2 is station B
    } cases[] = {{3, 0, 0}, {4, 5, 0}, {5, 0, 2}, {3, 5, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " type " + std::to_string(c.type) +
                     " station " + std::to_string(c.station));
        TestProgram p;
        Form1& f = p.form();
        (c.mode == 3 ? f.Option3 : c.mode == 4 ? f.Option4 : f.Option5).choose();
        f.StationList.setListIndex(c.station);
        f.MessageTypeList.setListIndex(c.type);
        p.receiveMessage("UD03", {"MAYDAY RELAY"});
        p.receiveMessage("BE01", {"FORECAST"});
        EXPECT_EQ(pendingIds(p.app), "UD03");
        EXPECT_TRUE(p.app.isLoaded(Window::Alarms));
        EXPECT_EQ(p.app.alarms().AlarmText.text(), "MAYDAY RELAY");

        p.app.alarms().Show.click();
        EXPECT_EQ(f.Text6.text(), "Message UD03");
        EXPECT_EQ(f.MessageList2.text(), "UD03");
        EXPECT_EQ(newIds(p.app, {"UD03", "BE01"}), "BE01");

        p.clock.advance(72 * 3600);
        p.receiveMessage("UD03"); // a repeat within 72 hours
        EXPECT_EQ(pendingIds(p.app), "UD03");
        p.clock.advance(72 * 3600 + 1);
        p.receiveMessage("UD03"); // heard again later: a new message, its alarm in the old one's place
        EXPECT_EQ(pendingIds(p.app), "UD03");
        EXPECT_EQ(p.app.alarms().AlarmTime.caption(), "Received 11/12/26 at 12:40:02 UTC");
    }
}

TEST(AlarmQueue, NewestFirstAndEachAcknowledgedOnItsOwn)
{
    TestProgram p;
    Alarms& alarms = p.app.alarms();
    p.receiveMessage("XD01", {"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX"});
    p.clock.advance(60);
    p.receiveMessage("XD02");
    p.receiveMessage("XD03");
    EXPECT_EQ(pendingIds(p.app), "XD03 XD02 XD01");
    EXPECT_EQ(alarms.AlarmId.caption(), "Message XD03");
    EXPECT_EQ(test::listState(alarms.AlarmList),
              "[XD03  05/12/26 12:41:01] XD02  05/12/26 12:41:01 XD01  05/12/26 12:40:01");

    alarms.AlarmList.choose(2);
    EXPECT_EQ(alarms.AlarmId.caption(), "Message XD01");
    EXPECT_EQ(alarms.AlarmTime.caption(), "Received 05/12/26 at 12:40:01 UTC");
    EXPECT_EQ(alarms.AlarmText.text(), "ONE\r\nTWO\r\nTHREE\r\nFOUR\r\nFIVE");
    EXPECT_EQ(alarms.AlarmOrigin.caption(),
              "- SAR/ Piracy Info from  Station X of area 1 (518)     (CALLX)");
    alarms.Acknowledge.click();
    EXPECT_EQ(pendingIds(p.app), "XD03 XD02");
    EXPECT_EQ(alarms.AlarmId.caption(), "Message XD03");

    // Quitting while alarms wait asks once; No and a dismissal stay.
    p.dialogs.queue(false);
    p.form().Quitbutton.click();
    p.dialogs.answers.push_back(Answer::Dismissed);
    p.form().Quitbutton.click();
    EXPECT_FALSE(p.app.ended());
    EXPECT_EQ(p.dialogs.questions,
              std::vector<std::string>(2, "Alarms are still unacknowledged. Quit all the same?"));

    alarms.Acknowledge.click();
    alarms.Acknowledge.click();
    EXPECT_EQ(pendingIds(p.app), "");
    EXPECT_FALSE(p.app.isLoaded(Window::Alarms));
    p.dialogs.queue(false);
    p.form().Quitbutton.click();
    EXPECT_EQ(p.dialogs.questions.back(), "Save messages first?");
    EXPECT_TRUE(p.app.ended());
}

TEST(AlarmQueue, AnIdentifierHeardAnewTakesItsOldPlaceAndTheQueueIsBounded)
{
    TestProgram p;
    p.receiveMessage("XD01");
    p.receiveMessage("XD02");
    p.clock.advance(73 * 3600); // XD01 is a new message again: one alarm for it, the newest
    p.receiveMessage("XD01");
    EXPECT_EQ(pendingIds(p.app), "XD01 XD02");
    EXPECT_EQ(test::listState(p.app.alarms().AlarmList),
              "[XD01  08/12/26 13:40:01] XD02  05/12/26 12:40:01");
    for (int n = 100; n < 100 + int(Alarms::kMaxPending); ++n)
        p.receiveMessage("AD" + std::to_string(n).substr(1));
    ASSERT_EQ(p.app.alarms().pending().size(), Alarms::kMaxPending);
    EXPECT_EQ(p.app.alarms().pending().back().msgid, "AD00");
    EXPECT_EQ(p.app.alarms().AlarmList.count(), int(Alarms::kMaxPending));
    EXPECT_EQ(p.dialogs.notices, std::vector<std::string>{
                                     "More than 100 alarms are waiting: the oldest are acknowledged "
                                     "as new ones sound, and the 100 newest wait."});
}

TEST(NewMarks, SetOnFilingUntilSeenPrintedLoadedOrADayOld)
{
    const struct {
        const char* what;
        std::function<void(TestProgram&)> then;
        const char* fresh;
    } cases[] = {
        {"filed; the display filing runs keeps them", [](TestProgram&) {}, "AB01 AB02"},
        {"chosen in a list",
         [](TestProgram& p) {
             selectedMode(p.form());
             p.form().MessageList2.choose(0);
         },
         "AB02"},
        {"chosen in mode Last, which shows the last one",
         [](TestProgram& p) { p.form().MessageList.choose(0); }, ""},
        {"mode Last New chosen", [](TestProgram& p) { p.form().Option4.choose(); }, "AB01"},
        {"shown by purge, then printed",
         [](TestProgram& p) {
             p.form().purge.click();
             EXPECT_EQ(p.form().Text6.text(), "Message AB02");
             EXPECT_EQ(newIds(p.app, {"AB01", "AB02"}), "AB01 AB02");
             p.form().print_message.click();
         },
         "AB01"},
        {"seen, then repeated",
         [](TestProgram& p) {
             selectedMode(p.form());
             p.form().MessageList.choose(0);
             p.receiveMessage("AB01");
         },
         "AB02"},
        {"a second under 24 hours old", [](TestProgram& p) { p.clock.advance(86399); },
         "AB01 AB02"},
        {"24 hours old", [](TestProgram& p) { p.clock.advance(86400); }, ""},
        {"saved and loaded",
         [](TestProgram& p) {
             p.form().Command1.click();
             p.form().mnuload.click();
         },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram p;
        p.receiveMessage("AB01");
        p.receiveMessage("AB02");
        c.then(p);
        EXPECT_EQ(newIds(p.app, {"AB01", "AB02"}), c.fresh);
    }
}

} // namespace
} // namespace fenlark
