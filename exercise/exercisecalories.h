#pragma once

#include "exercise/activity.h"

#include <QString>

// The arithmetic of burned calories and of the share of them that counts
// against the day.
namespace ExerciseCalories {

// How much of the burned calories the day counts. Half is the default:
// estimates of burned calories run high, and counting half keeps a loss
// on track.
enum class Share
{
    All,
    Half,
    None
};

// MET x body weight in kg x hours, rounded to whole calories; 0 for
// anything not positive.
int burned(double met, double bodyKg, int minutes);
// What `activity` burns in `minutes` at `bodyKg` (ignored for the member's own).
int burned(const Activity& activity, double bodyKg, int minutes);
// The calories of `burned` that count: all, half (rounded down: the
// cautious side) or none.
int counted(int burned, Share share);

// The share as stored ("all", "half", "none"); an unknown text is Half.
QString shareText(Share share);
Share shareFromText(const QString& text);

inline constexpr int maxMinutes = 24 * 60;
inline constexpr double minBodyKg = 20;
inline constexpr double maxBodyKg = 500;
inline constexpr int maxOwnKcalPerHour = 3000;

} // namespace ExerciseCalories
