#include "tracker/daypayload.h"

#include "tracker/dayarchive.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"
#include "tracker/meals.h"

#include "planner/dailyscore.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int maxNameLength = 200;

double grams(float value)
{
    // One decimal, as the tracker shows grams; never below 0.
    return std::max(0.0, std::round(double(value) * 10) / 10);
}

QJsonObject foodJson(qint32 categoryId, const QString& category, const QString& name, int kind,
                     float calories, const Nutrients& nutrients)
{
    return {{QStringLiteral("category"),
             QJsonObject{{QStringLiteral("id"), categoryId},
                         {QStringLiteral("name"), category.left(maxNameLength)}}},
            {QStringLiteral("name"), name.trimmed().left(maxNameLength)},
            {QStringLiteral("kind"), std::clamp(kind, 0, 2)},
            {QStringLiteral("calories"), std::max(0.0, double(calories))},
            {QStringLiteral("carbs"), grams(nutrients.carbs)},
            {QStringLiteral("fat"), grams(nutrients.fat)},
            {QStringLiteral("protein"), grams(nutrients.protein)},
            {QStringLiteral("fiber"), grams(nutrients.fiber)}};
}

// The foods of one category of one meal.
void addCategory(const ArchivedDay& day, int meal, qint32 categoryId,
                 const FoodCatalogue& catalogue, QJsonArray* foods)
{
    const FoodModel* category = catalogue.category(categoryId);
    const QString categoryName = category && !category->title.trimmed().isEmpty()
                                     ? category->title.trimmed()
                                     : QStringLiteral("Category %1").arg(categoryId);
    QHash<qint32, const FoodItemModel*> listed;
    if (category) {
        for (const FoodItemModel* food : category->items)
            listed.insert(food->id, food);
    }

    const QList<MealEntry> entries = day.entries(meal, categoryId);
    Nutrients known;
    float unlistedCalories = 0;
    int unlisted = 0;
    for (const MealEntry& entry : entries) {
        if (const FoodItemModel* food = listed.value(entry.foodId))
            known += FoodNumbers::nutrientShare(*food, entry.kind, entry.calories);
        else {
            unlistedCalories += std::max(entry.calories, 0.0f);
            ++unlisted;
        }
    }
    // Foods no longer listed share what the stored figures hold beyond the
    // listed ones, by calories, so the day's nutrients add up.
    Nutrients rest = day.categoryNutrients(meal, categoryId);
    rest = FoodNumbers::atLeastZero(rest -= known);

    for (const MealEntry& entry : entries) {
        if (const FoodItemModel* food = listed.value(entry.foodId)) {
            const QString name = food->title.trimmed().isEmpty()
                                     ? QStringLiteral("Food %1").arg(entry.foodId)
                                     : food->title;
            foods->append(foodJson(categoryId, categoryName, name, entry.kind, entry.calories,
                                   FoodNumbers::nutrientShare(*food, entry.kind, entry.calories)));
            continue;
        }
        const float part = unlistedCalories > 0 ? std::max(entry.calories, 0.0f) / unlistedCalories
                                                : 1.0f / float(unlisted);
        Nutrients share;
        share.carbs = rest.carbs * part;
        share.fat = rest.fat * part;
        share.protein = rest.protein * part;
        share.fiber = rest.fiber * part;
        foods->append(foodJson(categoryId, categoryName,
                               QStringLiteral("Food %1").arg(entry.foodId), entry.kind,
                               entry.calories, share));
    }
}

// The meal's calories as sent: the stored figure (whole parts of the foods'
// calories, as the member saw it) while the foods add up to it within half a
// calorie each; otherwise (a total that disagrees with its records) what the
// foods add up to, since the foods are what the history shows.
int mealCalories(int stored, const QJsonArray& foods)
{
    double sum = 0;
    for (const QJsonValue& food : foods)
        sum += food[QStringLiteral("calories")].toDouble();
    if (std::abs(double(stored) - sum) <= 0.5 * double(foods.size()))
        return stored;
    return int(std::min(std::round(sum), double(std::numeric_limits<int>::max())));
}

} // namespace

namespace DayPayload {

bool listsEveryFood(const ArchivedDay& day, const FoodCatalogue& catalogue)
{
    for (int meal = 0; meal < Meals::count; ++meal) {
        for (qint32 categoryId : day.categories(meal)) {
            const FoodModel* category = catalogue.category(categoryId);
            for (const MealEntry& entry : day.entries(meal, categoryId)) {
                if (entry.foodId == 0)
                    continue;
                if (!category || std::none_of(category->items.cbegin(), category->items.cend(),
                                              [&entry](const FoodItemModel* food) {
                                                  return food->id == entry.foodId;
                                              }))
                    return false;
            }
        }
    }
    return true;
}

QJsonObject build(const ArchivedDay& day, const FoodCatalogue& catalogue)
{
    const int target = std::max(0, day.target);
    DailyScore::Day scored;
    scored.target = target;
    int eaten = 0;
    QJsonArray meals;
    for (int meal = 0; meal < Meals::count; ++meal) {
        QJsonArray foods;
        for (qint32 categoryId : day.categories(meal))
            addCategory(day, meal, categoryId, catalogue, &foods);
        const int calories = mealCalories(std::max(0, day.mealCalories(meal)), foods);
        scored.mealCalories[size_t(meal)] = calories;
        eaten = FoodNumbers::addCalories(eaten, calories);
        meals.append(
            QJsonObject{{QStringLiteral("calories"), calories}, {QStringLiteral("foods"), foods}});
    }
    const int remaining = FoodNumbers::subtractCalories(target, eaten);
    scored.remaining = remaining;

    double score = 0;
    QString grade;
    if (const std::optional<DailyScore::Result> result = DailyScore::evaluate(scored)) {
        score = std::isfinite(result->score) ? std::round(double(result->score) * 10) / 10 : 0;
        // The home keeps its earlier grade for a negative score; a day on
        // its own has none, so it takes the lowest.
        grade = result->grade.value_or(result->mealsEaten <= 3 ? QStringLiteral("0")
                                                               : QStringLiteral("F"));
    }
    return {{QStringLiteral("date"), day.date.toString(QStringLiteral("yyyy-MM-dd"))},
            {QStringLiteral("target"), target},
            {QStringLiteral("eaten"), eaten},
            {QStringLiteral("remaining"), remaining},
            {QStringLiteral("score"), score},
            {QStringLiteral("grade"), grade},
            {QStringLiteral("meals"), meals}};
}

} // namespace DayPayload
