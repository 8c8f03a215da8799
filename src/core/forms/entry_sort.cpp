#include "forms/entry_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace fenlark {
namespace {

constexpr std::size_t kShortEntry = 8;

// One stable counting-sort pass of `order` by a digit (0 to Buckets - 1) of each entry.
template <std::size_t Buckets, typename Digit>
void countingPass(std::vector<std::uint32_t>& order, std::vector<std::uint32_t>& scratch,
                  Digit digit)
{
    std::array<std::uint32_t, Buckets + 1> start{};
    for (const std::uint32_t i : order)
        ++start[digit(i) + 1];
    std::partial_sum(start.begin(), start.end(), start.begin());
    for (const std::uint32_t i : order)
        scratch[start[digit(i)]++] = i;
    order.swap(scratch);
}

// The entry's bytes as a big-endian number, missing bytes counting as zero.
std::uint64_t keyOf(const std::string& entry)
{
    std::uint64_t key = 0;
    std::memcpy(&key, entry.data(), entry.size());
    if constexpr (std::endian::native == std::endian::little)
        key = __builtin_bswap64(key);
    return key;
}

} // namespace

void sortEntries(std::vector<std::string>& entries)
{
    std::vector<std::string> sorted;
    sortEntriesInto(entries, sorted);
    entries.swap(sorted);
}

void sortEntriesInto(std::vector<std::string>& entries, std::vector<std::string>& out)
{
    out.clear();
    const bool allShort = std::all_of(entries.begin(), entries.end(), [](const std::string& e) {
        return e.size() <= kShortEntry;
    });
    if (!allShort || entries.size() < 2) {
        std::stable_sort(entries.begin(), entries.end());
        out.swap(entries);
        entries.clear();
        return;
    }
    // Least significant digit first: the length (a prefix sorts before its extensions), then the
    // key's bytes from the last to the first. Digits that are the same for every entry are skipped.
    const std::size_t n = entries.size();
    std::vector<std::uint64_t> keys(n);
    std::vector<std::uint8_t> lengths(n);
    std::uint64_t varying = 0;
    bool lengthsVary = false;
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = keyOf(entries[i]);
        lengths[i] = static_cast<std::uint8_t>(entries[i].size());
        varying |= keys[i] ^ keys[0];
        lengthsVary = lengthsVary || lengths[i] != lengths[0];
    }
    std::vector<std::uint32_t> order(n);
    std::vector<std::uint32_t> scratch(n);
    std::iota(order.begin(), order.end(), 0u);
    if (lengthsVary)
        countingPass<kShortEntry + 1>(order, scratch, [&](std::uint32_t i) { return lengths[i]; });
    for (unsigned shift = 0; shift < 64; shift += 8) {
        if (((varying >> shift) & 0xFF) == 0)
            continue;
        countingPass<256>(order, scratch,
                          [&](std::uint32_t i) { return (keys[i] >> shift) & 0xFF; });
    }
    out.reserve(n);
    for (const std::uint32_t i : order)
        out.push_back(std::move(entries[i]));
    entries.clear();
}

} // namespace fenlark
