#include "exercise/workoutoffer.h"

#include "exercise/activitycatalogue.h"
#include "exercise/exercisecalories.h"
#include "store/productitem.h"

#include <cmath>

std::optional<WorkoutOffer> WorkoutOffer::forProduct(const ProductItem& item)
{
    const QString code = item.activityCode.trimmed();
    // Program videos come as WORKOUT; a list without the activity fields
    // still marks its workouts by type.
    const bool workout = item.type == QLatin1String("WORKOUT") || item.isProgram() || !code.isEmpty();
    if (!workout)
        return std::nullopt;
    WorkoutOffer offer;
    offer.title = item.title;
    if (ActivityCatalogue::builtIn().find(code))
        offer.activityCode = code;
    if (item.activityMinutes >= 1 && item.activityMinutes <= ExerciseCalories::maxMinutes)
        offer.minutes = item.activityMinutes;
    return offer;
}

int WorkoutOffer::minutesToOffer(qint64 playedDurationMs) const
{
    if (minutes > 0)
        return minutes;
    if (playedDurationMs > 0) {
        const qint64 played = std::llround(double(playedDurationMs) / 60000.0);
        return int(std::clamp<qint64>(played, 1, ExerciseCalories::maxMinutes));
    }
    return 30;
}

bool WorkoutProgress::reached(qint64 positionMs, qint64 durationMs)
{
    if (m_offered || durationMs <= 0 || positionMs * 100 < durationMs * offerPercent)
        return false;
    m_offered = true;
    return true;
}
