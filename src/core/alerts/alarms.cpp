#include "alerts/alarms.h"

#include "app/application.h"
#include "forms/control_registry.h"
#include "view/message_view.h"

#include <utility>

namespace fenlark {
namespace {

// The first lines of a body, which begins with its own CR LF.
std::string firstLines(const std::string& body, int lines)
{
    std::size_t start = body.starts_with("\r\n") ? 2 : 0;
    std::size_t end = start;
    for (int n = 0; n < lines && end != std::string::npos; ++n)
        end = body.find("\r\n", n == 0 ? start : end + 2);
    return body.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

Alarms::Alarms(Application& app) : m_app(app)
{
    wireHandlers();
    refill();
}

void Alarms::wireHandlers()
{
    AlarmList.setHandler([this] { AlarmList_Click(); });
    Show.setHandler([this] { Show_Click(); });
    Acknowledge.setHandler([this] { Acknowledge_Click(); });
    AcknowledgeAll.setHandler([this] { AcknowledgeAll_Click(); });
}

void Alarms::registerControls(ControlRegistry& r)
{
    r.add(AlarmList), r.add(AlarmBand), r.add(AlarmId), r.add(AlarmOrigin), r.add(AlarmTime);
    r.add(AlarmText), r.add(Show), r.add(Acknowledge), r.add(AcknowledgeAll);
}

void Alarms::messageFiled(const MessageRecord& record)
{
    if (!soundsAlarm(record.msgid, m_types))
        return;
    const Form1& form = m_app.form1();
    Alarm alarm{record.msgid,
                std::string(alarmHeading(record.msgid, m_types)),
                typeText(record.msgid, form.MessageTypeList),
                {},
                record.firstrx,
                firstLines(record.msgtext, kShownLines)};
    alarm.origin =
        messageOrigin(record.msgid, form.MessageTypeList, form.stationsOn(record.spare))
            .typeAndStation;
    // An identifier heard anew takes the place of its alarm still waiting, and beyond the most
    // that wait the oldest goes: the list is made again, short as it is. Otherwise one entry
    // more, not the list again: alarms left waiting must not make filing slow.
    const std::size_t before = m_pending.size();
    std::erase_if(m_pending, [&](const Alarm& waiting) { return waiting.msgid == alarm.msgid; });
    m_pending.push_front(std::move(alarm));
    if (m_pending.size() > kMaxPending) {
        m_pending.pop_back();
        if (!std::exchange(m_overflowTold, true))
            m_app.platform().dialogs.report(
                "More than " + std::to_string(kMaxPending) +
                " alarms are waiting: the oldest are acknowledged as new ones sound, and the " +
                std::to_string(kMaxPending) + " newest wait.");
    }
    if (m_pending.size() == before + 1) {
        AlarmList.insertItem(0, entry(m_pending.front()));
        AlarmList.setListIndex(0);
    } else {
        refill();
    }
    m_app.showAlarms();
    if (m_observer)
        m_observer(m_pending.front());
}

std::string Alarms::entry(const Alarm& alarm)
{
    return alarm.msgid + "  " + shortDateText(alarm.received) + " " + timeText(alarm.received);
}

void Alarms::refill()
{
    AlarmList.clear();
    for (const Alarm& alarm : m_pending)
        AlarmList.addItem(entry(alarm));
    if (m_pending.empty())
        AlarmList_Click();
    else
        AlarmList.setListIndex(0);
}

void Alarms::AlarmList_Click()
{
    const int i = AlarmList.listIndex();
    if (i < 0 || i >= static_cast<int>(m_pending.size())) {
        AlarmBand.setCaption({});
        AlarmId.setCaption({});
        AlarmOrigin.setCaption({});
        AlarmTime.setCaption({});
        AlarmText.setText({});
        return;
    }
    const Alarm& alarm = m_pending[static_cast<std::size_t>(i)];
    AlarmBand.setCaption(alarm.heading);
    AlarmId.setCaption("Message " + alarm.msgid);
    AlarmOrigin.setCaption(alarm.origin);
    AlarmTime.setCaption("Received " + shortDateText(alarm.received) + " at " +
                         timeText(alarm.received) + " UTC");
    AlarmText.setText(alarm.firstLines);
}

void Alarms::Show_Click()
{
    const int i = AlarmList.listIndex();
    if (i < 0 || !m_app.isLoaded(Window::Form1))
        return;
    m_app.form1().chooseMessage(m_pending[static_cast<std::size_t>(i)].msgid);
    m_app.raise(Window::Form1);
}

void Alarms::Acknowledge_Click()
{
    const int i = AlarmList.listIndex();
    if (i < 0)
        return;
    m_pending.erase(m_pending.begin() + i);
    if (m_pending.size() < kMaxPending)
        m_overflowTold = false;
    refill();
    if (m_pending.empty())
        m_app.closeAlarms();
}

void Alarms::AcknowledgeAll_Click()
{
    if (m_pending.empty())
        return;
    m_pending.clear();
    m_overflowTold = false;
    refill();
    m_app.closeAlarms();
}

} // namespace fenlark
