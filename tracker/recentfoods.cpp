#include "tracker/recentfoods.h"

#include <QSet>

namespace RecentFoods {

QList<Food> collect(const QList<DayMeal>& days, const std::function<bool(qint32, qint32)>& listed,
                    int cap)
{
    QList<Food> foods;
    QSet<QString> seen;
    for (const DayMeal& day : days) {
        for (auto it = day.cbegin(); it != day.cend(); ++it) {
            for (const MealEntry& entry : it.value()) {
                if (foods.size() >= cap)
                    return foods;
                if (entry.foodId == 0 || (listed && !listed(it.key(), entry.foodId)))
                    continue;
                const QString key = DayStore::chosenKey(it.key(), entry.foodId);
                if (seen.contains(key))
                    continue;
                seen.insert(key);
                foods.append({it.key(), entry.foodId, entry.kind, entry.calories});
            }
        }
    }
    return foods;
}

} // namespace RecentFoods
