#include "weight/dayfollower.h"

#include "tracker/dayclock.h"

#include <algorithm>

namespace {

constexpr qint64 secondMs = 1000;
constexpr qint64 minuteMs = 60 * secondMs;
constexpr qint64 dayMs = 24 * 60 * minuteMs;

} // namespace

DayFollower::DayFollower(QObject* parent)
    : QObject(parent), m_midnight(this), m_today(DayClock::today())
{
    m_midnight.setObjectName(QStringLiteral("midnight"));
    m_midnight.setSingleShot(true);
    m_midnight.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_midnight, &QTimer::timeout, this, [this] {
        // A timer that fires before the date has moved (a clock that was
        // set back, a zone change) waits at least a minute before the next
        // try, never firing every second.
        arm(!check());
    });
    arm(false);
}

bool DayFollower::check()
{
    const QDate today = DayClock::today();
    if (today == m_today)
        return false;
    m_today = today;
    arm(false);
    emit dayChanged(today);
    return true;
}

qint64 DayFollower::msecsToNextDay(const QDateTime& now)
{
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    return std::clamp<qint64>(now.msecsTo(midnight) + secondMs, secondMs, dayMs + secondMs);
}

void DayFollower::arm(bool firedEarly)
{
    const qint64 wait = msecsToNextDay(QDateTime::currentDateTime());
    m_midnight.start(int(firedEarly ? std::max(wait, minuteMs) : wait));
}
