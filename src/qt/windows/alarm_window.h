// The alarm window, Alarms: a tool window over the main window that is shown without taking the
// keyboard from it. Its close control is refused: alarms go only by "&Acknowledge".
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

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace fenlark::qt
