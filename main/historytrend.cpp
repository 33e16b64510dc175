#include "main/historytrend.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

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
    double exercise = 0;
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
        sum.exercise += HistoryModel::figure(record->exercise);
        ++sum.days;
    }
    return sums;
}

} // namespace

HistoryTrend HistoryTrend::build(const HistoryRecords& records, int maxPoints)
{
    maxPoints = std::max(1, maxPoints);
    std::vector<std::pair<QDate, const HistoryModel*>> days;
    days.reserve(records.size());
    for (const auto& record : records) {
        if (record->date == 0)
            continue;
        const QDate day = HistoryModel::dayOf(record->date);
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
        trend.points.append(Point{start, sum.eaten / sum.days, sum.target / sum.days, sum.score / sum.days,
                                  sum.exercise / sum.days, sum.days});
    }
    return trend;
}

QDate HistoryTrend::nextStart(const QDate& start, Step step)
{
    switch (step) {
    case Step::Week:
        return start.addDays(7);
    case Step::Month:
        return start.addMonths(1);
    case Step::Quarter:
        return start.addMonths(3);
    case Step::Year:
        return start.addYears(1);
    case Step::Day:
        break;
    }
    return start.addDays(1);
}

int HistoryTrend::stepDays(Step step)
{
    switch (step) {
    case Step::Week:
        return 7;
    case Step::Month:
        return 30;
    case Step::Quarter:
        return 91;
    case Step::Year:
        return 365;
    case Step::Day:
        break;
    }
    return 1;
}

QList<HistoryTrend::Run> HistoryTrend::runs() const
{
    QList<Run> found;
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (i > 0 && nextStart(points.at(i - 1).start, step) == points.at(i).start)
            ++found.last().count;
        else
            found.append(Run{i, 1});
    }
    return found;
}

qsizetype HistoryTrend::stepCount() const
{
    if (points.isEmpty())
        return 0;
    const QDate last = points.constLast().start;
    qsizetype steps = 0;
    for (QDate start = points.constFirst().start; start <= last; start = nextStart(start, step))
        ++steps;
    return steps;
}

QList<QDate> HistoryTrend::ticks(int maxTicks) const
{
    if (points.isEmpty())
        return {};
    maxTicks = std::max(1, maxTicks);
    const QDate last = points.constLast().start;
    // Every n-th step: ticks are whole steps apart, so their labels differ.
    const qsizetype stride = (stepCount() + maxTicks - 1) / maxTicks;
    QList<QDate> marked;
    qsizetype index = 0;
    for (QDate start = points.constFirst().start; start <= last; start = nextStart(start, step), ++index) {
        if (index % stride == 0)
            marked.append(start);
    }
    return marked;
}

QString HistoryTrend::tickLabel(const QDate& start) const
{
    //: Date patterns of the history chart's time axis (QDate::toString), by day or week, by month,
    //: by year.
    QString format = QCoreApplication::translate("HistoryTrend", "yyyy");
    switch (step) {
    case Step::Day:
    case Step::Week:
        format = QCoreApplication::translate("HistoryTrend", "MMM dd yyyy");
        break;
    case Step::Month:
    case Step::Quarter:
        format = QCoreApplication::translate("HistoryTrend", "MMM yyyy");
        break;
    case Step::Year:
        break;
    }
    return QLocale().toString(start, format);
}
