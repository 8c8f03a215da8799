// The map's drawing surface: a persistent image with a user coordinate system, so the drawing
// outlives the window being covered, and can be written to a file without a display.
#pragma once

#include "forms/ports.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QTransform>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fenlark::qt {

class ImageCanvas : public Canvas {
public:
    // A continued line is drawn whenever this many points wait, so that an outline of one
    // endless line needs no more memory than a short one.
    static constexpr qsizetype kMaxPendingPoints = 4096;

    explicit ImageCanvas(QSize size);

    void clear() override;
    void setScale(double left, double top, double right, double bottom) override;
    void setForeColor(Rgb color) override;
    void setFillColor(Rgb color) override;
    void setFillSolid(bool solid) override;
    void pset(double x, double y) override;
    void lineTo(double x, double y) override;
    void circle(double x, double y, double radius, Rgb outline) override;
    void print(const std::string &text) override;

    // The picture as drawn so far.
    const QImage &image();
    // Draws everything drawn since the last clear again on an image of `size`, so that a window
    // shows the picture drawn at its own size rather than scaled.
    void redrawAt(QSize size);
    // The font of the station labels (the window's default font unless set).
    void setFont(const QFont &font) { m_font = font; }
    // Told after each change of the picture, for a window that shows it.
    void setChangeListener(std::function<void()> listener) { m_listener = std::move(listener); }
    // Points of the line being gathered, not drawn yet.
    qsizetype pendingPoints() const { return m_pendingLine.size(); }

private:
    // Consecutive lines are gathered into one polyline and drawn together before anything else
    // is drawn: the outline of a whole world is a hundred thousand short lines.
    void flushLines();
    QPointF toDevice(QPointF user) const { return m_transform.map(user); }
    void changed();

    // What was drawn since the last clear, in the user coordinates, for redrawAt.
    struct Step {
        enum class Kind { Scale, Fore, Fill, Solid, Pset, Line, Circle, Print } kind;
        double a = 0, b = 0, c = 0, d = 0;
        Rgb color{};
        std::size_t text = 0; // into m_texts
    };
    void record(const Step &step)
    {
        if (!m_redrawing)
            m_steps.push_back(step);
    }
    std::vector<Step> m_steps;
    // The state a clear left, where a redraw starts.
    std::optional<Step> m_scale, m_scaleAtClear; // the latest setScale
    QColor m_foreAtClear{Qt::black}, m_fillAtClear{Qt::black};
    bool m_solidAtClear = false;
    std::vector<std::string> m_texts;
    bool m_redrawing = false;

    QImage m_image;
    QTransform m_transform;
    QFont m_font;
    QColor m_fore{Qt::black};
    QColor m_fill{Qt::black};
    bool m_solid = false;
    QPointF m_current;
    QPolygonF m_pendingLine; // user coordinates; its first point is where the line began
    std::function<void()> m_listener;
};

} // namespace fenlark::qt
