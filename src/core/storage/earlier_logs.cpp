#include "storage/earlier_logs.h"

#include "app/application.h"
#include "forms/control_registry.h"
#include "storage/kept_logs.h"

namespace fenlark {

EarlierLogs::EarlierLogs(Application& app) : m_app(app)
{
    Open.setHandler([this] { Open_Click(); });
    Cancel.setHandler([this] { Cancel_Click(); });
}

void EarlierLogs::registerControls(ControlRegistry& r)
{
    r.add(LogsLabel), r.add(LogList), r.add(Open), r.add(Cancel);
}

void EarlierLogs::Form_Load()
{
    LogList.clear();
    for (const std::string& name : keptLogNames())
        LogList.addItem(name);
    LogList.setListIndex(LogList.count() > 0 ? 0 : -1);
    Open.setEnabled(LogList.count() > 0);
}

void EarlierLogs::Open_Click()
{
    const std::string name = LogList.text();
    if (name.empty())
        return;
    // The window goes first, so that the question and the load's notices stand over the main
    // window; No leaves everything as it was.
    m_app.closeWindow(Window::EarlierLogs);
    m_app.form1().loadEarlierLog(name);
}

void EarlierLogs::Cancel_Click() { m_app.closeWindow(Window::EarlierLogs); }

} // namespace fenlark
