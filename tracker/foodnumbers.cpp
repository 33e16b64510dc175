#include "tracker/foodnumbers.h"

#include "tracker/foodmodel.h"
#include "tracker/meals.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <limits>

Nutrients& Nutrients::operator+=(const Nutrients& other)
{
    carbs += other.carbs;
    fat += other.fat;
    protein += other.protein;
    fiber += other.fiber;
    return *this;
}

Nutrients& Nutrients::operator-=(const Nutrients& other)
{
    carbs -= other.carbs;
    fat -= other.fat;
    protein -= other.protein;
    fiber -= other.fiber;
    return *this;
}

namespace FoodNumbers {

namespace {

// A single food never counts more than this many calories; far above any
// real amount, low enough that a day of them cannot overflow an int.
constexpr int wholeLimit = 10'000'000;

} // namespace

float readFloat(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > double(std::numeric_limits<float>::max()))
        return 0;
    return float(value);
}

int readInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

int wholePart(float value)
{
    if (!std::isfinite(value))
        return 0;
    const float cut = std::trunc(value);
    if (cut > float(wholeLimit))
        return wholeLimit;
    if (cut < float(-wholeLimit))
        return -wholeLimit;
    return int(cut);
}

int addCalories(int sum, int value)
{
    const qint64 total = qint64(sum) + value;
    if (total > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (total < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(total);
}

int subtractCalories(int from, int value)
{
    const qint64 total = qint64(from) - value;
    if (total > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (total < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(total);
}

QString calories(float value)
{
    return QString::number(double(value), 'g', 6);
}

QString shortest(float value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // The fewest significant digits that read back to the same float, then
    // printed in the shortest form of that decimal ("20", not "2e+01").
    for (int precision = 1; precision < 9; ++precision) {
        const QString digits = QString::number(double(value), 'g', precision);
        if (digits.toFloat() == value)
            return QString::number(digits.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    return QString::number(double(value), 'g', 9);
}

QString fixed(float value, int decimals)
{
    return QString::number(double(value), 'f', decimals);
}

QString shownWhole(qint64 value)
{
    // Calorie counts without thousands grouping, as the planner and the
    // tracker have always shown them in their narrow value columns (Spanish
    // groups nothing below 10 000 either); the sign is the language's.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(value);
}

QString shownFixed(float value, int decimals)
{
    return QLocale().toString(double(value), 'f', decimals);
}

QString shownCalories(float value)
{
    return QLocale().toString(double(value), 'g', 6);
}

QString shownShortest(float value)
{
    return QLocale().toString(shortest(value).toDouble(), 'g', QLocale::FloatingPointShortest);
}

QString shownTyped(float value)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(double(value), 'g', 6);
}

std::optional<double> readTyped(const QString& text, const QLocale& locale)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(typed, &ok);
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    if (!ok) {
        // Thousands grouped where the language would not group them yet
        // (Spanish writes 1850, yet "1.850" is what a member types).
        const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(?:%1\\d{3})+(?:%2\\d+)?$")
                                             .arg(QRegularExpression::escape(locale.groupSeparator()),
                                                  QRegularExpression::escape(locale.decimalPoint())));
        if (grouped.match(typed).hasMatch()) {
            QString digits = typed;
            digits.remove(locale.groupSeparator()).replace(locale.decimalPoint(), QStringLiteral("."));
            value = plain.toDouble(digits, &ok);
        }
    }
    if (!ok) {
        // A point read as the decimal mark in any language; a comma is
        // grouping in none but the member's own form.
        value = plain.toDouble(typed, &ok);
    }
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

std::optional<int> readTypedWhole(const QString& text, const QLocale& locale)
{
    const std::optional<double> value = readTyped(text, locale);
    if (!value || *value != std::trunc(*value) || *value > double(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(*value);
}

float readTypedFloat(const QString& text)
{
    const double value = readTyped(text).value_or(0);
    return value > double(std::numeric_limits<float>::max()) ? 0.0f : float(value);
}

QString plainNumber(double value)
{
    return QString::number(value, 'f', QLocale::FloatingPointShortest);
}

float shownGrams(float value)
{
    if (!(value > 0))
        return 0;
    return readFloat(fixed(value, 1));
}

Nutrients shownGrams(const Nutrients& n)
{
    return {shownGrams(n.carbs), shownGrams(n.fat), shownGrams(n.protein), shownGrams(n.fiber)};
}

Nutrients atLeastZero(const Nutrients& n)
{
    auto clamp = [](float value) { return value > 0 ? value : 0.0f; };
    return {clamp(n.carbs), clamp(n.fat), clamp(n.protein), clamp(n.fiber)};
}

QString nutrientsText(const Nutrients& n)
{
    return QStringLiteral("%1_%2_%3_%4")
        .arg(shortest(n.carbs), shortest(n.fat), shortest(n.protein), shortest(n.fiber));
}

bool readNutrients(const QString& text, Nutrients* nutrients)
{
    *nutrients = Nutrients{};
    if (text.isEmpty())
        return false;
    const QStringList parts = text.split(QLatin1Char('_'));
    auto part = [&parts](int i) { return i < parts.size() ? readFloat(parts.at(i)) : 0.0f; };
    nutrients->carbs = part(0);
    nutrients->fat = part(1);
    nutrients->protein = part(2);
    nutrients->fiber = part(3);
    return true;
}

Nutrients nutrientShare(const FoodItemModel& food, int kind, float otherCalories)
{
    float factor = 0;
    if (kind == FoodQuantity::halfCup)
        factor = 0.5f;
    else if (kind == FoodQuantity::cup)
        factor = 1.0f;
    else if (food.cal != 0)
        factor = otherCalories / food.cal;
    if (factor == 0)
        return {};
    return {food.carbs * factor, food.fat * factor, food.protein * factor, food.fiber * factor};
}

float calorieShare(const FoodItemModel& food, int kind, float otherCalories)
{
    if (kind == FoodQuantity::halfCup)
        return food.halfCal;
    if (kind == FoodQuantity::cup)
        return food.cal;
    return otherCalories;
}

QString tooltip(const FoodItemModel& food, float scale)
{
    auto value = [scale](float perCup) {
        // A scaled value is cut to one decimal; the cup's own figures show as
        // they are.
        const float shown = scale == 1.0f ? perCup : std::trunc(perCup * scale * 10) / 10;
        return QLocale().toString(double(shown), 'g', 6);
    };
    //: Grams of each nutrient in the amount the cell stands for
    return QCoreApplication::translate("FoodNumbers", "Carbs=%1, Fat=%2, Protein=%3, Fiber=%4")
        .arg(value(food.carbs), value(food.fat), value(food.protein), value(food.fiber));
}

QString titleWithBreaks(const QString& title, int width)
{
    QString text = title;
    bool broken = false;
    // Index 0 is never looked at; the loop bound follows the growing text.
    for (int i = 1; i < text.size(); ++i) {
        if (width > 0 && i % width == 0)
            broken = false;
        if (!broken && text.at(i).isSpace()) {
            text.insert(i, QLatin1Char('\n'));
            broken = true;
        }
    }
    return text;
}

} // namespace FoodNumbers
