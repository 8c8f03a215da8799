// The texts the message view composes from a record: quality, reception count, dates and ages.
#pragma once

#include "common/date_time.h"

#include <string>

namespace fenlark {

// "with 99% copy".
std::string qualityText(long long length, long long errors);
// "Received once", "Received  3 times".
std::string receivedText(int rxcount);
// The date as "dd/mm/yy" (characters 1-6 and 9-10 of the date-time text).
std::string shortDateText(DateTime t);
// The last eight characters of the date-time text: the time, or "/mm/yyyy" at midnight.
std::string timeText(DateTime t);
// " today", " yesterday", " 3 days ago"; a date after today (a clock set back, a log from a
// machine whose clock was fast) is " today".
std::string ageText(DateTime now, DateTime t);

} // namespace fenlark
