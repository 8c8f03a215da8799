#include "qt/system_clock.h"

#include <QDateTime>

namespace fenlark::qt {

DateTime SystemClock::now()
{
    const QDateTime t = QDateTime::currentDateTimeUtc();
    const QDate d = t.date();
    const QTime h = t.time();
    return DateTime::fromCivil({d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second()});
}

} // namespace fenlark::qt
