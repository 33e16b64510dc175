#pragma once

#include <QString>

#include <array>
#include <optional>

// The day's score, grade and meal marks, worked out from the daily target,
// the remaining calories and the six meal totals of the day store. Plain
// arithmetic in 32-bit floats so that boundary days (a score a hair below
// 91.8, a share of exactly 22 %) land where members have always seen them.
class DailyScore final
{
public:
    static constexpr int mealCount = 6;

    struct Day
    {
        qint32 target = 0;    // daily calorie target; nothing is computed while 0
        qint32 remaining = 0; // target minus the meals; negative when over target
        // The stored meal totals of the day store (0 when absent or unreadable).
        std::array<int, mealCount> mealCalories{};
    };

    struct Result
    {
        float score = 0;
        QString scoreText;             // fixed-point, no decimals ("-25" too), as the member's language writes it
        std::optional<QString> grade;  // no value: keep the grade shown before
        int mealsEaten = 0;            // meals whose total reads above 0
        std::array<bool, mealCount> stars{};    // share within the meal's range
        std::array<bool, mealCount> tooLarge{}; // above 0.4 of the target
    };

    // Nothing when the target is 0.
    static std::optional<Result> evaluate(const Day& day);

    // The score alone: eaten ÷ target as a percentage, mirrored above 100 when
    // the day is over target, so 1400 and 1600 of 1500 both score 93.3.
    static float score(qint32 target, qint32 remaining);
    // The grade of a score; no value for a negative score. Three meals or
    // fewer always give "0".
    static std::optional<QString> grade(float score, int mealsEaten);
    // The meal's share of the target lies in its recommended range.
    static bool inRange(int meal, int calories, qint32 target);
    // The meal takes more than 0.4 of the day's target.
    static bool isTooLarge(int calories, qint32 target);
};
