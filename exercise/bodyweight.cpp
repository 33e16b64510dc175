#include "exercise/bodyweight.h"

#include "exercise/exercisestore.h"
#include "weight/weighttrend.h"

namespace BodyWeight {

std::optional<double> latestTrendKg(const QList<WeightEntry>& entries)
{
    const WeightTrend trend(entries);
    if (trend.isEmpty())
        return std::nullopt;
    return trend.points().constLast().trendKg;
}

std::optional<double> forExercise(const QList<WeightEntry>& entries)
{
    if (const std::optional<double> trend = latestTrendKg(entries))
        return trend;
    return ExerciseStore::givenBodyKg();
}

} // namespace BodyWeight
