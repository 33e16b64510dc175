#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Money of the service cart, counted in whole cents so that the subtotal and
// the amount paid are exact: 19.99 + 0.01 is 20, never 19.999999...
namespace ServiceMoney {

// A price text in cents, rounded to the nearest cent. Nothing for a text that
// is not a number, is negative, or is beyond any real price (over a trillion).
std::optional<qint64> cents(const QString& priceText);

// The sum of the prices in cents; an unreadable price counts as 0. A sum
// beyond 64 bits stays at the largest value instead of wrapping.
qint64 totalCents(const QStringList& priceTexts);

// A price text as money (Money::amountText): "19.5" shows "19.50", "20"
// stays "20". A text that cents() does not read is shown as it came.
QString priceText(const QString& priceText);

} // namespace ServiceMoney
