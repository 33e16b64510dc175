#include "store/money.h"

#include <cmath>

namespace Money {

QString amountText(qint64 cents)
{
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(cents) : quint64(cents);
    QString text = QString::number(magnitude / 100);
    if (const int fraction = int(magnitude % 100))
        text += QLatin1Char('.') + QString::number(fraction).rightJustified(2, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + text : text;
}

QString priceText(double dollars)
{
    if (!std::isfinite(dollars))
        return QStringLiteral("0");
    // Beyond what 64 bits of cents hold: whole dollars, still written out.
    if (std::abs(dollars) >= 1e16)
        return QString::number(dollars, 'f', 0);
    return amountText(std::llround(dollars * 100.0));
}

qint64 toCents(double dollars)
{
    if (!std::isfinite(dollars) || std::abs(dollars) > 1e15)
        return 0;
    return std::llround(dollars * 100.0);
}

QString centsText(qint64 cents)
{
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(cents) : quint64(cents);
    QString text = QString::number(magnitude / 100);
    const int fraction = int(magnitude % 100);
    if (fraction != 0) {
        text += QLatin1Char('.') + QString::number(fraction).rightJustified(2, QLatin1Char('0'));
        if (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    }
    return negative ? QLatin1Char('-') + text : text;
}

qint64 textToCents(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? toCents(value) : 0;
}

} // namespace Money
