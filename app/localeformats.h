#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Dates and numbers as the member's language writes them (QLocale(), which
// follows the chosen language). Only for showing and for what the member
// types: the wire, the settings and files keep their fixed formats.
namespace LocaleFormats {

// A day in lists and charts: "8 Dec 2026", "8 dic 2026".
QString day(const QDate& date);
// A day in sentences: "8 December 2026", "8 de diciembre de 2026".
QString longDay(const QDate& date);

// A decimal with `decimals` places: "81.4", "81,4".
QString decimal(double value, int decimals);

// A number the member typed, in the language's form ("81,4" in Spanish) or
// with a decimal point, the form every language's keyboard offers; nothing
// when it is not a plain number (words, two numbers, two decimal signs).
std::optional<double> typedNumber(const QString& typed);

} // namespace LocaleFormats
