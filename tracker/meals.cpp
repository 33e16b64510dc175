#include "tracker/meals.h"

#include <array>

namespace Meals {

namespace {

struct MealNames
{
    const char* tracker;
    const char* total;
    const char* planner;
    const char* sample;
    const char* table;
    const char* history;
};

constexpr std::array<MealNames, count> names{{
    {"Create & Track Breakfast", "TOTAL BREAKFAST CALORIES", "Total Breakfast Calories", "Sample Breakfast",
     "tb_samplebreakfast", "breakfast"},
    {"Create & Track FirstSnack", "TOTAL FIRSTSNACK CALORIES", "Total First Snack Calories", "Sample FirstSnack",
     "tb_samplefirstsnack", "firstsnack"},
    {"Create & Track Lunch", "TOTAL LUNCH CALORIES", "Total Lunch Calories", "Sample Lunch", "tb_samplelunch",
     "lunch"},
    {"Create & Track SecondSnack", "TOTAL SECONDSNACK CALORIES", "Total Second Snack Calories",
     "Sample SecondSnack", "tb_samplesecondsnack", "secondsnack"},
    {"Create & Track Dinner", "TOTAL DINNER CALORIES", "Total Dinner Calories", "Sample Dinner",
     "tb_sampledinner", "dinner"},
    {"Create & Track ThirdSnack", "TOTAL THIRDSNACK CALORIES", "Total Third Snack Calories", "Sample ThirdSnack",
     "tb_samplethirdsnack", "thirdsnack"},
}};

// An index outside 0..5 names no meal: empty text rather than a crash.
QString pick(int meal, const char* MealNames::*field)
{
    return isValid(meal) ? QString::fromUtf8(names[size_t(meal)].*field) : QString();
}

} // namespace

QString trackerTitle(int meal) { return pick(meal, &MealNames::tracker); }
QString trackerTotalLabel(int meal) { return pick(meal, &MealNames::total); }
QString plannerLabel(int meal) { return pick(meal, &MealNames::planner); }
QString sampleTitle(int meal) { return pick(meal, &MealNames::sample); }
QString sampleTable(int meal) { return pick(meal, &MealNames::table); }
QString historyName(int meal) { return pick(meal, &MealNames::history); }

} // namespace Meals
