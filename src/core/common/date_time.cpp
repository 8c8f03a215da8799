#include "common/date_time.h"

#include <cmath>
#include <cstdio>

namespace fenlark {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to a civil date (proleptic Gregorian), after H. Hinnant's algorithm.
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct YearMonthDay {
    std::int64_t y;
    unsigned m;
    unsigned d;
};

constexpr YearMonthDay civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {y + (m <= 2), m, d};
}

constexpr std::int64_t kEpochFrom1970 = daysFromCivil(1899, 12, 30);

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

bool isLeap(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(std::int64_t y, int m)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// Reads `least` to `most` digits at `pos`, as many as there are; advances pos.
std::optional<int> digits(std::string_view s, std::size_t& pos, std::size_t least, std::size_t most)
{
    std::size_t n = 0;
    int v = 0;
    while (n < most && pos + n < s.size() && s[pos + n] >= '0' && s[pos + n] <= '9') {
        v = v * 10 + (s[pos + n] - '0');
        ++n;
    }
    if (n < least)
        return std::nullopt;
    pos += n;
    return v;
}

bool literal(std::string_view s, std::size_t& pos, char c)
{
    if (pos >= s.size() || s[pos] != c)
        return false;
    ++pos;
    return true;
}

} // namespace

DateTime DateTime::fromCivil(const CivilDateTime& c)
{
    const std::int64_t day = daysFromCivil(c.year, static_cast<unsigned>(c.month),
                                           static_cast<unsigned>(c.day)) -
                             kEpochFrom1970;
    const std::int64_t secs = day * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second;
    return DateTime(static_cast<double>(secs) / kSecondsPerDay);
}

std::int64_t DateTime::totalSeconds() const
{
    return static_cast<std::int64_t>(std::llround(m_days * kSecondsPerDay));
}

std::int64_t DateTime::dayNumber() const { return floorDiv(totalSeconds(), kSecondsPerDay); }

int DateTime::secondsOfDay() const
{
    return static_cast<int>(totalSeconds() - dayNumber() * kSecondsPerDay);
}

CivilDateTime DateTime::civil() const
{
    const YearMonthDay ymd = civilFromDays(dayNumber() + kEpochFrom1970);
    const int sod = secondsOfDay();
    return {static_cast<int>(ymd.y), static_cast<int>(ymd.m), static_cast<int>(ymd.d), sod / 3600,
            sod / 60 % 60, sod % 60};
}

DateTime DateTime::plusSeconds(std::int64_t seconds) const
{
    return DateTime(static_cast<double>(totalSeconds() + seconds) / kSecondsPerDay);
}

std::string DateTime::text() const
{
    const CivilDateTime c = civil();
    char buf[48];
    if (c.hour == 0 && c.minute == 0 && c.second == 0)
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", c.day, c.month, c.year);
    else
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d", c.day, c.month, c.year,
                      c.hour, c.minute, c.second);
    return buf;
}

std::optional<DateTime> DateTime::parse(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    std::size_t pos = 0;
    CivilDateTime c;
    const auto d = digits(s, pos, 1, 2);
    if (!d || !literal(s, pos, '/'))
        return std::nullopt;
    const auto m = digits(s, pos, 1, 2);
    if (!m || !literal(s, pos, '/'))
        return std::nullopt;
    const auto y = digits(s, pos, 4, 4);
    if (!y)
        return std::nullopt;
    c.day = *d;
    c.month = *m;
    c.year = *y;
    if (c.month < 1 || c.month > 12 || c.day < 1 || c.day > daysInMonth(c.year, c.month))
        return std::nullopt;
    if (pos < s.size()) {
        if (!literal(s, pos, ' '))
            return std::nullopt;
        const auto h = digits(s, pos, 1, 2);
        if (!h || !literal(s, pos, ':'))
            return std::nullopt;
        const auto mi = digits(s, pos, 2, 2);
        if (!mi || !literal(s, pos, ':'))
            return std::nullopt;
        const auto se = digits(s, pos, 2, 2);
        if (!se || pos != s.size() || *h > 23 || *mi > 59 || *se > 59)
            return std::nullopt;
        c.hour = *h;
        c.minute = *mi;
        c.second = *se;
    }
    return fromCivil(c);
}

std::int64_t calendarDayDifference(DateTime today, DateTime t)
{
    return today.dayNumber() - t.dayNumber();
}

} // namespace fenlark
