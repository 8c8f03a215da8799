// Start-up with a port that refuses its number or cannot be opened, and a settings file that
// cannot be written.
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fenlark {
namespace {

using test::TestProgram;

TEST(FormLoad, APortThatRefusesItsNumberIsReportedAndOpensTheDialog)
{
    TestProgram p(" 4 \r\n9600\r\nn\r\n8\r\n1\r\n?\r\n", false);
    p.serial.refusedPort = 4;
    p.app.start();
    ASSERT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_EQ(p.dialogs.notices[0], "The port number 4 (test port 4) was refused: no such port.");
    EXPECT_TRUE(p.app.isLoaded(Window::ComPortForm));
    EXPECT_EQ(p.state().errchar, "?"); // taken before the port number was refused
}

TEST(FormLoad, APortThatCannotOpenIsReportedAndTheProgramGoesOnWithoutIt)
{
    TestProgram p(" 2 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n", false);
    p.serial.openFailure = "device busy";
    p.app.start();
    EXPECT_FALSE(p.form().MSComm1.portOpen());
    ASSERT_EQ(p.dialogs.notices.size(), 1u);
    EXPECT_NE(p.dialogs.notices[0].find("2 (test port 2) cannot be opened: device busy."),
              std::string::npos)
        << p.dialogs.notices[0];
    // Capture replay goes on without the port; saving stays quiet about it.
    test::writeFile("capture.txt", "ZCZC EA42\r\nBODY\r\nNNNN\r\n");
    p.form().mnucapture.click();
    p.form().Command1.click();
    EXPECT_EQ(p.state().msgcount, 1);
    EXPECT_EQ(p.dialogs.notices.size(), 1u);
}

TEST(ComPortForm, OpensOnTheSettingsInUseAndWritesBackWhatWasNotChanged)
{
    struct Case {
        const char* file;
        const char* shown; // port, baud rate, parity, data bits, stop bits, error character
        const char* written; // after choosing port 3 alone
    };
    const Case cases[] = {
        {" 0 \r\n4800\r\nn\r\n8\r\n1\r\n*\r\n", "0 4800 n 8 1 *",
         " 3 \r\n4800\r\nn\r\n8\r\n1\r\n*\r\n"},
        {" 2 \r\n34800\r\ne\r\n7\r\n2\r\n~\r\n", "2 38400 e 7 2 ~ (default)",
         " 3 \r\n38400\r\ne\r\n7\r\n2\r\n~\r\n"},
        {" 9 \r\n7200\r\nm\r\n6\r\n1.5\r\n&\r\n", "9 7200 m 6 1.5 &H26",
         " 3 \r\n7200\r\nm\r\n6\r\n1.5\r\n&\r\n"},
        {" 1 \r\n115200\r\no\r\n8\r\n1\r\n\r\n", "1 115200 o 8 1 ",
         " 3 \r\n115200\r\no\r\n8\r\n1\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(test::visible(c.file));
        TestProgram p(c.file);
        p.form().mnuComPort.click();
        ComPortForm& form = p.app.comPortForm();
        EXPECT_EQ(form.comportcombo.text() + " " + form.BaudRatecombo.text() + " " +
                      form.parity() + " " + form.DataBitsCombo.text() + " " +
                      form.StopBitsCombo.text() + " " + form.Combo1.text(),
                  c.shown);
        form.comportcombo.setListIndex(form.comportcombo.indexOf("3"));
        form.setnsave.click();
        EXPECT_EQ(test::visible(test::readFile("fenlark.ini")), test::visible(c.written));
    }
}

// The inputs a shell offers: one receiver on USB; the input chosen is recorded.
struct FakeInputs : ReceiverInputs {
    std::vector<PresentDevice> presentDevices() override
    {
        return {{"/dev/serial/by-id/usb-Nav-if00", "/dev/ttyUSB0, NAVTEX receiver"}};
    }
    void use(const InputChoice& choice) override { used.push_back(choice); }
    std::vector<InputChoice> used;
};

TEST(Welcome, TheFirstStartAsksWhereTheReceiverConnectsWritesTheChoiceAndNeverTraps)
{
    using Kind = InputChoice::Kind;
    const std::string usb = "/dev/serial/by-id/usb-Nav-if00";
    struct Case {
        const char* what;
        std::function<void(Welcome&)> choose; // the device present is chosen as the window opens
        const char* written;                  // the settings file afterwards; none when left
        std::vector<InputChoice> used;
    };
    const Case cases[] = {
        {"left", [](Welcome& w) { w.closeRequested(); }, nullptr, {}},
        {"serial NRX", {}, " 1 \r\n4800\r\nn\r\n8\r\n1\r\n*\r\n", {{Kind::Serial, usb, "", 10110}}},
        {"serial plain text", [](Welcome& w) { w.PlainReceiver.choose(); },
         " 1 \r\n9600\r\nn\r\n7\r\n1\r\n~\r\n", {{Kind::Serial, usb, "", 10110}}},
        {"TCP",
         [](Welcome& w) {
             w.TcpInput.choose();
             w.Continue.click(); // no host yet: the window says so and stays
             EXPECT_NE(w.Problem.caption(), "");
             w.TcpHost.setText("192.168.1.5");
         },
         " 0 \r\n4800\r\nn\r\n8\r\n1\r\n*\r\n", {{Kind::Tcp, "", "192.168.1.5", 10110}}},
        {"UDP",
         [](Welcome& w) {
             w.UdpInput.choose();
             w.UdpPort.setText("2000");
         },
         " 0 \r\n4800\r\nn\r\n8\r\n1\r\n*\r\n", {{Kind::Udp, "", "", 2000}}},
        {"no receiver yet", [](Welcome& w) { w.NoReceiver.choose(); },
         " 0 \r\n9600\r\nn\r\n7\r\n1\r\n~\r\n", {{}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestProgram p("", false);
        FakeInputs inputs;
        p.app.setReceiverInputs(&inputs);
        p.app.start();
        Welcome& welcome = p.app.welcome();
        ASSERT_TRUE(p.app.isLoaded(Window::Welcome));
        EXPECT_EQ(welcome.DeviceDetails.caption(), "/dev/ttyUSB0, NAVTEX receiver");
        EXPECT_FALSE(p.form().MSComm1.portOpen());
        if (c.choose)
            c.choose(welcome);
        if (c.written)
            welcome.Continue.click();
        EXPECT_FALSE(p.app.isLoaded(Window::Welcome));
        EXPECT_FALSE(p.app.isLoaded(Window::ComPortForm));
        EXPECT_TRUE(p.app.isLoaded(Window::Form1));
        EXPECT_EQ(test::visible(test::readFile("fenlark.ini")), test::visible(c.written ? c.written : ""));
        EXPECT_TRUE(inputs.used == c.used);
        EXPECT_EQ(p.form().MSComm1.portOpen(), c.written != nullptr);
    }
}

TEST(ComPortForm, AfterAFailedSaveItsCloseControlOffersToQuitUntilTheDialogIsLeft)
{
    TestProgram p("", false);
    std::filesystem::create_directories("fenlark.ini/x"); // neither read nor written
    p.app.start();
    ComPortForm& form = p.app.comPortForm();
    form.setnsave.click();
    p.dialogs.queue(false);
    form.closeRequested();
    EXPECT_TRUE(p.app.isLoaded(Window::ComPortForm));
    // Leaving brings the dialog back for the unreadable file, fresh: closing it asks nothing.
    form.LeaveAlone.click();
    ASSERT_TRUE(p.app.isLoaded(Window::ComPortForm));
    form.closeRequested();
    EXPECT_EQ(p.dialogs.questions.size(), 1u);
    form.setnsave.click();
    p.dialogs.queue(true);
    form.closeRequested();
    EXPECT_TRUE(p.app.ended());
    EXPECT_EQ(p.dialogs.questions,
              std::vector<std::string>(2, "The settings could not be saved. Quit FenLark?"));
}

} // namespace
} // namespace fenlark
