// The port settings dialog: its controls, its flow and the file it writes.
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fenlark {
namespace {

using test::TestProgram;
using test::listState;
using test::readFile;

TEST(ComPortForm, OpensFromTheMenuInPlaceOfTheMainWindow)
{
    TestProgram p(" 1 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n");
    p.form().mnuComPort.click();
    ComPortForm& d = p.app.comPortForm();
    EXPECT_FALSE(p.form().MSComm1.portOpen());
    EXPECT_FALSE(p.app.isLoaded(Window::Form1));
    EXPECT_TRUE(p.app.isLoaded(Window::ComPortForm));
    EXPECT_EQ(d.Label5.caption(), "Current setting: 1, 9600, n, 8, 1,  ~");
    EXPECT_EQ(listState(d.comportcombo), "0 [1] 2 3 4 5 6");
    EXPECT_EQ(listState(d.BaudRatecombo), "50 110 300 600 1200 2400 4800 [9600] 19200 34800");
    EXPECT_EQ(listState(d.DataBitsCombo), "5 [7] 8");
    EXPECT_EQ(listState(d.StopBitsCombo), "[1] 1.5 2");
    EXPECT_EQ(d.Combo1.text(), "~ (default)");
    EXPECT_EQ(d.Combo1.count(), 5);
    EXPECT_EQ(d.Combo1.list(4), "&H7F ");
    EXPECT_TRUE(d.ParityNo.value());
    EXPECT_EQ(d.parity(), "n");
    EXPECT_EQ(d.setnsave.caption(), "&Set'n'Save");
    EXPECT_EQ(d.LeaveAlone.caption(), "Leave Unchanged");
}

TEST(ComPortForm, SetnSaveAtOnceWritesTheDefaultFile)
{
    TestProgram p(" 3 \r\n4800\r\ne\r\n5\r\n2\r\n#\r\n");
    p.form().mnuComPort.click();
    p.app.comPortForm().setnsave.click();
    EXPECT_EQ(readFile("fenlark.ini"), " 1 \r\n9600\r\nn\r\n7\r\n1\r\n~\r\n");
    EXPECT_TRUE(p.app.isLoaded(Window::Form1));
    EXPECT_FALSE(p.app.isLoaded(Window::ComPortForm));
    EXPECT_EQ(p.form().MSComm1.settings(), "9600,n,7,1");
    EXPECT_TRUE(p.form().MSComm1.portOpen());
}

TEST(ComPortForm, WritesTheChosenValues)
{
    TestProgram p;
    p.form().mnuComPort.click();
    ComPortForm& d = p.app.comPortForm();
    d.comportcombo.setListIndex(0);
    d.BaudRatecombo.setListIndex(9);
    d.DataBitsCombo.setListIndex(2);
    d.StopBitsCombo.setListIndex(1);
    d.ParityOdd.choose();
    d.Combo1.setListIndex(4);
    d.setnsave.click();
    EXPECT_EQ(readFile("fenlark.ini"), " 0 \r\n34800\r\no\r\n8\r\n1.5\r\n\x7f\r\n");
    EXPECT_EQ(p.state().errchar, "\x7f");
}

TEST(ComPortForm, ATypedErrorCharacterKeepsItsFirstCharacter)
{
    TestProgram p;
    p.form().mnuComPort.click();
    ComPortForm& d = p.app.comPortForm();
    d.Combo1.setText("%percent");
    d.setnsave.click();
    EXPECT_EQ(readFile("fenlark.ini").substr(readFile("fenlark.ini").size() - 3), "%\r\n");
}

TEST(ComPortForm, AnErrorCharacterThatCannotBeSavedOrReadBackIsRefused)
{
    const std::pair<const char*, const char*> cases[] = {
        {"&HXY", "&HXY"},  {"&H22", "a double quote"},  {",", "a comma"},
        {" ~", "a blank"}, {"&H0D", "carriage return"}, {"&O12", "a line feed"}};
    for (const auto& [typed, reason] : cases) {
        SCOPED_TRACE(typed);
        TestProgram p;
        const std::string before = readFile("fenlark.ini");
        p.form().mnuComPort.click();
        p.app.comPortForm().Combo1.setText(typed);
        p.app.comPortForm().setnsave.click();
        EXPECT_EQ(readFile("fenlark.ini"), before);
        EXPECT_TRUE(p.app.isLoaded(Window::ComPortForm));
        ASSERT_EQ(p.dialogs.notices.size(), 1u);
        EXPECT_NE(p.dialogs.notices[0].find(reason), std::string::npos) << p.dialogs.notices[0];
    }
}

TEST(ComPortForm, AfterAFailedSaveItsCloseControlOffersToQuit)
{
    TestProgram p("", false);
    std::filesystem::create_directories("fenlark.ini/x"); // neither read nor written
    p.app.start();
    p.app.comPortForm().setnsave.click();
    for (const bool quit : {false, true}) {
        p.dialogs.queue(quit);
        p.app.comPortForm().closeRequested();
        EXPECT_EQ(p.app.ended(), quit);
        EXPECT_TRUE(p.app.isLoaded(Window::ComPortForm));
    }
    EXPECT_EQ(p.dialogs.questions,
              std::vector<std::string>(2, "The settings could not be saved. Quit FenLark?"));
}

TEST(ComPortForm, ReloadingTheMainWindowKeepsEveryMessage)
{
    TestProgram p;
    p.receiveMessage("GA12", {"ONE"});
    p.receiveMessage("EA42", {"TWO"});
    p.form().NavAreaList.setListIndex(5);
    p.form().Frequency[0].choose();
    p.form().mnuComPort.click();
    p.app.comPortForm().LeaveAlone.click();
    EXPECT_EQ(p.state().msgcount, 2);
    EXPECT_EQ(listState(p.form().MessageList), "GA12 EA42");
    EXPECT_EQ(listState(p.form().MessageList2), "EA42 GA12");
    EXPECT_EQ(p.form().NavAreaList.listIndex(), 0);
    EXPECT_TRUE(p.form().Frequency[2].value());
    p.receiveMessage("ZA01", {"THREE"});
    EXPECT_EQ(p.state().msgcount, 3);
    EXPECT_EQ(p.state().MessageTable[0].msgid, "GA12");
}

TEST(ComPortForm, ClosingItsWindowActsAsLeaveUnchanged)
{
    TestProgram p;
    p.form().mnuComPort.click();
    p.app.comPortForm().closeRequested();
    EXPECT_TRUE(p.app.isLoaded(Window::Form1));
    EXPECT_FALSE(p.app.isLoaded(Window::ComPortForm));
    EXPECT_TRUE(p.form().MSComm1.portOpen());
}

TEST(ComPortForm, CharactersSentWhileTheDialogIsOpenAreLost)
{
    TestProgram p;
    p.receive("ZCZC EA42\r\nONE\r\n");
    p.form().mnuComPort.click();
    p.receive("LOST\r\n");
    p.app.comPortForm().LeaveAlone.click();
    p.receive("TWO\r\nNNNN\r\n");
    ASSERT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.state().MessageTable[0].msgtext, "\r\nONE\r\nTWO");
}

} // namespace
} // namespace fenlark
