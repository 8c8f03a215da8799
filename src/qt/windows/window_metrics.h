// Window geometry in twips (1/1440 inch) at the screen's logical DPI, and the windows' fonts with
// substitutes for faces the system lacks.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace fenlark::qt {

inline constexpr double kTwipsPerInch = 1440.0;

// Converts twips to logical pixels at the given dots per inch.
class Twips {
public:
    Twips(double dpiX, double dpiY) : m_dpiX(dpiX), m_dpiY(dpiY) {}
    // The primary screen's logical DPI (96 when there is no screen).
    static Twips forScreen();

    int x(int twips) const;
    int y(int twips) const;
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const;

private:
    double m_dpiX;
    double m_dpiY;
};

enum class Face { SansSerif, Verdana };

// A font of the named face at `points`, falling back to look-alike faces installed here.
QFont windowFont(Face face, double points, bool bold = false);

// The map window's client area and the image its drawing is kept on.
inline constexpr int kMapWidthTwips = 12945;
inline constexpr int kMapHeightTwips = 8025;

} // namespace fenlark::qt
