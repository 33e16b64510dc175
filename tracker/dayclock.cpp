#include "tracker/dayclock.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"

#include <QStringList>

#include <algorithm>

namespace {

QDate& overrideDate()
{
    static QDate date;
    return date;
}

} // namespace

namespace DayClock {

QDate today()
{
    const QDate date = overrideDate();
    return date.isValid() ? date : QDate::currentDate();
}

void setTodayForTesting(const QDate& date)
{
    overrideDate() = date;
}

QString storeDateKey()
{
    return QStringLiteral("daydate");
}

QDate storeDate()
{
    return QDate::fromString(SettingsStore::memberText(storeDateKey()),
                             QStringLiteral("yyyy-MM-dd"));
}

void dateUndatedStore()
{
    if (currentEmail.isEmpty() || storeDate().isValid())
        return;
    SettingsStore::setMemberText(storeDateKey(), today().toString(QStringLiteral("yyyy-MM-dd")));
}

QList<QDate> storedDates(const QString& key)
{
    QList<QDate> result;
    const QStringList texts =
        SettingsStore::memberText(key).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& text : texts) {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (date.isValid() && !result.contains(date))
            result.append(date);
    }
    std::sort(result.begin(), result.end());
    return result;
}

void storeDates(const QString& key, const QList<QDate>& dates)
{
    QStringList texts;
    texts.reserve(dates.size());
    for (const QDate& date : dates)
        texts.append(date.toString(QStringLiteral("yyyy-MM-dd")));
    SettingsStore::setMemberText(key, texts.join(QLatin1Char(',')));
}

} // namespace DayClock
