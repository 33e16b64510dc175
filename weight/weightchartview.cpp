#include "weight/weightchartview.h"

#include "app/localeformats.h"

#include <QChart>
#include <QCursor>
#include <QDateTimeAxis>
#include <QImage>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
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
constexpr qint64 msPerDay = 24 * 3600 * 1000;
// 1970-01-01.
constexpr qint64 epochJulianDay = 2440588;

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

// A disc with a ring of background, so that touching points stay apart.
QImage markerImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(background, 1));
    painter.setBrush(weighingColour);
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    return image;
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
    setAccessibleName(tr("Weight chart"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(220);
    // No light frame around the dark chart.
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(background);

    auto* chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(background);
    chart->setBackgroundRoundness(0);
    // Axis numbers and month names as the member's language writes them.
    chart->setLocale(QLocale());
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setLabelColor(textColour);
    chart->legend()->setFont(QFont(QStringLiteral("Roboto"), 10));

    //: The goal weight line of the chart.
    m_goalLine->setName(tr("Goal"));
    m_goalLine->setPen(QPen(goalColour, 2, Qt::DashLine));
    //: The smoothed weight line of the chart.
    m_trendLine->setName(tr("Trend"));
    m_trendLine->setPen(QPen(trendColour, 3));
    m_weighings->setName(tr("Weighings"));
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
    // The points are one painted picture, not items of their own: the view
    // finds the one under the mouse itself.
    viewport()->setMouseTracking(true);
    setChart(chart);
}

qint64 WeightChartView::msOf(const QDate& day)
{
    // Noon UTC, by arithmetic: a local-time conversion per point would cost
    // more than the rest of the chart, and noon UTC is the same day on the
    // axis everywhere from UTC-11 to UTC+11.
    return (day.toJulianDay() - epochJulianDay) * msPerDay + msPerDay / 2;
}

QDate WeightChartView::dateOf(qreal ms)
{
    return QDate::fromJulianDay(qint64(std::floor(ms / msPerDay)) + epochJulianDay);
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

int WeightChartView::sliceCount(int width)
{
    // Two pixels a slice, over the plot (the chart less its value axis).
    return std::max(100, (width - 120) / 2);
}

void WeightChartView::resizeEvent(QResizeEvent* event)
{
    QChartView::resizeEvent(event);
    // A wider chart has room for more slices, a narrower one for fewer.
    const int slices = sliceCount(width());
    if (slices == m_slices)
        return;
    m_slices = slices;
    if (!m_trend.isEmpty())
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
    // More weighings than the plot has room for (years of them): per slice of
    // the time axis, a couple of pixels wide, the lightest and the heaviest
    // weighing and the trend at its end. It looks the same and costs what
    // the plot's width costs, not what the years cost.
    const int slices = m_slices = sliceCount(width());
    const bool thin = points.cend() - begin > slices;
    const qint64 days = std::max<qint64>(1, first.daysTo(last) + 1);
    int slice = -1;
    const WeightTrend::Point* lightest = nullptr;
    const WeightTrend::Point* heaviest = nullptr;
    const WeightTrend::Point* latest = nullptr;
    auto flush = [&] {
        if (!latest)
            return;
        const WeightTrend::Point* firstOne = lightest->date <= heaviest->date ? lightest : heaviest;
        const WeightTrend::Point* second = firstOne == lightest ? heaviest : lightest;
        weighings.append(
            QPointF(msOf(firstOne->date), WeightUnits::fromKg(firstOne->weightKg, m_unit)));
        if (second != firstOne)
            weighings.append(
                QPointF(msOf(second->date), WeightUnits::fromKg(second->weightKg, m_unit)));
        trend.append(QPointF(msOf(latest->date), WeightUnits::fromKg(latest->trendKg, m_unit)));
    };
    QDate lastInTrend = trend.isEmpty() ? QDate() : first;
    for (auto it = begin; it != points.cend(); ++it) {
        const double weight = WeightUnits::fromKg(it->weightKg, m_unit);
        const double smoothed = WeightUnits::fromKg(it->trendKg, m_unit);
        include(weight);
        include(smoothed);
        if (thin) {
            const int at = int(first.daysTo(it->date) * slices / days);
            if (at != slice) {
                flush();
                slice = at;
                lightest = heaviest = &*it;
            }
            if (it->weightKg < lightest->weightKg)
                lightest = &*it;
            if (it->weightKg > heaviest->weightKg)
                heaviest = &*it;
            latest = &*it;
            lastInTrend = it->date;
            continue;
        }
        // Level across the days without a weighing, then the day's step.
        if (lastInTrend.isValid() && it->date.addDays(-1) > lastInTrend)
            trend.append(QPointF(msOf(it->date.addDays(-1)), trend.constLast().y()));
        const qreal x = msOf(it->date);
        weighings.append(QPointF(x, weight));
        trend.append(QPointF(x, smoothed));
        lastInTrend = it->date;
    }
    flush();
    if (lastInTrend.isValid() && lastInTrend < last)
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

    //: Date patterns of the chart's time axis (QDate::toString), over a long and a short span.
    m_timeAxis->setFormat(days > 400 ? tr("MMM yyyy") : tr("d MMM"));
    // Half a day either side, so the first and last points show whole.
    m_timeAxis->setRange(QDateTime::fromMSecsSinceEpoch(msOf(first) - msPerDay / 2),
                         QDateTime::fromMSecsSinceEpoch(msOf(last) + msPerDay / 2));
    const int markerSize = days > 400 ? 5 : days > 100 ? 7 : 9;
    if (m_weighings->markerSize() != markerSize || m_weighings->lightMarker().isNull()) {
        m_weighings->setMarkerSize(markerSize);
        // One picture painted at every point: a marker item per weighing
        // would cost more than all the rest of the chart with years of them.
        m_weighings->setLightMarker(markerImage(markerSize));
    }

    setAccessibleDescription(tr("%n weighings from %1 to %2", nullptr, int(weighings.size()))
                                 .arg(LocaleFormats::longDay(first), LocaleFormats::longDay(last)));
}

QString WeightChartView::pointText(const QPointF& point) const
{
    const QDate day = dateOf(point.x());
    //: A weighing under the pointer: date, weight and unit.
    return tr("%1: %2 %3")
        .arg(LocaleFormats::longDay(day), LocaleFormats::decimal(point.y(), 1),
             WeightUnits::symbol(m_unit));
}

QString WeightChartView::textAt(const QPoint& position) const
{
    // The weighing nearest to `position`, within a marker's reach.
    constexpr qreal reach = 8;
    const QList<QPointF> points = m_weighings->points();
    const QPointF value = chart()->mapToValue(mapToScene(position), m_weighings);
    const qreal msPerPixel = std::abs(
        chart()->mapToValue(mapToScene(position + QPoint(1, 0)), m_weighings).x() - value.x());
    const auto from =
        std::lower_bound(points.cbegin(), points.cend(), value.x() - reach * msPerPixel,
                         [](const QPointF& p, qreal x) { return p.x() < x; });
    qreal nearest = reach * reach;
    QString text;
    for (auto it = from; it != points.cend() && it->x() <= value.x() + reach * msPerPixel; ++it) {
        const QPointF shown = mapFromScene(chart()->mapToPosition(*it, m_weighings));
        const QPointF off = shown - QPointF(position);
        const qreal distance = off.x() * off.x() + off.y() * off.y();
        if (distance <= nearest) {
            nearest = distance;
            text = pointText(*it);
        }
    }
    return text;
}

QPoint WeightChartView::positionOf(const QPointF& point) const
{
    return mapFromScene(chart()->mapToPosition(point, m_weighings));
}

void WeightChartView::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    const QString text = textAt(event->position().toPoint());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}
