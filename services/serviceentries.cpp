#include "services/serviceentries.h"

#include "app/jsonreply.h"

#include <QHash>
#include <QJsonArray>

#include <cmath>
#include <limits>

namespace ServiceEntries {

ListReply parseList(const QString& replyText)
{
    ListReply reply;
    const QJsonObject object = JsonReply::parseObject(replyText);
    if (!JsonReply::succeeded(object))
        return reply;
    reply.ok = true;

    QJsonArray array;
    for (const char* key : {"service_list", "local_list", "checkout_list"}) {
        const QString name = QString::fromLatin1(key);
        if (object.contains(name)) {
            array = object.value(name).toArray();
            break;
        }
    }

    QHash<int, qsizetype> positionById;
    for (const QJsonValue& value : array) {
        if (!value.isObject())
            continue;
        const QJsonObject entry = value.toObject();
        const int entryId = id(entry);
        const auto seen = positionById.constFind(entryId);
        if (seen != positionById.constEnd()) {
            reply.entries[*seen] = entry;
            continue;
        }
        positionById.insert(entryId, reply.entries.size());
        reply.entries.append(entry);
    }
    return reply;
}

QString field(const QJsonObject& entry, const QString& key)
{
    return JsonReply::text(entry, key);
}

int id(const QJsonObject& entry)
{
    return JsonReply::integer(entry, QStringLiteral("id"));
}

QString idFromObjectName(const QString& objectName)
{
    const qsizetype separator = objectName.indexOf(QLatin1Char('_'));
    return separator < 0 ? QString() : objectName.mid(separator + 1);
}

bool isPurchased(const QJsonObject& entry)
{
    return field(entry, QStringLiteral("status")) == QLatin1String("yes");
}

int appointments(const QJsonObject& entry)
{
    return JsonReply::integer(entry, QStringLiteral("appoint"));
}

bool isFree(const QString& priceText)
{
    bool ok = false;
    const double price = priceText.trimmed().toDouble(&ok);
    if (!ok || std::isnan(price))
        return true;
    // Too big for single precision ("1e308") is a price, not nothing.
    if (std::abs(price) > double(std::numeric_limits<float>::max()))
        return false;
    return float(price) == 0.0f;
}

} // namespace ServiceEntries
