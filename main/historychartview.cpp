#include "main/historychartview.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int pixelsPerPoint = 6;

qreal chartTime(const QDate& day)
{
    return qreal(day.startOfDay().toMSecsSinceEpoch());
}

QString captionOf(HistoryTrend::Step step)
{
    switch (step) {
    case HistoryTrend::Step::Week:
        return QStringLiteral("Weekly averages");
    case HistoryTrend::Step::Month:
        return QStringLiteral("Monthly averages");
    case HistoryTrend::Step::Quarter:
        return QStringLiteral("Quarterly averages");
    case HistoryTrend::Step::Year:
        return QStringLiteral("Yearly averages");
    case HistoryTrend::Step::Day:
        break;
    }
    return QStringLiteral("Daily calories and score");
}

QString axisFormat(HistoryTrend::Step step)
{
    switch (step) {
    case HistoryTrend::Step::Day:
    case HistoryTrend::Step::Week:
        return QStringLiteral("MMM dd yyyy");
    case HistoryTrend::Step::Month:
    case HistoryTrend::Step::Quarter:
        return QStringLiteral("MMM yyyy");
    case HistoryTrend::Step::Year:
        break;
    }
    return QStringLiteral("yyyy");
}

} // namespace

HistoryChartView::HistoryChartView(QWidget* parent)
    : QChartView(parent)
    , m_eaten(new QLineSeries)
    , m_target(new QLineSeries)
    , m_score(new QLineSeries)
    , m_timeAxis(new QDateTimeAxis)
    , m_calorieAxis(new QValueAxis)
    , m_scoreAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("chartView"));
    setAccessibleName(QStringLiteral("Calories and score over time"));
    setRenderHint(QPainter::Antialiasing);

    auto* chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(QColor(47, 46, 70));
    chart->setTitle(captionOf(HistoryTrend::Step::Day));
    chart->legend()->setAlignment(Qt::AlignTop);

    m_eaten->setName(QStringLiteral("Eaten"));
    m_target->setName(QStringLiteral("Target"));
    m_score->setName(QStringLiteral("Score"));
    m_eaten->setColor(QColor(0xF6, 0x71, 0x0E));
    m_target->setColor(QColor(0x9a, 0x9a, 0xb0));
    m_score->setColor(QColor(0xCE, 0x39, 0x6E));
    for (QLineSeries* series : {m_eaten, m_target, m_score})
        chart->addSeries(series);

    m_timeAxis->setFormat(QStringLiteral("MMM dd yyyy"));
    m_timeAxis->setTickCount(6);
    m_calorieAxis->setTitleText(QStringLiteral("Calories"));
    m_calorieAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_scoreAxis->setTitleText(QStringLiteral("Score"));
    m_scoreAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_calorieAxis, Qt::AlignLeft);
    chart->addAxis(m_scoreAxis, Qt::AlignRight);
    for (QLineSeries* series : {m_eaten, m_target, m_score})
        series->attachAxis(m_timeAxis);
    m_eaten->attachAxis(m_calorieAxis);
    m_target->attachAxis(m_calorieAxis);
    m_score->attachAxis(m_scoreAxis);
    setChart(chart);
}

int HistoryChartView::pointsForWidth(int width)
{
    return std::max(8, width / pixelsPerPoint);
}

void HistoryChartView::setRecords(const HistoryRecords* records)
{
    m_records = records;
    m_maxPoints = pointsForWidth(width());
    m_trend = HistoryTrend();
    m_eaten->clear();
    rebuild();
}

void HistoryChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    const int maxPoints = pointsForWidth(width());
    if (maxPoints == m_maxPoints)
        return;
    m_maxPoints = maxPoints;
    // A narrower chart may need coarser steps, a wider one allows finer.
    if (m_records)
        rebuild();
}

void HistoryChartView::rebuild()
{
    HistoryTrend trend = HistoryTrend::build(*m_records, m_maxPoints);
    if (trend.step == m_trend.step && trend.points.size() == m_trend.points.size() && !m_eaten->points().isEmpty())
        return; // the same points as shown
    m_trend = std::move(trend);

    QList<QPointF> eaten;
    QList<QPointF> target;
    QList<QPointF> score;
    eaten.reserve(m_trend.points.size());
    target.reserve(m_trend.points.size());
    score.reserve(m_trend.points.size());
    double highestCalories = 0;
    double lowestScore = 0;
    double highestScore = 100;
    for (const HistoryTrend::Point& point : std::as_const(m_trend.points)) {
        const qreal x = chartTime(point.start);
        eaten.append(QPointF(x, point.eaten));
        target.append(QPointF(x, point.target));
        score.append(QPointF(x, point.score));
        highestCalories = std::max({highestCalories, point.eaten, point.target});
        lowestScore = std::min(lowestScore, point.score);
        highestScore = std::max(highestScore, point.score);
    }
    m_eaten->replace(eaten);
    m_target->replace(target);
    m_score->replace(score);

    chart()->setTitle(captionOf(m_trend.step));
    if (!m_trend.points.isEmpty()) {
        const QDate first = m_trend.points.constFirst().start;
        const QDate last = m_trend.points.constLast().start;
        m_timeAxis->setRange(first.startOfDay(), (last == first ? last.addDays(1) : last).startOfDay());
        m_timeAxis->setFormat(axisFormat(m_trend.step));
    }
    m_calorieAxis->setRange(0, highestCalories > 0 ? highestCalories * 1.1 : 100);
    m_scoreAxis->setRange(lowestScore, highestScore);
}
