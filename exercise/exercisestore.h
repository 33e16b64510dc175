#pragma once

#include "exercise/activity.h"
#include "exercise/exercisecalories.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// One logged activity of a day. The name and the calories are kept as
// logged, so an entry reads the same whatever becomes of the catalogue.
struct ExerciseEntry
{
    QString code;
    QString name;
    int minutes = 0;
    int calories = 0;

    friend bool operator==(const ExerciseEntry&, const ExerciseEntry&) = default;
};

// The names of the exercise keys in the member's settings store. They sit
// beside the day store's keys and never change their meaning: a day's
// exercise is kept under its own date, so a day that has not been closed
// yet keeps its exercise until it is archived.
namespace ExerciseKeys {
QString day(const QDate& date);   // "exercise_<yyyy-MM-dd>": JSON array of entries
QString share();                  // "exercise_share": "all", "half" or "none"
QString bodyKg();                 // "exercise_bodykg": the weight the member gave
QString recent();                 // "exercise_recent": codes, most recent first
QString ownActivities();          // "exercise_own": JSON array of {name, kcal_per_hour}
QString datePrefix();             // "exercise_2": every dated key starts with it
} // namespace ExerciseKeys

// The member's exercise as kept in the settings store. Reading never
// writes; a value that does not parse reads as nothing and stays as it is
// until the member changes that day. Each change reaches the disk whole.
class ExerciseStore final
{
public:
    static QList<ExerciseEntry> entries(const QDate& date);
    // Appends; false for an entry without minutes or a name.
    static bool add(const QDate& date, const ExerciseEntry& entry);
    // Replaces the entry at `index`; false when there is none.
    static bool edit(const QDate& date, int index, const ExerciseEntry& entry);
    static bool remove(const QDate& date, int index);
    // The day's whole list, as a change to an archived day leaves it; the
    // entries that are not valid are left out.
    static void replace(const QDate& date, const QList<ExerciseEntry>& entries);
    // Whether the store keeps `entry`: a name, 1 to maxMinutes minutes and
    // calories in range.
    static bool isValid(const ExerciseEntry& entry);
    // The calories the day's entries burned, and the share that counts.
    static int burned(const QDate& date);
    static int counted(const QDate& date);
    // Dates that hold exercise, for closing days.
    static QList<QDate> dates();

    static ExerciseCalories::Share share();
    static void setShare(ExerciseCalories::Share share);

    // The body weight the member gave when the weight log had none.
    static std::optional<double> givenBodyKg();
    static void setGivenBodyKg(double kg);

    // Codes of the activities logged, most recent first (at most `maxRecent`).
    static QStringList recentCodes();
    static void noteRecent(const QString& code);
    static constexpr int maxRecent = 20;

    static QList<Activity> ownActivities();
    // Adds (or, by name, replaces) one of the member's own activities.
    static bool addOwnActivity(const QString& name, double kcalPerHour);

    static QString toJson(const QList<ExerciseEntry>& entries);
    static QList<ExerciseEntry> fromJson(const QString& text);

private:
    static void write(const QDate& date, const QList<ExerciseEntry>& entries);
};
