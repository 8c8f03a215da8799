// FenLark's own NAVTEX decoder behind the serial device port: the samples of a source (a
// recording, a sound card, an SDR, an rtl_tcp server) decoded, each channel's text handed to
// reception tagged with its channel and frequency, with the decoder's figures for each message.
#pragma once

#include "forms/ports.h"
#include "qt/inputs/sample_source.h"
#include "reception/input_buffer.h"
#include "recordings/stream_decoder.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace fenlark::qt {

class DecoderDevice : public QObject, public SerialDevice {
public:
    static constexpr int kRetryMs = 5000;
    // The figures each message gets: the mean signal-to-noise estimate while it came in (dB in
    // 2500 Hz), and its characters the decoder printed as '*' because they stayed doubtful.
    static constexpr const char* kSnrFigure = "snr_db";
    static constexpr const char* kDoubtfulFigure = "doubtful";

    // `audioChannelKhz`: the channel an audio source's receiver is tuned to, 0 when not known.
    // `retryMs`: how often a source that is away is tried again; 0 never.
    explicit DecoderDevice(std::unique_ptr<SampleSource> source, int audioChannelKhz = 0,
                           int retryMs = kRetryMs, QObject* parent = nullptr);
    ~DecoderDevice() override;

    std::string deviceName(int) const override { return m_source->name(); }
    std::string checkPort(int) override { return {}; }
    std::string checkSettings(const LineSettings&) override { return {}; }
    // Starts the source. It never refuses: a source that cannot start is told once and tried
    // again every retry interval.
    std::string open(int port, const LineSettings& settings) override;
    // Stops the source; decoded text not read yet is lost.
    void close() override;
    bool isOpen() const override { return m_open; }
    std::size_t waiting() const override { return m_input.waiting(); }
    std::string read(std::size_t max) override { return m_input.read(max); }
    InputSource source() const override { return m_input.source(); }
    MessageFigures figures(int channel) const override { return m_input.figures(channel); }

    // The source delivers now.
    bool lineUp() const { return m_up; }
    LineState lineState(int) const override { return m_up ? LineState::Connected : LineState::Down; }
    // Starts the source again when it is away.
    void retryNow();
    // The source's name and its decoders (none before it first delivered), for the tuning view.
    SampleSource& sampleSource() { return *m_source; }
    const recordings::StreamDecoder* decoder() const { return m_decoder.get(); }
    // A recording has been decoded to its end; `listener` is told when that happens.
    bool ended() const { return m_ended; }
    void setEndListener(std::function<void()> listener) { m_endListener = std::move(listener); }

    // Told once for each outage, after the source's signal has returned.
    void setOutageListener(std::function<void(const std::string& reason)> listener)
    {
        m_outageListener = std::move(listener);
    }
    // The operator is told in a notice: what failed, that the messages are kept, and the retry.
    void reportOutagesTo(Dialogs& dialogs);

private:
    // The message in progress on a channel, for its figures.
    struct MessageWatch {
        std::string line; // the line so far
        long long doubtful = 0;
        double snrSum = 0;
        long long snrCount = 0;
    };

    void sourceUp(const SampleFormat& format);
    void sourceDown(const std::string& why);
    void sourceEnded();
    void handOver();
    void handOver(std::size_t channel, const std::string& text);

    std::unique_ptr<SampleSource> m_source;
    int m_audioChannelKhz;
    QTimer m_retry;
    bool m_open = false;
    bool m_up = false;
    bool m_told = false;  // the current outage was told
    bool m_began = false; // the source has delivered since the port opened
    bool m_ended = false;
    std::optional<SampleFormat> m_format;
    std::unique_ptr<recordings::StreamDecoder> m_decoder;
    std::vector<MessageWatch> m_watches;
    InputBuffer m_input;
    std::function<void()> m_endListener;
    std::function<void(const std::string&)> m_outageListener;
};

} // namespace fenlark::qt
