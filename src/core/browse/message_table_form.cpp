#include "browse/message_table_form.h"

#include "app/application.h"
#include "common/text.h"
#include "forms/control_registry.h"
#include "reception/copy_quality.h"
#include "view/message_view.h"
#include "view/vocabulary.h"

namespace fenlark {
namespace {

std::vector<TableControl::Column> tableColumns()
{
    return {{"Identifier"},
            {"Station"},
            {"Type"},
            {"Frequency", true},
            {"First received UTC", true},
            {"Last received UTC", true},
            {"Times", true},
            {"Copy %", true},
            {"New"}};
}

// The station name of an identifier as the view names it: the first station entry of its letter
// from the entry's fourth character on.
std::string stationName(const std::string& msgid, const StationTable& stations)
{
    for (std::size_t k = 1; k < kStationSlots && !msgid.empty(); ++k) {
        const std::string& entry = stations.stnentry[k];
        if (!entry.empty() && entry[0] == msgid[0] && entry.size() > 6) {
            const std::size_t name = entry.find_first_not_of(' ', 3);
            return name == std::string::npos ? std::string() : entry.substr(name);
        }
    }
    return {};
}

} // namespace

std::string frequencyText(int kHz)
{
    if (const auto* frequency = findFrequency(kHz))
        return std::string(frequency->caption);
    return kHz > 0 ? std::to_string(kHz) + " kHz" : std::string();
}

MessageTableForm::MessageTableForm(Application& app)
    : Messages("Messages", tableColumns(), First, true), m_app(app) // newest first
{
    Search.setHandler([this] { Search_Change(); });
    FollowSelectors.setHandler([this] { FollowSelectors_Click(); });
    Messages.setHandler([this] { Messages_DblClick(); });
    Show.setHandler([this] { Show_Click(); });
    CloseTable.setHandler([this] { CloseTable_Click(); });
}

void MessageTableForm::registerControls(ControlRegistry& r)
{
    r.add(SearchLabel), r.add(Search), r.add(FollowSelectors), r.add(Messages), r.add(Count);
    r.add(Show), r.add(CloseTable);
}

void MessageTableForm::Form_Load()
{
    refill();
}

void MessageTableForm::Search_Change()
{
    refill();
}

void MessageTableForm::FollowSelectors_Click()
{
    refill();
}

void MessageTableForm::Messages_DblClick()
{
    Show_Click();
}

void MessageTableForm::Show_Click()
{
    const std::string msgid = Messages.currentKey();
    if (Messages.currentRow() < 0 || !m_app.isLoaded(Window::Form1))
        return;
    m_app.form1().chooseMessage(msgid);
    m_app.raise(Window::Form1);
}

void MessageTableForm::CloseTable_Click()
{
    m_app.closeWindow(Window::MessageTable);
}

void MessageTableForm::tableChanged()
{
    if (m_app.isLoaded(Window::MessageTable))
        refill();
}

TableRow MessageTableForm::rowOf(const MessageRecord& r) const
{
    const Form1& form = m_app.form1();
    std::string type = typeText(r.msgid, form.MessageTypeList);
    if (type.starts_with("- "))
        type.erase(0, 2);
    const int copy = copyPercentage(static_cast<long long>(r.msgtext.size()), r.errcount);
    const bool isNew = m_app.newMarks().isNew(r.msgid);
    return {r.msgid,
            {r.msgid, stationName(r.msgid, form.stationsOn(r.spare)), type, frequencyText(r.spare),
             r.firstrx.text(), r.lastrx.text(), std::to_string(r.rxcount), std::to_string(copy),
             isNew ? "NEW" : ""},
            {0, 0, 0, static_cast<double>(r.spare), r.firstrx.totalSeconds() * 1.0,
             r.lastrx.totalSeconds() * 1.0, static_cast<double>(r.rxcount),
             static_cast<double>(copy), 0}};
}

void MessageTableForm::refill()
{
    const State& s = m_app.state();
    const Form1& form = m_app.form1();
    const std::string search = upperCase(Search.text());
    const bool follow = FollowSelectors.value() == 1;
    std::vector<TableRow> rows;
    for (int i = 0; i < s.msgcount; ++i) {
        const MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
        if (follow && !form.listsMessage(r))
            continue;
        if (!search.empty() && upperCase(r.msgtext).find(search) == std::string::npos &&
            upperCase(r.msgid).find(search) == std::string::npos)
            continue;
        rows.push_back(rowOf(r));
    }
    const std::string all = std::to_string(s.msgcount);
    Count.setCaption(static_cast<int>(rows.size()) == s.msgcount
                         ? all + (s.msgcount == 1 ? " message" : " messages")
                         : std::to_string(rows.size()) + " of " + all + " messages");
    Messages.setRows(std::move(rows));
}

} // namespace fenlark
