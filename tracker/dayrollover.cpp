#include "tracker/dayrollover.h"

#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/dayuploadqueue.h"
#include "tracker/meals.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QRegularExpression>

#include <algorithm>

namespace {

DayRollover* theInstance = nullptr;

const QString dateFormat = QStringLiteral("yyyy-MM-dd");
constexpr int recheckMs = 5 * 60 * 1000;

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

void DayRollover::armMidnight()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0, 1));
    const qint64 ms = std::clamp<qint64>(now.msecsTo(midnight), 1000, 24LL * 3600 * 1000);
    m_midnight.start(int(ms));
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
    // A clock set back never starts a day: the stored one goes on.
    if (today <= stored)
        return false;

    ArchivedDay day;
    day.date = stored;
    day.target = SettingsStore::memberInt(DayKeys::totalCalories());
    day.remaining = SettingsStore::memberInt(DayKeys::remainCalories());
    const QStringList keys = SettingsStore::memberKeys();
    for (const QString& key : keys) {
        if (isDayKey(key))
            day.values.insert(key, SettingsStore::memberText(key));
    }
    if (day.hasFood()) {
        DayArchive::store(day);
        DayUploadQueue::add(day.date);
    }

    for (auto it = day.values.cbegin(); it != day.values.cend(); ++it) {
        if (it.key().startsWith(QLatin1String("meal_")) ||
            it.key().startsWith(QLatin1String("details_")))
            SettingsStore::setMemberText(it.key(), QString());
    }
    for (int meal = 0; meal < Meals::count; ++meal) {
        SettingsStore::setMemberText(DayKeys::mealCalories(meal), QStringLiteral("0"));
        SettingsStore::setMemberText(DayKeys::mealDetails(meal), QStringLiteral("0_0_0_0"));
    }
    SettingsStore::setMemberInt(DayKeys::remainCalories(), day.target);
    SettingsStore::setMemberText(dateKey(), today.toString(dateFormat));
    totalCalories = day.target;
    remainCalories = day.target;
    return true;
}
