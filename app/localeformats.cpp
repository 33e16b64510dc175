#include "app/localeformats.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace LocaleFormats {

QString day(const QDate& date)
{
    //: Date pattern of lists and charts (QDate::toString); month names come
    //: from the language: "8 dic 2026".
    return QLocale().toString(date, QCoreApplication::translate("LocaleFormats", "d MMM yyyy"));
}

QString longDay(const QDate& date)
{
    //: Date pattern inside sentences (QDate::toString): "8 de diciembre de 2026".
    return QLocale().toString(date, QCoreApplication::translate("LocaleFormats", "d MMMM yyyy"));
}

QString decimal(double value, int decimals)
{
    return QLocale().toString(value, 'f', decimals);
}

std::optional<double> typedNumber(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (!ok)
        value = QLocale::c().toDouble(text, &ok);
    if (!ok) {
        // A decimal comma where the language writes a point ("81,4" typed
        // in English) still means the only thing it can.
        QString swapped = text;
        if (swapped.count(QLatin1Char(',')) == 1 && !swapped.contains(QLatin1Char('.')))
            value = QLocale::c().toDouble(swapped.replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    }
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace LocaleFormats
