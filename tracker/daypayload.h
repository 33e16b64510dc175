#pragma once

#include <QJsonObject>

struct ArchivedDay;
class FoodCatalogue;

// A finished day as the service's uploadDay takes it: date, target, eaten
// and remaining calories, the planner's score and grade, and the six meals
// with their foods named from the catalogue. A food the catalogue no longer
// lists goes as "Food <id>" with its stored calories and what its category's
// stored nutrients hold beyond the listed foods.
namespace DayPayload {

QJsonObject build(const ArchivedDay& day, const FoodCatalogue& catalogue);

} // namespace DayPayload
