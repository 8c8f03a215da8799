#include "qt/image_canvas.h"

#include "qt/latin1.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace fenlark::qt {
namespace {

QColor toColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

// Lines are one device pixel wide whatever the scale: a pen scaled with the user coordinates would
// be a fraction of a pixel wide and come out faint.
QPen cosmeticPen(const QColor &color)
{
    QPen pen(color, 1);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

ImageCanvas::ImageCanvas(QSize size) : m_image(size, QImage::Format_RGB32)
{
    m_image.fill(Qt::white);
}

void ImageCanvas::clear()
{
    m_steps.clear();
    m_texts.clear();
    m_foreAtClear = m_fore;
    m_fillAtClear = m_fill;
    m_solidAtClear = m_solid;
    m_scaleAtClear = m_scale;
    m_pendingLine.clear();
    m_image.fill(Qt::white);
    m_current = QPointF(0, 0);
    changed();
}

void ImageCanvas::setScale(double left, double top, double right, double bottom)
{
    flushLines();
    const Step scale{Step::Kind::Scale, left, top, right, bottom};
    record(scale);
    if (!m_redrawing)
        m_scale = scale;
    // The edges need not be whole numbers, so the mapping is a transform rather than a window
    // rectangle; each axis is scaled on its own and y grows downwards when top > bottom.
    const double sx = m_image.width() / (right - left);
    const double sy = m_image.height() / (bottom - top);
    m_transform = QTransform(sx, 0, 0, sy, -left * sx, -top * sy);
}

void ImageCanvas::setForeColor(Rgb color)
{
    flushLines();
    record({Step::Kind::Fore, 0, 0, 0, 0, color});
    m_fore = toColor(color);
}

void ImageCanvas::setFillColor(Rgb color)
{
    record({Step::Kind::Fill, 0, 0, 0, 0, color});
    m_fill = toColor(color);
}

void ImageCanvas::setFillSolid(bool solid)
{
    record({Step::Kind::Solid, solid ? 1.0 : 0.0});
    m_solid = solid;
}

void ImageCanvas::pset(double x, double y)
{
    flushLines();
    record({Step::Kind::Pset, x, y});
    m_current = QPointF(x, y);
    const QPointF p = toDevice(m_current);
    const int px = static_cast<int>(std::floor(p.x()));
    const int py = static_cast<int>(std::floor(p.y()));
    if (m_image.rect().contains(px, py))
        m_image.setPixelColor(px, py, m_fore);
    changed();
}

void ImageCanvas::lineTo(double x, double y)
{
    record({Step::Kind::Line, x, y});
    if (m_pendingLine.isEmpty())
        m_pendingLine.append(m_current);
    m_current = QPointF(x, y);
    m_pendingLine.append(m_current);
    // The next line goes on from the current point, so the picture is the same as in one piece.
    if (m_pendingLine.size() >= kMaxPendingPoints)
        flushLines();
}

void ImageCanvas::flushLines()
{
    if (m_pendingLine.size() < 2) {
        m_pendingLine.clear();
        return;
    }
    QPainter painter(&m_image);
    painter.setTransform(m_transform);
    painter.setPen(cosmeticPen(m_fore));
    painter.drawPolyline(m_pendingLine);
    m_pendingLine.clear();
    changed();
}

void ImageCanvas::circle(double x, double y, double radius, Rgb outline)
{
    flushLines();
    record({Step::Kind::Circle, x, y, radius, 0, outline});
    m_current = QPointF(x, y);
    // Round on the screen: the centre is placed by the user coordinates, the radius counts in
    // horizontal units only.
    const QPointF centre = toDevice(m_current);
    const double r = radius * std::abs(m_transform.m11());
    QPainter painter(&m_image);
    painter.setPen(cosmeticPen(toColor(outline)));
    painter.setBrush(m_solid ? QBrush(m_fill) : QBrush(Qt::NoBrush));
    painter.drawEllipse(centre, r, r);
    changed();
}

void ImageCanvas::print(const std::string &text)
{
    flushLines();
    if (!m_redrawing) {
        record({Step::Kind::Print, 0, 0, 0, 0, {}, m_texts.size()});
        m_texts.push_back(text);
    }
    // Drawn in device coordinates: text in the flipped user coordinates would stand on its head.
    const QPointF at = toDevice(m_current);
    QPainter painter(&m_image);
    painter.setFont(m_font);
    painter.setPen(m_fore);
    const QFontMetricsF metrics(m_font);
    painter.drawText(at + QPointF(0, metrics.ascent()), toQString(text));
    changed();
}

const QImage &ImageCanvas::image()
{
    flushLines();
    return m_image;
}

void ImageCanvas::redrawAt(QSize size)
{
    // From the state the last clear left.
    m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(Qt::white);
    m_pendingLine.clear();
    m_current = QPointF(0, 0);
    m_fore = m_foreAtClear;
    m_fill = m_fillAtClear;
    m_solid = m_solidAtClear;
    m_redrawing = true;
    m_transform = QTransform();
    if (m_scaleAtClear)
        setScale(m_scaleAtClear->a, m_scaleAtClear->b, m_scaleAtClear->c, m_scaleAtClear->d);
    for (const Step &step : m_steps) {
        switch (step.kind) {
        case Step::Kind::Scale: setScale(step.a, step.b, step.c, step.d); break;
        case Step::Kind::Fore: setForeColor(step.color); break;
        case Step::Kind::Fill: setFillColor(step.color); break;
        case Step::Kind::Solid: setFillSolid(step.a != 0); break;
        case Step::Kind::Pset: pset(step.a, step.b); break;
        case Step::Kind::Line: lineTo(step.a, step.b); break;
        case Step::Kind::Circle: circle(step.a, step.b, step.c, step.color); break;
        case Step::Kind::Print: print(m_texts[step.text]); break;
        }
    }
    flushLines();
    m_redrawing = false;
    changed();
}

void ImageCanvas::changed()
{
    if (m_listener)
        m_listener();
}

} // namespace fenlark::qt
