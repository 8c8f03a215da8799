// The first start's welcome, Welcome: a dialog over the main window asking where the receiver
// connects. Its close control and Escape leave it: no receiver yet, nothing written.
#pragma once

#include <QDialog>

namespace fenlark {
class Welcome;
}

namespace fenlark::qt {

class WelcomeWindow : public QDialog {
public:
    WelcomeWindow(Welcome &form, QWidget &over);

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Welcome &m_form;
};

} // namespace fenlark::qt
