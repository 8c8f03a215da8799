#include "alerts/alarm_rules.h"

namespace fenlark {

bool soundsAlarm(std::string_view msgid, const AlarmTypes& added)
{
    if (added.numberZero && msgid.size() >= 2 && msgid.ends_with("00"))
        return true;
    if (msgid.size() < 2)
        return false;
    switch (msgid[1]) {
    case 'D':
        return true;
    case 'A':
        return added.navigationalWarnings;
    case 'B':
        return added.meteorologicalWarnings;
    case 'L':
        return added.furtherNavigationalWarnings;
    default:
        return false;
    }
}

} // namespace fenlark
