// The operator's message boxes: questions with Yes and No, notices with OK, titled with the
// application's name and without an icon of their own.
#pragma once

#include "forms/ports.h"

namespace fenlark::qt {

class MessageBoxDialogs : public Dialogs {
public:
    bool ask(const std::string &question) override;
    void notice(const std::string &text) override;
};

} // namespace fenlark::qt
