#include "score.h"

#include <algorithm>
#include <vector>

namespace fenlark::sitorsim {

Score score(const std::string& sent, const std::string& received)
{
    const std::size_t n = sent.size();
    const std::size_t m = received.size();
    // Full table for the backtrace; texts here are a few thousand characters at most.
    std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
    for (std::size_t i = 0; i <= n; ++i)
        d[i][0] = static_cast<int>(i);
    for (std::size_t j = 0; j <= m; ++j)
        d[0][j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= n; ++i)
        for (std::size_t j = 1; j <= m; ++j)
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (sent[i - 1] == received[j - 1] ? 0 : 1)});
    Score s;
    s.sent = static_cast<long long>(n);
    s.errors = d[n][m];
    std::size_t i = n;
    std::size_t j = m;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 &&
            d[i][j] == d[i - 1][j - 1] + (sent[i - 1] == received[j - 1] ? 0 : 1)) {
            if (sent[i - 1] != received[j - 1] && received[j - 1] != '*')
                ++s.wrongShown;
            if (sent[i - 1] == received[j - 1])
                s.firstRight = static_cast<long long>(j - 1);
            --i;
            --j;
        } else if (j > 0 && d[i][j] == d[i][j - 1] + 1) {
            if (received[j - 1] != '*')
                ++s.wrongShown;
            --j;
        } else {
            --i;
        }
    }
    return s;
}

} // namespace fenlark::sitorsim
