#pragma once

#include <QLocale>
#include <QString>

#include <optional>

class FoodItemModel;

// Carbohydrate, fat, protein and fibre in grams, summed as 32-bit floats.
struct Nutrients
{
    float carbs = 0;
    float fat = 0;
    float protein = 0;
    float fiber = 0;

    Nutrients& operator+=(const Nutrients& other);
    Nutrients& operator-=(const Nutrients& other);
    friend bool operator==(const Nutrients&, const Nutrients&) = default;
};

// How the tracker reads and prints its numbers. The day store and the labels
// must agree on these to the digit, so they live in one place.
namespace FoodNumbers {

// Text as a float; text that is not a finite number (or overflows a float)
// reads as 0.
float readFloat(const QString& text);
// Text as a base-10 32-bit integer; anything else reads as 0.
int readInt(const QString& text);

// The whole part, cut toward zero; clamped so that sums of many of them
// stay far inside the 32-bit range.
int wholePart(float value);
// Adds whole numbers of calories without overflowing.
int addCalories(int sum, int value);
int subtractCalories(int from, int value);

// Calories of a meal record and of the chosen-foods tables: shortest form
// with up to 6 significant digits ("72.5", "150", "1e+06").
QString calories(float value);
// The shortest text that reads back to the same 32-bit float ("12.3").
QString shortest(float value);
// Fixed-point with `decimals` decimals, for the total labels ("150", "12.3").
QString fixed(float value, int decimals);

// Numbers as the member reads them, in the default locale (that of the
// chosen language): "12.5" in English, "12,5" in Spanish. Never stored nor
// sent: the forms above are.
// Whole calories, never grouped ("1850").
QString shownWhole(qint64 value);
QString shownFixed(float value, int decimals);
// calories() and shortest() as the member reads them.
QString shownCalories(float value);
QString shownShortest(float value);
// A typed calorie amount shown back in its field: no grouping, which the
// field does not take.
QString shownTyped(float value);

// A number the member typed: the language's own form first ("1.850" and
// "12,5" in Spanish), else with a plain decimal point ("12.5"). Nothing for
// empty text, other text, a negative or an endless number.
std::optional<double> readTyped(const QString& text, const QLocale& locale = QLocale());
// The same, for a whole number within the int range ("1.850"; "12,5" is not).
std::optional<int> readTypedWhole(const QString& text, const QLocale& locale = QLocale());
// A typed calorie amount, 0 when it reads as none (as readFloat does).
float readTypedFloat(const QString& text);
// A number as the service and the store take it: "1850", "12.5".
QString plainNumber(double value);

// Grams as the labels show them: one decimal, rounded as fixed() rounds,
// and never below 0 (what is subtracted may be a hair more than what the
// one-decimal figure it comes off still holds).
float shownGrams(float value);
Nutrients shownGrams(const Nutrients& nutrients);
// Each nutrient at least 0; a value that is not a number is 0.
Nutrients atLeastZero(const Nutrients& nutrients);

// "%1_%2_%3_%4" of the four nutrients, each printed shortest.
QString nutrientsText(const Nutrients& nutrients);
// The reverse; false (and zeros) when the text is empty. Parts that are not
// numbers read as 0.
bool readNutrients(const QString& text, Nutrients* nutrients);

// A food's nutrients for one choice: half a cup counts half of each per-cup
// value, a cup all of it, an "other" amount the share of typed calories in
// one cup's (nothing when the cup has 0 calories).
Nutrients nutrientShare(const FoodItemModel& food, int kind, float otherCalories);
// A food's calories for one choice (half cup, cup, or the typed amount).
float calorieShare(const FoodItemModel& food, int kind, float otherCalories);

// The tooltip of a quantity cell: "Carbs=…, Fat=…, Protein=…, Fiber=…",
// each per-cup value times `scale`, cut toward zero to one decimal; at scale 1
// the per-cup values as they are; in the member's language.
QString tooltip(const FoodItemModel& food, float scale);

// A food title with a line break before a whitespace character once per
// `width` positions of the growing text (the first whitespace after the
// first character always gets one).
QString titleWithBreaks(const QString& title, int width);

} // namespace FoodNumbers
