#include "qt/windows/tuning_view.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace fenlark::qt {
namespace {

// Half the shift: the tones lie this far either side of the centre (sitor-b facts: 170 Hz shift).
constexpr double kHalfShiftHz = 85;

} // namespace

TuningView::TuningView(std::function<const recordings::StreamDecoder*()> decoder, QWidget* parent)
    : QWidget(parent), m_decoder(std::move(decoder))
{
    setObjectName(QStringLiteral("tuningView"));
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &TuningView::refresh);
}

QSize TuningView::sizeHint() const
{
    return {360, kRowHeight * static_cast<int>(std::max<std::size_t>(m_channels.size(), 1))};
}

void TuningView::showEvent(QShowEvent*)
{
    refresh();
    m_timer.start();
}

void TuningView::hideEvent(QHideEvent*)
{
    m_timer.stop();
}

void TuningView::refresh()
{
    const recordings::StreamDecoder* decoder = m_decoder ? m_decoder() : nullptr;
    const std::size_t count = decoder ? decoder->channelCount() : 0;
    const bool resized = count != m_channels.size();
    m_channels.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        const sitor::ChannelFigures figures = decoder->figures(k);
        Channel& c = m_channels[k];
        const int khz = decoder->frequencyKhz(k);
        const QString name = khz == 0      ? QStringLiteral("Audio")
                             : khz == 4209 ? QStringLiteral("4209.5 kHz")
                                           : QStringLiteral("%1 kHz").arg(khz);
        c.locked = figures.locked;
        c.centreHz = std::round(figures.centreHz) + 0.0; // never "-0"
        c.spectrum = decoder->spectrum(k);
        const QString centre = khz == 0 ? QStringLiteral("%1 Hz").arg(c.centreHz, 0, 'f', 0)
                                        : QStringLiteral("%1%2 Hz")
                                              .arg(c.centreHz >= 0 ? "+" : "")
                                              .arg(c.centreHz, 0, 'f', 0);
        c.line = c.locked ? QStringLiteral("%1: locked, SNR %2 dB, centre %3")
                                .arg(name)
                                .arg(figures.snrDb, 0, 'f', 1)
                                .arg(centre)
                          : name + QStringLiteral(": searching");
    }
    if (resized)
        setMinimumHeight(kRowHeight * static_cast<int>(std::max<std::size_t>(count, 1)));
    update();
}

QStringList TuningView::lines() const
{
    QStringList lines;
    for (const Channel& c : m_channels)
        lines << c.line;
    return lines;
}

void TuningView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_channels.empty()) {
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Not decoding"));
        return;
    }
    const int text = fontMetrics().height() + 4;
    for (std::size_t k = 0; k < m_channels.size(); ++k) {
        const Channel& c = m_channels[k];
        const QRect row(0, static_cast<int>(k) * kRowHeight, width(), kRowHeight);
        // The lock indicator and the figures.
        painter.setPen(Qt::NoPen);
        painter.setBrush(c.locked ? QColor(0, 170, 0) : QColor(160, 160, 160));
        painter.drawEllipse(QPoint(row.left() + 8, row.top() + text / 2), 5, 5);
        painter.setPen(palette().text().color());
        painter.drawText(row.adjusted(18, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, c.line);
        const std::vector<float>& power = c.spectrum.powerDb;
        const QRect plot = row.adjusted(2, text, -2, -2);
        if (power.size() < 2 || c.spectrum.stepHz <= 0)
            continue;
        const double spanHz = c.spectrum.stepHz * static_cast<double>(power.size() - 1);
        auto xOf = [&](double hz) {
            return plot.left() + (hz - c.spectrum.firstHz) / spanHz * plot.width();
        };
        // The two tones of the found centre.
        painter.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
        for (double tone : {c.centreHz - kHalfShiftHz, c.centreHz + kHalfShiftHz})
            painter.drawLine(QPointF(xOf(tone), plot.top()), QPointF(xOf(tone), plot.bottom()));
        // The spectrum, scaled to its own range.
        const auto [low, high] = std::minmax_element(power.begin(), power.end());
        const double range = std::max(1.0f, *high - *low);
        QPainterPath path;
        for (std::size_t i = 0; i < power.size(); ++i) {
            const QPointF point(xOf(c.spectrum.firstHz + c.spectrum.stepHz * i),
                                plot.bottom() - (power[i] - *low) / range * plot.height());
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.setPen(QPen(QColor(0, 0, 160), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
}

} // namespace fenlark::qt
