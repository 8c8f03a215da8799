#include "encoder.h"

#include "sitor/signal_facts.h"

#include <cctype>
#include <cmath>
#include <optional>

namespace fenlark::sitorsim {
namespace {

using sitor::Symbol;
using sitor::Word;

struct Found {
    Word word;
    int figures; // 1 in figures case, 0 in letters case, -1 either
};

std::optional<Found> find(char c)
{
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const auto& e : sitor::codeTable()) {
        if (c == ' ' && e.symbol == Symbol::Space)
            return Found{e.word, -1};
        if (c == '\r' && e.symbol == Symbol::CarriageReturn)
            return Found{e.word, -1};
        if (c == '\n' && e.symbol == Symbol::LineFeed)
            return Found{e.word, -1};
        if (e.symbol == Symbol::Printing && e.letter == c)
            return Found{e.word, 0};
        if (e.symbol == Symbol::Printing && e.figure == c && c != 0)
            return Found{e.word, 1};
    }
    return std::nullopt;
}

Word wordOf(Symbol s)
{
    for (const auto& e : sitor::codeTable())
        if (e.symbol == s)
            return e.word;
    return 0;
}

} // namespace

std::vector<Word> encodeText(const std::string& text)
{
    std::vector<Word> out;
    int figures = -1; // unknown at the start: the first printing character gets its shift
    bool lineStart = true;
    for (char c : text) {
        const auto found = find(c);
        if (!found)
            continue;
        if (found->figures >= 0 && (found->figures != figures || lineStart)) {
            out.push_back(wordOf(found->figures ? Symbol::FigureShift : Symbol::LetterShift));
            figures = found->figures;
            lineStart = false;
        }
        out.push_back(found->word);
        if (c == '\n')
            lineStart = true;
    }
    return out;
}

std::vector<Word> interleave(const std::vector<Word>& characters, double phasingSeconds,
                             double endSeconds)
{
    const Word rq = wordOf(Symbol::Rq);
    const Word alpha = wordOf(Symbol::Alpha);
    const double pairSeconds = 2 * sitor::signal::unitsPerWord * sitor::signal::unitSeconds;
    const auto phasing = static_cast<std::size_t>(std::ceil(phasingSeconds / pairSeconds));
    const auto end = static_cast<std::size_t>(std::ceil(endSeconds / pairSeconds)) + 3;
    std::vector<Word> dx(phasing, rq);
    std::vector<Word> rx(phasing, alpha);
    for (Word w : characters) {
        dx.push_back(w);
        rx.push_back(w);
    }
    dx.insert(dx.end(), end, alpha);
    rx.insert(rx.end(), end, alpha);
    // DX of character n, then RX of character n - 2 (5 positions after its DX copy).
    std::vector<Word> out;
    const std::size_t lag = (sitor::signal::repeatPositions - 1) / 2;
    for (std::size_t n = 0; n < dx.size() + lag; ++n) {
        out.push_back(n < dx.size() ? dx[n] : alpha);
        out.push_back(n >= lag ? rx[n - lag] : alpha);
    }
    return out;
}

std::vector<bool> toUnits(const std::vector<Word>& words)
{
    std::vector<bool> units;
    units.reserve(words.size() * sitor::signal::unitsPerWord);
    for (Word w : words)
        for (int i = sitor::signal::unitsPerWord - 1; i >= 0; --i)
            units.push_back((w >> i) & 1);
    return units;
}

std::string printable(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const auto found = find(c);
        if (!found)
            continue;
        for (const auto& e : sitor::codeTable())
            if (e.word == found->word) {
                if (e.symbol == Symbol::Printing)
                    out += found->figures ? e.figure : e.letter;
                else
                    out += c;
            }
    }
    return out;
}

} // namespace fenlark::sitorsim
