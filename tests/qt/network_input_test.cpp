// Network inputs against a server and a sender inside the test, on loopback: what arrives is
// filed, an input that is away is told once and tried again, and nothing received is lost.
#include "nmea/nrx.h"
#include "qt/network_device.h"
#include "support/test_program.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

// Handles events, waiting for each, until `done` holds; what it waits for is already on its way.
template <typename Condition> void handleEventsUntil(Condition done)
{
    for (int events = 0; !done() && events < 10000; ++events)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_TRUE(done());
}

struct ProgramOn {
    ProgramOn(SerialDevice &device, Dialogs &dialogs)
        : app(Platform{clock, dialogs, printer, device, canvas})
    {
        writeFile("fenlark.ini", kPortZeroSettings);
        for (const char *tag : {"424", "490", "518", "4209"})
            writeFile(std::string(tag) + ".txt", makeStationFile(tag));
        app.start();
    }
    int filed() { return app.state().msgcount; }
    FakeClock clock;
    RecordingPrinter printer;
    RecordingCanvas canvas;
    Application app;
};

bool says(const std::string &notice, const char *words)
{
    return notice.find(words) != std::string::npos;
}

TEST(NetworkInput, ATcpServerThatGoesAndComesBackIsToldOnceAndNothingIsLost)
{
    TempWorkingDir dir;
    FakeDialogs dialogs;
    QTcpServer server; // a free port with no server on it yet
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    server.close();
    qt::NetworkDevice device(qt::NetworkDevice::Kind::Tcp, QStringLiteral("127.0.0.1"), port);
    device.reportOutagesTo(dialogs);
    ProgramOn program(device, dialogs);
    handleEventsUntil([&] { return dialogs.notices.size() == 1; });
    EXPECT_TRUE(says(dialogs.notices[0], "TCP 127.0.0.1:")) << dialogs.notices[0];
    EXPECT_TRUE(says(dialogs.notices[0], "cannot be reached now")) << dialogs.notices[0];
    EXPECT_TRUE(device.retrying());

    auto serve = [&](const std::string &bytes, bool thenClose) {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost, port));
        device.retryNow();
        handleEventsUntil([&] { return server.hasPendingConnections() && device.lineUp(); });
        EXPECT_FALSE(device.retrying());
        QTcpSocket *client = server.nextPendingConnection();
        client->write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (thenClose) {
            client->disconnectFromHost(); // right after the last message
            server.close();
        }
    };
    serve("ZCZC TA01\r\nPLAIN\r\nNNNN\r\n" + nrx("001,001,00,TA02", "SENTENCE") + "\r\n" +
              "ZCZC TA03\r\nLAST BEFORE CLOSING\r\nNNNN\r\n",
          true);
    handleEventsUntil([&] { return program.filed() == 3 && dialogs.notices.size() == 2; });
    EXPECT_TRUE(says(dialogs.notices[1], "was lost")) << dialogs.notices[1];
    EXPECT_TRUE(device.retrying());

    // Refused again while away: nothing more is said.
    device.retryNow();
    handleEventsUntil([&] { return device.failures() == 3; });
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.notices.size(), 2u);
    serve("ZCZC TA04\r\nBACK\r\nNNNN\r\n", false);
    handleEventsUntil([&] { return program.filed() == 4; });
    EXPECT_EQ(listState(program.app.form1().MessageList), "TA01 TA02 TA03 TA04");
    EXPECT_EQ(dialogs.notices.size(), 2u);
}

TEST(NetworkInput, WhatTheServerSentBeforeClosingIsKeptWhileNobodyReads)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    qt::NetworkDevice device(qt::NetworkDevice::Kind::Tcp, QStringLiteral("127.0.0.1"),
                             server.serverPort(), 0);
    ASSERT_EQ(device.open(1, LineSettings{}), "");
    handleEventsUntil([&] { return server.hasPendingConnections() && device.lineUp(); });
    // More than the device takes in before the core reads: the rest waits in the socket.
    std::string sent(qt::NetworkDevice::kHeldBound * 5 / 8, ' ');
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<char>('A' + i % 26);
    QTcpSocket *client = server.nextPendingConnection();
    client->write(sent.data(), static_cast<qint64>(sent.size()));
    client->disconnectFromHost();
    handleEventsUntil([&] { return device.failures() == 1; });
    std::string received;
    while (device.waiting() > 0)
        received += device.read(1000);
    EXPECT_TRUE(received == sent) << received.size() << " of " << sent.size() << " bytes";
}

TEST(NetworkInput, UdpDatagramsOfOneOrMoreLinesAreFiledOnceThePortIsFree)
{
    TempWorkingDir dir;
    FakeDialogs dialogs;
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::Any, 0, QUdpSocket::DontShareAddress));
    const quint16 port = taken.localPort();
    qt::NetworkDevice device(qt::NetworkDevice::Kind::Udp, {}, port);
    device.reportOutagesTo(dialogs);
    ProgramOn program(device, dialogs);
    handleEventsUntil([&] { return dialogs.notices.size() == 1; });
    EXPECT_TRUE(says(dialogs.notices[0], "UDP port")) << dialogs.notices[0];
    taken.close();
    device.retryNow();
    ASSERT_TRUE(device.lineUp());

    QUdpSocket sender;
    for (const std::string &datagram :
         {std::string("ZCZC UA01\r\nSEVERAL LINES\r\nNNNN\r\n"),
          nrx("002,001,03,UA02", "ONE SENTENCE A DATAGRAM^0D^0A"), nrx("002,002,03,", "NO END")})
        sender.writeDatagram(datagram.data(), static_cast<qint64>(datagram.size()),
                             QHostAddress::LocalHost, port);
    handleEventsUntil([&] { return program.filed() == 2; });
    EXPECT_EQ(program.app.state().MessageTable[1].msgtext, "\r\nONE SENTENCE A DATAGRAM\r\nNO END");
    EXPECT_EQ(dialogs.notices.size(), 1u);
}

} // namespace
} // namespace fenlark::test
