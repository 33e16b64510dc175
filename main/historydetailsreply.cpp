#include "main/historydetailsreply.h"

#include "app/jsonreply.h"


namespace {

float readFloat(const QJsonObject& food, const char* key)
{
    const double value = JsonReply::number(food, QString::fromLatin1(key));
    return float(value);
}

} // namespace

namespace HistoryDetailsReply {

std::optional<FoodGroups> parse(const QString& reply)
{
    const std::optional<QJsonArray> types = JsonReply::listOf(reply, QStringLiteral("historydetail_info"),
                                                                   JsonReply::MissingList::IsEmpty);
    if (!types)
        return std::nullopt;

    FoodGroups groups;
    for (const QJsonValue& value : *types) {
        if (!value.isObject())
            continue;
        const QJsonObject type = value.toObject();
        auto group = std::make_unique<FoodModel>();
        group->id = JsonReply::integer(type, QStringLiteral("id"));
        group->title = JsonReply::text(type, QStringLiteral("food_type"));
        const QJsonArray foods = type.value(QStringLiteral("categories")).toArray();
        group->items.reserve(foods.size());
        for (const QJsonValue& entry : foods) {
            if (!entry.isObject())
                continue; // no food to show
            const QJsonObject food = entry.toObject();
            auto* item = new FoodItemModel(group.get());
            item->title = JsonReply::text(food, QStringLiteral("title"));
            item->cal = readFloat(food, "cal");
            item->carbs = readFloat(food, "carbs");
            item->fat = readFloat(food, "fat");
            item->protein = readFloat(food, "protein");
            item->fiber = readFloat(food, "fiber");
            group->items.append(item);
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

QList<ExerciseDone> exercise(const QString& reply)
{
    const std::optional<QJsonArray> list =
        JsonReply::listOf(reply, QStringLiteral("exercise"), JsonReply::MissingList::IsEmpty);
    QList<ExerciseDone> done;
    if (!list)
        return done;
    for (const QJsonValue& value : *list) {
        const QJsonObject entry = value.toObject();
        ExerciseDone activity;
        activity.name = JsonReply::text(entry, QStringLiteral("name")).trimmed();
        activity.minutes = int(JsonReply::number(entry, QStringLiteral("minutes")));
        activity.calories = JsonReply::number(entry, QStringLiteral("calories"));
        if (!activity.name.isEmpty())
            done.append(activity);
    }
    return done;
}

} // namespace HistoryDetailsReply
