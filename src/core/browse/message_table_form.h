// The window "Message Table", MessageTable: every message of the table with its station, type,
// frequency, receptions, copy quality and new mark, sortable by any column, narrowed by a search
// of the message texts and, when asked, by the main window's station and type. It follows the
// table as messages are filed, purged, deleted and loaded; sorting it never touches the main
// window's lists.
#pragma once

#include "forms/command_controls.h"
#include "forms/table_control.h"
#include "forms/text_controls.h"

#include <string>

namespace fenlark {

class Application;
class ControlRegistry;
struct MessageRecord;

class MessageTableForm {
public:
    static constexpr const char* kCaption = "FenLark - Message Table";
    enum Column { Id, Station, Type, Frequency, First, Last, Times, Copy, New };

    explicit MessageTableForm(Application& app);
    MessageTableForm(const MessageTableForm&) = delete;
    MessageTableForm& operator=(const MessageTableForm&) = delete;

    void registerControls(ControlRegistry& registry);

    Label SearchLabel{"SearchLabel", "&Search:"};
    TextBox Search{"Search"}; // text looked for in the messages' texts and identifiers, any case
    CheckBox FollowSelectors{"FollowSelectors",
                             "Only the station and type chosen in the main &window"};
    TableControl Messages;
    Label Count{"Count"}; // "40 messages", "3 of 40 messages"
    Button Show{"Show", "S&how"};
    Button CloseTable{"CloseTable", "&Close"};

    // handlers (browse/message_table_form.cpp)
    void Form_Load();
    void Search_Change();
    void FollowSelectors_Click();
    void Messages_DblClick(); // shows the message in the main window's view
    void Show_Click();
    void CloseTable_Click();

    // The table, the selectors or the new marks changed: the rows are built again while the
    // window is open.
    void tableChanged();

private:
    void refill();
    TableRow rowOf(const MessageRecord& record) const;

    Application& m_app;
};

// "518 kHz", "4209.5 kHz"; empty for 0, a frequency not known.
std::string frequencyText(int kHz);

} // namespace fenlark
