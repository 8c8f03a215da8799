#include "qt/windows/message_box_dialogs.h"

#include "qt/latin1.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace fenlark::qt {
namespace {

// Fills a box made over whichever window is active, so that it is centred on it; the program's own
// windows stay blocked until it is answered. `role`: the window role under X11, by which scripts
// driving the program find the box.
void prepare(QMessageBox &box, const std::string &text, QMessageBox::StandardButtons buttons,
             QMessageBox::StandardButton defaultButton, const QString &role)
{
    box.setWindowTitle(QApplication::applicationName());
    box.setText(toQString(text));
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(buttons);
    box.setDefaultButton(defaultButton);
    box.setObjectName(role);
    box.setWindowRole(role);
}

} // namespace

Answer MessageBoxDialogs::question(const std::string &question)
{
    return ask(question, QMessageBox::Yes);
}

Answer MessageBoxDialogs::questionDefaultNo(const std::string &question)
{
    return ask(question, QMessageBox::No);
}

Answer MessageBoxDialogs::ask(const std::string &question, QMessageBox::StandardButton byDefault)
{
    QMessageBox box(QApplication::activeWindow());
    prepare(box, question, QMessageBox::Yes | QMessageBox::No, byDefault,
            QStringLiteral("fenlark-question"));
    // Escape and the close control press the escape button, which a Yes/No box takes to be No.
    // A hidden Cancel button as the escape button makes them a dismissal of their own.
    QPushButton *dismiss = box.addButton(QMessageBox::Cancel);
    dismiss->hide();
    box.setEscapeButton(dismiss);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Dismissed;
    }
}

void MessageBoxDialogs::notice(const std::string &text)
{
    QMessageBox box(QApplication::activeWindow());
    prepare(box, text, QMessageBox::Ok, QMessageBox::Ok, QStringLiteral("fenlark-notice"));
    box.exec();
}

namespace {

// A notice that is shown and left to the event loop the program runs already.
QMessageBox *showNotice(const std::string &text)
{
    auto *box = new QMessageBox(QApplication::activeWindow());
    prepare(*box, text, QMessageBox::Ok, QMessageBox::Ok, QStringLiteral("fenlark-notice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    return box;
}

} // namespace

void MessageBoxDialogs::report(const std::string &text)
{
    showNotice(text);
}

void MessageBoxDialogs::inputNotice(const std::string &text)
{
    if (m_inputNotice)
        m_inputNotice->setText(toQString(text));
    else
        m_inputNotice = showNotice(text);
}

void MessageBoxDialogs::inputBack()
{
    if (m_inputNotice)
        m_inputNotice->close();
}

std::string MessageBoxDialogs::chooseFile(const std::string &title)
{
    // The file's name as the file system spells it, whatever its characters.
    const QString file =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), toQString(title), m_sampleFolder,
                                     QStringLiteral("Text files (*.txt);;All files (*)"));
    return QFile::encodeName(file).toStdString();
}

} // namespace fenlark::qt
