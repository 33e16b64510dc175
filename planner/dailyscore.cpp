#include "planner/dailyscore.h"

#include <QLocale>

namespace {

struct Range
{
    float low;
    float high;
};

// Recommended share of the day's target per meal, in percent, bounds included.
constexpr std::array<Range, DailyScore::mealCount> mealRanges = {{
    {18, 22}, // breakfast
    {9, 11},  // first snack
    {27, 33}, // lunch
    {9, 11},  // second snack
    {18, 22}, // dinner
    {9, 11},  // third snack
}};

} // namespace

float DailyScore::score(qint32 target, qint32 remaining)
{
    const qint64 eaten = qint64(target) - qint64(remaining);
    const float fraction = float(eaten) / float(target);
    if (remaining < 0)
        return (1.0f - (fraction - 1.0f)) * 100.0f;
    return fraction * 100.0f;
}

std::optional<QString> DailyScore::grade(float score, int mealsEaten)
{
    if (mealsEaten <= 3)
        return QStringLiteral("0");
    if (score < 0.0f)
        return std::nullopt;
    const double s = score;
    if (s >= 95.8)
        return QStringLiteral("A");
    if (s > 91.8)
        return QStringLiteral("B");
    if (s > 83.4)
        return QStringLiteral("C");
    if (s >= 75.1)
        return QStringLiteral("D");
    return QStringLiteral("F");
}

bool DailyScore::inRange(int meal, int calories, qint32 target)
{
    if (meal < 0 || meal >= mealCount || target == 0)
        return false;
    const float share = float(calories) / float(target) * 100.0f;
    const Range range = mealRanges[meal];
    return share >= range.low && share <= range.high;
}

bool DailyScore::isTooLarge(int calories, qint32 target)
{
    const float limit = float(0.4 * double(target));
    return float(calories) > limit;
}

std::optional<DailyScore::Result> DailyScore::evaluate(const Day& day)
{
    if (day.target == 0)
        return std::nullopt;
    Result result;
    result.score = score(day.target, day.remaining);
    result.scoreText = QLocale().toString(double(result.score), 'f', 0);
    for (int meal = 0; meal < mealCount; ++meal) {
        const int calories = day.mealCalories[meal];
        if (calories > 0)
            ++result.mealsEaten;
        result.tooLarge[meal] = isTooLarge(calories, day.target);
        result.stars[meal] = inRange(meal, calories, day.target);
    }
    result.grade = grade(result.score, result.mealsEaten);
    return result;
}
