#include "qt/message_box_dialogs.h"

#include "qt/latin1.h"

#include <QApplication>
#include <QMessageBox>

namespace fenlark::qt {
namespace {

// `role`: the window role under X11, by which scripts driving the program find the box.
QMessageBox::StandardButton showBox(const std::string &text, QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton, const QString &role)
{
    // Over whichever window is active, so that the box is centred on it; the program's own
    // windows stay blocked until it is answered.
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), toQString(text), buttons,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    box.setObjectName(role);
    box.setWindowRole(role);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

bool MessageBoxDialogs::ask(const std::string &question)
{
    return showBox(question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                   QStringLiteral("fenlark-question")) == QMessageBox::Yes;
}

void MessageBoxDialogs::notice(const std::string &text)
{
    showBox(text, QMessageBox::Ok, QMessageBox::Ok, QStringLiteral("fenlark-notice"));
}

} // namespace fenlark::qt
