#include "services/servicemoney.h"

#include <cmath>
#include <limits>

namespace ServiceMoney {

namespace {

// A trillion dollars: a thousand such prices still fit 64 bits of cents.
constexpr double largestPrice = 1e12;

} // namespace

std::optional<qint64> cents(const QString& priceText)
{
    bool ok = false;
    const double price = priceText.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(price) || price < 0 || price > largestPrice)
        return std::nullopt;
    return std::llround(price * 100.0);
}

qint64 totalCents(const QStringList& priceTexts)
{
    qint64 total = 0;
    for (const QString& price : priceTexts) {
        // A list long enough to pass 64 bits is no real cart; stop at the
        // largest sum rather than wrap round to a small or negative one.
        if (__builtin_add_overflow(total, cents(price).value_or(0), &total))
            return std::numeric_limits<qint64>::max();
    }
    return total;
}

QString format(qint64 cents)
{
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(cents) : quint64(cents);
    QString text = QString::number(magnitude / 100);
    if (const quint64 rest = magnitude % 100) {
        text += QLatin1Char('.') + QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
        if (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    }
    return negative ? QLatin1Char('-') + text : text;
}

} // namespace ServiceMoney
