#include "server/engine/endpoints.h"

#include "server/demo/demoservices.h"
#include "server/store/storecommon.h"
#include "server/store/storepaiditems.h"

#include <QJsonArray>
#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace {

// Every service with the member's open purchase of it, if any (a completed
// appointment closes the purchase; the member buys the service again).
// Binds: user id.
const char* const kServiceSelect =
    "SELECT s.id, s.type, s.title, s.subtitle, s.minidescription, s.fulldescription, s.price_cents,"
    " s.image, s.skype, s.whatsapp, sp.id AS purchase_id, COALESCE(sp.appoint, 0) AS appoint"
    " FROM services s"
    " LEFT JOIN service_purchases sp ON sp.service_id = s.id AND sp.user_id = ? AND sp.completed = 0";

QJsonObject serviceJson(const QSqlQuery& query, const ServerContext& context)
{
    const QString image = query.value(QStringLiteral("image")).toString();
    const bool purchased = !query.value(QStringLiteral("purchase_id")).isNull();
    QJsonObject entry;
    entry.insert(QStringLiteral("id"), QString::number(query.value(QStringLiteral("id")).toLongLong()));
    entry.insert(QStringLiteral("type"), query.value(QStringLiteral("type")).toString());
    entry.insert(QStringLiteral("title"), query.value(QStringLiteral("title")).toString());
    entry.insert(QStringLiteral("subtitle"), query.value(QStringLiteral("subtitle")).toString());
    entry.insert(QStringLiteral("minidescription"), query.value(QStringLiteral("minidescription")).toString());
    entry.insert(QStringLiteral("fulldescription"), query.value(QStringLiteral("fulldescription")).toString());
    entry.insert(QStringLiteral("price"), moneyText(query.value(QStringLiteral("price_cents")).toLongLong()));
    entry.insert(QStringLiteral("image"), image.isEmpty() ? QString() : context.fileUrl(image));
    entry.insert(QStringLiteral("skype"), query.value(QStringLiteral("skype")).toString());
    entry.insert(QStringLiteral("whatsapp"), query.value(QStringLiteral("whatsapp")).toString());
    entry.insert(QStringLiteral("status"), purchased ? QStringLiteral("yes") : QStringLiteral("no"));
    entry.insert(QStringLiteral("appoint"), QString::number(query.value(QStringLiteral("appoint")).toInt()));
    entry.insert(QStringLiteral("quantity"), QStringLiteral("1"));
    return entry;
}

QJsonObject serviceList(ServerContext& context, const QString& listKey, const QString& sql,
                        const QVariantList& binds)
{
    KeptQuery query(context.db);
    query.prepare(sql);
    if (!runWith(query, binds))
        return storageFailure();
    QJsonArray list;
    while (query.next())
        list.append(serviceJson(query, context));
    return apiSuccess({{listKey, list}});
}

// The member's open purchase of the service; 0 when there is none.
std::optional<qint64> openPurchase(ServerContext& context, qint64 userId, qint64 serviceId)
{
    KeptQuery query(context.db);
    query.prepare(QStringLiteral(
        "SELECT id FROM service_purchases WHERE user_id = ? AND service_id = ? AND completed = 0"));
    query.addBindValue(userId);
    query.addBindValue(serviceId);
    if (!run(query))
        return std::nullopt;
    return query.next() ? query.value(0).toLongLong() : 0;
}

std::optional<bool> serviceExists(ServerContext& context, qint64 serviceId)
{
    KeptQuery query(context.db);
    query.prepare(QStringLiteral("SELECT 1 FROM services WHERE id = ?"));
    query.addBindValue(serviceId);
    if (!run(query))
        return std::nullopt;
    return query.next();
}

QJsonObject getService(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const QString type = call.text(QStringLiteral("service_type"));
    if (!isServiceType(type))
        return badField(QStringLiteral("service_type"));
    return serviceList(context, QStringLiteral("service_list"),
                       QString::fromLatin1(kServiceSelect) + QStringLiteral(" WHERE s.type = ? ORDER BY s.id"),
                       {*userId, type});
}

QJsonObject getLocalService(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    // The purchases tab asks with one type but shows every purchase.
    if (!isServiceType(call.text(QStringLiteral("type"))))
        return badField(QStringLiteral("type"));
    return serviceList(context, QStringLiteral("local_list"),
                       QString::fromLatin1(kServiceSelect)
                           + QStringLiteral(" WHERE sp.id IS NOT NULL ORDER BY s.id"),
                       {*userId});
}

QJsonObject getServiceCheckout(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    return serviceList(context, QStringLiteral("checkout_list"),
                       QString::fromLatin1(kServiceSelect)
                           + QStringLiteral(" JOIN service_cart c ON c.service_id = s.id AND c.user_id = ?"
                                            " ORDER BY s.id"),
                       {*userId, *userId});
}

QJsonObject setServiceCheckout(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("service_id"), &failure);
    if (!target)
        return failure;
    const auto quantity = call.integer(QStringLiteral("quantity"));
    if (!quantity || *quantity < 1 || *quantity > 99)
        return badField(QStringLiteral("quantity"));

    const auto exists = serviceExists(context, target->itemId);
    if (!exists)
        return storageFailure();
    if (!*exists)
        return apiFailure(UnknownItem, QStringLiteral("No such service."));
    const auto purchase = openPurchase(context, target->userId, target->itemId);
    if (!purchase)
        return storageFailure();
    if (*purchase != 0)
        return apiFailure(Refused, QStringLiteral("You have bought this service already."));

    return changeOneRow(context,
                        QStringLiteral("INSERT INTO service_cart (user_id, service_id, quantity)"
                                       " VALUES (?, ?, ?) ON CONFLICT DO NOTHING"),
                        {target->userId, target->itemId, *quantity},
                        QStringLiteral("The service is in the cart already."));
}

QJsonObject removeServiceCheckout(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("service_id"), &failure);
    if (!target)
        return failure;
    return changeOneRow(context, QStringLiteral("DELETE FROM service_cart WHERE user_id = ? AND service_id = ?"),
                        {target->userId, target->itemId}, QStringLiteral("The service is not in the cart."));
}

QJsonObject setServicePurchase(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const auto ids = parseIdList(call.text(QStringLiteral("purchase_id")));
    if (!ids)
        return badField(QStringLiteral("purchase_id"));

    StorePaidItems ledger(context.db);
    if (!ledger.voidStaleNow())
        return storageFailure();
    // The same record again (the answer to it was lost): it went through,
    // and nothing changes while the purchases are open.
    bool ok = false;
    if (ledger.recordedAlready(*userId, StorePaidItems::Kind::Service, *ids, {}, &ok) && ok) {
        bool allOpen = true;
        for (qint64 id : *ids) {
            const auto purchase = openPurchase(context, *userId, id);
            if (!purchase)
                return storageFailure();
            allOpen = allOpen && *purchase != 0;
        }
        if (allOpen)
            return apiSuccess();
    }
    if (!ok)
        return storageFailure();
    failure = unpaidItemFailure(context, ledger, *userId, StorePaidItems::Kind::Service, *ids);
    if (!failure.isEmpty())
        return failure;

    Transaction transaction(context.db, *userId);
    if (!transaction.begun())
        return storageFailure();
    const auto entries = ledger.entriesFor(*userId, StorePaidItems::Kind::Service, *ids);
    if (!entries)
        return storageFailure();
    // An open purchase of the same service stays the one purchase.
    KeptQuery create(context.db);
    create.prepare(QStringLiteral(
        "INSERT INTO service_purchases (user_id, service_id, purchased_ms)"
        " SELECT ?, ?, ? WHERE NOT EXISTS (SELECT 1 FROM service_purchases"
        " WHERE user_id = ? AND service_id = ? AND completed = 0)"));
    KeptQuery uncart(context.db);
    uncart.prepare(QStringLiteral("DELETE FROM service_cart WHERE user_id = ? AND service_id = ?"));
    for (qsizetype i = 0; i < ids->size(); ++i) {
        const qint64 id = ids->at(i);
        if (entries->at(i).id == 0)
            return apiFailure(Refused, QStringLiteral("No payment covered exactly these services."));
        if (!runWith(create, {*userId, id, nowMs(), *userId, id}) || !runWith(uncart, {*userId, id})
            || !ledger.markRecorded(entries->at(i).id, 0))
            return storageFailure();
    }
    if (!transaction.commit())
        return storageFailure();
    return apiSuccess();
}

// makeAppoint and completeAppoint act on the member's open purchase.
QJsonObject updateOpenPurchase(const ApiCall& call, ServerContext& context, const QString& sql)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("service_id"), &failure);
    if (!target)
        return failure;
    const auto purchase = openPurchase(context, target->userId, target->itemId);
    if (!purchase)
        return storageFailure();
    if (*purchase == 0)
        return apiFailure(Refused, QStringLiteral("You have no open purchase of this service."));
    KeptQuery update(context.db);
    update.prepare(sql);
    update.addBindValue(*purchase);
    if (!run(update))
        return storageFailure();
    return apiSuccess();
}

QJsonObject makeAppoint(const ApiCall& call, ServerContext& context)
{
    return updateOpenPurchase(call, context,
                              QStringLiteral("UPDATE service_purchases SET appoint = appoint + 1 WHERE id = ?"));
}

QJsonObject completeAppoint(const ApiCall& call, ServerContext& context)
{
    return updateOpenPurchase(call, context,
                              QStringLiteral("UPDATE service_purchases SET completed = 1 WHERE id = ?"));
}

} // namespace

namespace ServiceEndpoints {

void addDemoData(ServerContext& context)
{
    DemoServices::fill(context);
}

void registerAll(EndpointTable& table)
{
    table.add(QStringLiteral("getService"), getService);
    table.add(QStringLiteral("getLocalService"), getLocalService);
    table.add(QStringLiteral("setServiceCheckout"), setServiceCheckout);
    table.add(QStringLiteral("getServiceCheckout"), getServiceCheckout);
    table.add(QStringLiteral("removeServiceCheckout"), removeServiceCheckout);
    table.add(QStringLiteral("completeAppoint"), completeAppoint);
    table.add(QStringLiteral("setServicePurchase"), setServicePurchase);
    table.add(QStringLiteral("makeAppoint"), makeAppoint);
}

} // namespace ServiceEndpoints
