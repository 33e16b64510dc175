#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The one place the tracker asks for "today": the local date, unless a test
// has moved the clock.
namespace DayClock {

QDate today();
// An invalid date restores the real clock.
void setTodayForTesting(const QDate& date);

// "daydate" in the member's store: the date of the day today's keys hold
// ("yyyy-MM-dd"); invalid while the store has none.
QString storeDateKey();
QDate storeDate();
// A store without a date takes today's: called in the batch that writes a
// day's first food, so a day is dated before it holds anything to close.
void dateUndatedStore();

// A list of dates kept under `key` in the member's store ("yyyy-MM-dd,...").
// Read back ascending, each once; unreadable parts are left out.
QList<QDate> storedDates(const QString& key);
void storeDates(const QString& key, const QList<QDate>& dates);

} // namespace DayClock
