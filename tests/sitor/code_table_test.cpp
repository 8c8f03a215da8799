// The 7-unit code against the table of the standard: units, letters, international figures.
#include "sitor/code_table.h"

#include <gtest/gtest.h>

#include <bit>

namespace fenlark::sitor {
namespace {

struct Fact {
    const char* units;
    Symbol symbol;
    char letter;
    char figure;
};

TEST(CodeTable, EveryWordMeansWhatTheStandardSays)
{
    const Fact facts[] = {
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
    for (const Fact& f : facts) {
        SCOPED_TRACE(f.units);
        const auto e = lookUp(wordFromUnits(f.units));
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(e->symbol, f.symbol);
        EXPECT_EQ(e->letter, f.letter);
        EXPECT_EQ(e->figure, f.figure);
    }
    // Exactly the words with 4 B are valid; every other word is mutilated.
    int valid = 0;
    for (unsigned w = 0; w < 128; ++w) {
        const bool four = std::popcount(w) == 4;
        EXPECT_EQ(lookUp(static_cast<Word>(w)).has_value(), four) << w;
        EXPECT_EQ(hasValidWeight(static_cast<Word>(w)), four) << w;
        valid += four;
    }
    EXPECT_EQ(valid, validWordCount);
}

} // namespace
} // namespace fenlark::sitor
