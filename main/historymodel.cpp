#include "main/historymodel.h"

#include "app/jsonreply.h"

#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include <cmath>

HistoryModel::HistoryModel(QObject* parent)
    : QObject(parent)
{
}

QString HistoryModel::mealFigure(int meal) const
{
    switch (meal) {
    case 0: return breakfast;
    case 1: return firstsnack;
    case 2: return lunch;
    case 3: return secondsnack;
    case 4: return dinner;
    case 5: return thirdsnack;
    default: return QString();
    }
}

QString HistoryModel::dateText() const
{
    return formatDate(date);
}

QString HistoryModel::formatDate(qint64 msecsSinceEpoch)
{
    const QDate day = dayOf(msecsSinceEpoch);
    //: Date pattern of the history (QDate::toString); month names come from
    //: the language: "8 dic 2026".
    return day.isValid() ? QLocale().toString(day, tr("MMMM dd yyyy")) : QString();
}

QDate HistoryModel::dayOf(qint64 msecsSinceEpoch)
{
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, QTimeZone::utc()).date();
}

double HistoryModel::figure(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

namespace HistoryReply {

std::optional<HistoryRecords> parse(const QString& reply)
{
    const std::optional<QJsonArray> days = JsonReply::listOf(reply, QStringLiteral("history_info"), JsonReply::MissingList::IsEmpty);
    if (!days)
        return std::nullopt;

    const QJsonArray& array = *days;
    HistoryRecords records;
    records.reserve(size_t(array.size()));
    for (const QJsonValue& value : array) {
        if (!value.isObject())
            continue; // nothing of a day to show
        const QJsonObject day = value.toObject();
        auto record = std::make_unique<HistoryModel>();
        record->id = JsonReply::integer(day, QStringLiteral("id"));
        bool ok = false;
        const qint64 date = JsonReply::text(day, QStringLiteral("date")).toLongLong(&ok, 10);
        record->date = ok ? date : 0;
        record->total = JsonReply::text(day, QStringLiteral("total"));
        record->remain = JsonReply::text(day, QStringLiteral("remain"));
        record->score = JsonReply::text(day, QStringLiteral("score"));
        record->grade = JsonReply::text(day, QStringLiteral("grade"));
        record->breakfast = JsonReply::text(day, QStringLiteral("breakfast"));
        record->lunch = JsonReply::text(day, QStringLiteral("lunch"));
        record->dinner = JsonReply::text(day, QStringLiteral("dinner"));
        record->firstsnack = JsonReply::text(day, QStringLiteral("firstsnack"));
        record->secondsnack = JsonReply::text(day, QStringLiteral("secondsnack"));
        record->thirdsnack = JsonReply::text(day, QStringLiteral("thirdsnack"));
        record->exercise = JsonReply::text(day, QStringLiteral("exercise_calories"));
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace HistoryReply
