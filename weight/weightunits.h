#pragma once

#include <QString>

#include <optional>

// Kilograms are the stored truth everywhere (entries, the wire, the trend);
// pounds exist only on the way to and from the member's eyes. Converting a
// shown value back therefore never drifts: 80.0 kg shows as 176.4 lb, and
// leaving the field untouched keeps 80.0 kg.
enum class WeightUnit
{
    Kilograms,
    Pounds
};

namespace WeightUnits {

inline constexpr double kgPerPound = 0.45359237;

double kgToLb(double kg);
double lbToKg(double lb);

// `value` in `unit` -> kilograms, and back.
double toKg(double value, WeightUnit unit);
double fromKg(double kg, WeightUnit unit);

// Rounds to one decimal, the precision kept and shown.
double roundTenth(double value);

// "kg" or "lb".
QString symbol(WeightUnit unit);
// "80.0" (no unit), in `unit`, one decimal, C locale.
QString number(double kg, WeightUnit unit);
// "80.0 kg" / "176.4 lb".
QString text(double kg, WeightUnit unit);

// A weight typed in `unit` ("176.4", "176,4", " 80 ", "80 kg") -> kilograms
// with one decimal; nullopt for anything that is not a positive number or
// names the other unit. Range checks are the caller's.
std::optional<double> parse(const QString& typed, WeightUnit unit);

// "kg"/"lb" and back, for settings and files; unknown text gives Kilograms.
QString key(WeightUnit unit);
WeightUnit fromKey(const QString& key);

// The unit the current member chose; remembered in the member's settings.
WeightUnit memberUnit();
void setMemberUnit(WeightUnit unit);

} // namespace WeightUnits
