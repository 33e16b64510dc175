#include "tracker/daystore.h"

#include "tracker/dayclock.h"
#include "tracker/foodmodel.h"
#include "tracker/meals.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <utility>

MealEntry MealEntry::make(qint32 foodId, float calories, qint32 kind)
{
    MealEntry entry;
    entry.foodId = foodId;
    entry.calories = calories;
    entry.kind = kind;
    entry.text = QString::number(foodId) + QLatin1Char(':') + FoodNumbers::calories(calories) + QLatin1Char(':')
        + QString::number(kind);
    return entry;
}

MealEntry MealEntry::fromText(const QString& text)
{
    MealEntry entry;
    entry.text = text;
    const QStringList parts = text.split(QLatin1Char(':'));
    entry.foodId = FoodNumbers::readInt(parts.value(0));
    entry.calories = FoodNumbers::readFloat(parts.value(1));
    entry.kind = FoodNumbers::readInt(parts.value(2));
    return entry;
}

namespace DayKeys {

QString mealRecord(int meal, qint32 category)
{
    return QStringLiteral("meal_%1_%2").arg(meal).arg(category);
}

QString categoryDetails(int meal, qint32 category)
{
    return QStringLiteral("details_%1_%2").arg(meal).arg(category);
}

QString mealCalories(int meal)
{
    return QStringLiteral("Cal_%1").arg(meal);
}

QString mealDetails(int meal)
{
    return QStringLiteral("totaldetails_%1").arg(meal);
}

QString remainCalories()
{
    return QStringLiteral("remaincalories");
}

QString totalCalories()
{
    return QStringLiteral("totalcalories");
}

} // namespace DayKeys

namespace {

QString read(const QString& key)
{
    return SettingsStore::memberText(key);
}

void write(const QString& key, const QString& value)
{
    SettingsStore::setMemberText(key, value);
}

// A meal never holds fewer than 0 calories, nor a category or meal fewer
// than 0 grams, whatever a caller subtracts: the store is the last guard.
void writeMealCalories(int meal, int calories)
{
    write(DayKeys::mealCalories(meal), QString::number(std::max(calories, 0)));
}

void writeNutrients(const QString& key, const Nutrients& nutrients)
{
    write(key, FoodNumbers::nutrientsText(FoodNumbers::atLeastZero(FoodNumbers::shownGrams(nutrients))));
}

void storeRemaining(int remaining)
{
    remainCalories = remaining;
    SettingsStore::setMemberInt(DayKeys::remainCalories(), remaining);
}

int wholeSum(const QList<float>& calories)
{
    int sum = 0;
    for (float value : calories)
        sum = FoodNumbers::addCalories(sum, FoodNumbers::wholePart(value));
    return sum;
}

// The nutrients a category's record holds beyond what its listed foods
// count (`known`) belong to the foods it no longer lists: each new stand-in
// gets a part of them by its calories (equal parts when none has any), as
// per-cup values that give that part back for the stored choice.
void giveStandInsTheirNutrients(int meal, qint32 category, const Nutrients& known,
                                const QList<std::pair<FoodItemModel*, MealEntry>>& standIns)
{
    Nutrients rest;
    if (standIns.isEmpty() || !DayStore::categoryNutrients(meal, category, &rest))
        return;
    rest = FoodNumbers::atLeastZero(rest -= known);

    // An "other" amount of 0 calories counts no nutrients: it carries none.
    auto carries = [](const MealEntry& entry) {
        return entry.kind != FoodQuantity::other || entry.calories != 0;
    };
    float calorieSum = 0;
    int carriers = 0;
    for (const auto& [food, entry] : standIns) {
        if (carries(entry)) {
            calorieSum += std::max(entry.calories, 0.0f);
            ++carriers;
        }
    }
    if (carriers == 0)
        return;
    for (const auto& [food, entry] : standIns) {
        if (!carries(entry))
            continue;
        const float part =
            calorieSum > 0 ? std::max(entry.calories, 0.0f) / calorieSum : 1.0f / float(carriers);
        // Half a cup counts half of each per-cup value.
        const float perCup = part * (entry.kind == FoodQuantity::halfCup ? 2.0f : 1.0f);
        food->carbs = rest.carbs * perCup;
        food->fat = rest.fat * perCup;
        food->protein = rest.protein * perCup;
        food->fiber = rest.fiber * perCup;
    }
}

} // namespace

int DayStore::mealCalories(int meal)
{
    if (!Meals::isValid(meal))
        return 0;
    // An older record below 0 counts nothing.
    return std::max(FoodNumbers::readInt(read(DayKeys::mealCalories(meal))), 0);
}

Nutrients DayStore::mealNutrients(int meal)
{
    Nutrients nutrients;
    if (Meals::isValid(meal))
        FoodNumbers::readNutrients(read(DayKeys::mealDetails(meal)), &nutrients);
    // A day never holds negative grams, whatever an older record says.
    return FoodNumbers::atLeastZero(nutrients);
}

int DayStore::mealCaloriesSum()
{
    const SettingsStore::Batch batch;
    int sum = 0;
    for (int meal = 0; meal < Meals::count; ++meal)
        sum = FoodNumbers::addCalories(sum, mealCalories(meal));
    return sum;
}

int DayStore::remainingCalories()
{
    return SettingsStore::memberInt(DayKeys::remainCalories());
}

int DayStore::dailyTarget()
{
    return SettingsStore::memberInt(DayKeys::totalCalories());
}

QList<MealEntry> DayStore::parseEntries(const QString& record)
{
    QList<MealEntry> entries;
    if (record.isEmpty())
        return entries;
    const QStringList parts = record.split(QLatin1Char('@'));
    entries.reserve(parts.size());
    for (const QString& part : parts)
        entries.append(MealEntry::fromText(part));
    return entries;
}

QString DayStore::formatEntries(const QList<MealEntry>& entries)
{
    QStringList parts;
    parts.reserve(entries.size());
    for (const MealEntry& entry : entries)
        parts.append(entry.text);
    return parts.join(QLatin1Char('@'));
}

QList<MealEntry> DayStore::entries(int meal, qint32 category)
{
    if (!Meals::isValid(meal))
        return {};
    return parseEntries(read(DayKeys::mealRecord(meal, category)));
}

bool DayStore::categoryNutrients(int meal, qint32 category, Nutrients* nutrients)
{
    *nutrients = Nutrients{};
    if (!Meals::isValid(meal))
        return false;
    return FoodNumbers::readNutrients(read(DayKeys::categoryDetails(meal, category)), nutrients);
}

DayStore::Totals DayStore::saveCategory(int meal, qint32 category, const QList<MealEntry>& chosen,
                                        const Nutrients& labelNutrients,
                                        const QSet<qint32>& listedFoodIds,
                                        const QList<qint32>& categoryIds,
                                        const QHash<qint32, const FoodItemModel*>& keptFoods)
{
    const SettingsStore::Batch batch;
    if (!Meals::isValid(meal))
        return {};
    DayClock::dateUndatedStore();
    // A stored food the category no longer lists cannot be marked in the
    // table; it stays in the record until the member removes it, and its
    // nutrients stay with it.
    QList<MealEntry> record = chosen;
    Nutrients nutrients = labelNutrients;
    for (const MealEntry& stored : entries(meal, category)) {
        if (listedFoodIds.contains(stored.foodId))
            continue;
        record.append(stored);
        if (const FoodItemModel* food = keptFoods.value(stored.foodId))
            nutrients += FoodNumbers::nutrientShare(*food, stored.kind, stored.calories);
    }
    writeNutrients(DayKeys::categoryDetails(meal, category), nutrients);
    write(DayKeys::mealRecord(meal, category), formatEntries(record));
    Totals totals;
    totals.mealCalories = recountMealCalories(meal, categoryIds);
    totals.remaining = recomputeRemaining(meal, categoryIds);
    return totals;
}

int DayStore::recountMealCalories(int meal, const QList<qint32>& categoryIds)
{
    const SettingsStore::Batch batch;
    if (!Meals::isValid(meal))
        return 0;
    int sum = 0;
    for (qint32 id : categoryIds) {
        for (const MealEntry& entry : entries(meal, id))
            sum = FoodNumbers::addCalories(sum, FoodNumbers::wholePart(entry.calories));
    }
    writeMealCalories(meal, sum);
    return sum;
}

int DayStore::recomputeRemaining(int meal, const QList<qint32>& categoryIds)
{
    const SettingsStore::Batch batch;
    const int remaining = FoodNumbers::subtractCalories(totalCalories, mealCaloriesSum());
    storeRemaining(remaining);
    if (!Meals::isValid(meal))
        return remaining;

    // Added up as the labels show them: no float dust, and a category an
    // older version left below 0 takes nothing off the others.
    Nutrients sum;
    for (qint32 id : categoryIds) {
        Nutrients nutrients;
        if (categoryNutrients(meal, id, &nutrients))
            sum += FoodNumbers::shownGrams(nutrients);
    }
    writeNutrients(DayKeys::mealDetails(meal), sum);
    return remaining;
}

DayStore::Totals DayStore::removeFood(int meal, qint32 category, qint32 foodId, int row,
                                      const Nutrients& share, float rowCalories,
                                      int shownMealCalories, const QList<qint32>& categoryIds,
                                      MealEntry* removed)
{
    const SettingsStore::Batch batch;
    if (removed)
        *removed = MealEntry{};
    if (!Meals::isValid(meal))
        return {};

    // Exactly one entry goes: the one at `row` when it is that food,
    // otherwise the first of that food. Another entry with the same id (two
    // foods of the member's own, both still without a server id) stays.
    QList<MealEntry> record = entries(meal, category);
    int index = (row >= 0 && row < record.size() && record.at(row).foodId == foodId) ? row : -1;
    for (int i = 0; index < 0 && i < record.size(); ++i) {
        if (record.at(i).foodId == foodId)
            index = i;
    }
    if (index < 0) {
        // The record no longer holds the food (a day that ended, a second
        // window's removal): there is nothing to take off.
        return {mealCalories(meal), recomputeRemaining(meal, categoryIds)};
    }
    if (removed)
        *removed = record.at(index);
    record.removeAt(index);

    Nutrients nutrients;
    if (categoryNutrients(meal, category, &nutrients)) {
        // The stored figures carry one decimal while the share is exact:
        // round the rest as it shows, and an empty category holds nothing.
        writeNutrients(DayKeys::categoryDetails(meal, category),
                       record.isEmpty() ? Nutrients{} : (nutrients -= share));
    }

    Totals totals;
    totals.mealCalories = std::max(
        FoodNumbers::subtractCalories(shownMealCalories, FoodNumbers::wholePart(rowCalories)), 0);
    writeMealCalories(meal, totals.mealCalories);
    totals.remaining = recomputeRemaining(meal, categoryIds);
    write(DayKeys::mealRecord(meal, category), formatEntries(record));
    return totals;
}

DayStore::Totals DayStore::removeCategory(int meal, qint32 category, const QList<float>& rowCalories,
                                          int shownMealCalories, const QList<qint32>& categoryIds)
{
    const SettingsStore::Batch batch;
    if (!Meals::isValid(meal))
        return {};
    Totals totals;
    if (entries(meal, category).isEmpty()) {
        // The record no longer holds the category: nothing to take off.
        totals.mealCalories = mealCalories(meal);
    } else {
        totals.mealCalories =
            std::max(FoodNumbers::subtractCalories(shownMealCalories, wholeSum(rowCalories)), 0);
        writeMealCalories(meal, totals.mealCalories);
    }
    write(DayKeys::categoryDetails(meal, category), QString());
    totals.remaining = recomputeRemaining(meal, categoryIds);
    write(DayKeys::mealRecord(meal, category), QString());
    return totals;
}

bool DayStore::nameFood(int meal, qint32 category, const QString& entryText, qint32 foodId)
{
    const SettingsStore::Batch batch;
    if (!Meals::isValid(meal) || entryText.isEmpty())
        return false;
    QList<MealEntry> record = entries(meal, category);
    for (MealEntry& entry : record) {
        if (entry.foodId != 0 || entry.text != entryText)
            continue;
        // Calories and kind stay as they were written, to the character.
        entry.foodId = foodId;
        entry.text = QString::number(foodId) + entry.text.mid(entry.text.indexOf(QLatin1Char(':')));
        write(DayKeys::mealRecord(meal, category), formatEntries(record));
        return true;
    }
    return false;
}

int DayStore::setDailyTarget(int target)
{
    const SettingsStore::Batch batch;
    totalCalories = target;
    SettingsStore::setMemberInt(DayKeys::totalCalories(), target);
    const int remaining = FoodNumbers::subtractCalories(target, mealCaloriesSum());
    storeRemaining(remaining);
    return remaining;
}

QString DayStore::chosenKey(qint32 category, qint32 foodId)
{
    return QString::number(category) + QLatin1Char('_') + QString::number(foodId);
}

QList<FoodItemModel*> DayStore::restoreCategory(int meal, FoodModel& category,
                                                const QHash<QString, FoodItemModel*>& previous)
{
    QList<FoodItemModel*> restored;
    const QList<MealEntry> record = entries(meal, category.id);
    if (record.isEmpty())
        return restored;

    QHash<qint32, FoodItemModel*> byId;
    byId.reserve(category.items.size());
    for (FoodItemModel* food : category.items)
        byId.insert(food->id, food);

    Nutrients known;
    QList<std::pair<FoodItemModel*, MealEntry>> standIns;
    for (const MealEntry& entry : record) {
        FoodItemModel* food = byId.value(entry.foodId);
        if (!food) {
            food = previous.value(chosenKey(category.id, entry.foodId));
            if (!food) {
                // A stand-in that shows the stored calories whatever the
                // kind; its nutrients follow once every entry is read.
                food = new FoodItemModel(&category);
                food->id = entry.foodId;
                //: A food the member chose that the food list no longer has; %1 is its number
                food->title = QCoreApplication::translate("DayStore", "Food no longer listed (%1)").arg(entry.foodId);
                food->cal = entry.kind == FoodQuantity::halfCup ? entry.calories * 2 : entry.calories;
                food->halfCal = food->cal * 0.5f;
                standIns.append({food, entry});
            }
            byId.insert(entry.foodId, food);
        }
        // A new stand-in has no nutrients yet and adds nothing here.
        known += FoodNumbers::nutrientShare(*food, entry.kind, entry.calories);
        food->otherCal = entry.calories;
        food->kind = entry.kind;
        restored.append(food);
    }
    giveStandInsTheirNutrients(meal, category.id, known, standIns);
    return restored;
}
