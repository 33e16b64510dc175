#pragma once

#include "weight/weighttrend.h"
#include "weight/weightunits.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>

#include <optional>

// What the trend says on one day: where the member stands, how fast the
// trend moves, when it reaches the goal at that pace, and the BMI.
struct WeightSummary
{
    Q_DECLARE_TR_FUNCTIONS(WeightSummary)

public:
    // How far back the weekly change looks, and the least history it needs.
    static constexpr int rateDays = 28;
    static constexpr int minRateDays = 7;

    enum class GoalState
    {
        NoGoal,    // no goal set, or no trend yet
        Reached,   // the trend is at the goal (within 0.05 kg) or past it,
                   // seen from the first weighing
        OnTheWay,  // goalDate says when
        NotMoving, // no pace yet, or the trend moves away from the goal
    };

    std::optional<double> trendKg;
    // Change of the trend per week over the last four weeks (or over what
    // there is, from a week on); kilograms, negative for a loss.
    std::optional<double> weeklyChangeKg;
    int rateOverDays = 0;
    std::optional<double> goalKg;
    GoalState goal = GoalState::NoGoal;
    QDate goalDate;
    // From the trend and the height, one decimal.
    std::optional<double> bmi;

    static WeightSummary of(const WeightTrend& trend, const QDate& today,
                            std::optional<double> goalKg, std::optional<double> heightCm);

    // The lines the window shows, in `unit`.
    QString trendText(WeightUnit unit) const;
    QString changeText(WeightUnit unit) const;
    QString goalText(WeightUnit unit) const;
    QString bmiText() const;
    // All of it in one text, for a screen reader and the chart's description.
    QString text(WeightUnit unit) const;
};
