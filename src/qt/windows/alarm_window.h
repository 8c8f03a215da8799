// The alarm window, Alarms: a tool window over the main window that is shown without taking the
// keyboard from it. Its close control is refused: alarms go only by "&Acknowledge" or
// "Acknowledge &all".
#pragma once

#include <QWidget>

namespace fenlark {
class Alarms;
}

namespace fenlark::qt {

class AlarmWindow : public QWidget {
public:
    // `over`: the main window, which the alarm window stays in front of.
    AlarmWindow(Alarms &alarms, QWidget &over);
    // Moves the window to the middle of the main window, below its menu.
    void placeOver(const QWidget &main);

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace fenlark::qt
