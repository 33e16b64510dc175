#pragma once

#include <QString>

// The six meals of a day, always named by their index 0..5: breakfast, first
// snack, lunch, second snack, dinner, third snack. Every per-meal title,
// label and table name is chosen here.
namespace Meals {

inline constexpr int count = 6;

inline bool isValid(int meal)
{
    return meal >= 0 && meal < count;
}

// The shown texts below are in the member's language; the table and history
// names are the service's and never change.
// "Breakfast", "First Snack"
QString name(int meal);
// "Create & Track Breakfast"
QString trackerTitle(int meal);
// "TOTAL BREAKFAST CALORIES"
QString trackerTotalLabel(int meal);
// "Total Breakfast Calories" (meal planner home)
QString plannerLabel(int meal);
// "Sample Breakfast"
QString sampleTitle(int meal);
// "tb_samplebreakfast"
QString sampleTable(int meal);
// "breakfast", as the history endpoints name the meal
QString historyName(int meal);

} // namespace Meals

// How much of a food the member eats; catalogue values are per cup.
namespace FoodQuantity {
inline constexpr int halfCup = 0;
inline constexpr int cup = 1;
inline constexpr int other = 2; // a typed calorie amount
} // namespace FoodQuantity
