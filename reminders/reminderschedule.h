#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <functional>

// One reminder the member can turn on: a meal to log, or the morning weigh-in.
struct ReminderKind final
{
    enum Id
    {
        Breakfast,
        Lunch,
        Dinner,
        WeighIn,
        Count
    };

    // The tracker's meal index of a meal reminder; -1 for the weigh-in.
    static int meal(int id);
    // "breakfast", "lunch", "dinner", "weighin": the settings keys' part.
    static QString key(int id);
    // The notification text: "Log your lunch", "Weigh in".
    static QString text(int id);
    static QTime defaultTime(int id);
};

// The member's reminder choices, kept in the member's own store. Everything is
// off until the member turns it on.
struct ReminderSettings final
{
    bool enabled[ReminderKind::Count] = {};
    QTime time[ReminderKind::Count];
    bool downloadFinished = false;

    ReminderSettings();
    static ReminderSettings load();
    void save() const;
    bool anyOn() const;
};

// What is due when. A reminder is due once its time has come today, for a
// while after it (a breakfast reminder at midnight helps nobody), at most once
// a local day, and only if there is still something to do: the meal is empty,
// today has no weight. The day and time are local: a member who crosses time
// zones is reminded at the set time where they are; a clock put back does not
// remind twice, because the day a reminder was last given is remembered.
class ReminderSchedule final
{
public:
    // How long after its time a reminder is still given.
    static constexpr int lateMinutes = 3 * 60;

    struct Facts
    {
        std::function<bool(int meal)> mealIsEmpty;
        std::function<bool()> todayHasWeight;
    };

    // The reminders (ReminderKind ids) due at local `now`. `lastGiven`
    // returns the day each was last given (invalid: never).
    static QList<int> due(const QDateTime& now, const ReminderSettings& settings,
                          const Facts& facts, const std::function<QDate(int id)>& lastGiven);

    // The day a reminder was last given, in the member's store.
    static QDate lastGiven(int id);
    static void setGiven(int id, const QDate& day);
};
