// The operator's message boxes: questions with Yes and No, notices with OK, titled with the
// application's name and without an icon of their own.
#pragma once

#include "forms/ports.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>

namespace fenlark::qt {

class MessageBoxDialogs : public Dialogs {
public:
    // Escape and the box's close control dismiss a question.
    Answer question(const std::string &question) override;
    Answer questionDefaultNo(const std::string &question) override;
    void notice(const std::string &text) override;
    // Shown without an event loop of its own, so that reception goes on while the notice is open
    // and no notice waits inside another.
    void report(const std::string &text) override;
    // One notice at most: a new one takes the text of the one open; it goes when the input is back.
    void inputNotice(const std::string &text) override;
    void inputBack() override;

    // The receiver's notice while it is open.
    QMessageBox *openInputNotice() const { return m_inputNotice; }

    // A file dialog opened on the sample folder.
    std::string chooseFile(const std::string &title) override;
    // Where file dialogs open: the supplied data (the sample capture).
    void setSampleFolder(const QString &folder) { m_sampleFolder = folder; }

private:
    Answer ask(const std::string &question, QMessageBox::StandardButton byDefault);

    QPointer<QMessageBox> m_inputNotice;
    QString m_sampleFolder;
};

} // namespace fenlark::qt
