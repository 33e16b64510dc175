#include "reminders/reminderservice.h"

#include "app/accountstate.h"
#include "reminders/desktopnotifier.h"
#include "tracker/dayclock.h"
#include "tracker/daystore.h"

ReminderService::ReminderService(DesktopNotifier* notifier, QObject* parent)
    : QObject(parent)
    , m_notifier(notifier)
{
    m_timer.setInterval(30 * 1000);
    connect(&m_timer, &QTimer::timeout, this, &ReminderService::check);
    m_timer.start();
}

void ReminderService::check()
{
    if (currentEmail.isEmpty())
        return;
    const ReminderSettings settings = ReminderSettings::load();
    if (!settings.anyOn())
        return;
    const QDateTime now = m_testNow.isValid() ? m_testNow : QDateTime::currentDateTime();
    ReminderSchedule::Facts facts;
    const QDate today = now.toLocalTime().date();
    facts.mealIsEmpty = [today](int meal) { return mealIsEmpty(meal, today); };
    facts.todayHasWeight = m_todayHasWeight;
    const QList<int> due =
        ReminderSchedule::due(now, settings, facts, &ReminderSchedule::lastGiven);
    for (int id : due) {
        // Remembered before it is shown: a crash never repeats a reminder.
        ReminderSchedule::setGiven(id, today);
        const int meal = ReminderKind::meal(id);
        m_notifier->notify(ReminderKind::text(id), QString(),
                           meal >= 0 ? trackerTarget(meal) : weightTarget());
    }
}

bool ReminderService::mealIsEmpty(int meal, const QDate& today)
{
    if (DayClock::storeDate() != today)
        return true;
    return DayStore::mealCalories(meal) <= 0;
}

QString ReminderService::trackerTarget(int meal)
{
    return QStringLiteral("tracker:%1").arg(meal);
}

QString ReminderService::weightTarget()
{
    return QStringLiteral("weight");
}

QString ReminderService::downloadTarget()
{
    return QStringLiteral("download");
}
