// One running FenLark program: its shared state, its windows and the ports it runs on.
#pragma once

#include "alerts/alarms.h"
#include "alerts/new_marks.h"
#include "app/state.h"
#include "browse/message_table_form.h"
#include "config/com_port_form.h"
#include "config/welcome.h"
#include "forms/ports.h"
#include "map/form2.h"
#include "storage/earlier_logs.h"
#include "view/form1.h"

#include <array>
#include <functional>
#include <memory>

namespace fenlark {

struct Platform {
    Clock& clock;
    Dialogs& dialogs;
    Printer& printer;
    SerialDevice& serial;
    Canvas& canvas;
};

enum class Window { Form1, ComPortForm, Form2, Alarms, EarlierLogs, Welcome, MessageTable };
inline constexpr int kWindowCount = 7;
// Loaded: created and shown; Unloaded: closed and discarded; Raised: brought to the front.
enum class WindowEvent { Loaded, Unloaded, Raised };

class Application {
public:
    explicit Application(Platform platform);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    State& state() { return m_state; }
    Platform& platform() { return m_platform; }
    Form1& form1() { return m_form1; }
    ComPortForm& comPortForm() { return m_comPortForm; }
    Form2& form2() { return m_form2; }
    Alarms& alarms() { return m_alarms; }
    EarlierLogs& earlierLogs() { return m_earlierLogs; }
    Welcome& welcome() { return m_welcome; }
    MessageTableForm& messageTable() { return m_messageTable; }
    // The receiver's inputs of the shell; none where the shell has no choice to offer.
    ReceiverInputs* receiverInputs() { return m_receiverInputs; }
    void setReceiverInputs(ReceiverInputs* inputs) { m_receiverInputs = inputs; }
    NewMarks& newMarks() { return m_newMarks; }
    Canvas& canvas() { return m_platform.canvas; }

    // Loads the main window for the first time; start-up runs.
    void start();

    // The main window: loading puts its controls back to their design state and runs Form_Load.
    void loadForm1();
    void unloadForm1();
    // The port settings dialog; showing it when it is not loaded runs its Form_Load.
    void showComPortForm();
    void closeComPortForm();
    // The map window: created and drawn at the first call, only brought to the front while it
    // exists; closing it discards the drawing and brings the main window to the front.
    void showMap();
    void closeMap();
    // The alarm window: opened, or brought to the front while open, for every new alarm; closed
    // when its last alarm is acknowledged.
    void showAlarms();
    void closeAlarms();
    // The other windows (open earlier log, the first start's welcome, the message table): showing one that is not loaded runs its Form_Load; one
    // that is loaded is brought to the front.
    void showWindow(Window window);
    void closeWindow(Window window);
    // Brings an open window to the front.
    void raise(Window window);
    bool isLoaded(Window window) const;
    // True only while the main window's first load runs (the message count is reset only then).
    bool firstLoad() const { return m_firstLoad; }

    // Ends the program at once: no further event is handled.
    void end();
    bool ended() const { return m_ended; }

    // Told whenever a window is loaded, unloaded or raised, and when the program ends.
    void setWindowObserver(std::function<void(Window, WindowEvent)> observer)
    {
        m_windowObserver = std::move(observer);
    }
    void setEndObserver(std::function<void()> observer) { m_endObserver = std::move(observer); }
    // Told after every change of the new marks, once the program's own windows have them.
    void setMarksObserver(std::function<void()> observer) { m_marksObserver = std::move(observer); }

    // The table's records, the selectors or the new marks changed: the windows that show the
    // records follow.
    void messagesChanged();

private:
    void windowChanged(Window window, WindowEvent event);
    bool& loaded(Window window) { return m_loaded[static_cast<std::size_t>(window)]; }

    Platform m_platform;
    State m_state;
    Form1 m_form1;
    ComPortForm m_comPortForm;
    Form2 m_form2;
    NewMarks m_newMarks;
    Alarms m_alarms;
    EarlierLogs m_earlierLogs;
    Welcome m_welcome;
    MessageTableForm m_messageTable;
    ReceiverInputs* m_receiverInputs = nullptr;
    std::array<bool, kWindowCount> m_loaded{};
    bool m_firstLoad = false;
    bool m_ended = false;
    std::function<void(Window, WindowEvent)> m_windowObserver;
    std::function<void()> m_endObserver;
    std::function<void()> m_marksObserver;
};

} // namespace fenlark
