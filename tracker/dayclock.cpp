#include "tracker/dayclock.h"

namespace {

QDate& overrideDate()
{
    static QDate date;
    return date;
}

} // namespace

namespace DayClock {

QDate today()
{
    const QDate date = overrideDate();
    return date.isValid() ? date : QDate::currentDate();
}

void setTodayForTesting(const QDate& date)
{
    overrideDate() = date;
}

} // namespace DayClock
