#pragma once

#include <QString>

#include <optional>

// Kilograms are the stored truth everywhere (entries, the wire, the trend);
// pounds exist only on the way to and from the member's eyes. A weight typed
// in kilograms is kept to the tenth, one typed in pounds to the hundredth of a
// kilogram: a tenth of a kilogram is 0.22 lb, too coarse to give back every
// tenth of a pound, while a hundredth always does (150.0 lb is 68.04 kg and
// shows as 150.0 lb, 68.0 kg). So every value shows back as it was typed.
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

// Rounds to one decimal, the precision shown and sent.
double roundTenth(double value);
// Rounds to two decimals, the precision a weight typed in pounds is kept in.
double roundHundredth(double value);

// A value typed in `unit` (one decimal counts) as kept: kilograms to the
// hundredth.
double typedToKg(double typed, WeightUnit unit);
// Kilograms as kept in settings: one decimal, or two when the second counts.
QString keptText(double kg);

// "kg" or "lb".
QString symbol(WeightUnit unit);
// "80.0" (no unit), in `unit`, one decimal, C locale: for files and the wire.
QString number(double kg, WeightUnit unit);
// The same as the member's language writes it ("80,0" in Spanish), without
// thousands separators: for the fields the member edits.
QString shownNumber(double kg, WeightUnit unit);
// "80.0 kg" / "176.4 lb" ("80,0 kg" in Spanish), for showing.
QString text(double kg, WeightUnit unit);

// A weight typed in `unit` with either decimal sign, whatever the language
// ("176.4", "176,4", " 80 ", "80 kg") -> kilograms
// as typedToKg() keeps them; nullopt for anything that is not a positive number or
// names the other unit. Range checks are the caller's.
std::optional<double> parse(const QString& typed, WeightUnit unit);

// "kg"/"lb" and back, for settings and files; unknown text gives Kilograms.
QString key(WeightUnit unit);
WeightUnit fromKey(const QString& key);

// The unit the current member chose; remembered in the member's settings.
WeightUnit memberUnit();
void setMemberUnit(WeightUnit unit);

} // namespace WeightUnits
