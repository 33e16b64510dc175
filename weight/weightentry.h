#pragma once

#include <QDate>
#include <QList>

// One weighing: the member's weight on one day, in kilograms with one decimal
// (kilograms are what is stored and sent; pounds are only shown).
struct WeightEntry
{
    QDate date;
    double kg = 0;

    friend bool operator==(const WeightEntry&, const WeightEntry&) = default;
};

// What the service accepts, so that a refusal can be foreseen (an import
// skips such rows instead of queueing changes the service would refuse).
namespace WeightLimits {

inline constexpr double minKg = 20;
inline constexpr double maxKg = 500;
inline constexpr int maxEntries = 20000;
inline constexpr double minHeightCm = 50;
inline constexpr double maxHeightCm = 272;

inline QDate earliestDate()
{
    return QDate(1900, 1, 1);
}
// Tomorrow: a member east of the service may already weigh in tomorrow.
inline QDate latestDate(const QDate& today = QDate::currentDate())
{
    return today.addDays(1);
}

inline bool isValidKg(double kg)
{
    return kg >= minKg && kg <= maxKg;
}
inline bool isValidDate(const QDate& date, const QDate& today = QDate::currentDate())
{
    return date.isValid() && date >= earliestDate() && date <= latestDate(today);
}

} // namespace WeightLimits
