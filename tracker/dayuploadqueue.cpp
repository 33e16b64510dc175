#include "tracker/dayuploadqueue.h"

#include "app/settingsstore.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString dateFormat = QStringLiteral("yyyy-MM-dd");

void write(const QList<QDate>& dates)
{
    QStringList texts;
    for (const QDate& date : dates)
        texts.append(date.toString(dateFormat));
    SettingsStore::setMemberText(DayUploadQueue::key(), texts.join(QLatin1Char(',')));
}

} // namespace

namespace DayUploadQueue {

QString key()
{
    return QStringLiteral("dayuploadqueue");
}

QList<QDate> dates()
{
    QList<QDate> result;
    const QStringList texts =
        SettingsStore::memberText(key()).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& text : texts) {
        const QDate date = QDate::fromString(text, dateFormat);
        if (date.isValid() && !result.contains(date))
            result.append(date);
    }
    std::sort(result.begin(), result.end());
    return result;
}

void add(const QDate& date)
{
    const SettingsStore::Batch batch;
    QList<QDate> all = dates();
    if (!date.isValid() || all.contains(date))
        return;
    all.append(date);
    std::sort(all.begin(), all.end());
    write(all);
}

void remove(const QDate& date)
{
    const SettingsStore::Batch batch;
    QList<QDate> all = dates();
    if (all.removeAll(date) > 0)
        write(all);
}

} // namespace DayUploadQueue
