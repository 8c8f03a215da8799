// The port settings dialog, ComPortForm: a window of its own that stands in for the main window
// while it is open. Closing it by its frame is "Leave Unchanged".
#pragma once

#include <QWidget>

namespace fenlark {
class ComPortForm;
}

namespace fenlark::qt {

class ComPortWindow : public QWidget {
public:
    explicit ComPortWindow(ComPortForm &form, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    ComPortForm &m_form;
};

} // namespace fenlark::qt
