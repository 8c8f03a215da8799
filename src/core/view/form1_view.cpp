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

    // An identifier whose type or station letter has no entry shows no type text or position,
    // rather than the texts left over from the message shown before.
    // The stations are those of the frequency the message came on, where the input told it.
    const StationTable& stations = stationsOn(r.spare);
    const MessageOrigin origin = messageOrigin(s.selid, MessageTypeList, stations);
    Label6.setCaption(origin.typeAndStation);
    Label15.setCaption(origin.stationPosition);
    // The map marks the station among those it shows, of the chosen frequency.
    s.curstation = &stations == &s.stations ? origin.station : 0;
    if (operatorChoosing())
        m_app.newMarks().seen(r.msgid);
}

void Form1::clearmsg()
{
    for (TextBox* box : {&Text1, &Text2, &Text3, &Text4, &Text7, &Text8, &Text5, &Text6, &Text10})
        box->setText({});
    Label6.setCaption({});
    Label15.setCaption({});
    Text13.setText({});
}

// The display modes are chosen by the operator only: what they show counts as seen.
void Form1::showChosenMode()
{
    const FlagScope scope(m_modeChosen);
    clearmsg();
    showmsg();
}

void Form1::Option3_Click() { showChosenMode(); }

void Form1::Option4_Click() { showChosenMode(); }

void Form1::Option5_Click() { showChosenMode(); }

bool Form1::operatorChoosing() const
{
    return m_modeChosen || MessageList.choosing() || MessageList2.choosing();
}

void Form1::mnutable_Click() { m_app.showWindow(Window::MessageTable); }

void Form1::chooseMessage(const std::string& msgid)
{
    if (findMessage(state(), msgid) < 0)
        return;
    // A message the station or type choice hides is brought back by choosing all of them.
    if (MessageList.indexOf(msgid) < 0)
        MessageTypeList.setListIndex(0);
    if (MessageList.indexOf(msgid) < 0)
        StationList.setListIndex(0);
    const int i = MessageList.indexOf(msgid);
    if (i < 0)
        return;
    // Only the mode "Selected" shows the message chosen; no mode handler runs, as it would show
    // the message chosen before.
    Option3.setValueQuietly(false);
    Option4.setValueQuietly(false);
    Option5.setValueQuietly(true);
    MessageList.choose(i);
}

} // namespace fenlark
