#pragma once

#include "main/historytrend.h"

#include <QChartView>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// The trend chart of the history window: calories eaten and the target on
// the left axis, the score on the right, over the days of the list. When the
// days do not fit the chart's width they are averaged per week or month.
class HistoryChartView final : public QChartView
{
    Q_OBJECT

public:
    explicit HistoryChartView(QWidget* parent = nullptr);

    // The records stay with the caller and must outlive the next setRecords.
    void setRecords(const HistoryRecords* records);

    const HistoryTrend& trend() const { return m_trend; }
    QLineSeries* eatenSeries() const { return m_eaten; }
    QLineSeries* targetSeries() const { return m_target; }
    QLineSeries* scoreSeries() const { return m_score; }

    // How many points fit a chart `width` pixels wide.
    static int pointsForWidth(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();

    const HistoryRecords* m_records = nullptr;
    HistoryTrend m_trend;
    int m_maxPoints = 0;
    QLineSeries* m_eaten;
    QLineSeries* m_target;
    QLineSeries* m_score;
    QDateTimeAxis* m_timeAxis;
    QValueAxis* m_calorieAxis;
    QValueAxis* m_scoreAxis;
};
