#pragma once

#include "tracker/daystore.h"

#include <QList>
#include <QMap>

#include <functional>

// The foods a member chose for one meal on earlier days, newest first, each
// food once, with the amount it was last chosen by: what the tracker offers
// to add again with one click.
namespace RecentFoods {

inline constexpr int defaultCap = 20;

struct Food
{
    qint32 category = 0;
    qint32 foodId = 0;
    qint32 kind = 0;    // as last chosen (FoodQuantity)
    float calories = 0; // of that choice; the amount of an "other" choice
};

// One earlier day's records of the meal: category id -> its entries.
using DayMeal = QMap<qint32, QList<MealEntry>>;

// `days` newest first. A food counts once, by its newest choice; foods
// without an id (a member's food the service never named) and foods that
// `listed` does not know are left out before the cap.
QList<Food> collect(const QList<DayMeal>& days,
                    const std::function<bool(qint32 category, qint32 foodId)>& listed = {},
                    int cap = defaultCap);

} // namespace RecentFoods
