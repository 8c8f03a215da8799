// The 7-unit code: the 35 valid words and what each one means in letters and in figures.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace fenlark::sitor {

// A word's units as bits, the first unit sent in bit 6; a 1 is B (the higher radio frequency).
using Word = std::uint8_t;

enum class Symbol {
    Printing, // a letter, a figure, or a figure that prints nothing (bell, "who are you", national)
    Space,
    CarriageReturn,
    LineFeed,
    LetterShift,
    FigureShift,
    Unperforated,
    Alpha,
    Beta,
    Rq,
};

struct CodeEntry {
    Word word;
    Symbol symbol;
    char letter; // in letters case (0 when the word is not Printing)
    char figure; // in figures case, international assignment; 0 prints nothing
};

inline constexpr int validWordCount = 35;

// The 35 valid words.
const std::array<CodeEntry, validWordCount>& codeTable();

// The entry of a valid word; nothing for a mutilated one.
std::optional<CodeEntry> lookUp(Word word);

// A word written as its units, e.g. "BBBYYYB" (A).
Word wordFromUnits(const char* units);

// True when the word has exactly 4 B (a valid signal has; reversed sense gives 3).
bool hasValidWeight(Word word);

} // namespace fenlark::sitor
