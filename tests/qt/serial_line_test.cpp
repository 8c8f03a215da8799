// The serial line over a real pseudo-terminal pair, and the simulated receiver: bytes sent are
// filed, a line that fails is closed at once without losing what was filed, a device that is away
// is picked up when it comes back, and what the program has not read yet stays bounded.
#include "qt/message_box_dialogs.h"
#include "qt/serial_port_device.h"
#include "qt/simulated_receiver.h"
#include "shell_program.h"
#include "support/test_program.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace fenlark::test {
namespace {

// The settings file of port 1 at 9600 baud, no parity, 8 data bits, 1 stop bit, error mark "~".
const std::string kPortOneSettings = " 1 \r\n9600\r\nn\r\n8\r\n1\r\n~\r\n";

// The far end of a pseudo-terminal: what it writes, the program's end reads.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slave = ptsname(m_master);
    }
    ~PseudoTerminal() { closeFarEnd(); }
    const std::string &deviceName() const { return m_slave; }
    void write(const std::string &bytes)
    {
        ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    // Writes what the line takes now, without waiting; returns how much that was.
    std::size_t offer(std::string_view bytes)
    {
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        const ssize_t n = ::write(m_master, bytes.data(), bytes.size());
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    void closeFarEnd()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    std::string m_slave;
};

// Handles events, waiting for each, until `done` holds; the bytes or the failure it waits for
// are already on their way, so each wait ends.
template <typename Condition> void handleEventsUntil(Condition done)
{
    for (int events = 0; !done() && events < 10000; ++events)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(done());
}

// A program started on this device and these dialogs, the other ports faked, with the port-1
// settings and station files for all four frequencies in the working folder.
struct ProgramOn {
    ProgramOn(SerialDevice &device, Dialogs &dialogs)
        : app(Platform{clock, dialogs, printer, device, canvas})
    {
        writeFile("fenlark.ini", kPortOneSettings);
        for (const char *tag : {"424", "490", "518", "4209"})
            writeFile(std::string(tag) + ".txt", makeStationFile(tag));
        app.start();
    }
    FakeClock clock;
    RecordingPrinter printer;
    RecordingCanvas canvas;
    Application app;
};

class SerialLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(terminal.deviceName().empty()) << "no pseudo-terminal";
        device.reportOutagesTo(dialogs);
        ASSERT_TRUE(dialogs.notices.empty()) << dialogs.notices.front();
        ASSERT_TRUE(app.form1().MSComm1.portOpen());
        ASSERT_TRUE(device.lineUp());
    }

    PseudoTerminal terminal;
    TempWorkingDir dir;
    FakeDialogs dialogs;
    // Lost lines are not tried again here; the test does it when it wants to.
    qt::SerialPortDevice device{QString::fromStdString(terminal.deviceName()), 0};
    ProgramOn program{device, dialogs};
    Application &app = program.app;
};

TEST_F(SerialLine, BytesWrittenAtTheFarEndAreFiled)
{
    EXPECT_EQ(device.deviceName(1), terminal.deviceName());
    terminal.write("ZCZC AB12\r\nGALE WARNING\r\nNNNN\r\n");
    handleEventsUntil([&] { return app.state().msgcount == 1; });
    EXPECT_EQ(app.state().MessageTable[0].msgid, "AB12");
    EXPECT_EQ(app.state().MessageTable[0].msgtext, "\r\nGALE WARNING");
    EXPECT_EQ(listState(app.form1().MessageList), "AB12");
}

TEST_F(SerialLine, AFarEndThatClosesClosesTheLineOnceAndKeepsTheMessages)
{
    terminal.write("ZCZC AB12\r\nGALE WARNING\r\nNNNN\r\nZCZC CD34\r\nPART");
    handleEventsUntil([&] { return app.form1().Text9.text() == "PART"; });
    terminal.closeFarEnd();
    handleEventsUntil([&] { return device.lineFailures() > 0; });
    // Unhandled, the failure would come back at every turn of the event loop.
    for (int turn = 0; turn < 2000; ++turn)
        QCoreApplication::processEvents();
    EXPECT_EQ(device.errorReports(), 1);
    EXPECT_EQ(device.lineFailures(), 1);
    EXPECT_FALSE(device.lineUp());
    EXPECT_TRUE(device.isOpen()) << "the program's port stays open while the line is away";
    EXPECT_EQ(app.state().msgcount, 1);
    EXPECT_EQ(app.state().MessageTable[0].msgid, "AB12");
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].find("every message received so far is kept"), std::string::npos)
        << dialogs.notices[0];

    // The far end is gone for good: trying again fails quietly.
    EXPECT_FALSE(device.retryNow());
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.notices.size(), 1u);
    EXPECT_EQ(device.lineFailures(), 1);
}

TEST(SerialLineOutage, TheReceiverIsPickedUpWheneverItsDeviceComesBack)
{
    TempWorkingDir dir;
    // Reached through a link, as /dev/serial/by-id names are; nothing is plugged in yet.
    const std::filesystem::path link = dir.path() / "receiver";
    FakeDialogs dialogs;
    qt::SerialPortDevice device(QString::fromStdString(link.string()));
    device.reportOutagesTo(dialogs);
    ProgramOn program(device, dialogs);
    Application &app = program.app;
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].find("cannot be opened now"), std::string::npos)
        << dialogs.notices[0];
    // Saving closes and reopens the port; the device still waits, and nothing more is said.
    auto saveWhileAway = [&] {
        const std::size_t told = dialogs.notices.size();
        app.form1().Command1.click();
        EXPECT_EQ(dialogs.notices.size(), told) << dialogs.notices.back();
        EXPECT_TRUE(app.form1().MSComm1.portOpen());
        EXPECT_TRUE(device.retrying());
    };
    saveWhileAway();
    {
        PseudoTerminal first;
        std::filesystem::create_symlink(first.deviceName(), link);
        EXPECT_TRUE(device.retryNow());
        first.write("ZCZC AB12\r\nFIRST\r\nNNNN\r\n");
        handleEventsUntil([&] { return app.state().msgcount == 1; });
        first.closeFarEnd();
        handleEventsUntil([&] { return dialogs.notices.size() == 2; }); // the loss is told
        std::filesystem::remove(link);
    }
    saveWhileAway();
    PseudoTerminal second;
    std::filesystem::create_symlink(second.deviceName(), link);
    EXPECT_TRUE(device.retryNow());
    EXPECT_FALSE(device.retrying());
    second.write("ZCZC CD34\r\nSECOND\r\nNNNN\r\n");
    handleEventsUntil([&] { return app.state().msgcount == 2; });
    EXPECT_EQ(dialogs.notices.size(), 2u);
}

TEST(SerialLineOutage, ADeviceThatRefusesIsReportedAndThePortStaysClosed)
{
    TempWorkingDir dir;
    writeFile("not-a-line", ""); // a file, not a terminal
    FakeDialogs dialogs;
    qt::SerialPortDevice device(QString::fromStdString((dir.path() / "not-a-line").string()));
    ProgramOn program(device, dialogs);
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].find("FenLark goes on without the receiver"), std::string::npos)
        << dialogs.notices[0];
    EXPECT_FALSE(program.app.form1().MSComm1.portOpen());
    EXPECT_FALSE(device.retrying());
}

TEST(SerialLineReports, ReceptionGoesOnWhileTheTableFullNoticeIsOpen)
{
    PseudoTerminal terminal;
    TempWorkingDir dir;
    qt::MessageBoxDialogs dialogs;
    qt::SerialPortDevice device(QString::fromStdString(terminal.deviceName()), 0);
    ProgramOn program(device, dialogs);
    State &s = program.app.state();
    for (int i = 0; i < kTableSlots; ++i) {
        s.MessageTable[static_cast<std::size_t>(i)].msgid = i ? std::to_string(i) : "AB12";
        s.MessageTable[static_cast<std::size_t>(i)].rxcount = 1;
        s.MessageTable[static_cast<std::size_t>(i)].lastrx = program.clock.now();
    }
    s.msgcount = kTableSlots;

    std::string notice;
    int countWhileOpen = 0;
    onModalBox([&](QWidget &box) {
        notice = dynamic_cast<QMessageBox &>(box).text().toStdString();
        terminal.write("ZCZC AB12\r\nREPEAT\r\nNNNN\r\n");
        // Until the repeat is counted, or its bytes wait unread.
        handleEventsUntil([&] { return s.MessageTable[0].rxcount == 2 || device.waiting() > 0; });
        countWhileOpen = s.MessageTable[0].rxcount;
        box.close();
    });
    terminal.write("ZCZC ZZ99\r\nNEW\r\nNNNN\r\n");
    handleEventsUntil([&] { return !notice.empty(); });
    EXPECT_NE(notice.find("The message table is full"), std::string::npos) << notice;
    EXPECT_EQ(countWhileOpen, 2);
}

TEST(SerialLineReports, AFloodNobodyReadsIsHeldWithinTheBoundAndArrivesWhole)
{
    PseudoTerminal terminal;
    qt::SerialPortDevice device(QString::fromStdString(terminal.deviceName()), 0);
    ASSERT_EQ(device.open(1, LineSettings{}), "");
    std::string flood(8 * qt::SerialPortDevice::kHeldBound, ' ');
    for (std::size_t i = 0; i < flood.size(); ++i)
        flood[i] = static_cast<char>('A' + i % 26);
    // No input listener yet: nobody reads.
    std::size_t written = 0;
    for (int turn = 0; turn < 2000 && written < flood.size(); ++turn) {
        written += terminal.offer(std::string_view(flood).substr(written));
        QCoreApplication::processEvents();
        ASSERT_LE(device.waiting(), qt::SerialPortDevice::kHeldBound) << "turn " << turn;
    }
    // The reader comes back, reading as the receive event does: the rest of the flood follows,
    // nothing lost or out of order.
    std::string received;
    auto readWaiting = [&] {
        while (device.waiting() > 0)
            received += device.read(1);
    };
    device.setInputListener(readWaiting);
    readWaiting();
    for (int turn = 0; turn < 100000 && received.size() < flood.size(); ++turn) {
        written += terminal.offer(std::string_view(flood).substr(written));
        QCoreApplication::processEvents();
    }
    ASSERT_EQ(received.size(), flood.size());
    EXPECT_TRUE(received == flood);
}

TEST(SerialLineSettings, PortNumbersNameTtySDevicesUnlessOneDeviceIsGiven)
{
    qt::SerialPortDevice standard;
    EXPECT_EQ(standard.deviceName(1), "/dev/ttyS0");
    EXPECT_EQ(standard.deviceName(6), "/dev/ttyS5");
    qt::SerialPortDevice adapter(QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(adapter.deviceName(1), "/dev/ttyUSB0");
    EXPECT_EQ(adapter.deviceName(4), "/dev/ttyUSB0");
    EXPECT_EQ(standard.checkSettings({9600, 'n', 4, "1"}),
              "4 data bits are not possible here (5 to 8 are)");
    EXPECT_EQ(standard.checkSettings({9600, 'e', 7, "2"}), "");
}

class SimulatedLine : public ::testing::Test {
protected:
    TempWorkingDir dir;
    FakeDialogs dialogs;
    // Two messages, sent at 10 bytes a second.
    qt::SimulatedReceiver receiver{"ZCZC AB12\r\nNNNN\r\nZCZC CD34\r\nNNNN\r\n", "test capture",
                                   10};
    ProgramOn program{receiver, dialogs};
    Application &app = program.app;
};

TEST_F(SimulatedLine, SendsAtItsPaceWhileThePortIsOpen)
{
    // Each message is 17 bytes: "ZCZC AB12" CR LF "NNNN" CR LF.
    ASSERT_EQ(receiver.deviceName(1), "the simulated receiver playing test capture");
    receiver.sendUntil(1000);
    EXPECT_EQ(receiver.sent(), 10);
    EXPECT_EQ(app.form1().Label1.caption(), "Incoming Message AB12");
    receiver.sendUntil(1500);
    EXPECT_EQ(app.form1().Text9.text(), "NNNN");
    EXPECT_EQ(app.state().msgcount, 0);
    receiver.sendUntil(1700);
    EXPECT_EQ(app.state().msgcount, 1);
    EXPECT_FALSE(receiver.finished());
    receiver.sendUntil(60000);
    EXPECT_TRUE(receiver.finished());
    EXPECT_EQ(listState(app.form1().MessageList), "AB12 CD34");
}

TEST_F(SimulatedLine, WhatIsSentWhileThePortIsClosedIsLost)
{
    app.form1().MSComm1.setPortOpen(false);
    receiver.sendUntil(1700); // the first message goes by unheard
    app.form1().MSComm1.setPortOpen(true);
    receiver.sendUntil(60000);
    EXPECT_EQ(listState(app.form1().MessageList), "CD34");
}

} // namespace
} // namespace fenlark::test
