// The serial line over a real pseudo-terminal pair, and the simulated receiver: bytes sent are
// filed, a line that fails is closed at once without losing what was filed, a device that is away
// is picked up when it comes back, and what the program has not read yet stays bounded.
#include "qt/windows/message_box_dialogs.h"
#include "qt/inputs/serial_port_device.h"
#include "qt/inputs/simulated_receiver.h"
#include "shell_program.h"

#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace fenlark::test {
namespace {

// The far end of a pseudo-terminal, written without waiting: what it writes, the program's end
// reads.
struct PseudoTerminal {
    PseudoTerminal() : fd(posix_openpt(O_RDWR | O_NOCTTY))
    {
        if (fd >= 0 && grantpt(fd) == 0 && unlockpt(fd) == 0 && fcntl(fd, F_SETFL, O_NONBLOCK) == 0)
            device = ptsname(fd);
    }
    ~PseudoTerminal() { closeFarEnd(); }
    // Writes what the line takes now; returns how much that was.
    std::size_t offer(std::string_view bytes)
    {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        return n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    void write(const std::string &bytes) { ASSERT_EQ(offer(bytes), bytes.size()); }
    void closeFarEnd()
    {
        if (fd >= 0)
            ::close(std::exchange(fd, -1));
    }
    int fd;
    std::string device;
};

// Handles events, waiting for each, until `done` holds; the bytes or the failure it waits for
// are already on their way, so each wait ends.
template <typename Condition> void handleEventsUntil(Condition done)
{
    for (int events = 0; !done() && events < 10000; ++events)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(done());
}

TEST(SerialLine, BytesAreFiledAndAFarEndThatClosesClosesTheLineOnceKeepingTheMessages)
{
    PseudoTerminal terminal;
    // Lost lines are not tried again here; the test does it when it wants to.
    qt::SerialPortDevice device(QString::fromStdString(terminal.device), 0);
    ShellProgram program({}, true, &device);
    FakeDialogs &dialogs = program.dialogs;
    device.reportOutagesTo(dialogs);
    ASSERT_TRUE(device.lineUp());
    terminal.write("ZCZC AB12\r\nGALE WARNING\r\nNNNN\r\nZCZC CD34\r\nPART");
    handleEventsUntil([&] { return program.form().Text9.text() == "PART"; });

    terminal.closeFarEnd();
    handleEventsUntil([&] { return device.lineFailures() > 0; });
    // Unhandled, the failure would come back at every turn of the event loop.
    for (int turn = 0; turn < 2000; ++turn)
        QCoreApplication::processEvents();
    EXPECT_EQ(device.errorReports(), 1);
    EXPECT_FALSE(device.lineUp());
    EXPECT_TRUE(device.isOpen()) << "the program's port stays open while the line is away";
    EXPECT_EQ(listState(program.form().MessageList), "AB12");
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].find("every message received so far is kept"), std::string::npos)
        << dialogs.notices[0];
    // The far end is gone for good: trying again fails quietly.
    EXPECT_FALSE(device.retryNow());
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.notices.size(), 1u);
}

TEST(SerialLine, TheReceiverIsPickedUpWheneverItsDeviceComesBack)
{
    TempWorkingDir dir;
    // Reached through a link, as /dev/serial/by-id names are; nothing is plugged in yet.
    const std::filesystem::path link = dir.path() / "receiver";
    FakeDialogs dialogs;
    qt::SerialPortDevice device(QString::fromStdString(link.string()));
    device.reportOutagesTo(dialogs);
    ShellProgram program({}, true, &device, &dialogs);
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].find("cannot be opened now"), std::string::npos);
    // Each round: a save while the device is away leaves the port open and says nothing
    // more; the device is plugged in, sends a message and (in the first round) is unplugged.
    // The status bar tells whether the line is there.
    auto status = [&] {
        program.form().refreshStatus();
        return program.form().StatusReceiver.caption();
    };
    for (int round = 1; round <= 2; ++round) {
        program.form().Command1.click();
        EXPECT_EQ(dialogs.notices.size(), std::size_t(round)) << dialogs.notices.back();
        EXPECT_TRUE(device.retrying());
        EXPECT_EQ(status(), link.string() + " not connected");
        PseudoTerminal receiver;
        std::filesystem::create_symlink(receiver.device, link);
        EXPECT_TRUE(device.retryNow());
        EXPECT_FALSE(device.retrying());
        EXPECT_EQ(status(), link.string() + " 9600 8N1");
        // The second device ends its lines with LF alone: its line ends are learnt afresh.
        receiver.write(round == 1 ? "ZCZC AB11\r\nBODY\r\nNNNN\r\n"
                                  : "ZCZC AB12\nBODY\nNNNN\n");
        handleEventsUntil([&] { return program.state().msgcount == round; });
        EXPECT_EQ(program.state().MessageTable[std::size_t(round - 1)].msgtext, "\r\nBODY");
        if (round == 2)
            break;
        receiver.closeFarEnd();
        handleEventsUntil([&] { return dialogs.notices.size() == 2; }); // the loss is told
        std::filesystem::remove(link);
    }
}

TEST(SerialLine, ADeviceThatIsNoLineIsRefusedAndThePortStaysClosed)
{
    TempWorkingDir dir;
    writeFile("not-a-line", "");
    FakeDialogs dialogs;
    qt::SerialPortDevice device(QString::fromStdString((dir.path() / "not-a-line").string()));
    ShellProgram program({}, true, &device, &dialogs);
    ASSERT_EQ(dialogs.notices.size(), 1u);
    EXPECT_NE(dialogs.notices[0].find("FenLark goes on without the receiver"), std::string::npos)
        << dialogs.notices[0];
    EXPECT_FALSE(program.form().MSComm1.portOpen());
    EXPECT_FALSE(device.retrying());
    // Port numbers name /dev/ttyS devices unless one device is given, 0 no serial port (it opens
    // on nothing); data bits are checked here; a missing permission names the group.
    qt::SerialPortDevice standard;
    EXPECT_EQ(standard.deviceName(6), "/dev/ttyS5");
    EXPECT_EQ(standard.deviceName(0), "no serial port");
    EXPECT_EQ(standard.open(0, {}), "");
    EXPECT_FALSE(standard.retryNow());
    EXPECT_NE(qt::SerialPortDevice::openingProblem(QSerialPort::PermissionError, "Permission denied")
                  .find("Permission denied (serial devices belong to the group dialout"),
              std::string::npos);
    EXPECT_EQ(device.checkSettings({9600, 'n', 4, "1"}),
              "4 data bits are not possible here (5 to 8 are)");
    for (int bits : {5, 8})
        EXPECT_EQ(device.checkSettings({9600, 'e', bits, "2"}), "") << bits;
}

TEST(SerialLine, ReceptionGoesOnWhileTheTableFullNoticeIsOpen)
{
    PseudoTerminal terminal;
    qt::MessageBoxDialogs dialogs;
    qt::SerialPortDevice device(QString::fromStdString(terminal.device), 0);
    ShellProgram program({}, true, &device, &dialogs);
    State &s = program.state();
    for (int i = 0; i < kTableSlots; ++i)
        s.MessageTable[static_cast<std::size_t>(i)] = {
            i ? std::to_string(i) : "AB12", "", 0, {}, program.clock.now(), 1, 0, {}};
    s.msgcount = kTableSlots;

    // The notice waits for the operator without an event loop of its own.
    auto openNotice = [] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                return box;
        return static_cast<QMessageBox *>(nullptr);
    };
    terminal.write("ZCZC ZZ99\r\nNEW\r\nNNNN\r\n");
    handleEventsUntil([&] { return openNotice() != nullptr; });
    EXPECT_NE(openNotice()->text().indexOf("The message table is full"), -1);
    terminal.write("ZCZC AB12\r\nREPEAT\r\nNNNN\r\n");
    handleEventsUntil([&] { return s.MessageTable[0].rxcount == 2; });
    EXPECT_TRUE(openNotice() != nullptr);
    openNotice()->close();
}

TEST(SerialLine, AFloodNobodyReadsIsHeldWithinTheBoundAndArrivesWhole)
{
    PseudoTerminal terminal;
    qt::SerialPortDevice device(QString::fromStdString(terminal.device), 0);
    ASSERT_EQ(device.open(1, LineSettings{}), "");
    std::string flood(8 * qt::SerialPortDevice::kHeldBound, ' ');
    for (std::size_t i = 0; i < flood.size(); ++i)
        flood[i] = static_cast<char>('A' + i % 26);
    // Nobody reads for the first 2000 turns; then the reader comes back, reading as the receive
    // event does, and the rest of the flood follows, nothing lost or out of order.
    std::string received;
    auto readWaiting = [&] {
        while (device.waiting() > 0)
            received += device.read(1);
    };
    std::size_t written = 0;
    for (int turn = 0; turn < 100000 && received.size() < flood.size(); ++turn) {
        written += terminal.offer(std::string_view(flood).substr(written));
        QCoreApplication::processEvents();
        ASSERT_LE(device.waiting(), qt::SerialPortDevice::kHeldBound) << "turn " << turn;
        if (turn == 2000) {
            device.setInputListener(readWaiting);
            readWaiting();
        }
    }
    EXPECT_TRUE(received == flood) << received.size() << " of " << flood.size() << " bytes";
}

TEST(SimulatedLine, SendsAtItsPaceWhatIsSentWhileThePortIsClosedIsLost)
{
    // Two messages of 17 bytes each, sent at the slowest pace, one byte a second.
    qt::SimulatedReceiver receiver("ZCZC AB12\r\nNNNN\r\nZCZC CD34\r\nNNNN\r\n", "capture", 1);
    ShellProgram program({}, true, &receiver);
    receiver.sendUntil(10000);
    EXPECT_EQ(receiver.sent(), 10);
    receiver.sendUntil(15000);
    EXPECT_EQ(program.state().msgcount, 0) << "the end line is not ended yet";
    receiver.sendUntil(17000);
    EXPECT_EQ(program.state().msgcount, 1);
    program.form().MSComm1.setPortOpen(false);
    receiver.sendUntil(24000); // "ZCZC CD" goes by unheard
    program.form().MSComm1.setPortOpen(true);
    receiver.sendUntil(30000);
    EXPECT_FALSE(receiver.finished());
    receiver.sendUntil(600000);
    EXPECT_TRUE(receiver.finished());
    EXPECT_EQ(listState(program.form().MessageList), "AB12");
}

} // namespace
} // namespace fenlark::test
