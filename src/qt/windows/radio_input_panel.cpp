#include "qt/windows/radio_input_panel.h"

#include "qt/inputs/receiver_input.h"
#include "qt/inputs/sdr_source.h"
#include "qt/inputs/sound_card_source.h"
#include "qt/latin1.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace fenlark::qt {
namespace {

using Kind = RadioChoice::Kind;

const char* const kKinds[] = {"Audio recording", "IQ recording", "Sound card", "SDR (SoapySDR)",
                              "rtl_tcp server"};
const char* const kFormats[] = {"s16", "u8", "f32"};
const int kChannels[] = {424, 490, 518, 4209};

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

RadioInputPanel::RadioInputPanel(QWidget* parent) : QWidget(parent)
{
    m_kind = named(new QComboBox(this), "decoderSourceKind");
    for (const char* kind : kKinds)
        m_kind->addItem(QLatin1String(kind));
    m_source = named(new QComboBox(this), "decoderSource");
    m_source->setEditable(true);
    m_source->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* browse = named(new QPushButton(QStringLiteral("Browse\u2026"), this), "decoderBrowse");
    m_format = named(new QComboBox(this), "decoderFormat");
    m_format->addItem(QStringLiteral("from the file (WAV, or its name's ending)"));
    for (const char* format : kFormats)
        m_format->addItem(QLatin1String(format));
    m_rate = named(new QSpinBox(this), "decoderRate");
    m_rate->setRange(0, 100'000'000);
    m_rate->setSpecialValueText(QStringLiteral("the default"));
    m_rate->setSuffix(QStringLiteral(" S/s"));
    m_centre = named(new QLineEdit(this), "decoderCentre");
    m_gain = named(new QLineEdit(this), "decoderGain");
    m_gain->setPlaceholderText(QStringLiteral("automatic"));
    m_ppm = named(new QSpinBox(this), "decoderPpm");
    m_ppm->setRange(-1000, 1000);
    m_channel = named(new QComboBox(this), "decoderChannel");
    m_channel->addItem(QStringLiteral("not known"), 0);
    for (int khz : kChannels)
        m_channel->addItem(QStringLiteral("%1 kHz").arg(khz == 4209 ? 4209.5 : khz), khz);

    auto* sourceRow = new QHBoxLayout;
    sourceRow->setContentsMargins(0, 0, 0, 0);
    sourceRow->addWidget(m_source, 1);
    sourceRow->addWidget(browse);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Source:"), m_kind);
    form->addRow(QStringLiteral("Recording, card, SDR or server:"), sourceRow);
    form->addRow(QStringLiteral("Raw samples:"), m_format);
    form->addRow(QStringLiteral("Sample rate:"), m_rate);
    form->addRow(QStringLiteral("Centre frequency (Hz):"), m_centre);
    form->addRow(QStringLiteral("Gain (dB):"), m_gain);
    form->addRow(QStringLiteral("Frequency correction (ppm):"), m_ppm);
    form->addRow(QStringLiteral("Receiver's channel (audio):"), m_channel);

    connect(m_kind, &QComboBox::activated, this, [this] {
        kindChanged();
        if (m_edited)
            m_edited();
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Recording"),
                                                          m_source->currentText());
        if (!path.isEmpty())
            m_source->setEditText(path);
    });
    connect(m_source, &QComboBox::editTextChanged, this, [this] {
        if (m_edited && m_source->hasFocus())
            m_edited();
    });
}

void RadioInputPanel::listSources(const RadioChoice& choice)
{
    m_source->clear();
    switch (static_cast<Kind>(m_kind->currentIndex())) {
    case Kind::AudioFile:
    case Kind::IqFile:
        m_source->setEditText(choice.path);
        return;
    case Kind::SoundCard:
        m_source->addItem(QStringLiteral("default"), QStringLiteral("default"));
        for (const QAudioDevice& card : SoundCardSource::cards())
            m_source->addItem(card.description(), QString::fromUtf8(card.id()));
        m_source->setEditText(choice.soundCard);
        return;
    case Kind::Sdr:
        for (const SdrSource::Found& sdr : SdrSource::devices())
            m_source->addItem(sdr.label, sdr.args);
        m_source->setEditText(choice.sdrArgs);
        return;
    case Kind::RtlTcp:
        break;
    }
    m_source->setEditText(choice.host.isEmpty()
                              ? QString()
                              : QStringLiteral("%1:%2").arg(choice.host).arg(choice.port));
}

void RadioInputPanel::show(const RadioChoice& choice)
{
    m_kind->setCurrentIndex(static_cast<int>(choice.kind));
    listSources(choice);
    m_format->setCurrentIndex(m_format->findText(choice.rawFormat));
    if (m_format->currentIndex() < 0)
        m_format->setCurrentIndex(0);
    const bool radio = choice.kind == Kind::Sdr || choice.kind == Kind::RtlTcp;
    m_rate->setValue(radio ? static_cast<int>(choice.tuner.sampleRateHz) : choice.rateHz);
    m_centre->setText(QString::number(choice.tuner.centreHz, 'f', 0));
    m_gain->setText(choice.tuner.gainDb ? QString::number(*choice.tuner.gainDb) : QString());
    m_ppm->setValue(choice.tuner.ppm);
    m_channel->setCurrentIndex(std::max(0, m_channel->findData(choice.channelKhz)));
    kindChanged();
}

void RadioInputPanel::kindChanged()
{
    const auto kind = static_cast<Kind>(m_kind->currentIndex());
    const bool recording = kind == Kind::AudioFile || kind == Kind::IqFile;
    const bool radio = kind == Kind::Sdr || kind == Kind::RtlTcp;
    findChild<QPushButton*>(QStringLiteral("decoderBrowse"))->setEnabled(recording);
    m_format->setEnabled(recording);
    m_centre->setEnabled(radio || kind == Kind::IqFile);
    m_gain->setEnabled(radio);
    m_ppm->setEnabled(radio);
    m_channel->setEnabled(kind == Kind::AudioFile || kind == Kind::SoundCard);
    if (m_source->count() == 0 && !recording)
        listSources(RadioChoice{});
}

std::optional<RadioChoice> RadioInputPanel::choice(QString& why) const
{
    RadioChoice choice;
    choice.kind = static_cast<Kind>(m_kind->currentIndex());
    // A listed card or SDR is known by its id or arguments; a typed one by what was typed.
    const int listed = m_source->findText(m_source->currentText());
    const QString source = listed >= 0 && m_source->itemData(listed).isValid()
                               ? m_source->itemData(listed).toString()
                               : m_source->currentText().trimmed();
    const bool radio = choice.kind == Kind::Sdr || choice.kind == Kind::RtlTcp;
    choice.rawFormat = m_format->currentIndex() > 0 ? m_format->currentText() : QString();
    choice.rateHz = radio ? 0 : m_rate->value();
    if (radio && m_rate->value() > 0)
        choice.tuner.sampleRateHz = m_rate->value();
    bool ok = true;
    choice.tuner.centreHz = m_centre->text().toDouble(&ok);
    if (!ok || choice.tuner.centreHz <= 0) {
        why = QStringLiteral("Type the centre frequency in Hz, such as 504000.");
        return std::nullopt;
    }
    if (!m_gain->text().trimmed().isEmpty()) {
        choice.tuner.gainDb = m_gain->text().toDouble(&ok);
        if (!ok) {
            why = QStringLiteral("Type the gain in dB, or nothing for the automatic gain.");
            return std::nullopt;
        }
    }
    choice.tuner.ppm = m_ppm->value();
    choice.channelKhz = m_channel->currentData().toInt();
    switch (choice.kind) {
    case Kind::AudioFile:
    case Kind::IqFile: {
        choice.path = source;
        recordings::Recording recording;
        const std::string problem = recording.open(recordingSpec(choice));
        why = QStringLiteral("The recording cannot be read: %1.").arg(toQString(problem));
        return problem.empty() ? std::optional(choice) : std::nullopt;
    }
    case Kind::SoundCard:
        choice.soundCard = source.isEmpty() ? QStringLiteral("default") : source;
        return choice;
    case Kind::Sdr:
        choice.sdrArgs = source;
        return choice;
    case Kind::RtlTcp:
        break;
    }
    const auto server = tcpChoice(source);
    why = QStringLiteral("Type the rtl_tcp server as HOST:PORT, such as 192.168.1.20:1234.");
    if (!server)
        return std::nullopt;
    choice.host = server->host;
    choice.port = server->port;
    return choice;
}

} // namespace fenlark::qt
