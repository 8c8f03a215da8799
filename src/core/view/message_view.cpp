#include "view/message_view.h"

#include "common/text.h"
#include "reception/copy_quality.h"

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

} // namespace fenlark
