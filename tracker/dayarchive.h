#pragma once

#include "tracker/daystore.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// A finished day as it was when it closed.
struct ArchivedDay
{
    QDate date;
    int target = 0;    // the day's "totalcalories"
    int remaining = 0; // its "remaincalories"
    // The day's keys exactly as they were stored: meal_<m>_<c>, details_<m>_<c>,
    // Cal_<m>, totaldetails_<m>.
    QHash<QString, QString> values;

    // Parsed like DayStore::entries.
    QList<MealEntry> entries(int meal, qint32 category) const;
    // Categories with a non-empty record in that meal, ascending.
    QList<qint32> categories(int meal) const;
    int mealCalories(int meal) const;
    Nutrients categoryNutrients(int meal, qint32 category) const;
    // True when any meal record holds a food.
    bool hasFood() const;

    // This day with `later` added, for a date that closed twice (a clock
    // ran a day ahead and was put back): records joined, totals added, the
    // later target, and remaining what that target leaves.
    ArchivedDay joinedWith(const ArchivedDay& later) const;

    // The stored form of a day (JSON text) and back; nullopt for text that
    // is not a day. Keys that hold nothing are left out: they read the same.
    QString toText() const;
    // An empty record, or the 0 calories or zero nutrients written for a
    // meal or category with nothing chosen.
    static bool holdsNothing(const QString& value);
    static std::optional<ArchivedDay> fromText(const QString& text);
};

// Finished days in the member's settings, newest last. Written only when a
// day is closed (see DayRollover); bounded to the newest `keptDays` days.
namespace DayArchive {

inline constexpr int keptDays = 120;

QList<QDate> dates(); // ascending
std::optional<ArchivedDay> day(const QDate& date);
QList<ArchivedDay> latest(int count); // newest first

// Stores `day` (replacing one of the same date) and drops the oldest days
// beyond the bound. Call inside the settings batch that closes the day.
void store(const ArchivedDay& day);

// "archive_<yyyy-MM-dd>" and "archivedates".
QString dayKey(const QDate& date);
QString datesKey();

} // namespace DayArchive
