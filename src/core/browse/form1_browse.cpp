// Form1's browsing: NAVAREA and frequency choice, the station and type filters, the message lists.
#include "app/application.h"
#include "browse/message_filter.h"
#include "browse/station_file.h"
#include "common/file_io.h"
#include "view/form1.h"
#include "view/vocabulary.h"

#include <sstream>

namespace fenlark {

void Form1::NavAreaList_Click()
{
    State& s = state();
    const int station = StationList.listIndex();
    const int message = MessageList.listIndex();
    const int message2 = MessageList2.listIndex();
    s.navareaindex = static_cast<std::int16_t>(NavAreaList.listIndex());
    m_stationsOn.clear();

    StationList.clear();
    StationList.addItem(std::string(kAllStations));

    const std::string file(kFrequencies[chosenFrequency()].stationFile);
    std::string problem;
    if (const FileRead read = readWholeFile(file); !read.ok()) {
        problem = read.problem;
    } else {
        std::istringstream in(read.bytes);
        problem = readStationBlock(in, s.navareaindex, NavAreaList.text(), s.stations);
    }
    if (problem.empty()) {
        for (int k = 1; k < kStationSlots; ++k)
            StationList.addItem(s.stations.stnentry[static_cast<std::size_t>(k)]);
    } else {
        // Without a complete block no station is known: the list offers " All Stations" alone.
        s.stations.clearStations();
        m_app.platform().dialogs.notice("Station file \"" + file + "\": " + problem +
                                        ". Only \" All Stations\" can be chosen.");
    }

    // The remembered position carries over (the station now standing there); one beyond the
    // rebuilt list falls back to " All Stations".
    StationList.setListIndex(station < StationList.count() ? station : 0);
    MessageList.setListIndex(message < MessageList.count() ? message : -1);
    MessageList2.setListIndex(message2 < MessageList2.count() ? message2 : -1);
    MessageList_click();
}

void Form1::Frequency_Click(int /*Index*/) { NavAreaList_Click(); }

std::size_t Form1::chosenFrequency() const
{
    for (std::size_t i = 0; i < Frequency.size(); ++i)
        if (Frequency[i].value())
            return i;
    return kStartFrequency;
}

bool Form1::listsMessage(const MessageRecord& r) const
{
    if (!passesFilter(r.msgid, StationList.text(), MessageTypeList.text()))
        return false;
    // A station chosen is one of the chosen frequency: a message known to have come on another
    // is from another station with the same letter.
    return StationList.text() == kAllStations || !findFrequency(r.spare) ||
           r.spare == kFrequencies[chosenFrequency()].kHz;
}

const StationTable& Form1::stationsOn(int kHz) const
{
    const State& s = m_app.state();
    const auto* other = findFrequency(kHz);
    if (!other || other->kHz == kFrequencies[chosenFrequency()].kHz)
        return s.stations;
    if (const auto found = m_stationsOn.find(kHz); found != m_stationsOn.end())
        return found->second;
    // A file or block that cannot be read leaves the table empty: no station rather than the
    // wrong one.
    StationTable& table = m_stationsOn[kHz];
    if (const FileRead read = readWholeFile(std::string(other->stationFile)); read.ok()) {
        std::istringstream in(read.bytes);
        readStationBlock(in, s.navareaindex, NavAreaList.text(), table);
    }
    return table;
}

void Form1::StationList_Click()
{
    State& s = state();
    clearlists();
    for (int i = 0; i < s.msgcount; ++i) {
        const MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
        if (listsMessage(r)) {
            MessageList.addItem(r.msgid);
            MessageList2.addItem(r.msgid);
        }
    }
    // With no station chosen the station information is that of the empty slot 0.
    s.curstation = std::max(StationList.listIndex(), 0);
    const std::size_t k = static_cast<std::size_t>(s.curstation);
    const StationTable& t = s.stations;
    std::string label5;
    if (t.stncall[k].size() > 1)
        label5 = "Call: " + t.stncall[k];
    if (t.stnlat[k].size() > 2)
        label5 += "  -  Lat: " + t.stnlat[k] + "  Lon: " + t.stnlon[k];
    Label5.setCaption(label5);
    TxTimeslabel.setCaption(t.stntxtimes[k].size() > 2 ? "Tx times: " + t.stntxtimes[k]
                                                        : std::string());
    m_app.messagesChanged();
}

void Form1::MessageTypeList_Click() { StationList_Click(); }

void Form1::clearlists()
{
    MessageList.clear();
    MessageList2.clear();
    clearmsg();
}

void Form1::MessageList_click()
{
    if (MessageList.listIndex() == -1)
        return;
    state().selid = MessageList.text();
    if (operatorChoosing())
        m_app.newMarks().seen(state().selid);
    if (const int j = MessageList2.indexOf(state().selid); j >= 0)
        MessageList2.setListIndex(j);
    showmsg();
}

void Form1::MessageList2_click()
{
    if (MessageList2.listIndex() == -1)
        return;
    state().selid = MessageList2.text();
    if (operatorChoosing())
        m_app.newMarks().seen(state().selid);
    if (const int j = MessageList.indexOf(state().selid); j >= 0)
        MessageList.setListIndex(j);
    showmsg();
}

} // namespace fenlark
