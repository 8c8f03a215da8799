// Random receiver streams (fixed seeds) through live reception and capture replay, checking what
// must hold whatever arrives.
#include "reception/line_limits.h"
#include "reception/message_record.h"
#include "reception/screen.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace fenlark {
namespace {

using test::TestProgram;
using test::visible;

// A stream biased toward what framing looks at: header and end marks, line ends, error marks,
// bytes of 128 and above, control characters, and now and then a very long line.
std::string randomStream(std::mt19937& rng, std::size_t size, bool dense)
{
    auto pick = [&](const std::string& from) { return from[rng() % from.size()]; };
    auto chance = [&](unsigned percent) { return rng() % 1000 < percent * 10; };
    const std::string idChars = dense ? "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789" : "ABEZ01~";
    std::string out;
    while (out.size() < size) {
        const unsigned roll = rng() % 1000;
        if (dense) {
            // Short whole messages with identifiers from a large space: the table fills up.
            std::string id;
            for (int i = 0; i < 4; ++i)
                id += pick(idChars);
            out += "ZCZC " + id + "\r\nB\r\n" + (chance(50) ? "NNNN\r\n" : "nnnn\r\n");
            continue;
        }
        if (roll < 80) {
            out += chance(50) ? "ZCZC" : "zczc";
            out += pick(" /~Z");
            const int length = static_cast<int>(rng() % 6);
            for (int i = 0; i < length; ++i)
                out += pick(idChars);
        } else if (roll < 140) {
            out += "NNNN";
        } else if (roll < 160) {
            out += "nnnn";
        } else if (roll < 310) {
            out += '\r';
        } else if (roll < 390) {
            out += '\n';
        } else if (roll < 440) {
            out += "\r\n";
        } else if (roll < 480) {
            out += '~';
        } else if (roll < 530) {
            out += static_cast<char>(0x80 + rng() % 0x80);
        } else if (roll < 570) {
            out += static_cast<char>(rng() % 32);
        } else if (roll < 600) {
            out += pick("ZCNnz\x7F");
        } else if (roll < 601) {
            out += std::string(3000 + rng() % 6000, pick("Xx~ "));
        } else {
            const int length = 1 + static_cast<int>(rng() % 20);
            for (int i = 0; i < length; ++i)
                out += pick("ABCNZabcnz0123456789 .,-");
        }
    }
    out.resize(size);
    return out;
}

// What must hold between any two events.
void checkReceptionState(TestProgram& p, std::size_t offset)
{
    const State& s = p.state();
    ASSERT_LE(s.rxbuffer.size(), kMaxLineLength) << "at byte " << offset;
    ASSERT_EQ(p.form().Text9.text(), s.rxbuffer) << "at byte " << offset;
    ASSERT_GE(s.msgcount, 0);
    ASSERT_LE(s.msgcount, kTableSlots);
    // The program runs with " All Stations" and " All Messages": both lists hold every identifier.
    std::multiset<std::string> ids;
    for (int i = 0; i < s.msgcount; ++i)
        ids.insert(s.MessageTable[static_cast<std::size_t>(i)].msgid);
    for (const ListBox* list : {&p.form().MessageList, &p.form().MessageList2}) {
        std::multiset<std::string> listed;
        for (int i = 0; i < list->count(); ++i)
            listed.insert(list->list(i));
        ASSERT_TRUE(listed == ids) << list->name() << " at byte " << offset;
    }
}

void checkTable(TestProgram& p)
{
    const State& s = p.state();
    std::set<std::string> seen;
    for (int i = 0; i < s.msgcount; ++i) {
        const MessageRecord& r = s.MessageTable[static_cast<std::size_t>(i)];
        SCOPED_TRACE("slot " + std::to_string(i) + ": \"" + visible(r.msgid) + "\"");
        ASSERT_LE(r.msgid.size(), 4u);
        ASSERT_TRUE(seen.insert(r.msgid).second) << "filed twice";
        const std::string& t = r.msgtext;
        ASSERT_TRUE(t.empty() || t.compare(0, 2, "\r\n") == 0) << visible(t.substr(0, 20));
        for (std::size_t j = 0; j < t.size(); ++j) {
            const auto byte = static_cast<unsigned char>(t[j]);
            if (byte == '\r')
                ASSERT_TRUE(j + 1 < t.size() && t[j + 1] == '\n') << "lone CR at " << j;
            else if (byte == '\n')
                ASSERT_TRUE(j > 0 && t[j - 1] == '\r') << "lone LF at " << j;
            else
                ASSERT_GE(byte, 32) << "control character at " << j;
            ASSERT_FALSE(byte >= 'a' && byte <= 'z') << "lower case at " << j;
        }
        for (const char c : r.msgid)
            ASSERT_FALSE((c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) < 32);
        // The stored count is that of the stored copy's marks.
        const auto marks = std::count(t.begin(), t.end(), '~');
        ASSERT_EQ(r.errcount, std::min<long long>(marks, 32767));
        ASSERT_GE(r.rxcount, 1);
        ASSERT_LE(r.firstrx.days(), r.lastrx.days());
    }
}

struct FuzzRun {
    unsigned seed;
    std::size_t bytes;
    bool dense;
};

TEST(FramingFuzz, LiveReceptionKeepsItsInvariants)
{
    const FuzzRun runs[] = {
        {1, 200000, false}, {2, 200000, false}, {3, 200000, false},
        {4, 200000, false}, {5, 200000, true},
    };
    for (const FuzzRun& run : runs) {
        SCOPED_TRACE("seed " + std::to_string(run.seed));
        std::mt19937 rng(run.seed);
        const std::string stream = randomStream(rng, run.bytes, run.dense);
        TestProgram p;
        std::size_t at = 0;
        while (at < stream.size()) {
            const std::size_t chunk = 1 + rng() % 512;
            p.receive(stream.substr(at, chunk));
            at += chunk;
            p.clock.advance(1);
            checkReceptionState(p, std::min(at, stream.size()));
            if (HasFatalFailure())
                return;
        }
        checkTable(p);
        if (run.dense) {
            EXPECT_EQ(p.state().msgcount, kTableSlots) << "the dense stream fills the table";
            EXPECT_EQ(p.dialogs.notices.size(), 1u);
        }
        EXPECT_GT(p.state().msgcount, 0);
    }
}

TEST(FramingFuzz, CaptureReplayKeepsItsInvariants)
{
    for (const unsigned seed : {11u, 12u, 13u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const std::string stream = randomStream(rng, 200000, false);
        TestProgram p;
        const std::size_t cut = rng() % stream.size();
        test::writeFile("capture.txt", stream.substr(0, cut));
        p.form().mnucapture.click();
        checkReceptionState(p, cut);
        if (HasFatalFailure())
            return;
        p.receive(stream.substr(cut));
        checkReceptionState(p, stream.size());
        checkTable(p);
    }
}

} // namespace
} // namespace fenlark
