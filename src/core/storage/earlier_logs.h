// The window "Open earlier log", EarlierLogs: the logs kept from earlier runs, newest first; the
// chosen one is loaded after the Load button's question. A kept file is only ever read.
#pragma once

#include "forms/command_controls.h"
#include "forms/list_controls.h"
#include "forms/text_controls.h"

#include <string>

namespace fenlark {

class Application;
class ControlRegistry;

class EarlierLogs {
public:
    static constexpr const char* kCaption = "FenLark - Open earlier log";

    explicit EarlierLogs(Application& app);
    EarlierLogs(const EarlierLogs&) = delete;
    EarlierLogs& operator=(const EarlierLogs&) = delete;

    void registerControls(ControlRegistry& registry);

    Label LogsLabel{"LogsLabel", "Logs kept from earlier runs, newest first:"};
    ListBox LogList{"LogList"}; // the kept logs' file names
    Button Open{"Open", "&Open"};
    Button Cancel{"Cancel", "Cancel"};

    // handlers (storage/earlier_logs.cpp)
    void Form_Load(); // lists the kept logs, the newest chosen
    void Open_Click();
    void Cancel_Click();

private:
    Application& m_app;
};

} // namespace fenlark
