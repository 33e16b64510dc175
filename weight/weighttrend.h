#pragma once

#include "weight/weightentry.h"

#include <QDate>
#include <QList>

#include <optional>

// The smoothed weight: each day's trend is the day before's plus a tenth of
// the difference to that day's weighing. The first weighing starts it, and a
// day without a weighing carries it on unchanged, so the trend only moves on
// the days weighed and one value per weighing describes it completely.
class WeightTrend final
{
public:
    static constexpr double smoothing = 0.1;

    struct Point
    {
        QDate date;
        double weightKg = 0; // the weighing
        double trendKg = 0;  // the trend after it
    };

    WeightTrend() = default;
    // `entries` ascending by date, one a day, as the weight log keeps them;
    // anything else is sorted first, and of two on one day the later wins.
    explicit WeightTrend(const QList<WeightEntry>& entries);

    const QList<Point>& points() const { return m_points; }
    bool isEmpty() const { return m_points.isEmpty(); }
    QDate firstDate() const;
    QDate lastDate() const;

    // The trend on `day`, carried on from the last weighing up to it; none
    // before the first weighing.
    std::optional<double> at(const QDate& day) const;

private:
    QList<Point> m_points;
};
