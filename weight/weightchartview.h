#pragma once

#include "weight/weighttrend.h"
#include "weight/weightunits.h"

#include <QChartView>
#include <QDate>

#include <optional>

class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// The weight chart: every weighing as a point, the trend as a line that
// stays level across the days without a weighing, and the goal as a dashed
// line, over the last 30 days, 90 days, year, or everything. Hovering a
// point tells its date and weight.
class WeightChartView final : public QChartView
{
    Q_OBJECT

public:
    enum class Span
    {
        Days30,
        Days90,
        Year,
        All
    };

    explicit WeightChartView(QWidget* parent = nullptr);

    // `today` ends the spans (or the last weighing, when later).
    void setData(const WeightTrend& trend, std::optional<double> goalKg, WeightUnit unit,
                 const QDate& today = QDate::currentDate());
    void setSpan(Span span);
    Span span() const { return m_span; }

    QScatterSeries* weighingSeries() const { return m_weighings; }
    QLineSeries* trendSeries() const { return m_trendLine; }
    QLineSeries* goalSeries() const { return m_goalLine; }
    QDateTimeAxis* timeAxis() const { return m_timeAxis; }
    QValueAxis* weightAxis() const { return m_weightAxis; }

    // "12 March 2026: 81.4 kg", the text shown over a hovered point.
    QString pointText(const QPointF& point) const;
    // The text of the weighing under `position` (in the view); empty when none.
    QString textAt(const QPoint& position) const;
    // Where `point` (a weighing's value) shows in the view.
    QPoint positionOf(const QPointF& point) const;

    // How many slices of the time axis a chart `width` pixels wide shows.
    static int sliceCount(int width);
    static qint64 msOf(const QDate& day);
    static QDate dateOf(qreal ms);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void rebuild();

    WeightTrend m_trend;
    std::optional<double> m_goalKg;
    WeightUnit m_unit = WeightUnit::Kilograms;
    QDate m_today;
    Span m_span = Span::Days90;
    int m_slices = 0;
    QScatterSeries* m_weighings;
    QLineSeries* m_trendLine;
    QLineSeries* m_goalLine;
    QDateTimeAxis* m_timeAxis;
    QValueAxis* m_weightAxis;
};
