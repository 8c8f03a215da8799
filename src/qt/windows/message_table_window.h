// The window "Message Table", MessageTable: the search, the choice to follow the main window's
// station and type, the table of messages (sorted by a click on a heading) and its buttons.
#pragma once

#include <QWidget>

namespace fenlark {
class MessageTableForm;
}

namespace fenlark::qt {

class MessageTableWindow : public QWidget {
public:
    MessageTableWindow(MessageTableForm& form, QWidget& owner);

protected:
    // The close control is "&Close".
    void closeEvent(QCloseEvent* event) override;

private:
    MessageTableForm& m_form;
};

} // namespace fenlark::qt
