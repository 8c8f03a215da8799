// Form1's message log: saving and loading "navtex.txt", the Save and Load buttons and menu entries,
// and the scheduled autosave.
#include "app/application.h"
#include "common/file_io.h"
#include "common/text.h"
#include "storage/log_format.h"
#include "view/form1.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

namespace fenlark {
namespace {

constexpr const char* kLoadQuestion =
    "This will lose any recieved unsaved messages - Do you still want to do this?";

// Whether the log on disk may hold messages that the table has not got. A file that cannot be read
// or does not parse may, so it counts; a missing or empty file, something that is no file at all
// (it cannot be linked, and the save refuses it) and a log of no records hold nothing.
bool holdsRecords(const FileRead& file)
{
    switch (file.kind) {
    case FileProblem::Missing:
    case FileProblem::NotRegular:
        return false;
    case FileProblem::Failed:
    case FileProblem::TooLarge:
        return true;
    case FileProblem::None:
        break;
    }
    if (file.bytes.empty())
        return false;
    const LogRead log = parseLog(file.bytes);
    return !log.ok() || !log.records.empty();
}

// Nothing is loaded at start-up, so the first save of a run that loaded nothing would replace the
// messages of earlier runs: they are kept first under a name of their own, dated by the program's
// clock. False when they could not be kept; the log must then not be replaced.
bool keepEarlierLog(State& s, Platform& platform)
{
    if (s.earlierLogSettled)
        return true;
    if (holdsRecords(readWholeFile(kLogFileName, kMaxLogBytes))) {
        const CivilDateTime t = platform.clock.now().civil();
        char stem[40];
        std::snprintf(stem, sizeof stem, "navtex-%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day,
                      t.hour, t.minute, t.second);
        const KeptFile kept = keepFileAs(kLogFileName, stem);
        if (!kept.problem.empty()) {
            platform.dialogs.notice(std::string("The messages could not be saved to \"") +
                                    kLogFileName +
                                    "\": its earlier messages could not be kept as \"" + stem +
                                    ".txt\": " + kept.problem + ". The previous log is kept.");
            return false;
        }
        platform.dialogs.notice(std::string("The messages of earlier runs in \"") + kLogFileName +
                                "\" are kept in \"" + kept.path + "\".");
    }
    s.earlierLogSettled = true;
    return true;
}

} // namespace

// The receiver's port stays open and reading: the file is written from the table, and a message
// that arrives meanwhile (while a notice is open) is filed as always.
bool Form1::saveTable()
{
    State& s = state();
    bool saved = keepEarlierLog(s, m_app.platform());
    if (saved) {
        const std::string why = replaceFile(kLogFileName, formatLog(s.MessageTable, s.msgcount));
        if (!why.empty())
            m_app.platform().dialogs.notice(std::string("The messages could not be saved to \"") +
                                            kLogFileName + "\": " + why +
                                            ". The previous log is kept.");
        saved = why.empty();
    }
    if (saved) {
        s.filedSinceSaveOrLoad = false;
        tellSaved();
    }
    return saved;
}

void Form1::Command1_Click() { saveTable(); }

bool Form1::loadTable(const std::string& path)
{
    State& s = state();
    const FileRead file = readWholeFile(path, kMaxLogBytes);
    LogRead log;
    if (file.ok()) {
        log = parseLog(file.bytes);
    } else {
        log.problem = file.problem;
    }
    if (!log.ok()) {
        // Nothing is loaded: table, lists and view stay exactly as they were.
        std::string where = log.line > 0 ? ", line " + std::to_string(log.line) : std::string();
        m_app.platform().dialogs.notice("The messages could not be loaded from \"" + path + "\"" +
                                        where + ": " + log.problem + ". Nothing was changed.");
        return false;
    }
    s.filedSinceSaveOrLoad = false;
    s.earlierLogSettled = true;
    m_app.newMarks().keepOnly([&log](const std::string& msgid) {
        return std::any_of(log.records.begin(), log.records.end(),
                           [&msgid](const MessageRecord& r) { return r.msgid == msgid; });
    });
    // "Last new" names a message of the table that the load replaced.
    Text11.setText({});
    const int count = static_cast<int>(log.records.size());
    if (count == 0) {
        s.msgcount = 0;
        Text12.setText(numberText(0) + " logged");
        StationList.clear();
        NavAreaList.setListIndex(0);
        StationList.setListIndex(0);
        MessageTypeList.setListIndex(0);
        return true;
    }
    std::move(log.records.begin(), log.records.end(), s.MessageTable.begin());
    s.msgcount = static_cast<std::int16_t>(count);
    Text12.setText(numberText(s.msgcount) + " logged");
    StationList_Click();
    MessageList.setListIndex(0);
    MessageList2.setListIndex(0);
    MessageList_click();
    return true;
}

// Messages loaded from the log are not new.
void Form1::navtexload()
{
    if (loadTable(kLogFileName))
        m_app.newMarks().clear();
}

void Form1::loadLogAtStart()
{
    if (m_logLoadTried)
        return;
    m_logLoadTried = true;
    std::error_code ec;
    if (std::filesystem::symlink_status(kLogFileName, ec).type() ==
        std::filesystem::file_type::not_found)
        return;
    State& s = state();
    // The run goes on where the last one left off: the display mode "Last" shows the message
    // received last, and "Last New" the one filed last.
    if (loadTable(kLogFileName) && s.msgcount > 0) {
        m_app.newMarks().clear();
        const MessageRecord* last = &s.MessageTable[0];
        for (int i = 1; i < s.msgcount; ++i) {
            const MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
            if (r.lastrx.totalSeconds() >= last->lastrx.totalSeconds())
                last = &r;
        }
        s.lastid = last->msgid;
        s.lastnewid = s.MessageTable[static_cast<std::size_t>(s.msgcount - 1)].msgid;
        showmsg();
    }
}

void Form1::Command2_Click()
{
    if (m_app.platform().dialogs.ask(kLoadQuestion))
        navtexload();
}

void Form1::mnusave_Click() { Command1_Click(); }

// Asks the Load button's question only when loading would throw away messages filed since the
// last save or load.
void Form1::mnuload_Click()
{
    if (state().filedSinceSaveOrLoad)
        Command2_Click();
    else
        navtexload();
}

void Form1::mnuearlier_Click() { m_app.showWindow(Window::EarlierLogs); }

void Form1::loadEarlierLog(const std::string& name)
{
    if (!m_app.platform().dialogs.ask(kLoadQuestion))
        return;
    if (!loadTable(name))
        return;
    m_app.newMarks().clear();
    state().earlierLogSettled = false;
}

void Form1::autosave_Click()
{
    if (autosave.value() == 0)
        Timer1.setEnabled(false);
    else if (autosave.value() == 1)
        Timer1.setEnabled(true);
}

void Form1::Timer1_Timer()
{
    struct SaveWindow {
        int start;
        int end;
    };
    // The minute from 00:57, 06:57, 12:57 and 18:57; both ends excluded.
    static constexpr std::array<SaveWindow, 4> kWindows = {{
        {57 * 60, 58 * 60},
        {6 * 3600 + 57 * 60, 6 * 3600 + 58 * 60},
        {12 * 3600 + 57 * 60, 12 * 3600 + 58 * 60},
        {18 * 3600 + 57 * 60, 18 * 3600 + 58 * 60},
    }};
    Clock& clock = m_app.platform().clock;
    for (const SaveWindow& w : kWindows) {
        if (!(clock.now().secondsOfDay() > w.start))
            continue;
        if (clock.now().secondsOfDay() < w.end)
            Command1_Click();
    }
}

} // namespace fenlark
