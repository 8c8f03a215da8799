// The window "Open earlier log", EarlierLogs: the kept logs in a list, "&Open" and "Cancel". Its
// close control and Escape are "Cancel".
#pragma once

#include <QDialog>

namespace fenlark {
class EarlierLogs;
}

namespace fenlark::qt {

class EarlierLogsWindow : public QDialog {
public:
    EarlierLogsWindow(EarlierLogs &form, QWidget &over);

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    EarlierLogs &m_form;
};

} // namespace fenlark::qt
