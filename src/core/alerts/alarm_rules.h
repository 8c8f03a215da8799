// Which filed messages sound the alarm: search and rescue (type D) always, and the types and the
// message number the operator adds.
#pragma once

#include <string_view>

namespace fenlark {

// The alarms the operator may add to type D, which cannot be switched off.
struct AlarmTypes {
    bool navigationalWarnings = false;        // type A
    bool meteorologicalWarnings = false;      // type B
    bool furtherNavigationalWarnings = false; // type L
    bool numberZero = false;                  // number 00: the identifier ends in "00"
    friend bool operator==(const AlarmTypes&, const AlarmTypes&) = default;
};

// Whether a message filed as new under `msgid` sounds the alarm. The type is the identifier's
// second character.
bool soundsAlarm(std::string_view msgid, const AlarmTypes& added);

// The heading the alarm window shows over a message filed under `msgid`, for the reason it
// sounded: "SEARCH AND RESCUE" for type D, else the added type's or the number's own text.
std::string_view alarmHeading(std::string_view msgid, const AlarmTypes& added);

} // namespace fenlark
