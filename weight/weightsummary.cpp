#include "weight/weightsummary.h"

#include <QLocale>

#include <cmath>

namespace {

// Beyond this the pace is too slow for a date to mean anything.
constexpr qint64 longestProjectionDays = 100 * 365;
constexpr double atGoalKg = 0.05;

QString dateText(const QDate& date)
{
    return QLocale(QLocale::English).toString(date, QStringLiteral("d MMMM yyyy"));
}

} // namespace

WeightSummary WeightSummary::of(const WeightTrend& trend, const QDate& today,
                                std::optional<double> goalKg, std::optional<double> heightCm)
{
    WeightSummary summary;
    summary.goalKg = goalKg;
    summary.trendKg = trend.at(today);
    // A last weighing dated after today (tomorrow is allowed) still counts.
    const QDate day =
        trend.lastDate().isValid() && trend.lastDate() > today ? trend.lastDate() : today;
    if (!summary.trendKg)
        summary.trendKg = trend.at(day);
    if (!summary.trendKg)
        return summary;
    const double current = *summary.trendKg;

    const qint64 history = trend.firstDate().daysTo(day);
    const int span = int(std::min<qint64>(rateDays, history));
    if (span >= minRateDays) {
        const std::optional<double> before = trend.at(day.addDays(-span));
        if (before) {
            summary.rateOverDays = span;
            summary.weeklyChangeKg = (current - *before) * 7.0 / span;
        }
    }

    if (heightCm && *heightCm > 0) {
        const double metres = *heightCm / 100.0;
        summary.bmi = WeightUnits::roundTenth(current / (metres * metres));
    }

    if (!goalKg)
        return summary;
    const double toGo = *goalKg - current;
    // The goal's direction runs from the first weighing towards it: a trend
    // at the goal, or beyond it in that direction (below a goal to lose
    // down to), has reached it, whatever its pace.
    const double fromStart = *goalKg - trend.points().first().trendKg;
    const bool beyond = std::abs(fromStart) >= atGoalKg && (toGo > 0) != (fromStart > 0);
    if (std::abs(toGo) < atGoalKg || beyond) {
        summary.goal = GoalState::Reached;
        return summary;
    }
    const double perDay = summary.weeklyChangeKg ? *summary.weeklyChangeKg / 7.0 : 0.0;
    // Moving towards the goal: the pace has the sign of what is left to go.
    if (perDay == 0 || (toGo > 0) != (perDay > 0)) {
        summary.goal = GoalState::NotMoving;
        return summary;
    }
    // A whole day that only floating point makes a hair longer stays whole.
    const double days = std::ceil(toGo / perDay - 1e-9);
    if (days > longestProjectionDays) {
        summary.goal = GoalState::NotMoving;
        return summary;
    }
    summary.goal = GoalState::OnTheWay;
    summary.goalDate = day.addDays(qint64(days));
    return summary;
}

QString WeightSummary::trendText(WeightUnit unit) const
{
    if (!trendKg)
        return QStringLiteral("Trend weight: no weighings yet");
    return QStringLiteral("Trend weight: %1").arg(WeightUnits::text(*trendKg, unit));
}

QString WeightSummary::changeText(WeightUnit unit) const
{
    if (!weeklyChangeKg)
        return QStringLiteral("Change per week: after a week of weighings");
    const double shown = WeightUnits::roundTenth(WeightUnits::fromKg(*weeklyChangeKg, unit));
    QString amount =
        QString::number(std::abs(shown), 'f', 1) + QLatin1Char(' ') + WeightUnits::symbol(unit);
    if (shown < 0)
        amount = QStringLiteral("down ") + amount;
    else if (shown > 0)
        amount = QStringLiteral("up ") + amount;
    else
        amount = QStringLiteral("steady");
    const QString over = rateOverDays >= rateDays
                             ? QStringLiteral("the last four weeks")
                             : QStringLiteral("the last %1 days").arg(rateOverDays);
    return QStringLiteral("Change per week: %1 (over %2)").arg(amount, over);
}

QString WeightSummary::goalText(WeightUnit unit) const
{
    if (!goalKg)
        return QStringLiteral("Goal: none set");
    const QString goal = QStringLiteral("Goal %1: ").arg(WeightUnits::text(*goalKg, unit));
    switch (this->goal) {
    case GoalState::Reached:
        return goal + QStringLiteral("reached");
    case GoalState::OnTheWay:
        return goal + QStringLiteral("reached around %1").arg(dateText(goalDate));
    case GoalState::NotMoving:
        return goal + QStringLiteral("not moving towards your goal");
    case GoalState::NoGoal:
        break;
    }
    return goal + QStringLiteral("no weighings yet");
}

QString WeightSummary::bmiText() const
{
    return bmi ? QStringLiteral("BMI: %1").arg(QString::number(*bmi, 'f', 1))
               : QStringLiteral("BMI: enter your height");
}

QString WeightSummary::text(WeightUnit unit) const
{
    return QStringList{trendText(unit), changeText(unit), goalText(unit), bmiText()}.join(
        QStringLiteral(". "));
}
