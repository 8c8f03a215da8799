// Scoring a decoder's text against what was sent: character errors by alignment (edit distance),
// and which of them were shown as the error character.
#pragma once

#include <string>

namespace fenlark::sitorsim {

struct Score {
    long long sent = 0;        // characters of the reference
    long long errors = 0;      // substitutions + deletions + insertions
    long long wrongShown = 0;  // substitutions and insertions not shown as '*'
    long long firstRight = -1; // index in the received text of the first right character
    double cer() const
    {
        return sent ? static_cast<double>(errors) / static_cast<double>(sent) : 0;
    }
};

Score score(const std::string& sent, const std::string& received);

} // namespace fenlark::sitorsim
