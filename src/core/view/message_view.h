// The texts the message view composes from a record: quality, reception count, dates and ages.
#pragma once

#include "common/date_time.h"

#include <string>
#include <string_view>

namespace fenlark {

class ListControl;
struct StationTable;

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

// The type text of an identifier: the type entry whose letter is its second character, from the
// entry's third character on ("- Navigation Warning"); empty when no entry has the letter.
std::string typeText(std::string_view msgid, const ListControl& types);

// What the view shows of a message's type and station, looked up in the entries of the type and
// station selectors and in the station table.
struct MessageOrigin {
    std::string typeAndStation;  // the type text, then " from ", the station and its call
    std::string stationPosition; // the station's latitude, longitude and transmission times
    int station = 0;             // the station's position in the station list; 0 when none
};
// Every station entry of the table beginning with the identifier's first character counts, the
// later ones appending again; an entry of 6 characters or fewer empties the position.
MessageOrigin messageOrigin(std::string_view msgid, const ListControl& types,
                            const StationTable& table);

} // namespace fenlark
