#include "server/engine/endpoints.h"

#include "server/demo/demolibrary.h"
#include "server/demo/demostore.h"
#include "server/store/storecommon.h"
#include "server/store/storehandlers.h"
#include "server/store/storepaiditems.h"
#include "server/store/storeproductrow.h"
#include "server/store/storerenewal.h"

#include <QJsonArray>
#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace StoreEndpoints {

void addDemoData(ServerContext& context)
{
    DemoStore::fill(context);
    DemoLibrary::fill(context);
}

void registerAll(EndpointTable& table)
{
    table.add(QStringLiteral("getVideos"), StoreHandlers::getVideos);
    table.add(QStringLiteral("getLocalVideo"), StoreHandlers::getLocalVideo);
    table.add(QStringLiteral("getCheckout"), StoreHandlers::getCheckout);
    table.add(QStringLiteral("setCheckout"), StoreHandlers::setCheckout);
    table.add(QStringLiteral("removeCheckout"), StoreHandlers::removeCheckout);
    table.add(QStringLiteral("paymentProcess"), StoreHandlers::paymentProcess);
    table.add(QStringLiteral("setPurchase"), StoreHandlers::setPurchase);
    table.add(QStringLiteral("getPaymentState"), StoreHandlers::getPaymentState);
    table.add(QStringLiteral("setVideoUri"), StoreHandlers::setVideoUri);
    table.add(QStringLiteral("setProgramVideoUri"), StoreHandlers::setProgramVideoUri);
    table.add(QStringLiteral("getProgramVideos"), StoreHandlers::getProgramVideos);
    table.add(QStringLiteral("removeVideo"), StoreHandlers::removeVideo);
    table.add(QStringLiteral("removeProgramVideo1"), StoreHandlers::removeProgramVideo1);
    table.add(QStringLiteral("removeSubscription"), StoreHandlers::removeSubscription);
    table.add(QStringLiteral("removeAllProgramVideo"), StoreHandlers::removeAllProgramVideo);
}

} // namespace StoreEndpoints

namespace StoreHandlers {

namespace {

// Products of the given types with the member's view of them, by id.
std::optional<QList<StoreProductRow>> productsOfTypes(ServerContext& context, qint64 userId,
                                                      const QStringList& types, const QString& extraCondition)
{
    KeptQuery query(context.db);
    query.prepare(StoreProductRow::selectClause() + QStringLiteral(" WHERE p.type IN (")
                  + StoreCommon::placeholders(types.size()) + QStringLiteral(")") + extraCondition
                  + QStringLiteral(" ORDER BY p.id"));
    query.addBindValue(userId);
    query.addBindValue(userId);
    for (const QString& type : types)
        query.addBindValue(type);
    if (!run(query))
        return std::nullopt;
    QList<StoreProductRow> rows;
    while (query.next())
        rows.append(StoreProductRow::fromQuery(query));
    return rows;
}

std::optional<StoreProductRow> productById(ServerContext& context, qint64 userId, qint64 productId, bool* ok)
{
    KeptQuery query(context.db);
    query.prepare(StoreProductRow::selectClause() + QStringLiteral(" WHERE p.id = ?"));
    query.addBindValue(userId);
    query.addBindValue(userId);
    query.addBindValue(productId);
    *ok = run(query);
    if (!*ok || !query.next())
        return std::nullopt;
    return StoreProductRow::fromQuery(query);
}

} // namespace

QJsonObject getVideos(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;

    // SEARCH1..3 search the whole category; the client filters by text.
    const QString videoType = call.text(QStringLiteral("video_type"));
    QStringList types;
    if (videoType == QLatin1String("SEARCH1"))
        types = typesOfCategory(QStringLiteral("WORKOUT"));
    else if (videoType == QLatin1String("SEARCH2"))
        types = typesOfCategory(QStringLiteral("NUTRITION"));
    else if (videoType == QLatin1String("SEARCH3"))
        types = typesOfCategory(QStringLiteral("COACHING"));
    else if (isProductType(videoType))
        types = {videoType};
    else
        return badField(QStringLiteral("video_type"));

    const auto rows = productsOfTypes(context, *userId, types, {});
    if (!rows)
        return storageFailure();
    QJsonArray list;
    for (const StoreProductRow& row : *rows)
        list.append(row.toJson(context));
    return apiSuccess({{QStringLiteral("video_list"), list}});
}

QJsonObject getLocalVideo(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const QStringList types = typesOfCategory(call.text(QStringLiteral("type")));
    if (types.isEmpty())
        return badField(QStringLiteral("type"));

    const auto rows = productsOfTypes(context, *userId, types, QStringLiteral(" AND pu.product_id IS NOT NULL"));
    if (!rows)
        return storageFailure();
    // Owned videos and programs, and owned e-books; a physical product has
    // nothing to play or read on this computer.
    QJsonArray list;
    for (const StoreProductRow& row : *rows) {
        if (row.productOwned() && isSubscriptionType(row.type()))
            list.append(row.toJson(context));
        if (row.ebookActive())
            list.append(row.toEbookJson(context));
    }
    return apiSuccess({{QStringLiteral("local_list"), list}});
}

QJsonObject getCheckout(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const QStringList types = typesOfCategory(call.text(QStringLiteral("product_type")));
    if (types.isEmpty())
        return badField(QStringLiteral("product_type"));

    KeptQuery query(context.db);
    query.prepare(StoreProductRow::selectClause(QStringLiteral(", c.ebook AS ebook, c.quantity AS quantity"))
                  + QStringLiteral(" JOIN store_cart c ON c.product_id = p.id AND c.user_id = ?"
                                   " WHERE p.type IN (")
                  + StoreCommon::placeholders(types.size()) + QStringLiteral(") ORDER BY p.id"));
    query.addBindValue(*userId);
    query.addBindValue(*userId);
    query.addBindValue(*userId);
    for (const QString& type : types)
        query.addBindValue(type);
    if (!run(query))
        return storageFailure();

    QJsonArray list;
    while (query.next()) {
        const StoreProductRow row = StoreProductRow::fromQuery(query);
        const bool ebook = query.value(QStringLiteral("ebook")).toInt() != 0;
        QJsonObject item = row.toJson(context);
        // A cart entry of an e-book costs the e-book's price.
        item.insert(QStringLiteral("ebook"), ebook ? QStringLiteral("1") : QStringLiteral("0"));
        if (ebook)
            item.insert(QStringLiteral("price"), moneyText(row.ebookPriceCents()));
        item.insert(QStringLiteral("quantity"), QString::number(query.value(QStringLiteral("quantity")).toInt()));
        list.append(item);
    }
    return apiSuccess({{QStringLiteral("checkout_list"), list}});
}

QJsonObject getProgramVideos(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("product_id"), &failure);
    if (!target)
        return failure;
    const qint64 userId = target->userId;
    const qint64 programId = target->itemId;
    bool ok = false;
    const auto program = productById(context, userId, programId, &ok);
    if (!ok)
        return storageFailure();
    if (!program || program->type() != QLatin1String("PROGRAM"))
        return apiFailure(UnknownItem, QStringLiteral("No such program."));

    // A lapsed program reads as not owned here: its videos are not
    // subscriptions of their own and must not be renewed one by one.
    KeptQuery ends(context.db);
    ends.prepare(QStringLiteral("SELECT end_day FROM purchases WHERE user_id = ? AND product_id = ? AND product_owned = 1"));
    if (!runWith(ends, {userId, programId}))
        return storageFailure();
    const qint64 endDay = ends.next() ? ends.value(0).toLongLong() : 0;
    const bool active = endDay > nowMs();

    KeptQuery query(context.db);
    query.prepare(QStringLiteral(
        "SELECT v.id, v.title, v.subtitle, v.minidescription, v.fulldescription, v.image, v.video, d.uri1,"
        " v.activity_code, v.activity_minutes"
        " FROM program_videos v"
        " LEFT JOIN program_video_downloads d ON d.video_id = v.id AND d.user_id = ? AND d.platform = 'desktop'"
        " WHERE v.program_id = ? ORDER BY v.position, v.id"));
    if (!runWith(query, {userId, programId}))
        return storageFailure();

    QJsonArray list;
    while (query.next()) {
        QJsonObject item;
        item.insert(QStringLiteral("id"), QString::number(query.value(0).toLongLong()));
        item.insert(QStringLiteral("title"), query.value(1).toString());
        item.insert(QStringLiteral("subtitle"), query.value(2).toString());
        item.insert(QStringLiteral("minidescription"), query.value(3).toString());
        item.insert(QStringLiteral("fulldescription"), query.value(4).toString());
        const QString image = query.value(5).toString();
        const QString video = query.value(6).toString();
        item.insert(QStringLiteral("image"), image.isEmpty() ? QString() : context.fileUrl(image));
        item.insert(QStringLiteral("video"), video.isEmpty() ? QString() : context.fileUrl(video));
        item.insert(QStringLiteral("price"), QStringLiteral("0"));
        item.insert(QStringLiteral("ebookprice"), QStringLiteral("0"));
        item.insert(QStringLiteral("ebook"), QStringLiteral("0"));
        item.insert(QStringLiteral("ebook2"), QStringLiteral("0,0"));
        item.insert(QStringLiteral("period"), QStringLiteral("30"));
        item.insert(QStringLiteral("type"), QStringLiteral("WORKOUT"));
        item.insert(QStringLiteral("quantity"), QStringLiteral("1"));
        // A video downloaded on this computer answers "no", so that the
        // list shows it as DOWNLOADED instead of offering it again.
        const bool downloaded = !query.value(7).isNull();
        item.insert(QStringLiteral("status"), active && !downloaded ? QStringLiteral("yes") : QStringLiteral("no"));
        item.insert(QStringLiteral("endDay"), QString::number(active ? endDay : 0));
        if (downloaded) {
            item.insert(QStringLiteral("uri"), QString());
            item.insert(QStringLiteral("uri1"), query.value(7).toString());
        }
        WorkoutActivity::fromQuery(query).addTo(item);
        list.append(item);
    }
    return apiSuccess({{QStringLiteral("programvideo_list"), list}});
}

QJsonObject setCheckout(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("product_id"), &failure);
    if (!target)
        return failure;
    const auto quantity = call.integer(QStringLiteral("quantity"));
    if (!quantity || *quantity < 1 || *quantity > 99)
        return badField(QStringLiteral("quantity"));
    const QString ebookText = call.text(QStringLiteral("ebook"));
    if (ebookText != QLatin1String("0") && ebookText != QLatin1String("1"))
        return badField(QStringLiteral("ebook"));
    const bool ebook = ebookText == QLatin1String("1");

    bool ok = false;
    const auto product = productById(context, target->userId, target->itemId, &ok);
    if (!ok)
        return storageFailure();
    if (!product)
        return apiFailure(UnknownItem, QStringLiteral("No such product."));
    if (ebook && product->ebookPriceCents() <= 0)
        return apiFailure(Refused, QStringLiteral("This product has no e-book."));
    if (ebook && product->ebookActive())
        return apiFailure(Refused, QStringLiteral("You own this e-book already."));
    if (!ebook && product->productOwned() && isSubscriptionType(product->type()))
        return apiFailure(Refused, QStringLiteral("You own this subscription already."));

    // The primary key refuses a second entry of the same product.
    return changeOneRow(context,
                        QStringLiteral("INSERT INTO store_cart (user_id, product_id, ebook, quantity)"
                                       " VALUES (?, ?, ?, ?) ON CONFLICT DO NOTHING"),
                        {target->userId, target->itemId, ebook ? 1 : 0, *quantity},
                        QStringLiteral("The product is in the cart already."));
}

QJsonObject removeCheckout(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("product_id"), &failure);
    if (!target)
        return failure;
    return changeOneRow(context, QStringLiteral("DELETE FROM store_cart WHERE user_id = ? AND product_id = ?"),
                        {target->userId, target->itemId}, QStringLiteral("The product is not in the cart."));
}

} // namespace StoreHandlers
