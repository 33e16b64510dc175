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
        int days = 0;       // tracked days averaged into the point
    };

    Step step = Step::Day;
    QList<Point> points;

    // Days without a readable date are left out. `maxPoints` below 1 counts as 1.
    static HistoryTrend build(const HistoryRecords& records, int maxPoints);
    // The local calendar day of a record's date.
    static QDate localDay(qint64 msecsSinceEpoch);
};
