#include "exercise/exercisedays.h"

#include "app/settingsstore.h"
#include "tracker/dayarchive.h"
#include "tracker/dayuploadqueue.h"

#include <algorithm>
#include <functional>

namespace {

using ListChange = std::function<bool(QList<ExerciseEntry>&)>;

// One settings batch: the archived day, its dated key and the queue change
// together or not at all.
bool changeArchived(const QDate& date, const ListChange& change)
{
    const SettingsStore::Batch batch;
    std::optional<ArchivedDay> day = DayArchive::day(date);
    if (!day)
        return false;
    if (!change(day->exercise))
        return false;
    DayArchive::store(*day);
    ExerciseStore::replace(date, day->exercise);
    DayUploadQueue::add(date);
    return true;
}

bool isArchived(const QDate& date)
{
    return date.isValid() && DayArchive::dates().contains(date);
}

} // namespace

namespace ExerciseDays {

QList<QDate> choosable(const QDate& today)
{
    QList<QDate> days{today};
    const QList<QDate> archived = DayArchive::dates();
    for (auto it = archived.crbegin(); it != archived.crend(); ++it) {
        if (*it < today)
            days.append(*it);
    }
    return days;
}

bool isChoosable(const QDate& date, const QDate& today)
{
    return date == today || (date < today && isArchived(date));
}

QList<ExerciseEntry> entries(const QDate& date, const QDate& today)
{
    if (date == today)
        return ExerciseStore::entries(date);
    const std::optional<ArchivedDay> day = date < today ? DayArchive::day(date) : std::nullopt;
    return day ? day->exercise : QList<ExerciseEntry>();
}

ExerciseCalories::Share share(const QDate& date, const QDate& today)
{
    if (date != today) {
        if (const std::optional<ArchivedDay> day = DayArchive::day(date))
            return day->exerciseShare;
    }
    return ExerciseStore::share();
}

int burned(const QDate& date, const QDate& today)
{
    int sum = 0;
    for (const ExerciseEntry& entry : entries(date, today))
        sum += entry.calories;
    return sum;
}

int counted(const QDate& date, const QDate& today)
{
    return ExerciseCalories::counted(burned(date, today), share(date, today));
}

bool add(const QDate& date, const QDate& today, const ExerciseEntry& entry)
{
    if (date == today)
        return ExerciseStore::add(date, entry);
    if (date > today || !ExerciseStore::isValid(entry))
        return false;
    const bool added = changeArchived(date, [&entry](QList<ExerciseEntry>& list) {
        list.append(entry);
        return true;
    });
    if (added)
        ExerciseStore::noteRecent(entry.code);
    return added;
}

bool edit(const QDate& date, const QDate& today, int index, const ExerciseEntry& entry)
{
    if (date == today)
        return ExerciseStore::edit(date, index, entry);
    if (date > today || !ExerciseStore::isValid(entry))
        return false;
    const bool edited = changeArchived(date, [&](QList<ExerciseEntry>& list) {
        if (index < 0 || index >= list.size())
            return false;
        list[index] = entry;
        return true;
    });
    if (edited)
        ExerciseStore::noteRecent(entry.code);
    return edited;
}

bool remove(const QDate& date, const QDate& today, int index)
{
    if (date == today)
        return ExerciseStore::remove(date, index);
    if (date > today)
        return false;
    return changeArchived(date, [index](QList<ExerciseEntry>& list) {
        if (index < 0 || index >= list.size())
            return false;
        list.removeAt(index);
        return true;
    });
}

} // namespace ExerciseDays
