#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QTimer>

// Follows the local day for a window kept for the whole run, whose "today"
// would otherwise stay the day it was made. check() compares
// DayClock::today() with the day last seen: the window calls it when it
// shows and before it saves, and a timer calls it just after each local
// midnight.
class DayFollower final : public QObject
{
    Q_OBJECT

public:
    explicit DayFollower(QObject* parent = nullptr);

    QDate today() const { return m_today; }

    // True when the day changed since the last check; dayChanged was then
    // emitted.
    bool check();

    // From `now` to one second after the next local midnight. A midnight
    // that a clock change skips is taken as the first moment after it.
    static qint64 msecsToNextDay(const QDateTime& now);

signals:
    void dayChanged(const QDate& today);

private:
    void arm(bool firedEarly);

    QTimer m_midnight;
    QDate m_today;
};
