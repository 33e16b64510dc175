#include "weight/weightunits.h"

#include "app/localeformats.h"
#include "app/settingsstore.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace WeightUnits {

namespace {
constexpr char unitKey[] = "weight/unit";
}

double kgToLb(double kg)
{
    return kg / kgPerPound;
}

double lbToKg(double lb)
{
    return lb * kgPerPound;
}

double toKg(double value, WeightUnit unit)
{
    return unit == WeightUnit::Pounds ? lbToKg(value) : value;
}

double fromKg(double kg, WeightUnit unit)
{
    return unit == WeightUnit::Pounds ? kgToLb(kg) : kg;
}

double roundTenth(double value)
{
    return std::round(value * 10.0) / 10.0;
}

double roundHundredth(double value)
{
    return std::round(value * 100.0) / 100.0;
}

double typedToKg(double typed, WeightUnit unit)
{
    return roundHundredth(toKg(roundTenth(typed), unit));
}

QString keptText(double kg)
{
    const double kept = roundHundredth(kg);
    return QString::number(kept, 'f', roundTenth(kept) == kept ? 1 : 2);
}

QString symbol(WeightUnit unit)
{
    return unit == WeightUnit::Pounds ? QStringLiteral("lb") : QStringLiteral("kg");
}

QString number(double kg, WeightUnit unit)
{
    return QString::number(roundTenth(fromKg(kg, unit)), 'f', 1);
}

QString shownNumber(double kg, WeightUnit unit)
{
    // Without thousands separators: 1102.3 lb typed back must read again.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(roundTenth(fromKg(kg, unit)), 'f', 1);
}

QString text(double kg, WeightUnit unit)
{
    return LocaleFormats::decimal(roundTenth(fromKg(kg, unit)), 1) + QLatin1Char(' ') +
           symbol(unit);
}

std::optional<double> parse(const QString& typed, WeightUnit unit)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,4}(?:[.,]\\d*)?|[.,]\\d+)\\s*([a-zA-Z]*)\\.?\\s*$"));
    const auto match = form.match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    const QString suffix = match.captured(2).toLower();
    if (!suffix.isEmpty()) {
        const bool kg = suffix == u"kg" || suffix == u"kgs" || suffix == u"kilo" ||
                        suffix == u"kilos" || suffix == u"kilograms";
        const bool lb = suffix == u"lb" || suffix == u"lbs" || suffix == u"pounds";
        if (!(kg && unit == WeightUnit::Kilograms) && !(lb && unit == WeightUnit::Pounds))
            return std::nullopt;
    }
    QString digits = match.captured(1);
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value <= 0)
        return std::nullopt;
    return typedToKg(value, unit);
}

QString key(WeightUnit unit)
{
    return symbol(unit);
}

WeightUnit fromKey(const QString& key)
{
    return key == u"lb" ? WeightUnit::Pounds : WeightUnit::Kilograms;
}

WeightUnit memberUnit()
{
    return fromKey(SettingsStore::memberText(QLatin1String(unitKey)));
}

void setMemberUnit(WeightUnit unit)
{
    SettingsStore::setMemberText(QLatin1String(unitKey), key(unit));
}

} // namespace WeightUnits
