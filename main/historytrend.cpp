#include "main/historytrend.h"

#include <QDateTime>

#include <algorithm>
#include <map>

namespace {

QDate bucketStart(const QDate& day, HistoryTrend::Step step)
{
    switch (step) {
    case HistoryTrend::Step::Week:
        return day.addDays(1 - day.dayOfWeek()); // Monday
    case HistoryTrend::Step::Month:
        return QDate(day.year(), day.month(), 1);
    case HistoryTrend::Step::Quarter:
        return QDate(day.year(), (day.month() - 1) / 3 * 3 + 1, 1);
    case HistoryTrend::Step::Year:
        return QDate(day.year(), 1, 1);
    case HistoryTrend::Step::Day:
        break;
    }
    return day;
}

struct Sum
{
    double eaten = 0;
    double target = 0;
    double score = 0;
    int days = 0;
};

std::map<QDate, Sum> sumBy(const std::vector<std::pair<QDate, const HistoryModel*>>& days, HistoryTrend::Step step)
{
    std::map<QDate, Sum> sums;
    for (const auto& [day, record] : days) {
        Sum& sum = sums[bucketStart(day, step)];
        const double eaten = HistoryModel::figure(record->total);
        sum.eaten += eaten;
        sum.target += eaten + HistoryModel::figure(record->remain);
        sum.score += HistoryModel::figure(record->score);
        ++sum.days;
    }
    return sums;
}

} // namespace

QDate HistoryTrend::localDay(qint64 msecsSinceEpoch)
{
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch).date();
}

HistoryTrend HistoryTrend::build(const HistoryRecords& records, int maxPoints)
{
    maxPoints = std::max(1, maxPoints);
    std::vector<std::pair<QDate, const HistoryModel*>> days;
    days.reserve(records.size());
    for (const auto& record : records) {
        if (record->date == 0)
            continue;
        const QDate day = localDay(record->date);
        if (day.isValid())
            days.emplace_back(day, record.get());
    }

    HistoryTrend trend;
    std::map<QDate, Sum> sums;
    for (Step step : {Step::Day, Step::Week, Step::Month, Step::Quarter, Step::Year}) {
        trend.step = step;
        sums = sumBy(days, step);
        if (int(sums.size()) <= maxPoints)
            break;
    }
    trend.points.reserve(qsizetype(sums.size()));
    for (const auto& [start, sum] : sums) {
        trend.points.append(Point{start, sum.eaten / sum.days, sum.target / sum.days, sum.score / sum.days, sum.days});
    }
    return trend;
}
