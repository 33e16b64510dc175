#include "tracker/foodrequests.h"

#include "tracker/foodnumbers.h"

#include "app/jsonreply.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <utility>

namespace FoodRequests {

namespace {

QString integerText(const QString& typed)
{
    return QString::number(FoodNumbers::readInt(typed));
}

} // namespace

QUrlQuery foodList(const QString& userId)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    return fields;
}

QUrlQuery uploadFood(const QString& userId, qint32 categoryId, const TypedFood& food)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("category_id"), QString::number(categoryId));
    fields.addQueryItem(QStringLiteral("title"), food.title);
    fields.addQueryItem(QStringLiteral("cal"), integerText(food.cal));
    fields.addQueryItem(QStringLiteral("carbs"), integerText(food.carbs));
    fields.addQueryItem(QStringLiteral("fat"), integerText(food.fat));
    fields.addQueryItem(QStringLiteral("protein"), integerText(food.protein));
    fields.addQueryItem(QStringLiteral("fiber"), integerText(food.fiber));
    return fields;
}

QString typedFoodProblem(const TypedFood& food)
{
    const QString title = food.title.trimmed();
    if (title.isEmpty())
        return QStringLiteral("Please enter a Food Name.");
    if (title.size() > maxTitleLength)
        return QStringLiteral("Please enter a Food Name of at most %1 characters.")
            .arg(maxTitleLength);
    if (food.cal.isEmpty())
        return QStringLiteral("Please enter cal/1cup.");
    const std::pair<const QString&, const char*> amounts[] = {{food.cal, "cal/1cup"},
                                                              {food.carbs, "carbs/1cup"},
                                                              {food.fat, "fat/1cup"},
                                                              {food.protein, "protein/1cup"},
                                                              {food.fiber, "fiber/1cup"}};
    for (const auto& [typed, field] : amounts) {
        // What goes out is the typed text read as an integer.
        const int value = FoodNumbers::readInt(typed);
        if (value < 0 || value > maxAmount)
            return QStringLiteral("Please enter a number up to %1 for %2.")
                .arg(QLocale(QLocale::English).toString(maxAmount), QLatin1String(field));
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
