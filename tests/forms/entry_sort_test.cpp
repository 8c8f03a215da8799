// Sorting list entries: the same order as a stable sort by bytes, for short and long entries.
#include "forms/entry_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace fenlark {
namespace {

TEST(SortEntries, AgreesWithAByteSortOnRandomLists)
{
    // Small alphabets make many equal entries and shared prefixes; the bytes include 0 and 0xFF.
    const std::string alphabet = std::string("09AZaz ~\x7f\x80\xff") + std::string(1, '\0');
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        const std::size_t maxLength = round % 3 == 0 ? 12 : 8; // some rounds take the slow path
        std::vector<std::string> entries(random() % 200);
        for (std::string& e : entries) {
            e.resize(random() % (maxLength + 1));
            for (char& c : e)
                c = alphabet[random() % alphabet.size()];
        }
        std::vector<std::string> expected = entries;
        std::stable_sort(expected.begin(), expected.end());
        sortEntries(entries);
        ASSERT_EQ(entries, expected) << "round " << round;
    }
}

TEST(SortEntries, PutsPrefixesFirstAndDigitsBeforeLetters)
{
    std::vector<std::string> entries = {"AB", "A", "AB1", "", "9Z", "AB", "A\x80", "A\x7f"};
    sortEntries(entries);
    EXPECT_EQ(entries, (std::vector<std::string>{"", "9Z", "A", "AB", "AB", "AB1", "A\x7f",
                                                 "A\x80"}));
}

} // namespace
} // namespace fenlark
