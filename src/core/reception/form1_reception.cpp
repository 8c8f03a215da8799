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
#include <optional>

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
    if (dropped.why == Drop::NoCode)
        return "No message code - not filed";
    const char* why = dropped.why == Drop::NoProperEnd    ? "No proper end - "
                      : dropped.why == Drop::SentenceLost ? "Sentence lost - "
                      : dropped.why == Drop::TooLong      ? "Too long - "
                                                          : "Too many at once - ";
    return why + dropped.code + " not filed";
}

// Puts a parked framing into the state's reception variables for the object's lifetime, and
// parks it again; none (channel 0's plain text) leaves them as they are.
class ActiveFraming {
public:
    ActiveFraming(State& s, Framing* parked) : m_s(s), m_parked(parked) { exchange(); }
    ~ActiveFraming() { exchange(); }
    ActiveFraming(const ActiveFraming&) = delete;
    ActiveFraming& operator=(const ActiveFraming&) = delete;

private:
    void exchange()
    {
        if (!m_parked)
            return;
        using std::swap;
        swap(m_s.rxbuffer, m_parked->rxbuffer);
        swap(m_s.inmessage, m_parked->inmessage);
        swap(m_s.curid, m_parked->curid);
        swap(m_s.curtext, m_parked->curtext);
        swap(m_s.msgerrors, m_parked->msgerrors);
        swap(m_s.curfrequency, m_parked->curfrequency);
        swap(m_s.curfigures, m_parked->curfigures);
    }
    State& m_s;
    Framing* m_parked;
};

} // namespace

void Form1::MSComm1_OnComm()
{
    State& s = state();
    s.rxchar = MSComm1.input();
    if (s.rxchar.size() != 1)
        return;
    const InputSource& source = MSComm1.inputSource();
    ReceivedStream& stream = s.streams.at(source.channel);
    const ActiveFraming framing(s, source.channel == 0 ? nullptr : &stream.plain);
    if (source.channel != m_echoChannel) {
        // The echo shows the line in progress of the channel that received last.
        m_echoChannel = source.channel;
        Text9.setText(s.rxbuffer);
    }
    followStart(stream, source);
    if (stream.lineEnds.endsLine(s.rxchar[0])) {
        endLine(stream, source);
        return;
    }
    if (static_cast<unsigned char>(s.rxchar[0]) >= 32)
        keepCharacter(stream, source);
    // The lower-case end mark ends plain text only: a sentence is checked whole. Each character
    // is looked at once, so the mark can only be new at the end.
    if (!stream.sentenceLine && s.rxbuffer.ends_with("nnn"))
        endLine(stream, source);
}

void Form1::followStart(ReceivedStream& stream, const InputSource& source)
{
    if (stream.opening != MSComm1.openings()) {
        // The port opened again: the stream's line ends start afresh, and the device's count of
        // starts is taken as it stands.
        stream.opening = MSComm1.openings();
        stream.lineEnds.restart();
        stream.startKnown = false;
    }
    if (stream.startKnown && stream.start == source.start)
        return;
    const bool restarted = stream.startKnown;
    stream.start = source.start;
    stream.startKnown = true;
    if (!restarted)
        return;
    // A new connection, or a line back: nothing of the broken stream carries over.
    State& s = state();
    stream.lineEnds.restart();
    stream.sentenceLine = false;
    s.rxbuffer.clear();
    Text9.setText({});
    if (s.inmessage) {
        s.inmessage = false;
        s.curtext.clear();
        Label1.setCaption("Cut off - " + s.curid + " not filed");
    }
    nmea::SentenceDecoder::Output out;
    stream.sentences.dropUnfinished(out);
    fileSentences(stream, source, out);
}

void Form1::endLine(ReceivedStream& stream, const InputSource& source)
{
    State& s = state();
    stream.sentenceLine = false;
    if (const auto sentence = nmea::findSentence(s.rxbuffer)) {
        nmea::SentenceDecoder::Output out;
        stream.sentences.feed(*sentence, out, m_app.platform().clock.now().totalSeconds());
        s.rxbuffer.clear();
        fileSentences(stream, source, out);
    } else {
        s.curfrequency = source.frequency;
        s.curfigures = m_replaying ? MessageFigures{} : MSComm1.figures(source.channel);
        getmsg();
    }
    Text9.setText({});
}

void Form1::fileSentences(ReceivedStream& stream, const InputSource& source,
                          nmea::SentenceDecoder::Output& out)
{
    for (const auto& dropped : out.dropped)
        Label1.setCaption(notFiledCaption(dropped));
    if (out.lines.empty())
        return;
    // The lines of a message the sentences complete are filed as received lines are, framed apart
    // from the plain text around them.
    State& s = state();
    const ActiveFraming framing(s, &stream.nrx);
    for (std::string& line : out.lines) {
        s.rxbuffer = std::move(line);
        s.curfrequency = out.frequency != 0 ? out.frequency : source.frequency;
        s.curfigures.clear();
        if (&line == &out.lines.back()) {
            // The copy is rated by the receiver's own count of bad characters where that is
            // higher, and its '*' are marks whatever error character is set.
            const long long marks = s.msgerrors + (s.errchar == "*" ? 0 : out.stars);
            s.msgerrors = std::max(marks, out.badCharacters);
        }
        getmsg();
    }
}

void Form1::keepCharacter(ReceivedStream& stream, const InputSource& source)
{
    State& s = state();
    // A full line is handed over before this character would take it past the limit, so that a
    // line of exactly the limit is still ended by its own carriage return.
    if (s.rxbuffer.size() >= kMaxLineLength)
        endLine(stream, source);
    if (nmea::startsSentence(s.rxchar[0]))
        stream.sentenceLine = true;
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
        r.figures = s.curfigures;
    }
    if (s.curfrequency != 0)
        r.spare = static_cast<std::int16_t>(s.curfrequency);
    if (r.rxcount < kMaxRxCount)
        ++r.rxcount;
    r.lastrx = now;
    // The display mode "Last" shows the message received last, with its count and time.
    if (Option3.value())
        showmsg();
    m_app.messagesChanged();
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
    r.spare = static_cast<std::int16_t>(s.curfrequency);
    r.figures = s.curfigures;
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
    std::string name = "capture.txt";
    std::optional<FileReader> file(std::in_place, name);
    if (file->kind() == FileProblem::Missing) {
        // The working folder has no capture of its own: the operator may choose a recording
        // (the shell's dialog opens on the supplied sample). Nothing is created.
        name = m_app.platform().dialogs.chooseFile("Capture file load");
        if (name.empty())
            return;
        file.emplace(name);
    }
    auto told = [&] {
        m_app.platform().dialogs.notice("The capture file \"" + name +
                                        "\" could not be read: " + file->problem() + ".");
    };
    if (!file->withinLimit(kMaxCaptureBytes) || !file->ok())
        return told();
    // The replay continues the port's line and message: it is channel 0, with its own line ends.
    const FlagScope replaying(m_replaying);
    ReceivedStream& stream = s.streams.at(0);
    const InputSource source;
    if (m_echoChannel != 0) {
        m_echoChannel = 0;
        Text9.setText(s.rxbuffer);
    }
    LineEnds lineEnds;
    // Read a piece at a time: memory stays small whatever the file's size.
    std::string piece;
    while (file->read(piece, 1 << 16) && file->withinLimit(kMaxCaptureBytes)) {
        for (const char byte : piece) {
            // A sentence keeps its bytes as sent, which its checksum covers; filing upper-cases
            // the lines it gives.
            const bool sentence = stream.sentenceLine || nmea::startsSentence(byte);
            s.rxchar = std::string(1, sentence ? byte : upperCase(byte));
            if (lineEnds.endsLine(byte)) {
                endLine(stream, source);
            } else if (static_cast<unsigned char>(byte) >= 32) {
                keepCharacter(stream, source);
            }
        }
        piece.clear();
    }
    if (!file->ok())
        told();
}

void Form1::mnucapture_Click()
{
    captureload();
}

} // namespace fenlark
