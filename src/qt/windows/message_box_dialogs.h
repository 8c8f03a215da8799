// The operator's message boxes: questions with Yes and No, notices with OK, titled with the
// application's name and without an icon of their own.
#pragma once

#include "forms/ports.h"

#include <QObject>

namespace fenlark::qt {

class MessageBoxDialogs : public Dialogs {
public:
    // Escape and the box's close control dismiss a question.
    Answer question(const std::string &question) override;
    void notice(const std::string &text) override;
    // Shown from the event loop once the caller has returned, so that reception goes on while the
    // notice is open.
    void report(const std::string &text) override;

private:
    QObject m_reports; // reports still queued are dropped with the dialogs
};

} // namespace fenlark::qt
