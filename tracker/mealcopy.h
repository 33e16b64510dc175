#pragma once

#include "tracker/daystore.h"

#include <QMap>

// Copying one meal's foods into another: the records and nutrients of each
// category the meal holds, merged into the meal being tracked.
namespace MealCopy {

enum class Mode
{
    Replace, // the meal holds exactly the copied foods afterwards
    Add,     // the copied foods join what the meal holds
};

struct Category
{
    QList<MealEntry> entries;
    Nutrients nutrients; // as stored for the category
};
// Category id -> its record in one meal.
using Meal = QMap<qint32, Category>;

// The categories to write into the target meal. Replacing gives every
// category of either meal the source's record (empty where the source has
// none), so copying twice changes nothing the second time. Adding appends
// the source's entries and adds its nutrients; a food both hold becomes one
// entry of their calories together (two half cups make a cup, anything else
// a typed amount), so the tracker's table can still show it as one choice.
// Foods without an id are never merged: they may be different foods.
Meal merge(const Meal& target, const Meal& source, Mode mode);

} // namespace MealCopy
