#include "tracker/mealcopy.h"

#include "tracker/meals.h"

namespace MealCopy {

namespace {

MealEntry combined(const MealEntry& held, const MealEntry& copied)
{
    const float calories = held.calories + copied.calories;
    const bool twoHalves =
        held.kind == FoodQuantity::halfCup && copied.kind == FoodQuantity::halfCup;
    return MealEntry::make(held.foodId, calories,
                           twoHalves ? FoodQuantity::cup : FoodQuantity::other);
}

} // namespace

Meal merge(const Meal& target, const Meal& source, Mode mode)
{
    Meal result;
    if (mode == Mode::Replace) {
        for (auto it = target.cbegin(); it != target.cend(); ++it)
            result.insert(it.key(), Category{});
        for (auto it = source.cbegin(); it != source.cend(); ++it)
            result.insert(it.key(), it.value());
        return result;
    }
    for (auto it = source.cbegin(); it != source.cend(); ++it) {
        Category category = target.value(it.key());
        for (const MealEntry& copied : it.value().entries) {
            auto held = std::find_if(category.entries.begin(), category.entries.end(),
                                     [&copied](const MealEntry& entry) {
                                         return copied.foodId != 0 && entry.foodId == copied.foodId;
                                     });
            if (held != category.entries.end())
                *held = combined(*held, copied);
            else
                category.entries.append(copied);
        }
        category.nutrients += it.value().nutrients;
        result.insert(it.key(), category);
    }
    return result;
}

} // namespace MealCopy
