#include "tracker/foodcatalogue.h"

#include "tracker/foodmodel.h"
#include "tracker/foodnumbers.h"

#include "app/accountstate.h"
#include "app/jsonreply.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The catalogue sends every value as a JSON string. A value of another type
// (a JSON number included) is not what the service sends and reads as 0 or
// empty text, like a missing one.
QString stringValue(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    return value.isString() ? value.toString() : QString();
}

qint32 intValue(const QJsonObject& object, const QString& key)
{
    return FoodNumbers::readInt(stringValue(object, key));
}

float floatValue(const QJsonObject& object, const QString& key)
{
    return FoodNumbers::readFloat(stringValue(object, key));
}

FoodItemModel* readFood(const QJsonObject& object, QObject* parent)
{
    auto* food = new FoodItemModel(parent);
    food->id = intValue(object, QStringLiteral("id"));
    food->user_id = intValue(object, QStringLiteral("user_id"));
    food->title = stringValue(object, QStringLiteral("title"));
    food->cal = floatValue(object, QStringLiteral("cal"));
    food->carbs = floatValue(object, QStringLiteral("carbs"));
    food->fat = floatValue(object, QStringLiteral("fat"));
    food->protein = floatValue(object, QStringLiteral("protein"));
    food->fiber = floatValue(object, QStringLiteral("fiber"));
    food->halfCal = 0.5f * food->cal;
    return food;
}

struct HeldReply
{
    QString userId;
    QString text;
    int generation = 0;
};

HeldReply& held()
{
    static HeldReply reply;
    return reply;
}

} // namespace

QString FoodCatalogue::heldReply(const QString& userId, int* generation)
{
    const HeldReply& reply = held();
    if (generation)
        *generation = reply.generation;
    return !userId.isEmpty() && reply.userId == userId ? reply.text : QString();
}

FoodCatalogue::FoodCatalogue(QObject* parent) : QObject(parent) {}

void FoodCatalogue::clear()
{
    qDeleteAll(m_categories);
    m_categories.clear();
    m_entries.clear();
    m_status = Status::Empty;
}

FoodCatalogue::Status FoodCatalogue::load(const QString& replyText)
{
    clear();
    const QJsonDocument document = QJsonDocument::fromJson(replyText.toUtf8());
    if (!document.isObject()) {
        m_status = Status::NotJson;
        return m_status;
    }
    const QJsonObject reply = document.object();
    if (JsonReply::resultCode(reply) != 0) {
        m_status = Status::Refused;
        return m_status;
    }

    const QJsonArray list = reply.value(QStringLiteral("food_list")).toArray();
    m_entries.reserve(list.size());
    for (const QJsonValue& categoryValue : list) {
        const QJsonObject object = categoryValue.toObject();
        auto* category = new FoodModel(this);
        category->id = intValue(object, QStringLiteral("id"));
        category->title = stringValue(object, QStringLiteral("title"));
        category->recomended = stringValue(object, QStringLiteral("recomended"));
        const QJsonArray foods = object.value(QStringLiteral("calorie_list")).toArray();
        category->items.reserve(foods.size());
        for (const QJsonValue& foodValue : foods)
            category->items.append(readFood(foodValue.toObject(), category));

        // A later category with the same id replaces the earlier one.
        if (FoodModel* replaced = m_categories.value(category->id))
            delete replaced;
        m_categories.insert(category->id, category);
        m_entries.append({category->id, category->title});
    }
    m_status = Status::Loaded;
    HeldReply& kept = held();
    if (kept.text != replyText || kept.userId != currentUserId)
        kept = {currentUserId, replyText, kept.generation + 1};
    return m_status;
}
