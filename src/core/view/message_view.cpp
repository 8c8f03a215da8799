#include "view/message_view.h"

#include "browse/station_table.h"
#include "common/text.h"
#include "forms/list_controls.h"
#include "reception/copy_quality.h"

#include <algorithm>

namespace fenlark {

std::string qualityText(long long length, long long errors)
{
    return "with" + numberText(copyPercentage(length, errors)) + "% copy";
}

std::string receivedText(int rxcount)
{
    return rxcount == 1 ? "Received once" : "Received " + numberText(rxcount) + " times";
}

std::string shortDateText(DateTime t)
{
    const std::string text = t.text();
    return std::string(mid(text, 1, 6)) + std::string(mid(text, 9, 2));
}

std::string timeText(DateTime t)
{
    const std::string text = t.text();
    return text.size() <= 8 ? text : text.substr(text.size() - 8);
}

std::string ageText(DateTime now, DateTime t)
{
    const auto d = calendarDayDifference(now, t);
    if (d > 1)
        return numberText(d) + " days ago";
    return d == 1 ? " yesterday" : " today";
}

std::string typeText(std::string_view msgid, const ListControl& types)
{
    std::string text;
    const std::string_view typeLetter = mid(msgid, 2, 1);
    for (int i = 1; i < types.count(); ++i) {
        const std::string& entry = types.list(i);
        if (firstChar(entry) == typeLetter)
            text = entry.substr(std::min<std::size_t>(2, entry.size()));
    }
    return text;
}

MessageOrigin messageOrigin(std::string_view msgid, const ListControl& types,
                            const StationTable& table)
{
    MessageOrigin origin{typeText(msgid, types), {}, 0};
    const std::string_view stationLetter = mid(msgid, 1, 1);
    for (int k = 1; k < kStationSlots; ++k) {
        const std::size_t slot = static_cast<std::size_t>(k);
        const std::string& entry = table.stnentry[slot];
        if (firstChar(entry) != stationLetter)
            continue;
        if (entry.size() > 6) {
            origin.station = k;
            origin.typeAndStation +=
                " from " + entry.substr(3) + "     (" + table.stncall[slot] + ")";
            origin.stationPosition = "  Lat: " + table.stnlat[slot] + "  Lon: " +
                                     table.stnlon[slot] + "  Tx times: " + table.stntxtimes[slot];
        } else {
            origin.stationPosition.clear();
        }
    }
    return origin;
}

} // namespace fenlark
