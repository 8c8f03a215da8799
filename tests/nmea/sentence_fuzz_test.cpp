// Random receiver streams of NRX sentences (fixed seeds): interleaved, split and escaped at
// random, they give back every message exactly; damaged at random, what comes out stays well
// formed.
#include "nmea/nrx.h"
#include "nmea/sentence_decoder.h"
#include "reception/line_limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace fenlark::test {
namespace {

using nmea::SentenceDecoder;

struct Stream {
    std::vector<std::string> sentences;
    std::vector<std::string> lines; // what the decoder must give back, in order
};

// The text of a sentence as a receiver escapes it: reserved characters always, others at random.
std::string escaped(const std::string& text, std::mt19937& rng)
{
    std::string out;
    for (const char c : text) {
        if (c == '*' || c == ',' || c == '^' || c == '\r' || c == '\n' || rng() % 20 == 0) {
            char hex[4];
            std::snprintf(hex, sizeof hex, rng() % 2 ? "^%02X" : "^%02x",
                          static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

Stream randomStream(std::mt19937& rng, int messages)
{
    const std::string chars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,-*^~/:";
    struct Active {
        std::vector<std::string> sentenceTexts;
        std::size_t sent = 0;
        int id = 0;
        std::string code;
        std::vector<std::string> lines;
    };
    Stream stream;
    std::vector<Active> active;
    int started = 0;
    while (started < messages || !active.empty()) {
        if (rng() % 50 == 0)
            stream.sentences.push_back(
                sentence("$GPRMC,120000,A,5230.00,N,00130.00,E,,,051226,,*"));
        if (started < messages && active.size() < SentenceDecoder::kMaxPending && rng() % 3 == 0) {
            Active m;
            do
                m.id = static_cast<int>(rng() % 100);
            while (
                std::any_of(active.begin(), active.end(), [&](auto& a) { return a.id == m.id; }));
            for (int i = 0; i < 4; ++i)
                m.code += chars[rng() % 36];
            m.lines = {"ZCZC " + m.code};
            std::string text;
            for (int n = 1 + static_cast<int>(rng() % 8); n > 0; --n) {
                std::string line;
                for (int k = static_cast<int>(rng() % 80); k > 0 || (n == 1 && line.empty()); --k)
                    line += chars[rng() % chars.size()];
                m.lines.push_back(line);
                text += line + (n > 1 || rng() % 2 ? "\r\n" : "");
            }
            m.lines.push_back("NNNN");
            for (std::size_t at = 0; at < text.size();) {
                const std::size_t piece = 1 + rng() % 60;
                m.sentenceTexts.push_back(escaped(text.substr(at, piece), rng));
                at += piece;
            }
            active.push_back(m);
            ++started;
            continue;
        }
        if (active.empty())
            continue;
        const std::size_t pick = rng() % active.size();
        Active& m = active[pick];
        const std::size_t total = m.sentenceTexts.size();
        char head[32];
        std::snprintf(head, sizeof head, "%03zu,%03zu,%02d,", total, m.sent + 1, m.id);
        stream.sentences.push_back(
            nrx(head + (m.sent == 0 ? m.code : ""), m.sentenceTexts[m.sent]));
        if (++m.sent == total) {
            stream.lines.insert(stream.lines.end(), m.lines.begin(), m.lines.end());
            active.erase(active.begin() + static_cast<std::ptrdiff_t>(pick));
        }
    }
    return stream;
}

TEST(SentenceFuzz, InterleavedMessagesComeBackExactly)
{
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const Stream stream = randomStream(rng, 2000);
        SentenceDecoder decoder;
        SentenceDecoder::Output out;
        std::vector<std::string> lines;
        for (const std::string& s : stream.sentences) {
            out.clear();
            decoder.feed(s, out);
            ASSERT_TRUE(out.dropped.empty()) << s;
            lines.insert(lines.end(), out.lines.begin(), out.lines.end());
        }
        EXPECT_TRUE(lines == stream.lines);
        EXPECT_EQ(decoder.counts().messages, 2000);
        EXPECT_EQ(decoder.pending(), 0u);
    }
}

TEST(SentenceFuzz, DamagedStreamsGiveWellFormedMessagesOnly)
{
    for (const unsigned seed : {11u, 12u, 13u, 14u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        std::vector<std::string> sentences = randomStream(rng, 2000).sentences;
        // Bytes changed, sentences lost and repeated.
        for (std::size_t i = 0; i < sentences.size(); ++i) {
            const unsigned roll = rng() % 100;
            if (roll < 5 && !sentences[i].empty())
                sentences[i][rng() % sentences[i].size()] = static_cast<char>(rng() % 256);
            else if (roll < 8)
                sentences.erase(sentences.begin() + static_cast<std::ptrdiff_t>(i));
            else if (roll < 10)
                sentences.insert(sentences.begin() + static_cast<std::ptrdiff_t>(i), sentences[i]);
        }
        SentenceDecoder decoder;
        SentenceDecoder::Output out;
        long long groups = 0;
        for (const std::string& s : sentences) {
            out.clear();
            decoder.feed(s, out);
            ASSERT_LE(decoder.pending(), SentenceDecoder::kMaxPending);
            if (out.lines.empty())
                continue;
            ++groups;
            ASSERT_EQ(out.lines.front().substr(0, 5), "ZCZC ");
            ASSERT_EQ(out.lines.back(), "NNNN");
            for (const std::string& line : out.lines) {
                ASSERT_LE(line.size(), kMaxLineLength);
                for (const char c : line)
                    ASSERT_GE(static_cast<unsigned char>(c), 32) << s;
            }
        }
        const auto& c = decoder.counts();
        EXPECT_EQ(c.messages, groups);
        EXPECT_GT(c.messages, 100);
        EXPECT_GT(c.droppedSentences, 0);
        EXPECT_GT(c.droppedMessages, 0);
    }
}

} // namespace
} // namespace fenlark::test
