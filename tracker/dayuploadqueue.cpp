#include "tracker/dayuploadqueue.h"

#include "app/settingsstore.h"
#include "tracker/dayclock.h"

#include <algorithm>

namespace {

void write(const QList<QDate>& dates)
{
    DayClock::storeDates(DayUploadQueue::key(), dates);
}

} // namespace

namespace DayUploadQueue {

QString key()
{
    return QStringLiteral("dayuploadqueue");
}

QList<QDate> dates()
{
    return DayClock::storedDates(key());
}

void add(const QDate& date)
{
    const SettingsStore::Batch batch;
    QList<QDate> all = dates();
    if (!date.isValid() || all.contains(date))
        return;
    all.append(date);
    std::sort(all.begin(), all.end());
    write(all);
}

void remove(const QDate& date)
{
    const SettingsStore::Batch batch;
    QList<QDate> all = dates();
    if (all.removeAll(date) > 0)
        write(all);
}

} // namespace DayUploadQueue
