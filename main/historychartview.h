#pragma once

#include "main/historytrend.h"

#include <QChartView>

#include <array>

class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// The trend chart of the history window: calories eaten and the target on
// the left axis, the score on the right, over the days of the list. When the
// days do not fit the chart's width they are averaged per week or month.
// Every point is a marker, so a lone day shows; lines join neighbouring
// points only and break where a day (or week, month) went untracked.
class HistoryChartView final : public QChartView
{
    Q_OBJECT

public:
    enum Figure { Eaten, Target, Score, Exercise, FigureCount };

    explicit HistoryChartView(QWidget* parent = nullptr);

    // The records stay with the caller and must outlive the next setRecords.
    void setRecords(const HistoryRecords* records);

    const HistoryTrend& trend() const { return m_trend; }
    // Every point of a figure, as markers.
    QScatterSeries* eatenSeries() const { return m_points[Eaten]; }
    QScatterSeries* targetSeries() const { return m_points[Target]; }
    QScatterSeries* scoreSeries() const { return m_points[Score]; }
    QScatterSeries* exerciseSeries() const { return m_points[Exercise]; }
    // The lines of a figure: one per run of two or more neighbouring points.
    QList<QLineSeries*> lines(Figure figure) const { return m_lines[figure]; }
    QCategoryAxis* timeAxis() const { return m_timeAxis; }

    // How many points fit a chart `width` pixels wide.
    static int pointsForWidth(int width);
    // How many date labels fit under a chart `width` pixels wide.
    static int ticksForWidth(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuild();
    void rebuildLines();
    void updateTimeAxis();
    qreal position(const QDate& day) const;

    const HistoryRecords* m_records = nullptr;
    HistoryTrend m_trend;
    int m_maxPoints = 0;
    int m_maxTicks = 0;
    std::array<QScatterSeries*, FigureCount> m_points;
    std::array<QList<QLineSeries*>, FigureCount> m_lines;
    QCategoryAxis* m_timeAxis;
    QValueAxis* m_calorieAxis;
    QValueAxis* m_scoreAxis;
};
