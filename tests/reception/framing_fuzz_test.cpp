// Random receiver streams (fixed seeds) through live reception and capture replay, checking what
// must hold whatever arrives.
#include "reception/reception_invariants.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

namespace fenlark {
namespace {

// A stream biased toward what framing looks at: header and end marks, line ends, error marks,
// identifier characters, any byte, and now and then a very long line. A dense stream is whole
// short messages with identifiers from a large space, so that the table fills up.
std::string randomStream(std::mt19937& rng, std::size_t size, bool dense)
{
    static const char* const kPieces[] = {
        "ZCZC ", "zczc ", "ZCZC/", "ZCZC~", "ZCZC", "NNNN", "nnnn", "NN", "\r", "\r",
        "\r\n",  "\n",    "~",     "AB",    "EZ0",  "1 ",   "n",    "z",  "ZC", "\x7F"};
    const std::string idChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string out;
    while (out.size() < size) {
        const unsigned roll = rng() % 1000;
        if (dense) {
            out += "ZCZC ";
            for (int i = 0; i < 4; ++i)
                out += idChars[rng() % idChars.size()];
            out += roll < 500 ? "\r\nB\r\nNNNN\r\n" : "\r\nB\r\nnnnn\r\n";
        } else if (roll < 800) {
            out += kPieces[rng() % std::size(kPieces)];
        } else if (roll < 999) {
            out += static_cast<char>(rng() % 256);
        } else {
            out += std::string(3000 + rng() % 6000, "Xx~ "[rng() % 4]);
        }
    }
    out.resize(size);
    return out;
}

TEST(FramingFuzz, RandomStreamsKeepTheInvariantsLiveAndReplayed)
{
    // Seed, whether the stream is dense, and whether a random share of it is replayed.
    const std::tuple<unsigned, bool, bool> runs[] = {{1, false, false}, {2, false, false},
                                                     {3, false, false}, {4, true, false},
                                                     {11, false, true}, {12, false, true}};
    for (const auto& [seed, dense, replay] : runs) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        const std::string stream = randomStream(rng, 200000, dense);
        test::TestProgram p;
        const std::size_t replayed = replay ? rng() % stream.size() : 0;
        EXPECT_EQ(test::feed(p, stream, replayed, [&] { return 1 + rng() % 512; }), "");
        EXPECT_GT(p.state().msgcount, 0);
        if (dense) {
            EXPECT_EQ(p.state().msgcount, kTableSlots) << "the dense stream fills the table";
            EXPECT_EQ(std::count_if(p.dialogs.notices.begin(), p.dialogs.notices.end(),
                                    [](const std::string& notice) {
                                        return notice.starts_with("The message table is full");
                                    }),
                      1);
        }
    }
}

} // namespace
} // namespace fenlark
