#include "qt/windows/window_metrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include <cmath>

namespace fenlark::qt {

Twips Twips::forScreen()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return Twips(screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY());
    return Twips(96.0, 96.0);
}

int Twips::x(int twips) const
{
    return static_cast<int>(std::lround(twips * m_dpiX / kTwipsPerInch));
}
int Twips::y(int twips) const
{
    return static_cast<int>(std::lround(twips * m_dpiY / kTwipsPerInch));
}

QRect Twips::rect(int left, int top, int width, int height) const
{
    // Edges are rounded, not sizes, so that controls that meet in twips meet in pixels.
    const int l = x(left);
    const int t = y(top);
    return QRect(l, t, x(left + width) - l, y(top + height) - t);
}

QSize Twips::size(int width, int height) const
{
    return QSize(x(width), y(height));
}

QFont windowFont(Face face, double points, bool bold)
{
    // The windows were designed for MS Sans Serif and Verdana; where they are missing, the
    // nearest installed faces of similar width stand in, in this order.
    static const QStringList sans{"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans",
                                  "Arial",         "Nimbus Sans",          "Helvetica",
                                  "DejaVu Sans"};
    static const QStringList verdana{"Verdana", "DejaVu Sans", "Bitstream Vera Sans",
                                     "Liberation Sans"};
    QFont font;
    font.setFamilies(face == Face::Verdana ? verdana : sans);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace fenlark::qt
