#include "store/productitem.h"

#include "app/jsonreply.h"

#include <QJsonArray>

#include <cmath>

namespace {

// No product costs more than this; anything above is a broken reply.
constexpr double maxPrice = 1e9;

double priceValue(const QJsonValue& value)
{
    const double price = JsonReply::number(value);
    return std::isfinite(price) && price >= 0 && price <= maxPrice ? price : 0.0;
}

qint64 longValue(const QJsonValue& value)
{
    if (value.isDouble()) {
        const double d = value.toDouble();
        return std::isfinite(d) && std::abs(d) < 9e18 ? qint64(d) : 0;
    }
    bool ok = false;
    const qint64 parsed = value.toString().toLongLong(&ok, 10);
    return ok ? parsed : 0;
}

template <typename T, typename Read>
void readKey(const QJsonObject& object, const char* key, T& member, Read read)
{
    const auto found = object.constFind(QLatin1String(key));
    if (found != object.constEnd())
        member = read(*found);
}

QString textValue(const QJsonValue& value)
{
    return JsonReply::text(value);
}

int intValue(const QJsonValue& value)
{
    return JsonReply::integer(value);
}

} // namespace

ProductItem ProductItem::fromJson(const QJsonObject& object)
{
    ProductItem item;
    readKey(object, "id", item.id, intValue);
    readKey(object, "title", item.title, textValue);
    readKey(object, "subtitle", item.subtitle, textValue);
    readKey(object, "minidescription", item.minidescription, textValue);
    readKey(object, "fulldescription", item.fulldescription, textValue);
    readKey(object, "price", item.price, priceValue);
    readKey(object, "ebookprice", item.ebookprice, priceValue);
    readKey(object, "ebook", item.ebook, intValue);
    readKey(object, "ebook2", item.ebook2, textValue);
    readKey(object, "period", item.period, textValue);
    readKey(object, "image", item.image, textValue);
    readKey(object, "video", item.video, textValue);
    // The download path is only trusted when the reply says where it came
    // from: "uri" marks an entry with a download record.
    if (object.contains(QLatin1String("uri")))
        readKey(object, "uri1", item.uri1, textValue);
    readKey(object, "email", item.email, textValue);
    readKey(object, "phone", item.phone, textValue);
    readKey(object, "name", item.name, textValue);
    readKey(object, "type", item.type, textValue);
    readKey(object, "status", item.status, textValue);
    readKey(object, "endDay", item.endDay, longValue);
    readKey(object, "quantity", item.quantity, intValue);
    readKey(object, "activity_code", item.activityCode, textValue);
    readKey(object, "activity_minutes", item.activityMinutes, intValue);
    return item;
}

bool ProductItem::isPhysical() const
{
    return type == QLatin1String("NUTRITION") || type == QLatin1String("COACHING");
}

bool ProductItem::matches(const QString& lowerText) const
{
    for (const QString* field : {&title, &subtitle, &minidescription, &fulldescription}) {
        if (field->contains(lowerText, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

ProductListReply ProductListReply::parse(const QString& text)
{
    ProductListReply reply;
    const QJsonObject object = JsonReply::parseObject(text);
    reply.resultCode = JsonReply::resultCode(object);
    if (reply.resultCode != 0)
        return reply;
    for (const char* key : {"video_list", "checkout_list", "local_list", "programvideo_list"}) {
        const auto found = object.constFind(QLatin1String(key));
        if (found == object.constEnd())
            continue;
        const QJsonArray array = found->toArray();
        reply.items.reserve(array.size());
        for (const QJsonValue& entry : array) {
            // Something that is not an object describes no product.
            if (entry.isObject())
                reply.items.append(ProductItem::fromJson(entry.toObject()));
        }
        break;
    }
    return reply;
}
