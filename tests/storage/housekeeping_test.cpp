// The scheduled autosave and quitting.
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fenlark {
namespace {

using test::TestProgram;

TEST(Timer1Timer, SavesInsideTheFourWindowsWithBothEndsExcluded)
{
    TestProgram p;
    // Seconds into the hour of a tick, and whether it saves in the hours of the windows.
    const std::pair<int, bool> ticks[] = {
        {57 * 60, false}, {57 * 60 + 1, true}, {57 * 60 + 59, true}, {58 * 60, false}};
    for (const int hour : {0, 6, 12, 18, 13})
        for (const auto& [second, saves] : ticks) {
            SCOPED_TRACE(testing::Message() << hour << " h " << second << " s");
            std::filesystem::remove("navtex.txt");
            const int closes = p.serial.closes;
            p.clock.set(2026, 12, 5, hour, second / 60, second % 60);
            p.form().Timer1.tick();
            EXPECT_EQ(std::filesystem::exists("navtex.txt"), saves && hour != 13);
            // A save leaves the receiver's port open and reading.
            EXPECT_EQ(p.serial.closes, closes);
            EXPECT_TRUE(p.form().MSComm1.portOpen());
        }
}

TEST(PurgeClick, ASaveThatFailsKeepsTheTableAndItsCount)
{
    TestProgram p;
    p.receiveMessage("AA01");
    p.clock.advance(3 * 86400);
    p.receiveMessage("BB02");
    std::filesystem::create_directories("navtex.txt/x"); // the log cannot be replaced
    p.form().purge.click();
    EXPECT_EQ(test::listState(p.form().MessageList), "BB02");
    EXPECT_EQ(p.form().Text12.text(), " 1 logged");
    EXPECT_EQ(p.dialogs.notices.size(), 1u);
}

TEST(AutosaveClick, TheBoxStopsAndRestartsTheTick)
{
    TestProgram p;
    p.form().autosave.click();
    EXPECT_FALSE(p.form().Timer1.enabled());
    p.form().autosave.click();
    EXPECT_TRUE(p.form().Timer1.enabled());
}

TEST(QuitbuttonClick, SavesOnYesEndsUnlessDismissedAndLetsTheOperatorStayWhenTheSaveFails)
{
    struct Case {
        const char* what;
        std::vector<Answer> answers;
        bool saveFails;
        bool ends;
        const char* log; // what navtex.txt holds afterwards ("" when there is none)
    };
    const Case cases[] = {
        {"yes", {Answer::Yes}, false, true, " 1 \r\n"},
        {"no", {Answer::No}, false, true, ""},
        {"dismissed", {Answer::Dismissed}, false, false, ""},
        {"yes, the save fails, stay", {Answer::Yes, Answer::No}, true, false, ""},
        {"yes, the save fails, quit", {Answer::Yes, Answer::Yes}, true, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram p;
        p.receiveMessage("AA01");
        if (c.saveFails)
            std::filesystem::create_symlink("gone/navtex.txt", "navtex.txt"); // nowhere to write
        p.dialogs.answers.assign(c.answers.begin(), c.answers.end());
        p.form().mnuQuit.click();
        EXPECT_TRUE(p.dialogs.answers.empty()) << "every question asked";
        EXPECT_EQ(p.dialogs.questions[0], "Save messages first?");
        EXPECT_EQ(p.app.ended(), c.ends);
        EXPECT_EQ(p.form().MSComm1.portOpen(), !c.ends);
        EXPECT_EQ(test::readFile("navtex.txt").substr(0, 5), c.log);
        EXPECT_EQ(p.state().msgcount, 1);
        if (c.saveFails) {
            EXPECT_EQ(p.dialogs.questions.back(),
                      "The messages were not saved. Quit all the same?");
            EXPECT_NE(p.dialogs.notices.at(0).find("\"navtex.txt\""), std::string::npos);
        }
    }
}

} // namespace
} // namespace fenlark
