// Form1's housekeeping: purge by age, delete the shown message, quit, help and about.
#include "app/application.h"
#include "common/text.h"
#include "reception/message_table.h"
#include "storage/log_format.h"
#include "view/form1.h"

#include <cstdlib>

namespace fenlark {

void Form1::saveAndReload()
{
    if (saveTable()) {
        if (!loadTable(kLogFileName))
            StationList_Click();
    } else {
        // The log on disk is older than the table: loading it would bring back what was just
        // removed and lose what was received since the last save.
        StationList_Click();
    }
    // The rebuild has emptied the count; it shows what the table holds whatever happened.
    Text12.setText(numberText(state().msgcount) + " logged");
}

void Form1::purge_Click()
{
    if (MessageList.count() == 0)
        return;
    const long long days = purgeage.topIndex() + 1;
    const DateTime now = m_app.platform().clock.now();
    const int before = state().msgcount;
    compactTable(state(), [&](const MessageRecord& r) {
        return std::llabs(calendarDayDifference(now, r.firstrx)) <= days;
    });
    Text12.setText(numberText(state().msgcount) + " logged");
    const int purged = before - state().msgcount;
    saveAndReload();
    tellPurged(purged, days);
    if (MessageList.listIndex() != -1) {
        MessageList.setListIndex(0);
        showmsg();
    }
}

void Form1::Delmsg_Click()
{
    // The record the view shows is the one showmsg found for `selid`; the view's texts are only
    // its picture and never choose what is deleted.
    if (Text6.text().empty())
        return;
    const int slot = findMessage(state(), state().selid);
    if (slot < 0)
        return;
    if (!m_app.platform().dialogs.ask("Delete displayed Message?"))
        return;
    const MessageRecord* shown = &state().MessageTable[static_cast<std::size_t>(slot)];
    const std::string deleted = shown->msgid;
    compactTable(state(), [&](const MessageRecord& r) { return &r != shown; });
    Text6.setText({});
    Text12.setText(numberText(state().msgcount) + " logged");
    saveAndReload();
    tellDeleted(deleted);
    MessageList.setListIndex(0);
    MessageList_click();
}

void Form1::mnudel_msg_Click() { Delmsg_Click(); }

void Form1::Quitbutton_Click()
{
    Dialogs& dialogs = m_app.platform().dialogs;
    // An alarm nobody has acknowledged may be a distress relay: quitting needs a Yes, and
    // Return alone does not give it.
    if (!m_app.alarms().pending().empty() &&
        dialogs.questionDefaultNo("Alarms are still unacknowledged. Quit all the same?") !=
            Answer::Yes)
        return;
    // No quits without saving, so a dismissed question means "do not quit". A failed save would
    // lose every unsaved message on the way out: the operator may stay.
    const Answer save = dialogs.question("Save messages first?");
    if (save == Answer::Dismissed)
        return;
    if (save == Answer::Yes && !saveTable() &&
        !dialogs.ask("The messages were not saved. Quit all the same?"))
        return;
    MSComm1.setPortOpen(false);
    m_app.end();
}

void Form1::mnuQuit_Click() { Quitbutton_Click(); }

void Form1::mnuhelpmsg_Click() { m_app.platform().dialogs.notice("No Help is available!"); }

void Form1::mnuAbout_Click()
{
    m_app.platform().dialogs.notice(
        "FenLark Navtex Message Display, version 2.4, 3 November 2008");
}

} // namespace fenlark
