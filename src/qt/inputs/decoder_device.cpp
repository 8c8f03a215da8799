#include "qt/inputs/decoder_device.h"

#include <QMetaObject>

#include <cmath>

namespace fenlark::qt {

DecoderDevice::DecoderDevice(std::unique_ptr<SampleSource> source, int audioChannelKhz, int retryMs,
                             QObject* parent)
    : QObject(parent), m_source(std::move(source)), m_audioChannelKhz(audioChannelKhz)
{
    m_source->setListener({
        [this](const SampleFormat& format) { sourceUp(format); },
        [this](std::span<const float> samples) {
            if (m_decoder) {
                m_decoder->process(samples);
                handOver();
            }
        },
        [this](std::span<const std::complex<float>> samples) {
            if (m_decoder) {
                m_decoder->process(samples);
                handOver();
            }
        },
        [this](const std::string& why) { sourceDown(why); },
        [this] { sourceEnded(); },
    });
    m_retry.setInterval(retryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] { retryNow(); });
}

DecoderDevice::~DecoderDevice()
{
    m_source->setListener({});
    m_source->stop();
}

std::string DecoderDevice::open(int, const LineSettings&)
{
    m_open = true;
    m_began = false;
    m_source->start();
    return {};
}

void DecoderDevice::close()
{
    m_open = false;
    m_up = false;
    m_retry.stop();
    m_source->stop();
    m_input.clear();
}

void DecoderDevice::retryNow()
{
    if (m_open && !m_up)
        m_source->start();
}

void DecoderDevice::sourceUp(const SampleFormat& format)
{
    m_up = true;
    m_told = false;
    m_retry.stop();
    if (!m_decoder || format != m_format) {
        m_decoder = format.iq ? std::make_unique<recordings::StreamDecoder>(format.sampleRateHz,
                                                                            format.centreHz)
                              : std::make_unique<recordings::StreamDecoder>(format.sampleRateHz,
                                                                            m_audioChannelKhz);
        m_format = format;
    }
    // A stream that starts again after an outage, or after the port was closed, does not go on
    // with the line or the message it broke off in.
    const std::size_t channels = m_decoder->channelCount();
    if (m_began)
        for (std::size_t k = 0; k < channels; ++k)
            m_input.restart(static_cast<int>(k));
    m_watches.assign(channels, {});
    m_began = true;
}

void DecoderDevice::sourceDown(const std::string& why)
{
    m_up = false;
    if (!m_open)
        return;
    if (m_retry.interval() > 0)
        m_retry.start();
    if (m_told)
        return;
    m_told = true;
    // The operator hears of it after the source's signal has returned, not from inside it.
    QMetaObject::invokeMethod(
        this,
        [this, why] {
            if (m_outageListener)
                m_outageListener(why);
        },
        Qt::QueuedConnection);
}

void DecoderDevice::sourceEnded()
{
    m_ended = true;
    if (m_endListener)
        m_endListener();
}

void DecoderDevice::handOver()
{
    bool any = false;
    for (std::size_t k = 0; k < m_decoder->channelCount(); ++k) {
        const std::string text = m_decoder->takeText(k);
        const sitor::ChannelFigures figures = m_decoder->figures(k);
        MessageWatch& watch = m_watches[k];
        if (figures.locked) {
            watch.snrSum += figures.snrDb;
            ++watch.snrCount;
        }
        if (!text.empty()) {
            handOver(k, text);
            any = true;
        }
    }
    if (any)
        inputArrived();
}

void DecoderDevice::handOver(std::size_t channel, const std::string& text)
{
    MessageWatch& watch = m_watches[channel];
    const int frequency = m_decoder->frequencyKhz(channel);
    const int tag = static_cast<int>(channel);
    // A line at a time, each with the figures of the message so far, so that the end line
    // files its message with the figures of that message alone.
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string_view piece(text.data() + from, end - from);
        for (char c : piece) {
            watch.line += c;
            watch.doubtful += c == '*';
            if (watch.line == "ZCZC") {
                // A message begins: its figures count from here.
                watch.doubtful = 0;
                watch.snrSum = 0;
                watch.snrCount = 0;
            }
            if (c == '\r' || c == '\n')
                watch.line.clear();
        }
        const double snr =
            watch.snrCount ? watch.snrSum / watch.snrCount : m_decoder->figures(channel).snrDb;
        m_input.setFigures(tag, {{kSnrFigure, std::round(snr * 10) / 10},
                                 {kDoubtfulFigure, static_cast<double>(watch.doubtful)}});
        m_input.append(tag, piece, frequency);
        from = end;
    }
}

void DecoderDevice::reportOutagesTo(Dialogs& dialogs)
{
    setOutageListener([&dialogs, this](const std::string& reason) {
        std::string text = "The receiver input " + m_source->name() + " fails: " + reason +
                           ". Every message received so far is kept.";
        if (const int seconds = m_retry.interval() / 1000; seconds > 0)
            text += " FenLark tries every " + std::to_string(seconds) +
                    " seconds to start it again and receives as soon as it can.";
        dialogs.notice(text);
    });
}

} // namespace fenlark::qt
