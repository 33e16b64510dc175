#include "weight/weighttrend.h"

#include <algorithm>

WeightTrend::WeightTrend(const QList<WeightEntry>& entries)
{
    QList<WeightEntry> sorted = entries;
    const auto byDate = [](const WeightEntry& a, const WeightEntry& b) { return a.date < b.date; };
    if (!std::is_sorted(sorted.cbegin(), sorted.cend(), byDate))
        std::stable_sort(sorted.begin(), sorted.end(), byDate);

    m_points.reserve(sorted.size());
    for (const WeightEntry& entry : std::as_const(sorted)) {
        if (!entry.date.isValid())
            continue;
        if (!m_points.isEmpty() && m_points.constLast().date == entry.date)
            m_points.removeLast(); // the later entry of a day wins
        const double before = m_points.isEmpty() ? entry.kg : m_points.constLast().trendKg;
        m_points.append(Point{entry.date, entry.kg, before + smoothing * (entry.kg - before)});
    }
}

QDate WeightTrend::firstDate() const
{
    return m_points.isEmpty() ? QDate() : m_points.constFirst().date;
}

QDate WeightTrend::lastDate() const
{
    return m_points.isEmpty() ? QDate() : m_points.constLast().date;
}

std::optional<double> WeightTrend::at(const QDate& day) const
{
    // The last weighing on or before `day`.
    const auto after = std::upper_bound(m_points.cbegin(), m_points.cend(), day,
                                        [](const QDate& d, const Point& p) { return d < p.date; });
    if (after == m_points.cbegin())
        return std::nullopt;
    return std::prev(after)->trendKg;
}
