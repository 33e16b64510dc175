#include "tracker/dayrollover.h"

#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/dayuploadqueue.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QRegularExpression>

#include <algorithm>

Q_LOGGING_CATEGORY(lcDayRollover, "olva.dayrollover")

namespace {

DayRollover* theInstance = nullptr;

const QString dateFormat = QStringLiteral("yyyy-MM-dd");
constexpr int recheckMs = 5 * 60 * 1000;
constexpr qint64 shortestWaitMs = 60 * 1000;
// A day lasts at most 25 hours where the clock goes back.
constexpr qint64 longestWaitMs = 26LL * 3600 * 1000;

// The keys of the day: meal_<m>_<c>, details_<m>_<c>, Cal_<m>, totaldetails_<m>.
bool isDayKey(const QString& key)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(?:meal|details)_[0-5]_-?\\d{1,10}|Cal_[0-5]|totaldetails_[0-5])$"));
    return pattern.match(key).hasMatch();
}

bool hasFood()
{
    const QStringList keys = SettingsStore::memberKeys();
    for (const QString& key : keys) {
        if (key.startsWith(QLatin1String("meal_")) && isDayKey(key) &&
            !SettingsStore::memberText(key).isEmpty())
            return true;
    }
    return false;
}

} // namespace

DayRollover::DayRollover(QObject* parent) : QObject(parent)
{
    theInstance = this;
    m_midnight.setSingleShot(true);
    // A coarse timer of a day may fire an hour early.
    m_midnight.setTimerType(Qt::PreciseTimer);
    connect(&m_midnight, &QTimer::timeout, this, [this] {
        checkNow();
        armMidnight();
    });
    m_recheck.setInterval(recheckMs);
    connect(&m_recheck, &QTimer::timeout, this, &DayRollover::checkNow);
    m_recheck.start();
    armMidnight();
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive)
                        checkNow();
                });
    }
}

DayRollover::~DayRollover()
{
    if (theInstance == this)
        theInstance = nullptr;
}

DayRollover* DayRollover::instance()
{
    return theInstance;
}

QString DayRollover::dateKey()
{
    return DayClock::storeDateKey();
}

QDate DayRollover::storedDate()
{
    return DayClock::storeDate();
}

qint64 DayRollover::msUntilMidnight(const QDateTime& now, const QTimeZone& zone)
{
    // The date's first moment, not 00:00: where the clock jumps from 23:59
    // to 01:00 there is no 00:00, and where it goes back an hour the next
    // midnight is the one after the repeated hour.
    const QDate date = now.toTimeZone(zone).date();
    const QDateTime next = date.addDays(1).startOfDay(zone).addSecs(1);
    const qint64 ms = next.isValid() ? now.msecsTo(next) : longestWaitMs;
    return std::clamp(ms, shortestWaitMs, longestWaitMs);
}

void DayRollover::armMidnight()
{
    m_midnight.start(
        int(msUntilMidnight(QDateTime::currentDateTime(), QTimeZone::systemTimeZone())));
}

bool DayRollover::checkNow()
{
    const QDate today = DayClock::today();
    if (!closeStoredDay(today))
        return false;
    emit dayStarted(today);
    return true;
}

bool DayRollover::closeStoredDay(const QDate& today)
{
    if (!today.isValid() || currentEmail.isEmpty())
        return false;
    // Read and written in one batch: a second client that closed the day
    // first has already stored today's date, and nothing is closed twice.
    const SettingsStore::Batch batch;
    const QDate stored = storedDate();
    if (!stored.isValid()) {
        // A store from before days had dates: what it holds is today's. An
        // empty one is dated with its first food (DayStore).
        if (DayStore::mealCaloriesSum() != 0 || hasFood())
            SettingsStore::setMemberText(dateKey(), today.toString(dateFormat));
        return false;
    }
    if (today == stored)
        return false;
    if (today < stored) {
        // The clock ran ahead when the day was dated and has been put
        // right: what the store holds was eaten today, and a date that
        // stayed ahead would pour every later meal into that one day.
        qCInfo(lcDayRollover).noquote()
            << "the stored day" << stored.toString(dateFormat) << "lies after today"
            << today.toString(dateFormat) << "- it is dated today, nothing closed";
        SettingsStore::setMemberText(dateKey(), today.toString(dateFormat));
        return false;
    }

    ArchivedDay day;
    day.date = stored;
    day.target = SettingsStore::memberInt(DayKeys::totalCalories());
    day.remaining = SettingsStore::memberInt(DayKeys::remainCalories());
    const QStringList keys = SettingsStore::memberKeys();
    QStringList dayKeys;
    for (const QString& key : keys) {
        if (!isDayKey(key))
            continue;
        dayKeys.append(key);
        const QString value = SettingsStore::memberText(key);
        if (!ArchivedDay::holdsNothing(value))
            day.values.insert(key, value);
    }
    if (day.hasFood()) {
        // Already closed once, before a clock that ran ahead was put back:
        // both parts are that day (and it goes to the service again whole).
        if (const std::optional<ArchivedDay> earlier = DayArchive::day(day.date))
            day = earlier->joinedWith(day);
        DayArchive::store(day);
        DayUploadQueue::add(day.date);
    }

    // An absent key reads as an empty record, 0 calories and no nutrients:
    // the new day starts without the old one's keys, emptied ones included.
    for (const QString& key : std::as_const(dayKeys))
        SettingsStore::removeMemberKey(key);
    SettingsStore::setMemberInt(DayKeys::remainCalories(), day.target);
    SettingsStore::setMemberText(dateKey(), today.toString(dateFormat));
    totalCalories = day.target;
    remainCalories = day.target;
    return true;
}
