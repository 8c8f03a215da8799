#include "code_table.h"

#include "signal_facts.h"

#include <bit>

namespace fenlark::sitor {
namespace {

struct Row {
    const char* units;
    Symbol symbol;
    char letter;
    char figure;
};

// The code table of ITU-R M.476 as given in sitor-b.md; figures are the international (ITA2) ones.
// Figures D ("who are you"), F, G, H (national) and J (bell) print nothing.
constexpr Row rows[validWordCount] = {
    {"BBBYYYB", Symbol::Printing, 'A', '-'},
    {"YBYYBBB", Symbol::Printing, 'B', '?'},
    {"BYBBBYY", Symbol::Printing, 'C', ':'},
    {"BBYYBYB", Symbol::Printing, 'D', 0},
    {"YBBYBYB", Symbol::Printing, 'E', '3'},
    {"BBYBBYY", Symbol::Printing, 'F', 0},
    {"BYBYBBY", Symbol::Printing, 'G', 0},
    {"BYYBYBB", Symbol::Printing, 'H', 0},
    {"BYBBYYB", Symbol::Printing, 'I', '8'},
    {"BBBYBYY", Symbol::Printing, 'J', 0},
    {"YBBBBYY", Symbol::Printing, 'K', '('},
    {"BYBYYBB", Symbol::Printing, 'L', ')'},
    {"BYYBBBY", Symbol::Printing, 'M', '.'},
    {"BYYBBYB", Symbol::Printing, 'N', ','},
    {"BYYYBBB", Symbol::Printing, 'O', '9'},
    {"BYBBYBY", Symbol::Printing, 'P', '0'},
    {"YBBBYBY", Symbol::Printing, 'Q', '1'},
    {"BYBYBYB", Symbol::Printing, 'R', '4'},
    {"BBYBYYB", Symbol::Printing, 'S', '\''},
    {"YYBYBBB", Symbol::Printing, 'T', '5'},
    {"YBBBYYB", Symbol::Printing, 'U', '7'},
    {"YYBBBBY", Symbol::Printing, 'V', '='},
    {"BBBYYBY", Symbol::Printing, 'W', '2'},
    {"YBYBBBY", Symbol::Printing, 'X', '/'},
    {"BBYBYBY", Symbol::Printing, 'Y', '6'},
    {"BBYYYBB", Symbol::Printing, 'Z', '+'},
    {"YYYBBBB", Symbol::CarriageReturn, 0, 0},
    {"YYBBYBB", Symbol::LineFeed, 0, 0},
    {"YBYBBYB", Symbol::LetterShift, 0, 0},
    {"YBBYBBY", Symbol::FigureShift, 0, 0},
    {"YYBBBYB", Symbol::Space, 0, 0},
    {"YBYBYBB", Symbol::Unperforated, 0, 0},
    {"BBBBYYY", Symbol::Alpha, 0, 0},
    {"BBYYBBY", Symbol::Beta, 0, 0},
    {"YBBYYBB", Symbol::Rq, 0, 0},
};

constexpr Word toWord(const char* units)
{
    Word word = 0;
    for (int i = 0; i < signal::unitsPerWord; ++i)
        word = static_cast<Word>((word << 1) | (units[i] == 'B' ? 1 : 0));
    return word;
}

struct Tables {
    std::array<CodeEntry, validWordCount> entries{};
    std::array<std::int8_t, 128> indexOfWord{};
};

constexpr Tables makeTables()
{
    Tables t;
    for (auto& i : t.indexOfWord)
        i = -1;
    for (int i = 0; i < validWordCount; ++i) {
        const Word word = toWord(rows[i].units);
        t.entries[i] = {word, rows[i].symbol, rows[i].letter, rows[i].figure};
        t.indexOfWord[word] = static_cast<std::int8_t>(i);
    }
    return t;
}

constexpr Tables tables = makeTables();

} // namespace

const std::array<CodeEntry, validWordCount>& codeTable()
{
    return tables.entries;
}

std::optional<CodeEntry> lookUp(Word word)
{
    const int i = tables.indexOfWord[word & 0x7F];
    if (i < 0)
        return std::nullopt;
    return tables.entries[i];
}

Word wordFromUnits(const char* units)
{
    return toWord(units);
}

bool hasValidWeight(Word word)
{
    return std::popcount(static_cast<unsigned>(word & 0x7F)) == 4;
}

} // namespace fenlark::sitor
