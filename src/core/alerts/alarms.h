// The alarm window, Alarms: the unacknowledged alarms, newest first, with the chosen one's
// message; it opens when an alarm sounds and closes when the last one is acknowledged.
#pragma once

#include "alerts/alarm_rules.h"
#include "common/date_time.h"
#include "forms/command_controls.h"
#include "forms/list_controls.h"
#include "forms/text_controls.h"

#include <deque>
#include <functional>
#include <string>

namespace fenlark {

class Application;
class ControlRegistry;
struct MessageRecord;

// One alarm: the message that sounded it as it was filed.
struct Alarm {
    std::string msgid;
    std::string heading;  // why it sounded: "SEARCH AND RESCUE", "NAVIGATIONAL WARNING" ...
    std::string typeText; // as the message view shows it ("- SAR/ Piracy Info")
    std::string origin;   // type text, station and call, as the message view shows them
    DateTime received;
    std::string firstLines; // the first lines of the body, joined by CR LF
};

class Alarms {
public:
    static constexpr const char* kCaption = "FenLark - Alarm";
    // How many lines of the body the window shows.
    static constexpr int kShownLines = 5;
    // The most alarms that wait; beyond it the oldest is acknowledged, and the operator is told
    // once until fewer wait again.
    static constexpr std::size_t kMaxPending = 100;

    explicit Alarms(Application& app);
    Alarms(const Alarms&) = delete;
    Alarms& operator=(const Alarms&) = delete;

    void registerControls(ControlRegistry& registry);

    ListBox AlarmList{"AlarmList"};   // "ID  dd/mm/yy HH:MM:SS" per alarm, newest first
    Label AlarmBand{"AlarmBand"};     // the chosen alarm's heading, over its message
    Label AlarmId{"AlarmId"};         // "Message " and the chosen alarm's identifier
    Label AlarmOrigin{"AlarmOrigin"}; // its type text and station
    Label AlarmTime{"AlarmTime"};     // when it was received
    TextBox AlarmText{"AlarmText"};   // the first lines of its text
    Button Show{"Show", "&Show"};
    Button Acknowledge{"Acknowledge", "&Acknowledge"};
    Button AcknowledgeAll{"AcknowledgeAll", "Acknowledge a&ll"}; // Alt+A is "&Acknowledge"

    // handlers (alerts/alarms.cpp)
    void AlarmList_Click();   // shows the chosen alarm
    void Show_Click();        // shows its message in the main window's view
    void Acknowledge_Click(); // removes it; the window closes with the last one
    void AcknowledgeAll_Click(); // removes every alarm and closes the window

    // Filing tells of every message filed as new; those the alarm rules pick sound the alarm.
    void messageFiled(const MessageRecord& record);
    // Newest first.
    const std::deque<Alarm>& pending() const { return m_pending; }

    // The alarms the operator added to type D.
    const AlarmTypes& types() const { return m_types; }
    void setTypes(const AlarmTypes& types) { m_types = types; }

    // Told when an alarm sounds, after the window has it.
    void setAlarmObserver(std::function<void(const Alarm&)> observer)
    {
        m_observer = std::move(observer);
    }

private:
    void wireHandlers();
    // Lists the pending alarms with the newest chosen.
    void refill();
    static std::string entry(const Alarm& alarm);

    Application& m_app;
    AlarmTypes m_types;
    std::deque<Alarm> m_pending; // newest first
    bool m_overflowTold = false;
    std::function<void(const Alarm&)> m_observer;
};

} // namespace fenlark
