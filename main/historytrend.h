#pragma once

#include "main/historymodel.h"

#include <QDate>
#include <QList>

// The history as a trend: calories eaten against the target, and the score,
// per day, or averaged per week, month, quarter or year when there are more
// days than the chart has room for. Days come out oldest first.
class HistoryTrend final
{
public:
    enum class Step { Day, Week, Month, Quarter, Year };

    struct Point
    {
        QDate start;        // the day, or the first day of the week or month
        double eaten = 0;   // average calories eaten per tracked day
        double target = 0;  // average target (eaten + remaining)
        double score = 0;   // average score
        double exercise = 0; // average calories burned by exercise
        int days = 0;       // tracked days averaged into the point
    };

    // Points one step apart, with no untracked step between them: a line
    // joins the points of a run and breaks before the next run.
    struct Run
    {
        qsizetype first = 0;
        qsizetype count = 0;
    };

    Step step = Step::Day;
    QList<Point> points;

    // Days without a readable date are left out. `maxPoints` below 1 counts as 1.
    static HistoryTrend build(const HistoryRecords& records, int maxPoints);
    // The first day of the step after the one starting on `start`.
    static QDate nextStart(const QDate& start, Step step);
    // The length of a step in days, about (a month counts 30).
    static int stepDays(Step step);

    QList<Run> runs() const;
    // The steps from the first point to the last, tracked or not.
    qsizetype stepCount() const;
    // The steps the time axis marks, from the first point on: every step up to
    // the last point while at most `maxTicks` fit, else every n-th step. No
    // two share a label. Empty without points.
    QList<QDate> ticks(int maxTicks) const;
    // "Mar 05 2024" for days and weeks, "Mar 2024" for months and quarters,
    // "2024" for years; in English, as the rest of the history.
    QString tickLabel(const QDate& start) const;
};
