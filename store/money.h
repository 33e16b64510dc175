#pragma once

#include <QString>

// Dollar amounts. Prices arrive as doubles; sums that are charged or shown as
// a total are added in whole cents so that no cent is lost or invented.
namespace Money {

// An amount as the member sees it, in the store and the services alike:
// whole dollars without decimals, any cents with two (2000 -> "20",
// 1950 -> "19.50", 123456789 -> "1234567.89"); never in exponent form.
QString amountText(qint64 cents);

// A single price as shown on buttons and in dialogs: amountText of the price
// rounded to the cent (19.5 -> "19.50", 1234567 -> "1234567").
QString priceText(double dollars);

// The price rounded to whole cents.
qint64 toCents(double dollars);

// Exact text of a sum of cents, without trailing zeros: 2000 -> "20",
// 1550 -> "15.5", 1234567 -> "12345.67", 1 -> "0.01".
QString centsText(qint64 cents);

// A decimal text such as "19.99" in cents; unreadable text is 0.
qint64 textToCents(const QString& text);

} // namespace Money
