// The main window's inner area: every control at its place of the designed layout, and, when the
// window is enlarged, the message view taking the extra width and half the extra height, the
// message lists the other half, the controls around them moving along. Never smaller than
// designed: a scroll area round it reaches every control on a small screen.
#pragma once

#include <QWidget>

#include <vector>

namespace fenlark::qt {

class GrowingArea : public QWidget {
public:
    // Across: what the extra width does to a control: nothing, widens it, or moves it right.
    enum class Across { Stay, Grow, Move };
    // Down: the bands from top to bottom. Top stays; View (the message view) takes half the extra
    // height; Middle moves down by that half; Lists moves by it and takes the other half; Bottom
    // moves down by all of it.
    enum class Down { Top, View, Middle, Lists, Bottom };

    GrowingArea(QSize designed, QWidget* parent);

    // Puts `widget` at its designed place, which the extra room changes as `across` and `down` say.
    void place(QWidget& widget, QRect designed, Across across, Down down);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placement {
        QWidget* widget;
        QRect designed;
        Across across;
        Down down;
    };
    QRect placed(const Placement& p) const;

    QSize m_designed;
    std::vector<Placement> m_placements;
};

} // namespace fenlark::qt
