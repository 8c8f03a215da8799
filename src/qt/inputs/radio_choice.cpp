#include "qt/inputs/radio_choice.h"

#include "qt/inputs/sdr_source.h"
#include "qt/inputs/sound_card_source.h"
#include "qt/latin1.h"

#include <QSettings>

namespace fenlark::qt {
namespace {

const char* const kKindNames[] = {"audio-file", "iq-file", "sound-card", "sdr", "rtl-tcp"};

QString tuning(const TunerSettings& tuner)
{
    return QStringLiteral(" at %1 Hz, %2 S/s")
        .arg(tuner.centreHz, 0, 'f', 0)
        .arg(tuner.sampleRateHz, 0, 'f', 0);
}

} // namespace

QString RadioChoice::text() const
{
    switch (kind) {
    case Kind::AudioFile:
        return QStringLiteral("audio recording ") + path;
    case Kind::IqFile:
        return QStringLiteral("IQ recording %1 at %2 Hz").arg(path).arg(tuner.centreHz, 0, 'f', 0);
    case Kind::SoundCard:
        return soundCard == QLatin1String("default") ? QStringLiteral("the default sound card")
                                                     : QStringLiteral("sound card ") + soundCard;
    case Kind::Sdr:
        return QStringLiteral("SDR ") +
               (sdrArgs.isEmpty() ? QStringLiteral("(the first found)") : sdrArgs) + tuning(tuner);
    case Kind::RtlTcp:
        break;
    }
    const bool v6 = host.contains(QLatin1Char(':'));
    return QStringLiteral("rtl_tcp %1:%2").arg(v6 ? "[" + host + "]" : host).arg(port) +
           tuning(tuner);
}

recordings::RecordingSpec recordingSpec(const RadioChoice& choice)
{
    recordings::RecordingSpec spec{fromQString(choice.path), recordings::RawFormat::None,
                                   choice.rateHz, choice.kind == RadioChoice::Kind::IqFile};
    if (choice.rawFormat.isEmpty())
        spec.raw = recordings::rawFormatOfName(spec.path, spec.iq);
    else
        spec.raw = recordings::rawFormatNamed(fromQString(choice.rawFormat), spec.iq)
                       .value_or(recordings::RawFormat::None);
    return spec;
}

RadioChoice loadRadioChoice(QSettings& settings)
{
    RadioChoice choice;
    const QString kind = settings.value(QStringLiteral("radio")).toString();
    for (int k = 0; k < 5; ++k)
        if (kind == QLatin1String(kKindNames[k]))
            choice.kind = static_cast<RadioChoice::Kind>(k);
    auto text = [&settings](const char* key, const QString& otherwise = {}) {
        return settings.value(QLatin1String(key), otherwise).toString();
    };
    choice.path = text("recording");
    choice.rawFormat = text("rawFormat");
    choice.rateHz = settings.value(QStringLiteral("rate"), 0).toInt();
    choice.soundCard = text("soundCard", choice.soundCard);
    choice.sdrArgs = text("sdrArgs");
    choice.host = text("rtlTcpHost");
    choice.port = static_cast<quint16>(
        settings.value(QStringLiteral("rtlTcpPort"), RtlTcpSource::kDefaultPort).toUInt());
    choice.tuner.centreHz =
        settings.value(QStringLiteral("centre"), TunerSettings::kDefaultCentreHz).toDouble();
    choice.tuner.sampleRateHz =
        settings.value(QStringLiteral("sampleRate"), TunerSettings::kDefaultRateHz).toDouble();
    bool gainGiven = false;
    const double gain = settings.value(QStringLiteral("gain")).toDouble(&gainGiven);
    if (gainGiven)
        choice.tuner.gainDb = gain;
    choice.tuner.ppm = settings.value(QStringLiteral("ppm"), 0).toInt();
    choice.channelKhz = settings.value(QStringLiteral("channel"), 0).toInt();
    return choice;
}

void saveRadioChoice(QSettings& settings, const RadioChoice& choice)
{
    settings.setValue(QStringLiteral("radio"),
                      QLatin1String(kKindNames[static_cast<int>(choice.kind)]));
    settings.setValue(QStringLiteral("recording"), choice.path);
    settings.setValue(QStringLiteral("rawFormat"), choice.rawFormat);
    settings.setValue(QStringLiteral("rate"), choice.rateHz);
    settings.setValue(QStringLiteral("soundCard"), choice.soundCard);
    settings.setValue(QStringLiteral("sdrArgs"), choice.sdrArgs);
    settings.setValue(QStringLiteral("rtlTcpHost"), choice.host);
    settings.setValue(QStringLiteral("rtlTcpPort"), choice.port);
    settings.setValue(QStringLiteral("centre"), choice.tuner.centreHz);
    settings.setValue(QStringLiteral("sampleRate"), choice.tuner.sampleRateHz);
    settings.setValue(QStringLiteral("gain"),
                      choice.tuner.gainDb ? QVariant(*choice.tuner.gainDb) : QVariant(QString()));
    settings.setValue(QStringLiteral("ppm"), choice.tuner.ppm);
    settings.setValue(QStringLiteral("channel"), choice.channelKhz);
}

std::unique_ptr<DecoderDevice> makeDecoderDevice(const RadioChoice& choice, Dialogs& dialogs,
                                                 RecordingSource::Pace pace)
{
    using Kind = RadioChoice::Kind;
    std::unique_ptr<SampleSource> source;
    switch (choice.kind) {
    case Kind::AudioFile:
    case Kind::IqFile:
        source =
            std::make_unique<RecordingSource>(recordingSpec(choice), choice.tuner.centreHz, pace);
        break;
    case Kind::SoundCard:
        source = std::make_unique<SoundCardSource>(choice.soundCard, choice.rateHz);
        break;
    case Kind::Sdr:
        source = std::make_unique<SdrSource>(choice.sdrArgs, choice.tuner);
        break;
    case Kind::RtlTcp:
        source = std::make_unique<RtlTcpSource>(choice.host, choice.port, choice.tuner);
        break;
    }
    auto device = std::make_unique<DecoderDevice>(std::move(source), choice.channelKhz);
    device->reportOutagesTo(dialogs);
    return device;
}

} // namespace fenlark::qt
