// A libFuzzer target: any bytes from the receiver, live or replayed from the capture file, through
// line framing and filing; stops at the first broken invariant.
#include "reception/line_limits.h"
#include "reception/message_record.h"
#include "support/test_program.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

using namespace fenlark;

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken invariant: %s\n", what);
        std::abort();
    }
}

void checkReception(Application& app)
{
    const State& s = app.state();
    require(s.rxbuffer.size() <= kMaxLineLength, "reception buffer within the line limit");
    require(app.form1().Text9.text() == s.rxbuffer, "echo equals the reception buffer");
    require(s.msgcount >= 0 && s.msgcount <= kTableSlots, "message count within the table");
}

void checkLists(Application& app)
{
    const State& s = app.state();
    std::multiset<std::string> ids;
    for (int i = 0; i < s.msgcount; ++i)
        ids.insert(s.MessageTable[static_cast<std::size_t>(i)].msgid);
    for (const ListBox* list : {&app.form1().MessageList, &app.form1().MessageList2}) {
        std::multiset<std::string> listed;
        for (int i = 0; i < list->count(); ++i)
            listed.insert(list->list(i));
        require(listed == ids, "both lists hold the identifiers of the table");
    }
}

void checkTable(const State& s)
{
    std::set<std::string> seen;
    for (int i = 0; i < s.msgcount; ++i) {
        const MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
        require(r.msgid.size() <= 4, "identifier of at most four characters");
        require(seen.insert(r.msgid).second, "one record per identifier");
        const std::string& t = r.msgtext;
        require(t.empty() || t.compare(0, 2, "\r\n") == 0, "body begins with CR LF");
        for (std::size_t j = 0; j < t.size(); ++j) {
            const auto byte = static_cast<unsigned char>(t[j]);
            if (byte == '\r')
                require(j + 1 < t.size() && t[j + 1] == '\n', "CR only before LF");
            else if (byte == '\n')
                require(j > 0 && t[j - 1] == '\r', "LF only after CR");
            else
                require(byte >= 32, "no other control character in a body");
            require(!(byte >= 'a' && byte <= 'z'), "bodies are upper case");
        }
        const auto marks = std::count(t.begin(), t.end(), '~');
        require(r.errcount == std::min<long long>(marks, 32767), "error count of the stored copy");
        require(r.rxcount >= 1, "received at least once");
    }
}

// The working folder with the station files, made once for the whole run.
test::TempWorkingDir& folder()
{
    static test::TempWorkingDir dir;
    static const bool written = [] {
        for (const char* tag : {"424", "490", "518", "4209"})
            test::writeFile(std::string(tag) + ".txt", test::makeStationFile(tag));
        test::writeFile("fenlark.ini", test::kPortZeroSettings);
        return true;
    }();
    (void)written;
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    folder();
    if (size == 0)
        return 0;
    // The first byte chooses how much of the rest is replayed from the capture file before the
    // remainder arrives on the serial port, and in pieces of what size.
    const std::size_t piece = 1 + data[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t replayed = data[0] >= 128 ? bytes.size() * (data[0] - 128) / 127 : 0;

    test::FakeClock clock;
    test::FakeDialogs dialogs;
    test::FakeSerial serial;
    test::RecordingPrinter printer;
    test::RecordingCanvas canvas;
    Application app(Platform{clock, dialogs, printer, serial, canvas});
    app.start();

    test::writeFile("capture.txt", bytes.substr(0, replayed));
    app.form1().mnucapture.click();
    checkReception(app);
    for (std::size_t at = replayed; at < bytes.size(); at += piece) {
        serial.send(bytes.substr(at, piece));
        clock.advance(1);
        checkReception(app);
    }
    checkLists(app);
    checkTable(app.state());
    return 0;
}
