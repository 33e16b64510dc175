#include "weight/weightchartview.h"

#include <QChart>
#include <QCursor>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

const QColor background(47, 46, 70);
// Light text and lines on the dark chart: at least 4.5:1 against the background.
const QColor textColour(0xEE, 0xEE, 0xF4);
const QColor gridColour(0x50, 0x4F, 0x6B);
const QColor weighingColour(0xB4, 0xB4, 0xC8);
const QColor trendColour(0xF6, 0x71, 0x0E);
const QColor goalColour(0x7B, 0xD8, 0x8F);

int spanDays(WeightChartView::Span span)
{
    switch (span) {
    case WeightChartView::Span::Days30:
        return 30;
    case WeightChartView::Span::Days90:
        return 90;
    case WeightChartView::Span::Year:
        return 365;
    case WeightChartView::Span::All:
        break;
    }
    return 0;
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

WeightChartView::WeightChartView(QWidget* parent)
    : QChartView(parent), m_weighings(new QScatterSeries), m_trendLine(new QLineSeries),
      m_goalLine(new QLineSeries), m_timeAxis(new QDateTimeAxis), m_weightAxis(new QValueAxis)
{
    setObjectName(QStringLiteral("weightChart"));
    setAccessibleName(QStringLiteral("Weight chart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(220);
    // No light frame around the dark chart.
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(background);

    auto* chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(background);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setLabelColor(textColour);
    chart->legend()->setFont(QFont(QStringLiteral("Roboto"), 10));

    m_goalLine->setName(QStringLiteral("Goal"));
    m_goalLine->setPen(QPen(goalColour, 2, Qt::DashLine));
    m_trendLine->setName(QStringLiteral("Trend"));
    m_trendLine->setPen(QPen(trendColour, 3));
    m_weighings->setName(QStringLiteral("Weighings"));
    m_weighings->setColor(weighingColour);
    m_weighings->setBorderColor(background);
    m_weighings->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    m_weighings->setMarkerSize(8);
    // The trend over the points would hide where a day's weight lies; the
    // points go on top.
    chart->addSeries(m_goalLine);
    chart->addSeries(m_trendLine);
    chart->addSeries(m_weighings);

    m_timeAxis->setTickCount(7);
    m_weightAxis->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_weightAxis, Qt::AlignLeft);
    styleAxis(m_timeAxis);
    styleAxis(m_weightAxis);
    for (QXYSeries* series :
         {static_cast<QXYSeries*>(m_goalLine), static_cast<QXYSeries*>(m_trendLine),
          static_cast<QXYSeries*>(m_weighings)}) {
        series->attachAxis(m_timeAxis);
        series->attachAxis(m_weightAxis);
    }
    connect(m_weighings, &QScatterSeries::hovered, this, &WeightChartView::showPointText);
    setChart(chart);
}

qint64 WeightChartView::msOf(const QDate& day)
{
    // Noon: a day stays that day whatever the clocks do around midnight.
    return QDateTime(day, QTime(12, 0)).toMSecsSinceEpoch();
}

QDate WeightChartView::dateOf(qreal ms)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(ms))).date();
}

void WeightChartView::setData(const WeightTrend& trend, std::optional<double> goalKg,
                              WeightUnit unit, const QDate& today)
{
    m_trend = trend;
    m_goalKg = goalKg;
    m_unit = unit;
    m_today = today;
    rebuild();
}

void WeightChartView::setSpan(Span span)
{
    if (span == m_span)
        return;
    m_span = span;
    rebuild();
}

void WeightChartView::rebuild()
{
    const QList<WeightTrend::Point>& points = m_trend.points();
    QDate last = m_today.isValid() ? m_today : QDate::currentDate();
    if (!points.isEmpty() && points.constLast().date > last)
        last = points.constLast().date;
    QDate first = last.addDays(-(spanDays(m_span) - 1));
    if (m_span == Span::All)
        first = points.isEmpty() ? last.addDays(-29)
                                 : std::min(points.constFirst().date, last.addDays(-6));

    // Only what the span shows goes into the series: ten years of weighings
    // drawn off-screen would cost the 30-day view as much as the full one.
    const auto begin =
        std::lower_bound(points.cbegin(), points.cend(), first,
                         [](const WeightTrend::Point& p, const QDate& d) { return p.date < d; });
    QList<QPointF> weighings;
    QList<QPointF> trend;
    weighings.reserve(points.cend() - begin);
    trend.reserve(2 * (points.cend() - begin) + 2);
    double low = 1e9;
    double high = -1e9;
    auto include = [&](double value) {
        low = std::min(low, value);
        high = std::max(high, value);
    };
    // The trend coming into the span, carried on from before it.
    if (begin != points.cbegin()) {
        const double carried = WeightUnits::fromKg(std::prev(begin)->trendKg, m_unit);
        trend.append(QPointF(msOf(first), carried));
        include(carried);
    }
    for (auto it = begin; it != points.cend(); ++it) {
        const double weight = WeightUnits::fromKg(it->weightKg, m_unit);
        const double smoothed = WeightUnits::fromKg(it->trendKg, m_unit);
        // Level across the days without a weighing, then the day's step.
        if (!trend.isEmpty() && it->date.addDays(-1) > dateOf(trend.constLast().x()))
            trend.append(QPointF(msOf(it->date.addDays(-1)), trend.constLast().y()));
        weighings.append(QPointF(msOf(it->date), weight));
        trend.append(QPointF(msOf(it->date), smoothed));
        include(weight);
        include(smoothed);
    }
    if (!trend.isEmpty() && dateOf(trend.constLast().x()) < last)
        trend.append(QPointF(msOf(last), trend.constLast().y()));
    m_weighings->replace(weighings);
    m_trendLine->replace(trend);

    QList<QPointF> goal;
    if (m_goalKg) {
        const double shown = WeightUnits::fromKg(*m_goalKg, m_unit);
        goal = {QPointF(msOf(first), shown), QPointF(msOf(last), shown)};
        include(shown);
    }
    m_goalLine->replace(goal);

    if (low > high) {
        // Nothing to show yet: a sensible empty frame.
        low = WeightUnits::fromKg(60, m_unit);
        high = WeightUnits::fromKg(90, m_unit);
    }
    const double room = std::max(1.0, (high - low) * 0.08);
    m_weightAxis->setRange(std::floor(low - room), std::ceil(high + room));
    m_weightAxis->setTitleText(WeightUnits::symbol(m_unit));
    m_weightAxis->applyNiceNumbers();

    const qint64 days = first.daysTo(last);
    m_timeAxis->setFormat(days > 400 ? QStringLiteral("MMM yyyy") : QStringLiteral("d MMM"));
    // Half a day either side, so the first and last points show whole.
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(msOf(first) - 12 * 3600 * 1000),
                         QDateTime::fromMSecsSinceEpoch(msOf(last) + 12 * 3600 * 1000));
    m_weighings->setMarkerSize(days > 400 ? 5 : days > 100 ? 7 : 9);

    const QLocale english(QLocale::English);
    setAccessibleDescription(QStringLiteral("%1 weighings from %2 to %3")
                                 .arg(weighings.size())
                                 .arg(english.toString(first, QStringLiteral("d MMMM yyyy")),
                                      english.toString(last, QStringLiteral("d MMMM yyyy"))));
}

QString WeightChartView::pointText(const QPointF& point) const
{
    const QDate day = dateOf(point.x());
    const QString date = QLocale(QLocale::English).toString(day, QStringLiteral("d MMMM yyyy"));
    return QStringLiteral("%1: %2 %3")
        .arg(date, QString::number(point.y(), 'f', 1), WeightUnits::symbol(m_unit));
}

void WeightChartView::showPointText(const QPointF& point, bool hovered)
{
    if (hovered)
        QToolTip::showText(QCursor::pos(), pointText(point), this);
    else
        QToolTip::hideText();
}
