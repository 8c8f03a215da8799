#include "reception/copy_quality.h"

#include <algorithm>
#include <cmath>

namespace fenlark {

long long countErrorMarks(std::string_view line, std::string_view errchar)
{
    if (errchar.size() != 1)
        return 0;
    return std::count(line.begin(), line.end(), errchar[0]);
}

int copyPercentage(long long length, long long errors)
{
    if (length <= 0)
        return errors > 0 ? 0 : 100;
    const double q = std::floor(static_cast<double>((length - errors) * 100) / length);
    return static_cast<int>(std::clamp(q, 0.0, 100.0));
}

} // namespace fenlark
