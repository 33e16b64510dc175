#pragma once

#include <QString>

// Dollar amounts. Prices arrive as doubles; sums that are charged or shown as
// a total are added in whole cents so that no cent is lost or invented.
namespace Money {

// A single price as shown on buttons: general format, 6 significant digits
// (19.99 -> "19.99", 20 -> "20", 1234567 -> "1.23457e+06").
QString priceText(double dollars);

// The price rounded to whole cents.
qint64 toCents(double dollars);

// Exact text of a sum of cents, without trailing zeros: 2000 -> "20",
// 1550 -> "15.5", 1234567 -> "12345.67", 1 -> "0.01".
QString centsText(qint64 cents);

// A decimal text such as "19.99" in cents; unreadable text is 0.
qint64 textToCents(const QString& text);

} // namespace Money
