// What must hold whatever the receiver sends, for the seeded random-stream test and the libFuzzer
// target: a stream fed to a program in pieces, and the first invariant it breaks.
#pragma once

#include "reception/line_limits.h"
#include "support/test_program.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string>

namespace fenlark::test {

// The first broken invariant of reception, the message table and the lists, or "" when all hold.
inline std::string brokenInvariant(Application& app)
{
    const State& s = app.state();
    Form1& form = app.form1();
    if (s.rxbuffer.size() > kMaxLineLength)
        return "the reception buffer is past the line limit";
    if (form.Text9.text() != s.rxbuffer)
        return "the echo differs from the reception buffer";
    if (s.msgcount < 0 || s.msgcount > kTableSlots)
        return "the message count is outside the table";
    std::multiset<std::string> ids;
    for (int i = 0; i < s.msgcount; ++i) {
        const MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
        const std::string& t = r.msgtext;
        const std::string slot = "slot " + std::to_string(i) + " \"" + visible(r.msgid) + "\": ";
        if (r.msgid.size() > 4 || ids.count(r.msgid) > 0)
            return slot + "identifier too long or filed twice";
        ids.insert(r.msgid);
        if (!t.empty() && t.compare(0, 2, "\r\n") != 0)
            return slot + "the body does not begin with CR LF";
        // Without its line ends, what is stored is printable and upper case.
        std::string text = r.msgid + t;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos;
             at = text.find("\r\n", at))
            text.erase(at, 2);
        if (std::any_of(text.begin(), text.end(),
                        [](unsigned char c) { return c < 32 || (c >= 'a' && c <= 'z'); }))
            return slot + "a control character or lower case stored";
        if (r.errcount != std::min<long long>(std::count(t.begin(), t.end(), '~'), 32767))
            return slot + "the error count is not that of the stored copy";
        if (r.rxcount < 1 || r.lastrx.days() < r.firstrx.days())
            return slot + "reception count or dates out of order";
    }
    for (const ListBox* list : {&form.MessageList, &form.MessageList2}) {
        std::multiset<std::string> listed;
        for (int i = 0; i < list->count(); ++i)
            listed.insert(list->list(i));
        if (listed != ids)
            return list->name() + " does not hold the identifiers of the table";
    }
    return {};
}

// Replays the first `replayed` bytes from the capture file, then sends the rest on the serial port
// in pieces of `piece()` bytes a second apart; the first broken invariant, or "".
inline std::string feed(TestProgram& p, const std::string& bytes, std::size_t replayed,
                        const std::function<std::size_t()>& piece)
{
    writeFile("capture.txt", bytes.substr(0, replayed));
    p.form().mnucapture.click();
    std::string broken = brokenInvariant(p.app);
    for (std::size_t at = replayed; broken.empty() && at < bytes.size();) {
        const std::size_t size = piece();
        p.receive(bytes.substr(at, size));
        at += size;
        p.clock.advance(1);
        broken = brokenInvariant(p.app);
        if (!broken.empty())
            broken += " (after byte " + std::to_string(std::min(at, bytes.size())) + ")";
    }
    return broken;
}

} // namespace fenlark::test
