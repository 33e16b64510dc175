#include "main/historychartview.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

constexpr int pixelsPerPoint = 8;
// "Mar 05 2024" with room to spare, and the two value axes beside the plot.
constexpr int pixelsPerTick = 110;
constexpr int valueAxesWidth = 160;

const QColor background(47, 46, 70);
// Light text on the dark chart: at least 4.5:1 against the background.
const QColor textColour(0xEE, 0xEE, 0xF4);
const QColor gridColour(0x50, 0x4F, 0x6B);
const std::array<QColor, HistoryChartView::FigureCount> figureColours{
    QColor(0xF6, 0x71, 0x0E), QColor(0xB4, 0xB4, 0xC8), QColor(0xE8, 0x4A, 0x82),
    QColor(0x4C, 0xC9, 0x8A)};

QString captionOf(HistoryTrend::Step step)
{
    switch (step) {
    case HistoryTrend::Step::Week:
        return HistoryChartView::tr("Weekly averages");
    case HistoryTrend::Step::Month:
        return HistoryChartView::tr("Monthly averages");
    case HistoryTrend::Step::Quarter:
        return HistoryChartView::tr("Quarterly averages");
    case HistoryTrend::Step::Year:
        return HistoryChartView::tr("Yearly averages");
    case HistoryTrend::Step::Day:
        break;
    }
    return HistoryChartView::tr("Daily calories and score");
}

double valueOf(const HistoryTrend::Point& point, int figure)
{
    switch (figure) {
    case HistoryChartView::Eaten:
        return point.eaten;
    case HistoryChartView::Target:
        return point.target;
    case HistoryChartView::Exercise:
        return point.exercise;
    default:
        break;
    }
    return point.score;
}

// 1, 2, 2.5 or 5 times a power of ten, at least `rough`.
double roundStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

// Gridlines at round figures from 0 (0, 500, 1000 rather than 0, 495, 990),
// about five of them, and room beyond the figures for a whole marker.
void setRoundRange(QValueAxis* axis, double low, double high)
{
    // A bad reply's huge figures still give a drawable axis.
    low = std::max(low, -1e12);
    high = std::min(high, 1e12);
    const double span = high > low ? high - low : 100;
    const double room = span * 0.05;
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(roundStep(span / 5));
    axis->setRange(low - room, std::max(high, low + span) + room);
}

void styleAxis(QAbstractAxis* axis)
{
    axis->setLabelsBrush(textColour);
    axis->setLabelsFont(QFont(QStringLiteral("Roboto"), 10));
    axis->setTitleBrush(textColour);
    axis->setTitleFont(QFont(QStringLiteral("Roboto"), 10, QFont::Medium));
    axis->setLinePenColor(gridColour);
    axis->setGridLineColor(gridColour);
    axis->setShadesVisible(false);
}

} // namespace

HistoryChartView::HistoryChartView(QWidget* parent)
    : QChartView(parent)
    , m_points{new QScatterSeries, new QScatterSeries, new QScatterSeries, new QScatterSeries}
    , m_timeAxis(new QCategoryAxis)
    , m_calorieAxis(new QValueAxis)
    , m_scoreAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("chartView"));
    setAccessibleName(tr("Calories and score over time"));
    setRenderHint(QPainter::Antialiasing);

    auto* chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(background);
    // Axis numbers as the member's language writes them.
    chart->setLocale(QLocale());
    chart->setLocalizeNumbers(true);
    chart->setTitleBrush(textColour);
    chart->setTitleFont(QFont(QStringLiteral("Roboto"), 13, QFont::Medium));
    chart->setTitle(captionOf(HistoryTrend::Step::Day));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setLabelColor(textColour);
    chart->legend()->setFont(QFont(QStringLiteral("Roboto"), 10));

    //: The figures of the history chart: calories eaten, the day's target, the planner's score,
    //: exercise calories.
    const std::array<QString, FigureCount> names{tr("Eaten"), tr("Target"), tr("Score"),
                                                 tr("Exercise")};
    for (int figure = Eaten; figure < FigureCount; ++figure) {
        QScatterSeries* points = m_points[figure];
        points->setName(names[figure]);
        points->setColor(figureColours[figure]);
        // A ring of background keeps touching markers apart.
        points->setBorderColor(background);
        points->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        chart->addSeries(points);
    }

    m_timeAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_calorieAxis->setTitleText(tr("Calories"));
    m_calorieAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_scoreAxis->setTitleText(tr("Score"));
    m_scoreAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_calorieAxis, Qt::AlignLeft);
    chart->addAxis(m_scoreAxis, Qt::AlignRight);
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(m_timeAxis), static_cast<QAbstractAxis*>(m_calorieAxis),
                                static_cast<QAbstractAxis*>(m_scoreAxis)}) {
        styleAxis(axis);
    }
    // One set of gridlines: the calories'.
    m_scoreAxis->setGridLineVisible(false);
    for (int figure = Eaten; figure < FigureCount; ++figure) {
        m_points[figure]->attachAxis(m_timeAxis);
        m_points[figure]->attachAxis(figure == Score ? m_scoreAxis : m_calorieAxis);
    }
    setChart(chart);
}

int HistoryChartView::pointsForWidth(int width)
{
    return std::max(8, width / pixelsPerPoint);
}

int HistoryChartView::ticksForWidth(int width)
{
    return std::max(2, (width - valueAxesWidth) / pixelsPerTick);
}

void HistoryChartView::setRecords(const HistoryRecords* records)
{
    m_records = records;
    m_maxPoints = pointsForWidth(width());
    m_maxTicks = ticksForWidth(width());
    m_trend = HistoryTrend();
    m_points[Eaten]->clear();
    rebuild();
}

void HistoryChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    const int maxPoints = pointsForWidth(width());
    const int maxTicks = ticksForWidth(width());
    if (maxPoints == m_maxPoints && maxTicks == m_maxTicks)
        return;
    m_maxPoints = maxPoints;
    m_maxTicks = maxTicks;
    // A narrower chart may need coarser steps and fewer labels, a wider one
    // allows finer.
    if (m_records)
        rebuild();
}

qreal HistoryChartView::position(const QDate& day) const
{
    // Days from the first point: whole days apart whatever the clocks do.
    return m_trend.points.isEmpty() ? 0 : qreal(m_trend.points.constFirst().start.daysTo(day));
}

void HistoryChartView::rebuild()
{
    HistoryTrend trend = HistoryTrend::build(*m_records, m_maxPoints);
    const bool samePoints = trend.step == m_trend.step && trend.points.size() == m_trend.points.size()
                            && !m_points[Eaten]->points().isEmpty();
    if (!samePoints) {
        m_trend = std::move(trend);
        double highestCalories = 0;
        double lowestScore = 0;
        double highestScore = 100;
        for (int figure = Eaten; figure < FigureCount; ++figure) {
            QList<QPointF> points;
            points.reserve(m_trend.points.size());
            for (const HistoryTrend::Point& point : std::as_const(m_trend.points))
                points.append(QPointF(position(point.start), valueOf(point, figure)));
            m_points[figure]->replace(points);
        }
        for (const HistoryTrend::Point& point : std::as_const(m_trend.points)) {
            highestCalories = std::max({highestCalories, point.eaten, point.target, point.exercise});
            lowestScore = std::min(lowestScore, point.score);
            highestScore = std::max(highestScore, point.score);
        }
        rebuildLines();
        chart()->setTitle(captionOf(m_trend.step));
        // Headroom: the target often is the highest figure, and keeps off the top edge.
        setRoundRange(m_calorieAxis, 0, highestCalories > 0 ? highestCalories * 1.1 : 100);
        setRoundRange(m_scoreAxis, lowestScore, highestScore);
    }
    updateTimeAxis();
}

void HistoryChartView::rebuildLines()
{
    QChart* chart = this->chart();
    for (QList<QLineSeries*>& lines : m_lines) {
        for (QLineSeries* line : std::as_const(lines)) {
            chart->removeSeries(line);
            delete line;
        }
        lines.clear();
    }
    const QList<HistoryTrend::Run> runs = m_trend.runs();
    for (int figure = Eaten; figure < FigureCount; ++figure) {
        for (const HistoryTrend::Run& run : runs) {
            if (run.count < 2)
                continue; // its marker is all there is to draw
            auto* line = new QLineSeries;
            QPen pen(figureColours[figure], 2);
            line->setPen(pen);
            line->replace(m_points[figure]->points().mid(run.first, run.count));
            chart->addSeries(line);
            line->attachAxis(m_timeAxis);
            line->attachAxis(figure == Score ? m_scoreAxis : m_calorieAxis);
            for (QLegendMarker* marker : chart->legend()->markers(line))
                marker->setVisible(false);
            m_lines[figure].append(line);
        }
    }
    // The markers go back on top of the new lines, in the legend's order.
    for (int figure = Eaten; figure < FigureCount; ++figure) {
        QScatterSeries* points = m_points[figure];
        chart->removeSeries(points);
        chart->addSeries(points);
        points->attachAxis(m_timeAxis);
        points->attachAxis(figure == Score ? m_scoreAxis : m_calorieAxis);
    }
}

void HistoryChartView::updateTimeAxis()
{
    for (const QString& label : m_timeAxis->categoriesLabels())
        m_timeAxis->remove(label);
    const QList<QDate> ticks = m_trend.ticks(m_maxTicks);
    // Half a step on either side, so that the first and last markers show whole.
    const qreal margin = HistoryTrend::stepDays(m_trend.step) / 2.0;
    const qreal last = ticks.isEmpty() ? 0 : position(m_trend.points.constLast().start);
    m_timeAxis->setStartValue(-margin);
    for (const QDate& tick : ticks)
        m_timeAxis->append(m_trend.tickLabel(tick), position(tick));
    m_timeAxis->setRange(-margin, last + margin);

    QString description = captionOf(m_trend.step);
    if (!ticks.isEmpty()) {
        //: The chart's caption, then the first and the last day or period it shows.
        description = tr("%1, %2 to %3")
                          .arg(description, m_trend.tickLabel(m_trend.points.constFirst().start),
                               m_trend.tickLabel(m_trend.points.constLast().start));
    }
    setAccessibleDescription(description);

    // Markers a little smaller than the room between two steps.
    const qsizetype steps = std::max<qsizetype>(1, m_trend.stepCount());
    const qreal room = qreal(width() - valueAxesWidth) / qreal(steps);
    for (QScatterSeries* points : m_points)
        points->setMarkerSize(std::clamp(room - 2, 6.0, 11.0));
}
