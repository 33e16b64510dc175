#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The finished days still to be sent to the service, in the member's
// settings, keyed by date: a date is queued at most once. The day itself is
// read from the archive when it is sent.
namespace DayUploadQueue {

QList<QDate> dates(); // ascending
void add(const QDate& date);
void remove(const QDate& date);

QString key(); // "dayuploadqueue"

} // namespace DayUploadQueue
