#pragma once

#include "exercise/exercisestore.h"

#include <QDate>
#include <QList>

// The days whose exercise the member may change: today, kept in the
// member's store until the day closes, and the earlier days still in the
// archive of finished days. A change to an earlier day is written into its
// archived copy (and its dated key, so that a second closing of that date
// reads the same) and queues the day to be sent again: the service
// replaces a day it is sent again, so the day is never counted twice, and
// the queue holds each date once.
namespace ExerciseDays {

// Today first, then the archived days, newest first.
QList<QDate> choosable(const QDate& today);
bool isChoosable(const QDate& date, const QDate& today);

QList<ExerciseEntry> entries(const QDate& date, const QDate& today);
// The share that counts on that day: today's setting, an archived day's as
// it closed.
ExerciseCalories::Share share(const QDate& date, const QDate& today);
int burned(const QDate& date, const QDate& today);
int counted(const QDate& date, const QDate& today);

// As ExerciseStore's; false for a day that is neither today nor archived,
// an invalid entry or an index out of range.
bool add(const QDate& date, const QDate& today, const ExerciseEntry& entry);
bool edit(const QDate& date, const QDate& today, int index, const ExerciseEntry& entry);
bool remove(const QDate& date, const QDate& today, int index);

} // namespace ExerciseDays
