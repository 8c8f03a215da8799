#include "qt/inputs/sound_card_source.h"

#include "qt/latin1.h"

#include <QAudioSource>

namespace fenlark::qt {
namespace {

constexpr int kLowestRateHz = 8000;
constexpr int kHighestRateHz = 48000;

const char *errorText(QAudio::Error error)
{
    switch (error) {
    case QAudio::OpenError:
        return "it cannot be opened";
    case QAudio::IOError:
        return "reading from it failed";
    case QAudio::UnderrunError:
        return "it delivered no samples";
    case QAudio::FatalError:
        return "it stopped working";
    default:
        return "it stopped";
    }
}

} // namespace

SoundCardSource::SoundCardSource(QString device, int rateHz, QObject *parent)
    : QObject(parent), m_device(std::move(device)), m_rateHz(rateHz ? rateHz : kDefaultRateHz)
{
    // A card unplugged (or its sound server gone) is an outage like an unplugged serial line.
    // The list of cards does not always say that it changed, so it is looked at every second.
    auto checkGone = [this] {
        if (m_running && find().isNull())
            failed("it is gone");
    };
    connect(&m_devices, &QMediaDevices::audioInputsChanged, this, checkGone);
    m_watch.setInterval(kWatchMs);
    connect(&m_watch, &QTimer::timeout, this, checkGone);
}

SoundCardSource::~SoundCardSource() = default;

QList<QAudioDevice> SoundCardSource::cards()
{
    QList<QAudioDevice> list = QMediaDevices::audioInputs();
    std::stable_partition(list.begin(), list.end(),
                          [](const QAudioDevice &card) { return card.isDefault(); });
    return list;
}

QAudioDevice SoundCardSource::find() const
{
    if (m_device == QLatin1String("default"))
        return QMediaDevices::defaultAudioInput();
    for (const QAudioDevice &card : QMediaDevices::audioInputs())
        if (QString::fromUtf8(card.id()) == m_device || card.description() == m_device)
            return card;
    return {};
}

std::string SoundCardSource::name() const
{
    if (m_device == QLatin1String("default"))
        return "the default sound card";
    return "the sound card \"" + fromQString(m_device) + "\"";
}

void SoundCardSource::start()
{
    stop();
    m_running = true;
    m_card = find();
    if (m_card.isNull()) {
        failed("it is not there");
        return;
    }
    QAudioFormat format = m_card.preferredFormat();
    format.setSampleRate(m_rateHz);
    format.setChannelCount(1);
    if (!m_card.isFormatSupported(format))
        format = m_card.preferredFormat();
    if (format.sampleRate() < kLowestRateHz || format.sampleRate() > kHighestRateHz) {
        failed("it offers no rate from 8000 to 48000 samples a second");
        return;
    }
    m_audio = std::make_unique<QAudioSource>(m_card, format);
    connect(m_audio.get(), &QAudioSource::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && m_audio->error() != QAudio::NoError)
            failed(errorText(m_audio->error()));
    });
    m_io = m_audio->start();
    if (!m_io) {
        failed(errorText(m_audio->error()));
        return;
    }
    connect(m_io, &QIODevice::readyRead, this, [this] { readArrived(); });
    m_watch.start();
    up({static_cast<double>(format.sampleRate()), false, 0});
}

void SoundCardSource::stop()
{
    m_running = false;
    m_watch.stop();
    m_pending.clear();
    if (m_audio) {
        m_audio->disconnect(this);
        m_audio->stop();
        // Deleted later: this may run inside one of its own signals.
        m_audio.release()->deleteLater();
    }
    m_io = nullptr;
}

void SoundCardSource::failed(const std::string &why)
{
    if (!m_running)
        return;
    stop();
    down(why);
}

void SoundCardSource::readArrived()
{
    if (!m_io)
        return;
    const QAudioFormat format = m_audio->format();
    const QByteArray bytes = m_pending + m_io->readAll();
    const int frameBytes = format.bytesPerFrame();
    const int sampleBytes = format.bytesPerSample();
    const qsizetype frames = bytes.size() / frameBytes;
    m_samples.resize(static_cast<std::size_t>(frames));
    const int channels = format.channelCount();
    for (qsizetype k = 0; k < frames; ++k) {
        const char *frame = bytes.constData() + k * frameBytes;
        float sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += format.normalizedSampleValue(frame + c * sampleBytes);
        m_samples[static_cast<std::size_t>(k)] = sum / static_cast<float>(channels);
    }
    m_pending = bytes.mid(frames * frameBytes);
    if (frames > 0)
        deliver(std::span<const float>(m_samples));
}

} // namespace fenlark::qt
