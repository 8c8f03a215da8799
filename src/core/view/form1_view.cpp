// Form1's message view: the display modes, showing one record and clearing the view.
#include "app/application.h"
#include "common/text.h"
#include "reception/message_table.h"
#include "view/form1.h"
#include "view/message_view.h"

namespace fenlark {

void Form1::showmsg()
{
    State& s = state();
    if (Option3.value()) {
        s.selid = s.lastid;
    } else if (Option4.value()) {
        s.selid = s.lastnewid;
        const int count = MessageList.count();
        if (count == 0)
            return;
        s.selid = MessageList.list(count - 1);
        MessageList.setSelected(count - 1);
    }
    if (const int slot = findMessage(s, s.selid); slot >= 0)
        showRecord(slot);
    Text12.setText(numberText(s.msgcount) + " logged");
}

void Form1::showRecord(int slot)
{
    State& s = state();
    // Writing the view's fields runs no handler, so the record stays as it is meanwhile.
    const MessageRecord& r = s.MessageTable[static_cast<std::size_t>(slot)];
    Text1.setText(r.msgtext);
    Text2.setText(qualityText(static_cast<long long>(r.msgtext.size()), r.errcount));
    Text3.setText(shortDateText(r.firstrx));
    Text4.setText(timeText(r.firstrx));
    Text5.setText(receivedText(r.rxcount));
    Text7.setText(shortDateText(r.lastrx));
    Text8.setText(timeText(r.lastrx));
    Text6.setText("Message " + r.msgid);
    Clock& clock = m_app.platform().clock;
    Text10.setText(ageText(clock.now(), r.firstrx));
    Text13.setText(ageText(clock.now(), r.lastrx));

    // Type: an identifier whose type letter has no entry shows no type text, rather than the
    // text left over from the message shown before.
    std::string label6;
    const std::string_view typeLetter = mid(s.selid, 2, 1);
    for (int i = 1; i < MessageTypeList.count(); ++i) {
        const std::string& entry = MessageTypeList.list(i);
        if (firstChar(entry) == typeLetter)
            label6 = entry.substr(std::min<std::size_t>(2, entry.size()));
    }
    Label6.setCaption(label6);

    // Station: nothing is left over from the message shown before when no entry has the letter.
    Label15.setCaption({});
    s.curstation = 0;
    const std::string_view stationLetter = mid(s.selid, 1, 1);
    for (int k = 1; k < StationList.count(); ++k) {
        const std::string& entry = StationList.list(k);
        if (firstChar(entry) != stationLetter)
            continue;
        if (entry.size() > 6 && k < kStationSlots) {
            const std::size_t slotK = static_cast<std::size_t>(k);
            const StationTable& t = s.stations;
            s.curstation = k;
            Label6.setCaption(Label6.caption() + " from " + entry.substr(3) + "     (" +
                              t.stncall[slotK] + ")");
            Label15.setCaption("  Lat: " + t.stnlat[slotK] + "  Lon: " + t.stnlon[slotK] +
                               "  Tx times: " + t.stntxtimes[slotK]);
        } else {
            Label15.setCaption({});
        }
    }
}

void Form1::clearmsg()
{
    for (TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text7, &Text8, &Text5, &Text6, &Text10})
        box->setText({});
    Label6.setCaption({});
    Label15.setCaption({});
    Text11.setText({});
    Text12.setText({});
    Text13.setText({});
}

void Form1::Option3_Click()
{
    clearmsg();
    showmsg();
}

void Form1::Option4_Click()
{
    clearmsg();
    showmsg();
}

void Form1::Option5_Click()
{
    clearmsg();
    showmsg();
}

} // namespace fenlark
