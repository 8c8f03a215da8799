// The sample sources of FenLark's decoder against real counterparts on this machine: an rtl_tcp
// server on loopback inside the test, a PulseAudio server of the test's own with a null sink into
// which a recording is played, SoapySDR without an SDR.
#include "qt/inputs/radio_choice.h"
#include "qt/inputs/rtl_tcp_source.h"
#include "qt/inputs/sdr_source.h"
#include "qt/inputs/sound_card_source.h"
#include "shell_program.h"
#include "support/navtex_signal.h"

#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cmath>

namespace fenlark::test {
namespace {

// What a source told its listener.
struct Heard {
    explicit Heard(qt::SampleSource &source)
    {
        source.setListener({
            [this](const qt::SampleFormat &f) { formats.push_back(f); },
            [this](std::span<const float> s) { audio.insert(audio.end(), s.begin(), s.end()); },
            [this](std::span<const std::complex<float>> s) {
                iq.insert(iq.end(), s.begin(), s.end());
            },
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
        for (const QByteArray &piece :
             {header.left(5), header.mid(5) + samples.left(3), samples.mid(3)}) {
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
    // Stopping hangs up, so that nothing is read while the port is closed.
    source.start();
    handleEventsUntil([&] { return server.hasPendingConnections(); });
    QTcpSocket *last = server.nextPendingConnection();
    source.stop();
    handleEventsUntil([&] { return last->state() == QAbstractSocket::UnconnectedState; });
    EXPECT_EQ(qt::RtlTcpSource::directSamplingFor(4209500), 2);
    EXPECT_EQ(qt::RtlTcpSource::directSamplingFor(100e6), 0);
}

// A PulseAudio server of the test's own, in a folder of its own, with a null sink "fenlark" whose
// monitor is the sound card "fenlark-in" to record from (Qt lists no monitors, so the monitor is
// remapped); recordings are played into the sink with paplay.
class PulseServer {
public:
    static inline const QString kCard =
        "module-remap-source master=fenlark.monitor source_name=fenlark-in";

    PulseServer()
        : m_socket(QString::fromStdString((m_dir.path() / "native").string())),
          m_env(QProcessEnvironment::systemEnvironment())
    {
        m_env.insert("PULSE_SERVER", "unix:" + m_socket);
        m_env.insert("HOME", QString::fromStdString(m_dir.path().string()));
        qputenv("PULSE_SERVER", ("unix:" + m_socket).toLocal8Bit());
        m_server.setProcessEnvironment(m_env);
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        // Run as root too (as in CI), with nothing of the user's session: no D-Bus, no shared
        // memory, no idle exit.
        m_server.start("pulseaudio",
                       {"-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=true",
                        "--use-pid-file=false", "--log-target=stderr", "--log-level=info",
                        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_socket,
                        "--load=module-null-sink sink_name=fenlark", "--load=" + kCard});
        handleEventsUntil(
            [&] { return m_log.append(m_server.readAll()).contains("startup complete"); });
    }
    ~PulseServer()
    {
        m_server.kill();
        m_server.waitForFinished();
    }
    // Runs a client of the server (pactl, paplay) to its end; its standard output.
    QString run(const QString &program, const QStringList &args)
    {
        QProcess client;
        client.setProcessEnvironment(m_env);
        client.start(program, args);
        handleEventsUntil([&] { return client.state() == QProcess::NotRunning; });
        EXPECT_EQ(client.exitCode(), 0)
            << program.toStdString() << client.readAllStandardError().toStdString();
        return QString::fromLocal8Bit(client.readAllStandardOutput());
    }

private:
    TempWorkingDir m_dir;
    QString m_socket;
    QProcessEnvironment m_env;
    QProcess m_server;
    QByteArray m_log;
};

TEST(SoundCardSource, ANavtexRecordingPlayedIntoTheCardIsFiledAndACardThatGoesIsTold)
{
    PulseServer pulse;
    qt::RadioChoice card;
    card.soundCard = "fenlark-in";
    card.rateHz = 12000;
    FakeDialogs dialogs;
    auto device = qt::makeDecoderDevice(card, dialogs, qt::RecordingSource::Pace::RealTime);
    ProgramOn program(*device);
    ASSERT_TRUE(device->lineUp());
    EXPECT_EQ(device->decoder()->channelCount(), 1u);
    // The sink delivers only while something plays into it: the recording ends in silence.
    writeWav("storm.wav", 48000,
             navtexAudio(48000, {"ZCZC EA01\r\nSTORM WARNING\r\nNNNN\r\n\n", 1000}, 10));
    pulse.run("paplay", {"--device=fenlark", "storm.wav"});
    handleEventsUntil([&] { return program.filed() == 1; });
    EXPECT_EQ(program.app.state().MessageTable[0].msgid, "EA01");

    pulse.run("pactl", {"unload-module", "module-remap-source"});
    handleEventsUntil([&] { return !device->lineUp() && dialogs.notices.size() == 1; });
    EXPECT_EQ(dialogs.notices[0],
              "The receiver input the sound card \"fenlark-in\" fails: it is gone. Every message "
              "received so far is kept. FenLark tries every 5 seconds to start it again and "
              "receives as soon as it can.");
    device->retryNow(); // still away: nothing more is said
    pulse.run("pactl", QStringList{"load-module"} + PulseServer::kCard.split(QLatin1Char(' ')));
    handleEventsUntil([&] { return !qt::SoundCardSource::cards().isEmpty(); });
    device->retryNow();
    EXPECT_TRUE(device->lineUp());
    EXPECT_EQ(dialogs.notices.size(), 1u);
}

TEST(SdrSource, WithNoDeviceToOpenSaysWhatIsMissing)
{
    // Whatever modules are installed, no SDR is of this driver.
    qt::SdrSource named("driver=fenlark-none", {});
    Heard heard(named);
    named.start();
    // Without an SDR plugged in (as here), the first one found is none either.
    qt::SdrSource first("", {});
    Heard heardFirst(first);
    if (qt::SdrSource::devices().empty())
        first.start();
    EXPECT_EQ(heard.downs, std::vector<std::string>{
                               "SoapySDR finds no SDR that matches \"driver=fenlark-none\""});
    EXPECT_TRUE(heard.formats.empty());
    EXPECT_EQ(heardFirst.downs.size(), qt::SdrSource::devices().empty() ? 1u : 0u);
    for (const std::string &why : heardFirst.downs)
        EXPECT_EQ(why, "SoapySDR finds no SDR (is it plugged in, and is its SoapySDR module "
                       "installed, such as soapysdr-module-rtlsdr?)");
}

} // namespace
} // namespace fenlark::test
