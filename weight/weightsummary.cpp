#include "weight/weightsummary.h"

#include "app/localeformats.h"

#include <cmath>

namespace {

// Beyond this the pace is too slow for a date to mean anything.
constexpr qint64 longestProjectionDays = 100 * 365;
constexpr double atGoalKg = 0.05;

QString dateText(const QDate& date)
{
    return LocaleFormats::longDay(date);
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
        return tr("Trend weight: no weighings yet");
    return tr("Trend weight: %1").arg(WeightUnits::text(*trendKg, unit));
}

QString WeightSummary::changeText(WeightUnit unit) const
{
    if (!weeklyChangeKg)
        return tr("Change per week: after a week of weighings");
    const double shown = WeightUnits::roundTenth(WeightUnits::fromKg(*weeklyChangeKg, unit));
    const QString amount =
        LocaleFormats::decimal(std::abs(shown), 1) + QLatin1Char(' ') + WeightUnits::symbol(unit);
    if (rateOverDays >= rateDays) {
        if (shown < 0)
            return tr("Change per week: down %1 (over the last four weeks)").arg(amount);
        if (shown > 0)
            return tr("Change per week: up %1 (over the last four weeks)").arg(amount);
        return tr("Change per week: steady (over the last four weeks)");
    }
    if (shown < 0)
        return tr("Change per week: down %1 (over the last %n days)", nullptr, rateOverDays)
            .arg(amount);
    if (shown > 0)
        return tr("Change per week: up %1 (over the last %n days)", nullptr, rateOverDays)
            .arg(amount);
    return tr("Change per week: steady (over the last %n days)", nullptr, rateOverDays);
}

QString WeightSummary::goalText(WeightUnit unit) const
{
    if (!goalKg)
        return tr("Goal: none set");
    const QString goal = WeightUnits::text(*goalKg, unit);
    switch (this->goal) {
    case GoalState::Reached:
        return tr("Goal %1: reached").arg(goal);
    case GoalState::OnTheWay:
        return tr("Goal %1: reached around %2").arg(goal, dateText(goalDate));
    case GoalState::NotMoving:
        return tr("Goal %1: not moving towards your goal").arg(goal);
    case GoalState::NoGoal:
        break;
    }
    return tr("Goal %1: no weighings yet").arg(goal);
}

QString WeightSummary::bmiText() const
{
    //: Body mass index.
    return bmi ? tr("BMI: %1").arg(LocaleFormats::decimal(*bmi, 1)) : tr("BMI: enter your height");
}

QString WeightSummary::text(WeightUnit unit) const
{
    return QStringList{trendText(unit), changeText(unit), goalText(unit), bmiText()}.join(
        QStringLiteral(". "));
}
