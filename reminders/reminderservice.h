#pragma once

#include "reminders/reminderschedule.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

class DesktopNotifier;

// Looks at the member's reminders every half minute and hands the due ones to
// the desktop's notifications, each with the window it opens: "tracker:<meal>"
// or "weight". Reads the settings afresh each time, so a change in Settings
// counts at once.
class ReminderService final : public QObject
{
    Q_OBJECT

public:
    ReminderService(DesktopNotifier* notifier, QObject* parent = nullptr);

    // Whether today holds a weight; without one, the weigh-in is always due.
    void setTodayHasWeight(std::function<bool()> fact) { m_todayHasWeight = std::move(fact); }
    // A clock a test can move; invalid: the real one.
    void setNowForTesting(const QDateTime& now) { m_testNow = now; }
    // Gives the reminders due now.
    void check();

    // A meal that still counts as empty: nothing logged on `today` (a day
    // store still holding an earlier day is empty for today).
    static bool mealIsEmpty(int meal, const QDate& today);

    static QString trackerTarget(int meal);
    static QString weightTarget();
    static QString downloadTarget();

private:
    DesktopNotifier* m_notifier;
    QTimer m_timer;
    QDateTime m_testNow;
    std::function<bool()> m_todayHasWeight;
};
