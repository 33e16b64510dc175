#include "tracker/dayclock.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"

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

} // namespace DayClock
