// The receiver's inputs against a server and senders inside the test, on loopback: what arrives
// is filed, an input that is away is told once and tried again, nothing received is lost; the
// input chosen on the command line, in the dialog, and read by the headless program.
#include "nmea/nrx.h"
#include "qt/inputs/network_device.h"
#include "qt/program_options.h"
#include "qt/windows/message_box_dialogs.h"
#include "qt/windows/receiver_input_dialog.h"
#include "shell_program.h"
#include "support/test_program.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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

using qt::NetworkDevice;

TEST(NetworkInput, ATcpServerThatGoesAndComesBackIsToldOnceAndNothingIsLost)
{
    QTcpServer server; // a free port with no server on it yet
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    NetworkDevice device(NetworkDevice::Kind::Tcp, QStringLiteral("127.0.0.1"), port);
    ProgramOn program(device);
    device.reportOutagesTo(program.dialogs);
    handleEventsUntil([&] { return program.told(1, "cannot be reached now"); });
    const auto status = [&] {
        program.app.form1().refreshStatus();
        return program.app.form1().StatusReceiver.caption();
    };
    const std::string name = "TCP 127.0.0.1:" + std::to_string(port);
    EXPECT_EQ(status(), name + " not connected");
    auto serve = [&](const std::string &bytes, bool thenClose) {
        EXPECT_TRUE(device.retrying());
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, port));
        device.retryNow();
        handleEventsUntil([&] { return server.hasPendingConnections() && device.lineUp(); });
        EXPECT_FALSE(device.retrying());
        EXPECT_EQ(status(), name + " connected");
        QTcpSocket *client = server.nextPendingConnection();
        client->write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (thenClose) {
            client->disconnectFromHost(); // right after the last message
            server.close();
        }
    };
    serve("ZCZC TA01\r\nPLAIN\r\nNNNN\r\n" + nrx("001,001,00,TA02", "SENTENCE") +
              "\r\nZCZC TA03\r\nLAST BEFORE CLOSING\r\nNNNN\r\n",
          true);
    handleEventsUntil([&] { return program.filed() == 3 && program.told(2, "was lost"); });
    device.retryNow(); // refused again while away: nothing more is said
    handleEventsUntil([&] { return device.failures() == 3; });
    serve("ZCZC TA04\r\nBACK\r\nNNNN\r\n", false);
    handleEventsUntil([&] { return program.filed() == 4; });
    EXPECT_EQ(program.dialogs.notices.size(), 2u);
}

TEST(NetworkInput, SavePurgeDeleteAndAutosaveKeepTheOneConnectionAndReceiveWhileTheyWrite)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] { ++connections; });
    NetworkDevice device(NetworkDevice::Kind::Tcp, QStringLiteral("127.0.0.1"),
                         server.serverPort());
    ProgramOn program(device);
    handleEventsUntil([&] { return server.hasPendingConnections(); });
    QTcpSocket *client = server.nextPendingConnection();
    auto send = [&](const std::string &id) {
        const std::string message = "ZCZC " + id + "\r\nBODY\r\nNNNN\r\n";
        client->write(message.data(), static_cast<qint64>(message.size()));
        handleEventsUntil([&] { return program.app.form1().MessageList.indexOf(id) >= 0; });
    };
    send("SA01");
    // The first save keeps an earlier log it cannot read, and says so; a message sent while that
    // notice is open is filed, and saved.
    writeFile("navtex.txt", "not a log");
    program.dialogs.duringNextNotice = [&] { send("SA02"); };
    Form1 &form = program.app.form1();
    form.Command1.click();
    EXPECT_NE(readFile("navtex.txt").find("SA02"), std::string::npos);
    program.clock.set(2026, 12, 5, 12, 57, 30);
    form.Timer1.tick();
    send("SA03");
    program.clock.set(2026, 12, 9, 12, 0, 0); // SA01 to SA03 are four days old
    send("SA04");
    form.purge.click();
    send("SA05");
    form.Option5.choose();
    form.MessageList.choose(0);
    program.dialogs.queue(true);
    form.Delmsg.click();
    send("SA06");
    EXPECT_EQ(form.MessageList.list(0) + " " + form.MessageList.list(1), "SA05 SA06");
    EXPECT_EQ(form.MessageList.count(), 2);
    EXPECT_EQ(connections, 1);
    EXPECT_EQ(client->state(), QAbstractSocket::ConnectedState);
}

TEST(NetworkInput, AFlappingServerShowsOneNoticeAndAConnectionClosedMidLineCostsNothingAfter)
{
    // A server that accepts, sends the end of a message, a whole one and the start of another,
    // and closes mid-line, again and again; on the offscreen desktop with real notices.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket *client = server.nextPendingConnection();
        const std::string id = std::to_string(10 + connections++);
        const std::string sent = "LEFT OVER\r\nNNNN\r\n" + nrx("001,001,00,GA" + id, "WHOLE") +
                                 "\r\nZCZC GB" + id + "\r\nCUT OF";
        client->write(sent.data(), static_cast<qint64>(sent.size()));
        client->disconnectFromHost();
    });
    qt::MessageBoxDialogs dialogs;
    NetworkDevice device(NetworkDevice::Kind::Tcp, QStringLiteral("127.0.0.1"),
                         server.serverPort(), 0);
    device.reportOutagesTo(dialogs);
    ShellProgram program({}, true, &device, &dialogs);
    auto notices = [] {
        int open = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            open += qobject_cast<QMessageBox *>(widget) && widget->isVisible();
        return open;
    };
    for (int flap = 1; flap <= 6; ++flap) {
        handleEventsUntil([&] { return device.failures() == flap && dialogs.openInputNotice(); });
        EXPECT_EQ(notices(), 1) << "flap " << flap;
        device.retryNow();
        handleEventsUntil([&] { return !dialogs.openInputNotice(); }); // the connection is back
    }
    // Each new connection started afresh: every whole message filed, and none cut off by a close
    // ended by the next connection's lines.
    handleEventsUntil([&] { return device.failures() == 7 && !device.receiving(); });
    EXPECT_EQ(listState(program.form().MessageList2), "GA10 GA11 GA12 GA13 GA14 GA15 GA16");
}

TEST(NetworkInput, AFloodOfDatagramsLeavesTheEventLoopItsTurns)
{
    NetworkDevice device(NetworkDevice::Kind::Udp, QStringLiteral("127.0.0.1"), 0, 0);
    ProgramOn program(device);
    // One datagram of 2000 new messages, whose filing takes many turns.
    std::string flood;
    for (int n = 0; n < 2000; ++n)
        flood += "ZCZC " + std::string{char('A' + n / 2600), char('A' + n / 100 % 26)} +
                 std::to_string(100 + n % 100).substr(1) + "\nNNNN\n";
    QUdpSocket().writeDatagram(flood.data(), static_cast<qint64>(flood.size()),
                               QHostAddress::LocalHost, device.localPort());
    // A timer started while the first message is filed fires before the datagram is all filed.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    program.app.form1().Text11.setObserver([&] {
        if (program.filed() == 1)
            timer.start(0);
    });
    loop.exec();
    const int filedAtTheTimer = program.filed();
    EXPECT_TRUE(device.receiving()) << filedAtTheTimer;
    handleEventsUntil([&] { return !device.receiving(); });
    EXPECT_LT(filedAtTheTimer, 2000);
    EXPECT_EQ(program.filed(), 2000);
}

TEST(NetworkInput, ADatagramThatDoesNotEndItsLineCostsNothingInAnLfStream)
{
    NetworkDevice device(NetworkDevice::Kind::Udp, QStringLiteral("127.0.0.1"), 0, 0);
    ProgramOn program(device);
    std::vector<std::string> datagrams{"ZCZC LA01\nONE\nNNNN\n",
                                       sentence("$GPRMC,120000,A,5230.00,N,00130.00,E,,,051226,,*")};
    for (int n = 2; n <= 7; ++n)
        datagrams.push_back("ZCZC LA0" + std::to_string(n) + "\nBODY\nNNNN\n");
    for (const std::string &datagram : datagrams)
        QUdpSocket().writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()),
                                   QHostAddress::LocalHost, device.localPort());
    handleEventsUntil([&] { return program.filed() == 7; });
    EXPECT_EQ(program.app.state().MessageTable[6].msgtext, "\r\nBODY");
}

TEST(NetworkInput, AUdpPortIsThisProgramsAloneUnlessSharingIsChosen)
{
    for (const bool shared : {false, true}) {
        NetworkDevice device(NetworkDevice::Kind::Udp, QStringLiteral("127.0.0.1"), 0, 0, nullptr,
                             shared);
        ASSERT_EQ(device.open(0, {}), "");
        ASSERT_TRUE(device.lineUp());
        QUdpSocket other; // another program that asks to share the port
        EXPECT_EQ(other.bind(QHostAddress::LocalHost, device.localPort(),
                             QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint),
                  shared);
    }
}

TEST(ReceiverInput, OptionsChooseTheInputForThisRunOrAreRefused)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--headless", "--tcp", "[::1]:2000"}, "TCP ::1:2000"},
        {{"--headless", "--udp", "10110"}, "UDP port 10110"},
        {{"--tcp", "host:0"}, "--tcp needs HOST:PORT, such as 192.168.1.10:10110"},
        {{"--headless", "--udp", "[::1]:2", "--udp-share"}, "UDP port 2 on ::1, shared"},
        {{"--udp", "65536"}, "--udp needs a port number from 1 to 65535, or ADDRESS:PORT with an "
                             "address of this computer"},
        {{"--udp", "fenlark.org:1"}, "--udp needs a port number from 1 to 65535, or ADDRESS:PORT "
                                     "with an address of this computer"},
        {{"--udp-share"}, "--udp-share goes with --udp [ADDRESS:]PORT"},
        {{"--tcp", "h:1", "--udp", "2"}, "--tcp and --udp cannot be used together"},
        {{"--headless", "--udp", "2", "--busy-port", "1"},
         "--refuse-port and --busy-port are for the scripted receiver, not for --udp"},
        {{"--iq-file", "x.cu8", "--centre", "4209500", "--rate", "1024000"},
         "IQ recording x.cu8 at 4209500 Hz"},
        {{"--rtl-tcp", "h:1234", "--gain", "30", "--ppm", "-2"},
         "rtl_tcp h:1234 at 504000 Hz, 250000 S/s"},
        {{"--headless", "--audio", "default", "--channel", "4209.5"}, "the default sound card"},
        {{"--sdr", "driver=rtlsdr", "--tcp", "h:1"}, "--tcp and --sdr cannot be used together"},
        {{"--iq-file", "x.wav"},
         "an IQ recording needs --centre HZ, the radio frequency at its centre (such as 504000)"},
        {{"--decode", "x.wav", "--format", "cs16"},
         "an IQ recording needs --centre HZ, the radio frequency at its centre (such as 504000)"},
        {{"--audio-file", "a.s16"}, "a raw recording needs --rate N, its samples a second"},
        {{"--audio", "default", "--gain", "3"}, "--gain and --ppm go with --sdr or --rtl-tcp"},
        {{"--audio-file", "a.wav", "--centre", "1"},
         "--centre goes with an IQ recording (--decode --iq, --iq-file), --sdr or --rtl-tcp"},
        {{"--decode", "x.wav", "--channel", "500"},
         "--channel needs a NAVTEX channel in kHz: 424, 490, 518 or 4209"},
        {{"--sdr", "driver=rtlsdr", "--iq"}, "--iq goes with --decode FILE"},
    };
    for (const auto &[args, expected] : cases) {
        qt::ProgramOptions options;
        const std::string why = qt::parseProgramOptions(args, options);
        const auto choice = qt::receiverChoice(options);
        EXPECT_EQ(why.empty() ? (choice ? choice->text().toStdString() : "none") : why, expected)
            << args.size() << " arguments";
    }
}

TEST(ReceiverInput, TheDialogKeepsTheChoiceAndSwitchesTheDeviceAtOnce)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const auto tcp = qt::tcpChoice("127.0.0.1:" + QString::number(server.serverPort()));
    FakeDialogs dialogs;
    qt::ReceiverInput input(dialogs, *tcp, true);
    ProgramOn program(input);
    QSettings settings(QString::fromStdString(program.dir.path() / "FenLark.conf"),
                       QSettings::IniFormat);
    handleEventsUntil([&] { return server.hasPendingConnections() && input.lineUp(); });
    QTcpSocket *connection = server.nextPendingConnection();
    qt::ReceiverInputDialog dialog(input, program.app, settings);
    dialog.showChoiceInUse();

    QUdpSocket probe; // a free UDP port
    ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
    const quint16 udpPort = probe.localPort();
    probe.close();
    dialog.findChild<QRadioButton *>("udpInput")->setChecked(true);
    dialog.findChild<QSpinBox *>("udpPort")->setValue(udpPort);
    dialog.accept();
    const qt::ReceiverChoice udp{qt::ReceiverChoice::Kind::Udp, {}, {}, udpPort, {}, false};
    EXPECT_TRUE(qt::loadReceiverChoice(settings) == udp);
    handleEventsUntil([&] { return connection->state() == QAbstractSocket::UnconnectedState; });
    dialog.refreshStatus();
    EXPECT_EQ(dialog.findChild<QLabel *>("inputStatus")->text(),
              "In use: UDP port " + QString::number(udpPort) + ": connected.");
    dialog.showChoiceInUse(); // the server chosen before is offered still
    EXPECT_EQ(dialog.findChild<QLineEdit *>("tcpHost")->text(), "127.0.0.1");
    EXPECT_EQ(dialog.findChild<QSpinBox *>("tcpPort")->value(), server.serverPort());
    // Datagrams of several lines, and of one sentence that does not end its line.
    for (const std::string &datagram :
         {std::string("ZCZC RA01\r\nTWO LINES\r\nNNNN\r\n"), nrx("002,001,03,RA02", "ONE^0D^0A"),
          nrx("002,002,03,", "2")})
        QUdpSocket().writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()),
                                   QHostAddress::LocalHost, udpPort);
    handleEventsUntil([&] { return program.filed() == 2; });

    // A USB receiver keeps its /dev/serial/by-id name whatever port it is plugged into.
    std::filesystem::create_directory("by-id");
    std::filesystem::create_symlink(program.dir.path() / "518.txt", "by-id/usb-Maker-if00");
    EXPECT_EQ(qt::serialByIdName("518.txt", "by-id").toStdString(),
              (program.dir.path() / "by-id/usb-Maker-if00").string());
    EXPECT_EQ(qt::serialByIdName("490.txt", "by-id"), "");
}

TEST(ReceiverInput, TheHeadlessProgramWaitsForARealLineFromATcpServer)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const std::string sent = nrx("002,001,04,HA01", "FIRST HALF, ") + "\r\n" +
                             nrx("002,002,04,", "SECOND HALF") + "\r\nZCZC HA02\r\nNNNN\r\n";
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        server.nextPendingConnection()->write(sent.data(), static_cast<qint64>(sent.size()));
    });
    TempWorkingDir dir;
    std::filesystem::copy(FENLARK_DATA_DIR "/stations", dir.path());
    writeFile("fenlark.ini", kPortZeroSettings);
    QProcess fenlark;
    fenlark.start(FENLARK_PROGRAM,
                  {"--headless", "--tcp", "127.0.0.1:" + QString::number(server.serverPort())});
    fenlark.write("wait 2\nlist MessageList\nclick Option5\nselect MessageList 0\nget Text1\n");
    fenlark.closeWriteChannel();
    handleEventsUntil([&] { return fenlark.state() == QProcess::NotRunning; });
    EXPECT_EQ(fenlark.readAllStandardError().toStdString(), "");
    EXPECT_EQ(
        fenlark.readAllStandardOutput().toStdString(),
        "MessageList.count=2\nMessageList.index=-1\nMessageList[0]=HA01\n"
        "MessageList[1]=HA02\nMessageList.new=HA01 HA02\nText1=\\r\\nFIRST HALF, SECOND HALF\n");
}

} // namespace
} // namespace fenlark::test
