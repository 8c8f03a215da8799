// The sample sources of FenLark's decoder against real counterparts on this machine: an rtl_tcp
// server on loopback inside the test.
#include "qt/inputs/rtl_tcp_source.h"
#include "shell_program.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

// What a source told its listener.
struct Heard {
    explicit Heard(qt::SampleSource &source)
    {
        source.setListener({
            [this](const qt::SampleFormat &f) { formats.push_back(f); },
            [this](std::span<const float> s) { audio.insert(audio.end(), s.begin(), s.end()); },
            [this](std::span<const std::complex<float>> s) { iq.insert(iq.end(), s.begin(), s.end()); },
            [this](const std::string &why) { downs.push_back(why); },
            [this] { ++ended; },
        });
    }
    std::vector<qt::SampleFormat> formats;
    std::vector<float> audio;
    std::vector<std::complex<float>> iq;
    std::vector<std::string> downs;
    int ended = 0;
};

TEST(RtlTcpSource, TunesTheDongleReadsItsSamplesAndStartsAgainAfterTheServerCloses)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    qt::RtlTcpSource source("127.0.0.1", port, {504000, 250000, 19.7, -3});
    Heard heard(source);
    const std::vector<std::pair<int, quint32>> tuning{
        {0x02, 250000}, {0x09, 2}, {0x01, 504000}, {0x05, quint32(-3)}, {0x03, 1}, {0x04, 197}};
    for (int round = 0; round < 2; ++round) {
        source.start();
        handleEventsUntil([&] { return server.hasPendingConnections(); });
        QTcpSocket *dongle = server.nextPendingConnection();
        handleEventsUntil([&] { return dongle->bytesAvailable() >= 30; });
        const QByteArray commands = dongle->readAll();
        std::vector<std::pair<int, quint32>> got;
        for (qsizetype at = 0; at + 5 <= commands.size(); at += 5)
            got.emplace_back(commands[at], qFromBigEndian<quint32>(commands.constData() + at + 1));
        EXPECT_EQ(got, tuning);
        // The header and the samples, split inside the header and between an I and its Q.
        const QByteArray header("RTL0\0\0\0\5\0\0\0\35", 12);
        const QByteArray samples("\x00\xff\x7f\x80\x10\xf0", 6);
        for (const QByteArray &piece : {header.left(5), header.mid(5) + samples.left(3),
                                        samples.mid(3)}) {
            dongle->write(piece);
            dongle->flush();
            handleEventsUntil([&] { return dongle->bytesToWrite() == 0; });
        }
        handleEventsUntil([&] { return heard.iq.size() == 3u * (round + 1); });
        EXPECT_EQ(heard.formats.size(), std::size_t(round + 1));
        EXPECT_TRUE(heard.formats.back() == (qt::SampleFormat{250000, true, 504000}));
        EXPECT_EQ(source.tunerType(), 5u);
        EXPECT_EQ(source.gainCount(), 29u);
        EXPECT_EQ(heard.iq[3 * round], std::complex<float>(-1, 1));
        EXPECT_NEAR(heard.iq[3 * round + 2].real(), (16 - 127.5) / 127.5, 1e-6);
        dongle->disconnectFromHost();
        handleEventsUntil([&] { return heard.downs.size() == std::size_t(round + 1); });
        EXPECT_EQ(heard.downs.back(), "the server closed the connection");
    }
    // A server of another protocol is told apart.
    source.start();
    handleEventsUntil([&] { return server.hasPendingConnections(); });
    server.nextPendingConnection()->write("HTTP/1.0 400 Bad request\r\n\r\n");
    handleEventsUntil([&] { return heard.downs.size() == 3; });
    EXPECT_EQ(heard.downs.back(),
              "the server is not an rtl_tcp server (its stream does not start with RTL0)");
    EXPECT_EQ(qt::RtlTcpSource::directSamplingFor(4209500), 2);
    EXPECT_EQ(qt::RtlTcpSource::directSamplingFor(100e6), 0);
}

} // namespace
} // namespace fenlark::test
