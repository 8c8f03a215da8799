// Start-up: the settings file applied to the serial port, and what happens when it cannot be.
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace fenlark {
namespace {

using test::TestProgram;

TEST(FormLoad, AppliesTheSettingsFileAndOpensThePort)
{
    TestProgram p(" 1 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n");
    EXPECT_TRUE(p.app.isLoaded(Window::Form1));
    EXPECT_EQ(p.form().MSComm1.commPort(), 1);
    EXPECT_EQ(p.form().MSComm1.settings(), "9600,n,8,1");
    EXPECT_EQ(p.form().MSComm1.handshaking(), 0);
    EXPECT_EQ(p.form().MSComm1.inputMode(), 0);
    EXPECT_TRUE(p.form().MSComm1.portOpen());
    EXPECT_EQ(p.serial.openedPort, 1);
    EXPECT_EQ(p.state().errchar, "~");
    EXPECT_TRUE(p.dialogs.notices.empty());
}

TEST(FormLoad, PortZeroKeepsTheNumberAndSettingsThePortHad)
{
    TestProgram p(" 3 \r\n4800\r\ne\r\n7\r\n2\r\n#\r\n");
    ASSERT_EQ(p.form().MSComm1.settings(), "4800,e,7,2");
    p.form().mnuComPort.click();
    test::writeFile("fenlark.ini", " 0 \r\n9600\r\nn\r\n8\r\n1\r\n?\r\n");
    p.app.comPortForm().LeaveAlone.click();
    EXPECT_EQ(p.form().MSComm1.commPort(), 3);
    EXPECT_EQ(p.form().MSComm1.settings(), "4800,e,7,2");
    EXPECT_TRUE(p.form().MSComm1.portOpen());
    EXPECT_EQ(p.state().errchar, "?");
}

TEST(FormLoad, AMissingOrShortSettingsFileOpensTheDialog)
{
    for (const char* settings : {"", " 1 \r\n9600\r\nn\r\n8\r\n1\r\n"}) {
        SCOPED_TRACE(settings);
        TestProgram p(settings);
        EXPECT_FALSE(p.app.isLoaded(Window::Form1));
        EXPECT_TRUE(p.app.isLoaded(Window::ComPortForm));
        EXPECT_FALSE(p.form().MSComm1.portOpen());
        EXPECT_EQ(p.app.comPortForm().Label5.caption().rfind("Current setting: none", 0), 0u)
            << p.app.comPortForm().Label5.caption();
    }
}

TEST(FormLoad, APortThatRefusesItsNumberIsReportedAndOpensTheDialog)
{
    TestProgram p("", false);
    test::writeFile("fenlark.ini", " 4 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n");
    p.serial.refusedPort = 4;
    p.app.start();
    ASSERT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_NE(p.dialogs.notices[0].find("test port 4"), std::string::npos) << p.dialogs.notices[0];
    EXPECT_NE(p.dialogs.notices[0].find("no such port"), std::string::npos);
    EXPECT_NE(p.dialogs.notices[0].find("port number 4"), std::string::npos);
    EXPECT_TRUE(p.app.isLoaded(Window::ComPortForm));
    // The settings were taken before the port number was refused.
    EXPECT_EQ(p.state().errchar, "~");
}

TEST(FormLoad, APortThatCannotOpenIsReportedAndTheProgramGoesOn)
{
    TestProgram p("", false);
    test::writeFile("fenlark.ini", " 2 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n");
    p.serial.openFailure = "device busy";
    p.app.start();
    EXPECT_TRUE(p.app.isLoaded(Window::Form1));
    EXPECT_FALSE(p.form().MSComm1.portOpen());
    ASSERT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_NE(p.dialogs.notices[0].find("device busy"), std::string::npos);
    EXPECT_NE(p.dialogs.notices[0].find("test port 2"), std::string::npos);
    // Browsing, loading and capture replay go on without the port; saving stays quiet about it.
    test::writeFile("capture.txt", "ZCZC EA42\r\nBODY\r\nNNNN\r\n");
    p.form().mnucapture.click();
    EXPECT_EQ(p.state().msgcount, 1);
    p.form().Command1.click();
    EXPECT_EQ(p.dialogs.notices.size(), 1u);
}

TEST(FormLoad, TheFirstStartShowsEmptySelectorsAndView)
{
    TestProgram p;
    Form1& f = p.form();
    EXPECT_EQ(f.NavAreaList.listIndex(), 0);
    EXPECT_EQ(f.StationList.listIndex(), 0);
    EXPECT_EQ(f.StationList.count(), 27);
    EXPECT_EQ(f.MessageTypeList.listIndex(), 0);
    EXPECT_TRUE(f.Option3.value());
    EXPECT_TRUE(f.Frequency[2].value());
    EXPECT_EQ(f.autosave.value(), 1);
    for (const TextBox* box : {&f.Text10, &f.Text13})
        EXPECT_EQ(box->text(), "") << box->name();
    EXPECT_EQ(f.Label6.caption(), "");
    EXPECT_EQ(f.Label15.caption(), "");
    EXPECT_EQ(f.Label1.caption(), "Incoming  Message");
    EXPECT_EQ(p.state().msgcount, 0);
}

} // namespace
} // namespace fenlark
