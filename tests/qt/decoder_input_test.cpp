// FenLark's own decoder as the receiver's input, end to end on recordings made here: a recording
// played to the decoder, an rtl_tcp server on loopback that closes and comes back, the headless
// program on an IQ recording, an SDR through SoapySDR (a module of the test's own whose device
// plays a file). Each message is filed with its channel's frequency and figures.
#include "qt/inputs/radio_choice.h"
#include "qt/windows/receiver_input_dialog.h"
#include "qt/windows/tuning_view.h"
#include "shell_program.h"
#include "support/navtex_signal.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>

#include <SoapySDR/Modules.hpp>

#include <gtest/gtest.h>

#include <cmath>

namespace fenlark::test {
namespace {

const std::string kStorm = "ZCZC EA01\r\nSTORM WARNING\r\nNNNN\r\n\n";
const std::string kLocal = "ZCZC PA02\r\nNATIONAL 490\r\nNNNN\r\n\n";

// The messages filed, "ID@kHz" each, in the order of the table.
std::string filed(ProgramOn& program)
{
    std::string text;
    for (int k = 0; k < program.filed(); ++k) {
        const MessageRecord& r = program.app.state().MessageTable[k];
        text += (k ? " " : "") + r.msgid + "@" + std::to_string(r.spare);
    }
    return text;
}

TEST(DecoderInput, ARecordingIsDecodedAndEachMessageFiledWithItsFrequencyAndFigures)
{
    TempWorkingDir dir;
    writeWav("audio.wav", 11025, navtexAudio(11025, {kStorm, 1700}, 10));
    writeRawIq("two.cf32", navtexIq(48000, 504000, {{kStorm, 518000}, {kLocal, 490000}}, 10));
    qt::RadioChoice audio;
    audio.kind = qt::RadioChoice::Kind::AudioFile;
    audio.path = QString::fromStdString((dir.path() / "audio.wav").string());
    qt::RadioChoice iq = audio;
    iq.kind = qt::RadioChoice::Kind::IqFile;
    iq.path = QString::fromStdString((dir.path() / "two.cf32").string());
    iq.rateHz = 48000;
    audio.channelKhz = 490; // the receiver's channel, as the operator said
    // (The decoder's estimate from audio is its own business; from IQ it is near the 20 dB sent.)
    const std::tuple<qt::RadioChoice, const char*, double> cases[] = {
        {audio, "EA01@490", -20}, {iq, "PA02@490 EA01@518", 10}};
    for (const auto& [choice, expected, leastSnrDb] : cases) {
        FakeDialogs dialogs;
        auto device =
            qt::makeDecoderDevice(choice, dialogs, qt::RecordingSource::Pace::AsFastAsPossible);
        ProgramOn program(*device);
        handleEventsUntil([&] { return device->ended(); });
        EXPECT_EQ(filed(program), expected) << choice.text().toStdString();
        for (int k = 0; k < program.filed(); ++k) {
            const MessageFigures& figures = program.app.state().MessageTable[k].figures;
            ASSERT_EQ(figures.size(), 2u);
            EXPECT_EQ(figures[0].name, "snr_db");
            EXPECT_GT(figures[0].value, leastSnrDb);
            EXPECT_EQ(figures[1], (MessageFigure{"doubtful", 0}));
        }
        EXPECT_EQ(dialogs.notices, std::vector<std::string>{});
    }
}

TEST(DecoderInput, AnRtlTcpServerThatClosesAndComesBackGivesEveryChannelsMessages)
{
    // Two emissions on 518 and 490 kHz at once, as 8-bit IQ, before and after the server's break.
    auto cu8 = [](const std::vector<std::complex<float>>& iq) {
        QByteArray bytes(12, '\0');
        bytes.replace(0, 4, "RTL0");
        for (const std::complex<float>& s : iq)
            for (float x : {s.real(), s.imag()})
                bytes += static_cast<char>(std::lround(127.5 + 127.5 * x));
        return bytes;
    };
    const std::string later = "ZCZC EA03\r\nAFTER THE BREAK\r\nNNNN\r\n\n";
    const QByteArray before =
        cu8(navtexIq(48000, 504000, {{kStorm, 518000}, {kLocal, 490000}}, 10));
    const QByteArray after = cu8(navtexIq(48000, 504000, {{later, 518000}}, 10));
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    qt::RadioChoice choice;
    choice.kind = qt::RadioChoice::Kind::RtlTcp;
    choice.host = "127.0.0.1";
    choice.port = port;
    choice.tuner.sampleRateHz = 48000;
    FakeDialogs dialogs;
    auto device = qt::makeDecoderDevice(choice, dialogs, qt::RecordingSource::Pace::RealTime);
    ProgramOn program(*device);
    auto serve = [&](const QByteArray& bytes) {
        handleEventsUntil([&] { return server.hasPendingConnections(); });
        QTcpSocket* dongle = server.nextPendingConnection();
        // The tuning commands are read, as rtl_tcp does: a socket closed with input unread is
        // reset, and the reset throws away what is still on its way.
        handleEventsUntil([&] { return dongle->bytesAvailable() == 25; });
        dongle->readAll();
        dongle->write(bytes);
        handleEventsUntil([&] { return dongle->bytesToWrite() == 0; });
        dongle->disconnectFromHost();
    };
    serve(before);
    handleEventsUntil([&] { return program.filed() == 2 && !device->lineUp(); });
    EXPECT_EQ(filed(program), "PA02@490 EA01@518");
    handleEventsUntil([&] { return dialogs.notices.size() == 1; });
    EXPECT_EQ(dialogs.notices[0],
              "The receiver input rtl_tcp 127.0.0.1:" + std::to_string(port) +
                  " fails: the server closed the connection. Every message received so far is "
                  "kept. FenLark tries every 5 seconds to start it again and receives as soon as "
                  "it can.");
    device->retryNow();
    serve(after);
    handleEventsUntil([&] { return program.filed() == 3; });
    EXPECT_EQ(filed(program), "PA02@490 EA01@518 EA03@518");
}

TEST(DecoderInput, AnSdrThroughSoapySdrIsTunedAndEveryChannelsMessagesFiled)
{
    // The module's one device plays an IQ file as an SDR tuned anywhere would deliver it.
    ASSERT_EQ(SoapySDR::loadModule(FENLARK_SOAPY_FILE_MODULE), "");
    TempWorkingDir dir;
    writeRawIq("two.cf32", navtexIq(48000, 504000, {{kStorm, 518000}, {kLocal, 490000}}, 10));
    qt::RadioChoice choice;
    choice.kind = qt::RadioChoice::Kind::Sdr;
    const std::string args = "driver=fenlarkfile,file=" + (dir.path() / "two.cf32").string();
    choice.sdrArgs = QString::fromStdString(args);
    choice.tuner.sampleRateHz = 48000;
    FakeDialogs dialogs;
    auto device = qt::makeDecoderDevice(choice, dialogs, qt::RecordingSource::Pace::RealTime);
    ProgramOn program(*device);
    handleEventsUntil([&] { return dialogs.notices.size() == 1; });
    EXPECT_EQ(filed(program), "PA02@490 EA01@518");
    EXPECT_NE(dialogs.notices[0].find("fails: it delivers no samples"), std::string::npos)
        << dialogs.notices[0];
}

TEST(DecoderInput, TheHeadlessProgramDecodesAnIqRecordingAndItsWaitEndsWhenDone)
{
    TempWorkingDir dir;
    writeWav("two.wav", 48000, navtexIq(48000, 504000, {{kStorm, 518000}, {kLocal, 490000}}, 10));
    std::filesystem::create_directory("run");
    std::filesystem::copy(FENLARK_DATA_DIR "/stations", "run");
    writeFile("run/fenlark.ini", kPortZeroSettings);
    QProcess fenlark;
    fenlark.start(FENLARK_PROGRAM,
                  {"--headless", "--dir", "run", "--iq-file", "two.wav", "--centre", "504000"});
    // An hour's wait ends as soon as the recording has been decoded.
    fenlark.write("wait 3600\nlist MessageList\nclick Command1\n");
    fenlark.closeWriteChannel();
    handleEventsUntil([&] { return fenlark.state() == QProcess::NotRunning; });
    EXPECT_EQ(fenlark.readAllStandardError().toStdString(), "");
    EXPECT_EQ(fenlark.readAllStandardOutput().toStdString(),
              "MessageList.count=2\nMessageList.index=-1\nMessageList[0]=PA02\n"
              "MessageList[1]=EA01\nMessageList.new=PA02 EA01\n");
    // --decode writes one channel's text and ends; a file it cannot read is named.
    QProcess decode;
    for (const char* file : {"two.wav", "none.wav"}) {
        decode.start(FENLARK_PROGRAM,
                     {"--decode", file, "--iq", "--centre", "504000", "--channel", "490"});
        handleEventsUntil([&] { return decode.state() == QProcess::NotRunning; });
        EXPECT_EQ(decode.exitCode(), file == std::string("two.wav") ? 0 : 2);
        EXPECT_EQ(decode.readAllStandardOutput().toStdString(),
                  file == std::string("two.wav") ? kLocal : "");
        EXPECT_EQ(decode.readAllStandardError().toStdString(),
                  file == std::string("two.wav")
                      ? ""
                      : "fenlark: cannot read \"none.wav\": there is no such file\n");
    }
}

TEST(DecoderInput, TheDialogChoosesARecordingKeepsTheChoiceAndShowsEachChannelsTuning)
{
    QUdpSocket probe; // a free UDP port to start on
    ASSERT_TRUE(probe.bind(QHostAddress::LocalHost, 0));
    const qt::ReceiverChoice udp{qt::ReceiverChoice::Kind::Udp, {}, {}, probe.localPort(), {}, false};
    probe.close();
    FakeDialogs dialogs;
    qt::ReceiverInput input(dialogs, udp, true);
    ProgramOn program(input);
    writeWav("two.wav", 48000, navtexIq(48000, 504000, {{kStorm, 518000}, {kLocal, 490000}}, 10));
    QSettings settings("FenLark.conf", QSettings::IniFormat);
    qt::ReceiverInputDialog dialog(input, program.app, settings);
    dialog.showChoiceInUse();
    auto* tuning = dialog.findChild<qt::TuningView*>("tuningView");
    EXPECT_TRUE(tuning->isHidden());
    dialog.findChild<QComboBox*>("decoderSourceKind")->setCurrentIndex(1);
    dialog.findChild<QRadioButton*>("decoderInput")->setChecked(true);
    auto* source = dialog.findChild<QComboBox*>("decoderSource");
    for (const char* path : {"none.wav", "two.wav"}) {
        source->setEditText(QString::fromStdString((program.dir.path() / path).string()));
        dialog.accept();
        if (path == std::string("none.wav")) {
            EXPECT_EQ(dialog.findChild<QLabel*>("inputStatus")->text(),
                      "The recording cannot be read: there is no such file.");
        }
    }
    EXPECT_TRUE(input.choice()->kind == qt::ReceiverChoice::Kind::Decoder);
    EXPECT_TRUE(qt::loadReceiverChoice(settings) == *input.choice());
    EXPECT_EQ(input.text().toStdString(),
              "IQ recording " + (program.dir.path() / "two.wav").string() + " at 504000 Hz");
    // Played in real time: both channels lock within the phasing.
    dialog.showChoiceInUse();
    handleEventsUntil([&] {
        tuning->refresh();
        return tuning->lines().filter("locked").size() == 2;
    });
    EXPECT_TRUE(tuning->isVisibleTo(&dialog));
    EXPECT_TRUE(tuning->lines()[0].startsWith("490 kHz: locked, SNR "));
    EXPECT_TRUE(tuning->lines()[1].startsWith("518 kHz: locked, SNR "));
    EXPECT_EQ(dialogs.notices, std::vector<std::string>{});
    if (const char* picture = std::getenv("FENLARK_PICTURE"))
        dialog.grab().save(picture);
}

} // namespace
} // namespace fenlark::test
