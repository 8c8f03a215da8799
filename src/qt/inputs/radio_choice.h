// The inputs of FenLark's own decoder, as the operator chooses them: a recording (audio or IQ), a
// sound card, an SDR through SoapySDR, or an rtl_tcp server; kept in the per-user settings.
#pragma once

#include "qt/inputs/decoder_device.h"
#include "qt/inputs/recording_source.h"
#include "qt/inputs/rtl_tcp_source.h"
#include "qt/inputs/tuner_settings.h"

#include <QString>

#include <memory>

class QSettings;

namespace fenlark::qt {

struct RadioChoice {
    enum class Kind { AudioFile, IqFile, SoundCard, Sdr, RtlTcp };

    Kind kind = Kind::SoundCard;
    QString path;                  // AudioFile, IqFile
    QString rawFormat;             // AudioFile, IqFile: "s16", "u8", "f32"; empty for WAV
    int rateHz = 0;                // a raw recording's rate; the sound card's (0: its default)
    QString soundCard = "default"; // SoundCard: a card's id or description, or "default"
    QString sdrArgs;               // Sdr: SoapySDR device arguments
    QString host;                  // RtlTcp
    quint16 port = RtlTcpSource::kDefaultPort;
    TunerSettings tuner; // Sdr and RtlTcp; IqFile: its centre
    int channelKhz = 0;  // AudioFile, SoundCard: the receiver's channel, 0 unknown

    // How the choice reads to the operator ("rtl_tcp 192.168.1.5:1234 at 504000 Hz").
    QString text() const;
    friend bool operator==(const RadioChoice&, const RadioChoice&) = default;
};

// The recording of a choice: its raw format named, or taken from the file name's ending.
recordings::RecordingSpec recordingSpec(const RadioChoice& choice);

// Read and written inside the settings group of the receiver's input.
RadioChoice loadRadioChoice(QSettings& settings);
void saveRadioChoice(QSettings& settings, const RadioChoice& choice);

// The decoder on the choice's source; it tells its outages to `dialogs`. A recording is played
// at `pace`.
std::unique_ptr<DecoderDevice> makeDecoderDevice(const RadioChoice& choice, Dialogs& dialogs,
                                                 RecordingSource::Pace pace);

} // namespace fenlark::qt
