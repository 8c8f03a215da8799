// The scheduled autosave: four one-minute windows, both ends excluded, only while the box is ticked.
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fenlark {
namespace {

using test::TestProgram;

struct Tick {
    int hour;
    int minute;
    int second;
    bool saves;
};

TEST(Timer1Timer, SavesOnlyInsideTheWindows)
{
    const Tick ticks[] = {
        {0, 56, 59, false}, {0, 57, 0, false},  {0, 57, 1, true},   {0, 57, 59, true},
        {0, 58, 0, false},  {6, 57, 0, false},  {6, 57, 30, true},  {6, 58, 0, false},
        {12, 56, 59, false}, {12, 57, 1, true}, {12, 57, 59, true}, {12, 58, 0, false},
        {18, 57, 0, false}, {18, 57, 32, true}, {18, 58, 1, false}, {13, 57, 30, false},
        {23, 57, 30, false}, {0, 0, 0, false},
    };
    TestProgram p;
    EXPECT_EQ(p.form().Timer1.interval(), 32000);
    for (const Tick& t : ticks) {
        SCOPED_TRACE(testing::Message() << t.hour << ":" << t.minute << ":" << t.second);
        std::filesystem::remove("navtex.txt");
        p.clock.set(2026, 12, 5, t.hour, t.minute, t.second);
        p.form().Timer1.tick();
        EXPECT_EQ(std::filesystem::exists("navtex.txt"), t.saves);
    }
}

TEST(Timer1Timer, AWindowGetsOneOrTwoTicksThirtyTwoSecondsApart)
{
    for (int first = 0; first < 32; ++first) {
        TestProgram p;
        int saves = 0;
        p.serial.onClose = [&] { ++saves; };
        p.clock.set(2026, 12, 5, 6, 56, 30 + first);
        for (int tick = 0; tick < 4; ++tick) {
            p.form().Timer1.tick();
            p.clock.advance(32);
        }
        EXPECT_GE(saves, 1) << "first tick at 06:56:" << 30 + first;
        EXPECT_LE(saves, 2) << "first tick at 06:56:" << 30 + first;
    }
}

TEST(AutosaveClick, UncheckingStopsTheTickAndCheckingRestartsIt)
{
    TestProgram p;
    p.clock.set(2026, 12, 5, 0, 57, 30);
    EXPECT_EQ(p.form().autosave.value(), 1);
    EXPECT_TRUE(p.form().Timer1.enabled());
    p.form().autosave.click();
    EXPECT_FALSE(p.form().Timer1.enabled());
    p.form().Timer1.tick();
    EXPECT_FALSE(std::filesystem::exists("navtex.txt"));
    p.form().Command1.click(); // saving by hand still works
    EXPECT_TRUE(std::filesystem::exists("navtex.txt"));
    p.form().autosave.click();
    EXPECT_TRUE(p.form().Timer1.enabled());
}

TEST(AutosaveClick, ThePortSettingsDialogTurnsTheScheduleBackOn)
{
    TestProgram p;
    p.form().autosave.click();
    ASSERT_FALSE(p.form().Timer1.enabled());
    p.form().mnuComPort.click();
    p.app.comPortForm().LeaveAlone.click();
    EXPECT_EQ(p.form().autosave.value(), 1);
    EXPECT_TRUE(p.form().Timer1.enabled());
}

TEST(Timer1Timer, AnEmptyTableReplacesTheLogWithOneOfNoRecords)
{
    TestProgram p;
    test::writeFile("navtex.txt", " 1 \r\n05/12/2026\r\n05/12/2026\r\nGA12\r\n 0 \r\n 0 \r\n 1 \r\n\r\n"
                                  "X\r\nNNNN\r\n");
    p.clock.set(2026, 12, 5, 18, 57, 10);
    p.form().Timer1.tick();
    EXPECT_EQ(test::readFile("navtex.txt"), " 0 \r\n");
}

} // namespace
} // namespace fenlark
