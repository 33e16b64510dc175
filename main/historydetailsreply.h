#pragma once

#include "tracker/foodmodel.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

using FoodGroups = std::vector<std::unique_ptr<FoodModel>>;

// Reading the getHistoryDetail reply: the foods of one meal of a day, by food
// type. Each type becomes a FoodModel (id, title = food_type) whose items
// carry title, cal, carbs, fat, protein and fiber (0 where unreadable).
namespace HistoryDetailsReply {

// Nothing when the reply is not a JSON object, reports a failure, or carries
// no historydetail_info array.
std::optional<FoodGroups> parse(const QString& reply);

// One activity of the day's exercise, as the service sends it with each meal.
struct ExerciseDone
{
    QString name;
    int minutes = 0;
    double calories = 0;
};
// The reply's "exercise" list; empty from a service without exercise, and
// entries without a name are left out.
QList<ExerciseDone> exercise(const QString& reply);

} // namespace HistoryDetailsReply
