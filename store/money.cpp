#include "store/money.h"

#include <cmath>

namespace Money {

QString priceText(double dollars)
{
    return QString::number(dollars, 'g', 6);
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
