#include "qt/windows/growing_area.h"

#include <algorithm>

namespace fenlark::qt {

GrowingArea::GrowingArea(QSize designed, QWidget* parent) : QWidget(parent), m_designed(designed)
{
    setMinimumSize(designed);
    resize(designed);
}

void GrowingArea::place(QWidget& widget, QRect designed, Across across, Down down)
{
    m_placements.push_back({&widget, designed, across, down});
    widget.setGeometry(placed(m_placements.back()));
}

QRect GrowingArea::placed(const Placement& p) const
{
    const int dx = std::max(0, width() - m_designed.width());
    const int dy = std::max(0, height() - m_designed.height());
    const int view = dy / 2;
    const int lists = dy - view;
    QRect r = p.designed;
    if (p.across == Across::Grow)
        r.setWidth(r.width() + dx);
    else if (p.across == Across::Move)
        r.translate(dx, 0);
    switch (p.down) {
    case Down::Top:
        break;
    case Down::View:
        r.setHeight(r.height() + view);
        break;
    case Down::Middle:
        r.translate(0, view);
        break;
    case Down::Lists:
        r.translate(0, view);
        r.setHeight(r.height() + lists);
        break;
    case Down::Bottom:
        r.translate(0, dy);
        break;
    }
    return r;
}

void GrowingArea::resizeEvent(QResizeEvent*)
{
    for (const Placement& p : m_placements)
        p.widget->setGeometry(placed(p));
}

} // namespace fenlark::qt
