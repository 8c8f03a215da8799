#include "alerts/alarm_rules.h"

namespace fenlark {

std::string_view alarmHeading(std::string_view msgid, const AlarmTypes& added)
{
    if (msgid.size() < 2)
        return {};
    switch (msgid[1]) {
    case 'D':
        return "SEARCH AND RESCUE";
    case 'A':
        if (added.navigationalWarnings)
            return "NAVIGATIONAL WARNING";
        break;
    case 'B':
        if (added.meteorologicalWarnings)
            return "METEOROLOGICAL WARNING";
        break;
    case 'L':
        if (added.furtherNavigationalWarnings)
            return "FURTHER NAVIGATIONAL WARNING";
        break;
    default:
        break;
    }
    if (added.numberZero && msgid.ends_with("00"))
        return "MESSAGE NUMBER 00";
    return {};
}

bool soundsAlarm(std::string_view msgid, const AlarmTypes& added)
{
    return !alarmHeading(msgid, added).empty();
}

} // namespace fenlark
