#pragma once

#include <QDate>

// The one place the tracker asks for "today": the local date, unless a test
// has moved the clock.
namespace DayClock {

QDate today();
// An invalid date restores the real clock.
void setTodayForTesting(const QDate& date);

} // namespace DayClock
