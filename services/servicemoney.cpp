#include "services/servicemoney.h"

#include "store/money.h"

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

QString priceText(const QString& priceText)
{
    const std::optional<qint64> amount = cents(priceText);
    return amount ? Money::amountText(*amount) : priceText;
}

} // namespace ServiceMoney
