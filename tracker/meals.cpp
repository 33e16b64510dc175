#include "tracker/meals.h"

#include <QCoreApplication>

#include <array>

namespace Meals {

namespace {

struct MealNames
{
    const char* name;
    const char* tracker;
    const char* total;
    const char* planner;
    const char* sample;
    const char* table;
    const char* history;
};

// The shown names are translated where they are shown (context "Meals");
// the table and history names go to the service as they stand.
constexpr std::array<MealNames, count> names{{
    {//: The first meal of the day
     QT_TRANSLATE_NOOP("Meals", "Breakfast"),
     //: Title of the window in which the member builds the meal
     QT_TRANSLATE_NOOP("Meals", "Create & Track Breakfast"),
     QT_TRANSLATE_NOOP("Meals", "TOTAL BREAKFAST CALORIES"), QT_TRANSLATE_NOOP("Meals", "Total Breakfast Calories"),
     //: Title of the list of sample breakfasts
     QT_TRANSLATE_NOOP("Meals", "Sample Breakfast"), "tb_samplebreakfast", "breakfast"},
    {//: The small meal between breakfast and lunch
     QT_TRANSLATE_NOOP("Meals", "First Snack"), QT_TRANSLATE_NOOP("Meals", "Create & Track FirstSnack"),
     QT_TRANSLATE_NOOP("Meals", "TOTAL FIRSTSNACK CALORIES"), QT_TRANSLATE_NOOP("Meals", "Total First Snack Calories"),
     QT_TRANSLATE_NOOP("Meals", "Sample FirstSnack"), "tb_samplefirstsnack", "firstsnack"},
    {//: The midday meal
     QT_TRANSLATE_NOOP("Meals", "Lunch"), QT_TRANSLATE_NOOP("Meals", "Create & Track Lunch"),
     QT_TRANSLATE_NOOP("Meals", "TOTAL LUNCH CALORIES"), QT_TRANSLATE_NOOP("Meals", "Total Lunch Calories"),
     QT_TRANSLATE_NOOP("Meals", "Sample Lunch"), "tb_samplelunch", "lunch"},
    {//: The small meal between lunch and dinner
     QT_TRANSLATE_NOOP("Meals", "Second Snack"), QT_TRANSLATE_NOOP("Meals", "Create & Track SecondSnack"),
     QT_TRANSLATE_NOOP("Meals", "TOTAL SECONDSNACK CALORIES"), QT_TRANSLATE_NOOP("Meals", "Total Second Snack Calories"),
     QT_TRANSLATE_NOOP("Meals", "Sample SecondSnack"), "tb_samplesecondsnack", "secondsnack"},
    {//: The evening meal
     QT_TRANSLATE_NOOP("Meals", "Dinner"), QT_TRANSLATE_NOOP("Meals", "Create & Track Dinner"),
     QT_TRANSLATE_NOOP("Meals", "TOTAL DINNER CALORIES"), QT_TRANSLATE_NOOP("Meals", "Total Dinner Calories"),
     QT_TRANSLATE_NOOP("Meals", "Sample Dinner"), "tb_sampledinner", "dinner"},
    {//: The small meal after dinner
     QT_TRANSLATE_NOOP("Meals", "Third Snack"), QT_TRANSLATE_NOOP("Meals", "Create & Track ThirdSnack"),
     QT_TRANSLATE_NOOP("Meals", "TOTAL THIRDSNACK CALORIES"), QT_TRANSLATE_NOOP("Meals", "Total Third Snack Calories"),
     QT_TRANSLATE_NOOP("Meals", "Sample ThirdSnack"), "tb_samplethirdsnack", "thirdsnack"},
}};

// An index outside 0..5 names no meal: empty text rather than a crash.
QString pick(int meal, const char* MealNames::*field)
{
    return isValid(meal) ? QString::fromUtf8(names[size_t(meal)].*field) : QString();
}

QString shown(int meal, const char* MealNames::*field)
{
    return isValid(meal) ? QCoreApplication::translate("Meals", names[size_t(meal)].*field) : QString();
}

} // namespace

QString name(int meal) { return shown(meal, &MealNames::name); }
QString trackerTitle(int meal) { return shown(meal, &MealNames::tracker); }
QString trackerTotalLabel(int meal) { return shown(meal, &MealNames::total); }
QString plannerLabel(int meal) { return shown(meal, &MealNames::planner); }
QString sampleTitle(int meal) { return shown(meal, &MealNames::sample); }
QString sampleTable(int meal) { return pick(meal, &MealNames::table); }
QString historyName(int meal) { return pick(meal, &MealNames::history); }

} // namespace Meals
