#pragma once

#include <QJsonObject>

struct ArchivedDay;
class FoodCatalogue;

// A finished day as the service's uploadDay takes it: date, target, eaten
// and remaining calories, the planner's score and grade, and the six meals
// with their foods named from the catalogue. A food the catalogue no longer
// lists goes as "Food <id>" with its stored calories and what its category's
// stored nutrients hold beyond the listed foods.
//
// The figures add up as the service checks them: a meal keeps the calories
// the member saw unless its foods add up to more than half a calorie per
// food away (then the foods' sum, rounded, is the meal), eaten is the sum of
// the meals and remaining the target minus eaten.
namespace DayPayload {

QJsonObject build(const ArchivedDay& day, const FoodCatalogue& catalogue);

// Whether the catalogue lists every food the day holds (a food of the
// member's own that never got an id cannot be listed and does not count).
bool listsEveryFood(const ArchivedDay& day, const FoodCatalogue& catalogue);

} // namespace DayPayload
