#include "reminders/reminderschedule.h"

#include "app/settingsstore.h"

#include <QCoreApplication>

namespace {

const char timeFormat[] = "HH:mm";
const char dayFormat[] = "yyyy-MM-dd";

QString onKey(int id)
{
    return QStringLiteral("reminder_%1_on").arg(ReminderKind::key(id));
}

QString timeKey(int id)
{
    return QStringLiteral("reminder_%1_time").arg(ReminderKind::key(id));
}

QString givenKey(int id)
{
    return QStringLiteral("reminder_%1_given").arg(ReminderKind::key(id));
}

const QString downloadKey = QStringLiteral("reminder_download_on");

} // namespace

int ReminderKind::meal(int id)
{
    // Meals are indexed breakfast 0, lunch 2, dinner 4 (snacks between).
    switch (id) {
    case Breakfast:
        return 0;
    case Lunch:
        return 2;
    case Dinner:
        return 4;
    default:
        return -1;
    }
}

QString ReminderKind::key(int id)
{
    switch (id) {
    case Breakfast:
        return QStringLiteral("breakfast");
    case Lunch:
        return QStringLiteral("lunch");
    case Dinner:
        return QStringLiteral("dinner");
    default:
        return QStringLiteral("weighin");
    }
}

QString ReminderKind::text(int id)
{
    switch (id) {
    case Breakfast:
        return QCoreApplication::translate("ReminderKind", "Log your breakfast");
    case Lunch:
        return QCoreApplication::translate("ReminderKind", "Log your lunch");
    case Dinner:
        return QCoreApplication::translate("ReminderKind", "Log your dinner");
    default:
        return QCoreApplication::translate("ReminderKind", "Weigh in");
    }
}

QTime ReminderKind::defaultTime(int id)
{
    switch (id) {
    case Breakfast:
        return QTime(8, 30);
    case Lunch:
        return QTime(12, 30);
    case Dinner:
        return QTime(19, 0);
    default:
        return QTime(7, 30);
    }
}

ReminderSettings::ReminderSettings()
{
    for (int id = 0; id < ReminderKind::Count; ++id)
        time[id] = ReminderKind::defaultTime(id);
}

ReminderSettings ReminderSettings::load()
{
    ReminderSettings settings;
    for (int id = 0; id < ReminderKind::Count; ++id) {
        settings.enabled[id] = SettingsStore::memberInt(onKey(id)) == 1;
        const QTime time =
            QTime::fromString(SettingsStore::memberText(timeKey(id)), QLatin1String(timeFormat));
        if (time.isValid())
            settings.time[id] = time;
    }
    settings.downloadFinished = SettingsStore::memberInt(downloadKey) == 1;
    return settings;
}

void ReminderSettings::save() const
{
    SettingsStore::Batch batch;
    for (int id = 0; id < ReminderKind::Count; ++id) {
        SettingsStore::setMemberInt(onKey(id), enabled[id] ? 1 : 0);
        SettingsStore::setMemberText(timeKey(id), time[id].toString(QLatin1String(timeFormat)));
    }
    SettingsStore::setMemberInt(downloadKey, downloadFinished ? 1 : 0);
}

bool ReminderSettings::anyOn() const
{
    for (bool on : enabled)
        if (on)
            return true;
    return downloadFinished;
}

QList<int> ReminderSchedule::due(const QDateTime& now, const ReminderSettings& settings,
                                 const Facts& facts,
                                 const std::function<QDate(int id)>& lastGiven)
{
    QList<int> result;
    const QDateTime local = now.toLocalTime();
    const QDate today = local.date();
    const QTime clock = local.time();
    for (int id = 0; id < ReminderKind::Count; ++id) {
        if (!settings.enabled[id] || !settings.time[id].isValid())
            continue;
        const int minutesLate = settings.time[id].secsTo(clock) / 60;
        if (minutesLate < 0 || minutesLate >= lateMinutes)
            continue;
        // Given today already, or tomorrow: the member flew west past
        // midnight, or the clock was put back a day. A day further off is a
        // clock that was wrong, and would silence the reminder for good.
        const QDate given = lastGiven(id);
        if (given.isValid() && given >= today && given <= today.addDays(1))
            continue;
        const int meal = ReminderKind::meal(id);
        const bool nothingToDo = meal >= 0 ? (facts.mealIsEmpty && !facts.mealIsEmpty(meal))
                                           : (facts.todayHasWeight && facts.todayHasWeight());
        if (nothingToDo)
            continue;
        result.append(id);
    }
    return result;
}

QDate ReminderSchedule::lastGiven(int id)
{
    return QDate::fromString(SettingsStore::memberText(givenKey(id)), QLatin1String(dayFormat));
}

void ReminderSchedule::setGiven(int id, const QDate& day)
{
    SettingsStore::setMemberText(givenKey(id), day.toString(QLatin1String(dayFormat)));
}
