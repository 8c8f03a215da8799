#include "combiner.h"

#include "signal_facts.h"

#include <algorithm>
#include <cmath>

namespace fenlark::sitor {
namespace {

// Half the sum of the log-likelihoods, signed by whether the word has B in each unit: the word's
// log-likelihood up to a constant shared by all words.
double score(Word word, std::span<const float, 7> l)
{
    double s = 0;
    for (int i = 0; i < signal::unitsPerWord; ++i)
        s += ((word >> (signal::unitsPerWord - 1 - i)) & 1) ? l[i] : -l[i];
    return 0.5 * s;
}

} // namespace

Decision combine(std::span<const float, 7> dx, std::span<const float, 7> rx)
{
    static const Word rq = wordFromUnits("YBBYYBB");
    static const Word alpha = wordFromUnits("BBBBYYY");
    const auto& table = codeTable();
    std::array<double, validWordCount + 1> scores{};
    for (int i = 0; i < validWordCount; ++i)
        scores[i] = score(table[i].word, dx) + score(table[i].word, rx);
    scores[validWordCount] = score(rq, dx) + score(alpha, rx);
    const auto best =
        static_cast<int>(std::max_element(scores.begin(), scores.end()) - scores.begin());
    double sum = 0;
    for (double s : scores)
        sum += std::exp(s - scores[best]);
    Decision d;
    d.phasing = best == validWordCount;
    if (!d.phasing)
        d.entry = table[best];
    d.probability = 1.0 / sum;
    return d;
}

void TextWriter::put(char c)
{
    m_text += c;
    ++m_characters;
}

void TextWriter::write(const Decision& d)
{
    if (d.phasing)
        return;
    if (d.probability < doubtfulBelow) {
        put('*');
        ++m_doubtful;
        // A doubtful shift still most likely shifts: the text after it depends on the case more
        // than on this one character.
        if (d.entry.symbol == Symbol::LetterShift)
            m_figures = false;
        if (d.entry.symbol == Symbol::FigureShift)
            m_figures = true;
        return;
    }
    switch (d.entry.symbol) {
    case Symbol::Printing: {
        const char c = m_figures ? d.entry.figure : d.entry.letter;
        if (c != 0)
            put(c);
        break;
    }
    case Symbol::Space:
        put(' ');
        break;
    case Symbol::CarriageReturn:
        put('\r');
        break;
    case Symbol::LineFeed:
        put('\n');
        break;
    case Symbol::LetterShift:
        m_figures = false;
        break;
    case Symbol::FigureShift:
        m_figures = true;
        break;
    case Symbol::Unperforated:
    case Symbol::Alpha:
    case Symbol::Beta:
    case Symbol::Rq:
        break;
    }
}

std::string TextWriter::take()
{
    std::string out;
    out.swap(m_text);
    return out;
}

} // namespace fenlark::sitor
