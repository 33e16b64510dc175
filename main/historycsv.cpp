#include "main/historycsv.h"

#include "main/historytrend.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace HistoryCsv {

QString target(const QString& total, const QString& remain)
{
    bool totalRead = false;
    bool remainRead = false;
    const double sum = total.toDouble(&totalRead) + remain.toDouble(&remainRead);
    if (!totalRead || !remainRead || !std::isfinite(sum))
        return QString();
    // To the hundredth, in plain digits: the two texts may carry decimals
    // that a double does not add up exactly.
    return QString::number(std::round(sum * 100) / 100, 'f', QLocale::FloatingPointShortest);
}

QString field(const QString& text)
{
    QString value = text;
    bool isNumber = false;
    value.toDouble(&isNumber);
    if (!isNumber && !value.isEmpty()
        && (value.front() == u'=' || value.front() == u'+' || value.front() == u'-' || value.front() == u'@'))
        value.prepend(u'\'');
    if (value.contains(u',') || value.contains(u'"') || value.contains(u'\n') || value.contains(u'\r')) {
        value.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return u'"' + value + u'"';
    }
    return value;
}

QByteArray toCsv(const HistoryRecords& records)
{
    QString text = QStringLiteral("Date,Target,Total,Remaining,Score,Grade,Breakfast,First Snack,Lunch,Second Snack,"
                                  "Dinner,Third Snack,Exercise\r\n");
    for (const auto& record : records) {
        const QDate day = record->date == 0 ? QDate() : HistoryModel::dayOf(record->date);
        QStringList row{day.isValid() ? day.toString(Qt::ISODate) : QString(),
                        target(record->total, record->remain), field(record->total), field(record->remain),
                        field(record->score), field(record->grade)};
        for (int meal = 0; meal < 6; ++meal)
            row.append(field(record->mealFigure(meal)));
        row.append(field(record->exercise));
        text += row.join(u',') + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

} // namespace HistoryCsv
