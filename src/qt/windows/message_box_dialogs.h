// The operator's message boxes: questions with Yes and No, notices with OK, titled with the
// application's name and without an icon of their own.
#pragma once

#include "forms/ports.h"

#include <QObject>
#include <QString>

namespace fenlark::qt {

class MessageBoxDialogs : public Dialogs {
public:
    // Escape and the box's close control dismiss a question.
    Answer question(const std::string &question) override;
    void notice(const std::string &text) override;
    // Shown from the event loop once the caller has returned, so that reception goes on while the
    // notice is open.
    void report(const std::string &text) override;
    // A file dialog opened on the sample folder.
    std::string chooseFile(const std::string &title) override;
    // Where file dialogs open: the supplied data (the sample capture).
    void setSampleFolder(const QString &folder) { m_sampleFolder = folder; }

private:
    QObject m_reports; // reports still queued are dropped with the dialogs
    QString m_sampleFolder;
};

} // namespace fenlark::qt
