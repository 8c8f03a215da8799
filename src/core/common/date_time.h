// UTC date-times: days since 30 December 1899 as a double, the fraction the time of day.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fenlark {

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class DateTime {
public:
    constexpr DateTime() = default;
    constexpr explicit DateTime(double days) : m_days(days) {}

    static DateTime fromCivil(const CivilDateTime& c);

    constexpr double days() const { return m_days; }
    // Whole seconds since the epoch, rounded to the nearest second.
    std::int64_t totalSeconds() const;
    // The calendar day this date-time falls on, counted from the epoch; the time of day is ignored.
    std::int64_t dayNumber() const;
    // Seconds since midnight of the date-time's own day (0 to 86399).
    int secondsOfDay() const;
    CivilDateTime civil() const;

    DateTime plusSeconds(std::int64_t seconds) const;

    // "dd/mm/yyyy HH:MM:SS", or the date alone when the time of day is exactly 00:00:00.
    std::string text() const;
    // Reads the text form back ("dd/mm/yyyy" or "dd/mm/yyyy HH:MM:SS"), also with one-digit day,
    // month or hour ("5/1/2026 9:40:01") and with trailing blanks; nothing for anything else,
    // including impossible dates such as 31/02/2026.
    static std::optional<DateTime> parse(std::string_view text);

    friend bool operator==(const DateTime&, const DateTime&) = default;

private:
    double m_days = 0.0;
};

// Today's day number minus the day number of t: 1 for yesterday whatever the times of day.
std::int64_t calendarDayDifference(DateTime today, DateTime t);

} // namespace fenlark
