// Tuning at a glance: for each channel the decoder decodes, the spectrum around it with the two
// tones of the found centre marked, a lock indicator, the signal-to-noise estimate and the found
// centre. Refreshed a few times a second from the decoder's own snapshots, never per sample.
#pragma once

#include "recordings/stream_decoder.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

namespace fenlark::qt {

class TuningView : public QWidget {
public:
    static constexpr int kRefreshMs = 250;
    static constexpr int kRowHeight = 64;

    // `decoder` gives the decoder in use, or none.
    explicit TuningView(std::function<const recordings::StreamDecoder*()> decoder,
                        QWidget* parent = nullptr);

    // Takes new snapshots of the figures and spectra, and draws them.
    void refresh();
    // What each channel's row says ("518 kHz: locked, SNR 12.5 dB, centre +30 Hz").
    QStringList lines() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Channel {
        QString line;
        bool locked = false;
        double centreHz = 0;
        sitor::Spectrum spectrum;
    };

    std::function<const recordings::StreamDecoder*()> m_decoder;
    std::vector<Channel> m_channels;
    QTimer m_timer;
};

} // namespace fenlark::qt
