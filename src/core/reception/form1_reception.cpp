// Form1's reception and filing: serial receive event, message framing and filing, copy quality
// counting and capture file replay.
#include "app/application.h"
#include "common/file_io.h"
#include "common/text.h"
#include "nmea/sentence.h"
#include "reception/copy_quality.h"
#include "reception/line_ends.h"
#include "reception/line_limits.h"
#include "reception/message_table.h"
#include "view/form1.h"

#include <algorithm>
#include <fstream>

namespace fenlark {
namespace {

// The error count as the record's 16-bit field holds it: larger counts are kept at its largest
// value, and repeats are compared by what is stored.
std::int16_t storedErrorCount(long long marks)
{
    return static_cast<std::int16_t>(std::min<long long>(marks, 32767));
}

// Stations number each type of message from 01 to 99 and then start again, so an identifier
// names the same message only while it keeps being heard: one last received longer ago than this
// belongs to a new message.
constexpr std::int64_t kIdentifierMemorySeconds = 72 * 3600;

// What the reception label says of a message that arrived as sentences and is not filed.
std::string notFiledCaption(const nmea::SentenceDecoder::Dropped& dropped)
{
    using Drop = nmea::SentenceDecoder::Drop;
    const char* why = dropped.why == Drop::NoProperEnd    ? "No proper end - "
                      : dropped.why == Drop::SentenceLost ? "Sentence lost - "
                      : dropped.why == Drop::TooLong      ? "Too long - "
                                                          : "Too many at once - ";
    return why + dropped.code + " not filed";
}

} // namespace

void Form1::endLine()
{
    State& s = state();
    if (nmea::isSentence(s.rxbuffer)) {
        // The lines of a message the sentence completes are filed as received lines are.
        nmea::SentenceDecoder::Output out;
        s.sentences.feed(s.rxbuffer, out);
        s.rxbuffer.clear();
        for (const auto& dropped : out.dropped)
            Label1.setCaption(notFiledCaption(dropped));
        for (std::string& line : out.lines) {
            s.rxbuffer = std::move(line);
            getmsg();
        }
    } else {
        getmsg();
    }
    Text9.setText({});
}

void Form1::MSComm1_OnComm()
{
    State& s = state();
    s.rxchar = MSComm1.input();
    if (s.rxchar.size() == 1 && MSComm1.lineEnds().endsLine(s.rxchar[0])) {
        endLine();
        return;
    }
    if (!s.rxchar.empty() && static_cast<unsigned char>(s.rxchar[0]) >= 32)
        keepCharacter();
    // The lower-case end mark ends plain text only: a sentence is checked whole.
    if (!nmea::isSentence(s.rxbuffer) && s.rxbuffer.find("nnn") != std::string::npos)
        endLine();
}

void Form1::keepCharacter()
{
    State& s = state();
    // A full line is handed over before this character would take it past the limit, so that a
    // line of exactly the limit is still ended by its own carriage return.
    if (s.rxbuffer.size() >= kMaxLineLength)
        endLine();
    s.rxbuffer += s.rxchar;
    Text9.appendText(s.rxchar);
}

void Form1::check_quality(const std::string& z)
{
    state().msgerrors += countErrorMarks(z, state().errchar);
}

void Form1::getmsg()
{
    State& s = state();
    s.rxline = upperCase(s.rxbuffer);
    s.rxbuffer.clear();

    if (const std::size_t p = s.rxline.find("ZCZC"); p != std::string::npos) {
        // A header line: whatever was being received is dropped and a new message begins. The
        // character after "ZCZC" is a separator and is skipped whatever it is.
        s.inmessage = true;
        s.msgerrors = 0;
        s.curtext.clear();
        s.curid = std::string(mid(s.rxline, p + 1 + 5, 4));
        Label1.setCaption("Incoming Message " + s.curid);
        check_quality(s.rxline);
        if (s.msgerrors > 0)
            s.inmessage = false; // a header with an error mark is not trusted
        return;
    }
    if (!s.inmessage)
        return;
    if (s.rxline.find("NNN") == std::string::npos) {
        if (s.curtext.size() + 2 + s.rxline.size() > kMaxBodyLength) {
            s.inmessage = false;
            s.curtext.clear();
            Label1.setCaption("Too long - " + s.curid + " not filed");
            return;
        }
        check_quality(s.rxline);
        s.curtext += "\r\n";
        s.curtext += s.rxline;
        return;
    }

    // The end line: file the message as a repeat or as new.
    Label1.setCaption("Incoming Message       ");
    s.inmessage = false;
    s.filedSinceSaveOrLoad = true;
    int i = findMessage(s, s.curid);
    const DateTime now = m_app.platform().clock.now();
    if (i >= 0) {
        const MessageRecord* found = &s.MessageTable[static_cast<std::size_t>(i)];
        if (now.totalSeconds() - found->lastrx.totalSeconds() > kIdentifierMemorySeconds) {
            // The old record goes as a delete removes it, and the message is filed as new.
            compactTable(s, [found](const MessageRecord& r) { return &r != found; });
            i = -1;
        }
    }
    if (i < 0) {
        fileNewMessage();
        return;
    }
    MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
    s.lastid = s.curid;
    if (const std::int16_t marks = storedErrorCount(s.msgerrors); r.errcount >= marks) {
        // Fewer marks win, and on a tie the newer copy wins.
        r.errcount = marks;
        r.msgtext = s.curtext;
    }
    if (r.rxcount < kMaxRxCount)
        ++r.rxcount;
    r.lastrx = now;
    // The display mode "Last" shows the message received last, with its count and time.
    if (Option3.value())
        showmsg();
}

void Form1::fileNewMessage()
{
    State& s = state();
    const int k = s.msgcount;
    if (k >= kTableSlots) {
        // No slot is free: the message is refused and no record is touched. The operator hears of
        // it once until purge, delete or load makes room.
        Label1.setCaption("Table full - " + s.curid + " not filed");
        if (!m_tableFullNoticeShown) {
            m_tableFullNoticeShown = true;
            m_app.platform().dialogs.report(
                "The message table is full (" + std::to_string(kTableSlots) +
                " messages): new messages are not filed. Purge or delete messages to make room.");
        }
        return;
    }
    m_tableFullNoticeShown = false;
    // The message the operator is reading in the display mode "Selected" stays in view.
    const std::string reading = Option5.value() && !Text6.text().empty() ? s.selid : std::string();
    MessageRecord& r = s.MessageTable[static_cast<std::size_t>(k)];
    r.msgtext = s.curtext;
    r.msgid = s.curid;
    s.lastid = s.curid;
    s.lastnewid = s.curid;
    Text11.setText("Last new: " + s.lastnewid);
    r.errcount = storedErrorCount(s.msgerrors);
    MessageList.addItem(s.curid);
    MessageList2.addItem(s.curid);
    r.firstrx = m_app.platform().clock.now();
    r.lastrx = r.firstrx;
    r.rxcount = 1;
    s.msgerrors = 0;
    s.msgcount = static_cast<std::int16_t>(k + 1);
    Text12.setText(numberText(s.msgcount) + " logged");
    // Marked before the lists show it, so that the display filing runs keeps the mark.
    m_app.newMarks().mark(r.msgid, r.firstrx);
    MessageList.setListIndex(0);
    MessageList2.setListIndex(MessageList2.newIndex());
    MessageTypeList.setListIndex(0);
    // The type reset's rebuild has emptied the view; it shows again what the display mode names.
    if (!Option5.value())
        showmsg();
    else if (const int i = MessageList.indexOf(reading); i >= 0 && !reading.empty())
        MessageList.setListIndex(i);
    m_app.alarms().messageFiled(r);
}

void Form1::captureload()
{
    State& s = state();
    const FileRead file = readWholeFile("capture.txt");
    if (file.kind == FileProblem::Missing) {
        // A missing capture file is created empty, and the replay does nothing.
        std::ofstream create("capture.txt", std::ios::binary | std::ios::app);
        return;
    }
    if (!file.ok()) {
        m_app.platform().dialogs.notice(
            "The capture file \"capture.txt\" could not be read: " + file.problem + ".");
        return;
    }
    LineEnds lineEnds;
    for (const char byte : file.bytes) {
        // A sentence keeps its bytes as sent, which its checksum covers; filing upper-cases the
        // lines it gives.
        const bool sentence = nmea::isSentence(s.rxbuffer) ||
                              (s.rxbuffer.empty() && nmea::isSentence(std::string_view(&byte, 1)));
        s.rxchar = std::string(1, sentence ? byte : upperCase(byte));
        if (lineEnds.endsLine(byte)) {
            endLine();
        } else if (static_cast<unsigned char>(byte) >= 32) {
            keepCharacter();
        }
    }
}

void Form1::mnucapture_Click() { captureload(); }

} // namespace fenlark
