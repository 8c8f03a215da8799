// Choosing the receiver's input: on the command line for one run, or in the dialog, which keeps
// the choice in the per-user settings and switches the device at once.
#include "nmea/nrx.h"
#include "qt/message_box_dialogs.h"
#include "qt/program_options.h"
#include "qt/receiver_input_dialog.h"
#include "support/test_program.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <filesystem>

namespace fenlark::test {
namespace {

template <typename Condition> void handleEventsUntil(Condition done)
{
    for (int events = 0; !done() && events < 10000; ++events)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(done());
}

void writeProgramFiles()
{
    writeFile("fenlark.ini", kPortZeroSettings);
    for (const char *tag : {"424", "490", "518", "4209"})
        writeFile(std::string(tag) + ".txt", makeStationFile(tag));
}

TEST(ReceiverInputOptions, ChooseTheInputForThisRunOrAreRefused)
{
    const std::string kTcp = "--tcp needs HOST:PORT, such as 192.168.1.10:10110";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{}, "none"},
        {{"--tcp", "nmea.local:10110"}, "TCP nmea.local:10110"},
        {{"--headless", "--tcp", "[::1]:2000"}, "TCP ::1:2000"},
        {{"--headless", "--udp", "10110"}, "UDP port 10110"},
        {{"--headless", "--serial", "/dev/ttyUSB0"}, "serial device /dev/ttyUSB0"},
        {{"--tcp", "host"}, kTcp},
        {{"--tcp", "host:0"}, kTcp},
        {{"--tcp", ":10110"}, kTcp},
        {{"--udp", "65536"}, "--udp needs a port number from 1 to 65535"},
        {{"--tcp", "h:1", "--udp", "2"}, "--tcp and --udp cannot be used together"},
        {{"--udp", "2", "--simulate", "c"}, "--udp and --simulate cannot be used together"},
        {{"--headless", "--udp", "2", "--busy-port", "1"},
         "--refuse-port and --busy-port are for the scripted receiver, not for --udp"},
    };
    for (const auto &[args, expected] : cases) {
        std::string line;
        for (const std::string &arg : args)
            line += " " + arg;
        SCOPED_TRACE("fenlark" + line);
        qt::ProgramOptions options;
        const std::string why = qt::parseProgramOptions(args, options);
        const auto choice = qt::receiverChoice(options);
        EXPECT_EQ(why.empty() ? (choice ? choice->text().toStdString() : "none") : why, expected);
    }
}

TEST(ReceiverInputDialog, KeepsTheChoiceAndSwitchesTheDeviceAtOnce)
{
    TempWorkingDir dir;
    writeProgramFiles();
    QSettings settings((dir.path() / "FenLark.conf").c_str(), QSettings::IniFormat);
    EXPECT_TRUE(qt::loadReceiverChoice(settings) == qt::ReceiverChoice{});
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const auto tcp = qt::tcpChoice("127.0.0.1:" + QString::number(server.serverPort()));
    FakeDialogs dialogs;
    qt::ReceiverInput input(dialogs, *tcp, true);
    FakeClock clock;
    RecordingPrinter printer;
    RecordingCanvas canvas;
    Application app(Platform{clock, dialogs, printer, input, canvas});
    app.start();
    handleEventsUntil([&] { return server.hasPendingConnections() && input.lineUp(); });
    QTcpSocket *connection = server.nextPendingConnection();

    qt::ReceiverInputDialog dialog(input, app, settings);
    dialog.showChoiceInUse();
    auto *status = dialog.findChild<QLabel *>("inputStatus");
    EXPECT_TRUE(dialog.findChild<QRadioButton *>("tcpInput")->isChecked());
    EXPECT_EQ(dialog.findChild<QLineEdit *>("tcpHost")->text(), "127.0.0.1");
    EXPECT_EQ(status->text(),
              "In use: " + tcp->text() + " (given on the command line for this run): connected.");

    QUdpSocket probe; // a free UDP port
    ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
    const quint16 udpPort = probe.localPort();
    probe.close();
    dialog.findChild<QRadioButton *>("udpInput")->setChecked(true);
    dialog.findChild<QSpinBox *>("udpPort")->setValue(udpPort);
    dialog.accept();
    const qt::ReceiverChoice udp{qt::ReceiverChoice::Kind::Udp, {}, {}, udpPort};
    EXPECT_TRUE(qt::loadReceiverChoice(settings) == udp);
    EXPECT_TRUE(input.choice() == udp);
    handleEventsUntil([&] { return connection->state() == QAbstractSocket::UnconnectedState; });
    dialog.refreshStatus();
    EXPECT_EQ(status->text(), "In use: UDP port " + QString::number(udpPort) + ": connected.");
    const std::string datagram = nrx("001,001,00,RA01", "BY UDP NOW");
    QUdpSocket().writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()),
                               QHostAddress::LocalHost, udpPort);
    handleEventsUntil([&] { return app.state().msgcount == 1; });
    EXPECT_TRUE(dialogs.notices.empty()) << dialogs.notices.front();

    // A USB receiver keeps its /dev/serial/by-id name whatever port it is plugged into.
    std::filesystem::create_directory("by-id");
    writeFile("ttyUSB7", "");
    std::filesystem::create_symlink(dir.path() / "ttyUSB7", "by-id/usb-Maker_Receiver-if00");
    EXPECT_EQ(qt::serialByIdName("ttyUSB7", "by-id").toStdString(),
              (dir.path() / "by-id/usb-Maker_Receiver-if00").string());
    EXPECT_EQ(qt::serialByIdName("fenlark.ini", "by-id"), "");
}

TEST(ReceiverInputHeadless, WaitsForARealLineFromATcpServer)
{
    TempWorkingDir dir;
    writeProgramFiles();
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const std::string sent = nrx("002,001,04,HA01", "FIRST HALF, ") + "\r\n" +
                             nrx("002,002,04,", "SECOND HALF") + "\r\nZCZC HA02\r\nNNNN\r\n";
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        server.nextPendingConnection()->write(sent.data(), static_cast<qint64>(sent.size()));
    });
    QProcess fenlark;
    fenlark.start(FENLARK_PROGRAM, {"--headless", "--dir", dir.path().c_str(), "--tcp",
                                    "127.0.0.1:" + QString::number(server.serverPort())});
    fenlark.write("wait 2\nlist MessageList\nclick Option5\nselect MessageList 0\nget Text1\n");
    fenlark.closeWriteChannel();
    handleEventsUntil([&] { return fenlark.state() == QProcess::NotRunning; });
    EXPECT_EQ(fenlark.readAllStandardError().toStdString(), "");
    EXPECT_EQ(fenlark.readAllStandardOutput().toStdString(),
              "MessageList.count=2\nMessageList.index=-1\nMessageList[0]=HA01\n"
              "MessageList[1]=HA02\nText1=\\r\\nFIRST HALF, SECOND HALF\n");
}

} // namespace
} // namespace fenlark::test
