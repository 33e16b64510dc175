#pragma once

#include "tracker/foodnumbers.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

class FoodItemModel;
class FoodModel;

// One chosen food of a meal record: "id:calories:kind".
struct MealEntry
{
    qint32 foodId = 0;
    float calories = 0;
    qint32 kind = 0;
    QString text; // the entry as stored; kept so an entry is written back unchanged

    static MealEntry make(qint32 foodId, float calories, qint32 kind);
    static MealEntry fromText(const QString& text);
};

// The names of the day-store keys in the member's settings store.
namespace DayKeys {
QString mealRecord(int meal, qint32 category);      // "meal_<meal>_<category>"
QString categoryDetails(int meal, qint32 category); // "details_<meal>_<category>"
QString mealCalories(int meal);                      // "Cal_<meal>"
QString mealDetails(int meal);                       // "totaldetails_<meal>"
QString remainCalories();                            // "remaincalories"
QString totalCalories();                             // "totalcalories"
} // namespace DayKeys

// The day store: the member's only record of the day's meals. It alone reads
// and writes the keys above and knows their formats:
//
//   meal_<m>_<c>     chosen foods of category c in meal m, "id:cal:kind@..."
//                    (calories with up to 6 significant digits); empty when
//                    nothing is chosen
//   details_<m>_<c>  "carbs_fat_protein_fiber" of that category in meal m
//   Cal_<m>          the meal's calories, a decimal integer
//   totaldetails_<m> "carbs_fat_protein_fiber" of the whole meal
//   remaincalories   the day's remaining calories (integer, may be < 0)
//   totalcalories    the daily target (integer)
//
// Reading never writes: a value that does not parse counts as 0 and stays as
// it is. Every write goes through the bookkeeping operations below, which also
// keep the account state's totalCalories / remainCalories in step. Each
// operation reaches the disk as a whole when it returns (one settings batch):
// never half of a save. A meal's calories and any grams are never written
// below 0 (only the remaining calories may be).
//
// The meal planner home, the daily score and the history read the day with
// mealCalories(), mealNutrients(), mealCaloriesSum(), remainingCalories() and
// dailyTarget(). Meals are 0..5 (see Meals); any other index reads as 0 and
// writes nothing.
class DayStore final
{
public:
    // ----- Reading the day -----

    // "Cal_<meal>": 0 when absent or not a number.
    static int mealCalories(int meal);
    // "totaldetails_<meal>": zeros when absent; parts that are not numbers,
    // or below 0, are 0.
    static Nutrients mealNutrients(int meal);
    // The six meals' calories added up.
    static int mealCaloriesSum();
    // The stored remaining calories and daily target (0 when absent).
    static int remainingCalories();
    static int dailyTarget();

    // The chosen foods of one category in one meal, in stored order.
    static QList<MealEntry> entries(int meal, qint32 category);
    // Nutrient totals of one category in one meal; false when the value is empty.
    static bool categoryNutrients(int meal, qint32 category, Nutrients* nutrients);

    static QList<MealEntry> parseEntries(const QString& record);
    static QString formatEntries(const QList<MealEntry>& entries);

    // ----- Bookkeeping -----

    struct Totals
    {
        int mealCalories = 0;
        int remaining = 0;
    };

    // Saves one category of a meal: `chosen` are the marked foods in table
    // order, `labelNutrients` the totals as shown (one decimal). Stored
    // entries of foods the category no longer lists (`listedFoodIds`) are
    // kept after the chosen ones, and so are their nutrients: each kept
    // entry whose food `keptFoods` knows (by id) adds its share, so a
    // category never counts a food's calories without its nutrients.
    // Recounts the meal's calories over `categoryIds` and recomputes the
    // remaining calories.
    static Totals saveCategory(int meal, qint32 category, const QList<MealEntry>& chosen,
                               const Nutrients& labelNutrients, const QSet<qint32>& listedFoodIds,
                               const QList<qint32>& categoryIds,
                               const QHash<qint32, const FoodItemModel*>& keptFoods = {});

    // Sums the whole calories of every entry of the meal's records over
    // `categoryIds` and writes it as the meal's calories.
    static int recountMealCalories(int meal, const QList<qint32>& categoryIds);

    // remainCalories = totalCalories - the six meals' calories (stored), and
    // the meal's nutrient totals over `categoryIds`. Returns the remaining.
    static int recomputeRemaining(int meal, const QList<qint32>& categoryIds);

    // Removes one chosen food: `row` is its position in the category's
    // record (the chosen-foods table shows the record in order), `share` the
    // nutrients it counted, `rowCalories` the calories it shows and
    // `shownMealCalories` the meal's calories as shown. The nutrients left
    // are rounded as shown and never below 0; once the record is empty they
    // are 0. `removed` receives the entry that went (empty text when none);
    // when the record holds no such food nothing changes.
    static Totals removeFood(int meal, qint32 category, qint32 foodId, int row,
                             const Nutrients& share, float rowCalories, int shownMealCalories,
                             const QList<qint32>& categoryIds, MealEntry* removed = nullptr);

    // Removes a whole category from a meal; `rowCalories` are the calories
    // its chosen-foods table shows (taken off only while the record holds
    // the category).
    static Totals removeCategory(int meal, qint32 category, const QList<float>& rowCalories,
                                 int shownMealCalories, const QList<qint32>& categoryIds);

    // A food of the member's own saved while it had no id (its entry reads
    // `entryText`, "0:<calories>:<kind>") has been named `foodId` by the
    // service: the first such entry of the category's record takes the id.
    // False when the record holds no such entry.
    static bool nameFood(int meal, qint32 category, const QString& entryText, qint32 foodId);

    // A new daily target: stores it and the remaining calories it leaves.
    // The meals' records stay as they are. Returns the remaining calories.
    static int setDailyTarget(int target);

    // ----- Restoring a meal into a loaded catalogue -----

    // Puts the stored choices of one category back into its foods (kind and
    // otherCal) and returns them in record order. An entry whose food the
    // category no longer lists is shown by a stand-in food (taken from
    // `previous`, the chosen foods of the last restore, when it is there)
    // so the member can see and remove it. New stand-ins carry what the
    // category's stored nutrients hold beyond the listed foods' shares,
    // split by calories, so removing them takes their nutrients out too.
    static QList<FoodItemModel*> restoreCategory(int meal, FoodModel& category,
                                                 const QHash<QString, FoodItemModel*>& previous);

    // The key of a chosen food: "<category>_<food id>".
    static QString chosenKey(qint32 category, qint32 foodId);
};
