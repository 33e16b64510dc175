#include "tracker/foodrequests.h"

#include "tracker/foodnumbers.h"

#include "app/jsonreply.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <utility>

namespace FoodRequests {

namespace {

// The amount in the plain form the service takes ("1850", "12.5"), however
// the member's language wrote it; 0 when empty.
QString amountText(const QString& typed, const QLocale& locale)
{
    return FoodNumbers::plainNumber(FoodNumbers::readTyped(typed, locale).value_or(0));
}

} // namespace

QUrlQuery foodList(const QString& userId)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    return fields;
}

QUrlQuery uploadFood(const QString& userId, qint32 categoryId, const TypedFood& food, const QLocale& locale)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("category_id"), QString::number(categoryId));
    fields.addQueryItem(QStringLiteral("title"), food.title);
    fields.addQueryItem(QStringLiteral("cal"), amountText(food.cal, locale));
    fields.addQueryItem(QStringLiteral("carbs"), amountText(food.carbs, locale));
    fields.addQueryItem(QStringLiteral("fat"), amountText(food.fat, locale));
    fields.addQueryItem(QStringLiteral("protein"), amountText(food.protein, locale));
    fields.addQueryItem(QStringLiteral("fiber"), amountText(food.fiber, locale));
    return fields;
}

QString typedFoodProblem(const TypedFood& food, const QLocale& locale)
{
    const QString title = food.title.trimmed();
    if (title.isEmpty())
        return QCoreApplication::translate("FoodRequests", "Please enter a Food Name.");
    if (title.size() > maxTitleLength)
        return QCoreApplication::translate("FoodRequests", "Please enter a Food Name of at most %1 characters.")
            .arg(locale.toString(maxTitleLength));
    if (food.cal.trimmed().isEmpty())
        return QCoreApplication::translate("FoodRequests", "Please enter cal/1cup.");
    //: Names of the fields of a food's own amounts, as in "a number up to 100,000 for cal/1cup"
    const std::pair<const QString&, const char*> amounts[] = {
        {food.cal, QT_TRANSLATE_NOOP("FoodRequests", "cal/1cup")},
        {food.carbs, QT_TRANSLATE_NOOP("FoodRequests", "carbs/1cup")},
        {food.fat, QT_TRANSLATE_NOOP("FoodRequests", "fat/1cup")},
        {food.protein, QT_TRANSLATE_NOOP("FoodRequests", "protein/1cup")},
        {food.fiber, QT_TRANSLATE_NOOP("FoodRequests", "fiber/1cup")}};
    for (const auto& [typed, field] : amounts) {
        // Empty nutrients go as 0; anything else must read as a number in
        // the member's form (or with a plain decimal point).
        if (typed.trimmed().isEmpty())
            continue;
        const std::optional<double> value = FoodNumbers::readTyped(typed, locale);
        if (!value || *value > maxAmount)
            //: %1 is the largest amount, %2 the field ("cal/1cup")
            return QCoreApplication::translate("FoodRequests", "Please enter a number up to %1 for %2.")
                .arg(locale.toString(maxAmount), QCoreApplication::translate("FoodRequests", field));
    }
    return {};
}

QUrlQuery removeFood(qint32 foodId)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("mycalorie_id"), QString::number(foodId));
    return fields;
}

std::optional<qint32> uploadedFoodId(const QString& replyText)
{
    const QJsonDocument document = QJsonDocument::fromJson(replyText.toUtf8());
    if (!document.isObject() || JsonReply::resultCode(document.object()) != 0)
        return std::nullopt;
    // A success without a usable id leaves the food at 0, as a failed
    // upload does, but the service said yes: nothing to tell the member.
    return std::max(JsonReply::integer(document.object(), QStringLiteral("mycalorie_id")), 0);
}

} // namespace FoodRequests
