#include "browse/message_filter.h"

#include "common/text.h"
#include "view/vocabulary.h"

namespace fenlark {

bool passesFilter(std::string_view msgid, std::string_view stationText, std::string_view typeText)
{
    const bool anyType = typeText == kAllMessages;
    const bool anyStation = stationText == kAllStations;
    return (anyType || mid(msgid, 2, 1) == firstChar(typeText)) &&
           (anyStation || mid(msgid, 1, 1) == firstChar(stationText));
}

} // namespace fenlark
