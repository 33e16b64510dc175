#include "server/store/storecardcheck.h"
#include "server/store/storecommon.h"
#include "server/store/storehandlers.h"
#include "server/store/storepaiditems.h"
#include "server/store/storerenewal.h"

#include <QDate>
#include <QJsonArray>
#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace StoreHandlers {

namespace {

// What the listed items are and cost the member: a product in the cart as an
// e-book is its e-book at the e-book price; a product outside the cart (a
// renewal) the product itself at its price.
std::optional<QList<StorePaidItems::Item>> expectedItems(ServerContext& context, qint64 userId,
                                                         StorePaidItems::Kind kind, const QList<qint64>& ids,
                                                         QJsonObject* failure)
{
    KeptQuery query(context.db);
    if (kind == StorePaidItems::Kind::Product) {
        query.prepare(QStringLiteral(
            "SELECT CASE WHEN COALESCE(c.ebook, 0) = 1 THEN p.ebook_price_cents ELSE p.price_cents END,"
            " COALESCE(c.ebook, 0)"
            " FROM products p LEFT JOIN store_cart c ON c.product_id = p.id AND c.user_id = ?"
            " WHERE p.id = ?"));
    } else {
        query.prepare(QStringLiteral("SELECT price_cents, 0 FROM services WHERE id = ?"));
    }
    QList<StorePaidItems::Item> items;
    for (qint64 id : ids) {
        if (kind == StorePaidItems::Kind::Product) {
            query.bindValue(0, userId);
            query.bindValue(1, id);
        } else {
            query.bindValue(0, id);
        }
        if (!run(query)) {
            *failure = storageFailure();
            return std::nullopt;
        }
        if (!query.next()) {
            *failure = apiFailure(UnknownItem, QStringLiteral("No such item: %1").arg(id));
            return std::nullopt;
        }
        items.append(StorePaidItems::Item{id, query.value(1).toInt() == 1, query.value(0).toLongLong()});
        query.finish();
    }
    return items;
}

qint64 totalCents(const QList<StorePaidItems::Item>& items)
{
    qint64 total = 0;
    for (const StorePaidItems::Item& item : items)
        total += item.priceCents;
    return total;
}

// Whether the member owns each product (or its e-book).
bool ownsAll(ServerContext& context, qint64 userId, const QList<qint64>& ids, bool* ok)
{
    KeptQuery query(context.db);
    query.prepare(QStringLiteral("SELECT 1 FROM purchases WHERE user_id = ? AND product_id = ?"
                                 " AND (product_owned = 1 OR ebook_owned = 1)"));
    for (qint64 id : ids) {
        *ok = runWith(query, {userId, id});
        if (!*ok || !query.next())
            return false;
        query.finish();
    }
    return true;
}

constexpr qint64 dayMs = 24LL * 60 * 60 * 1000;

// The days a record may give an item, counted from its payment: an e-book
// its own period; a video or program subscription its period, and never less
// than the 30 days the client gives every subscription; a physical product
// its period too, though the client gives it no end at all (0).
qint64 periodDays(const QString& type, bool ebook, qint64 productPeriod)
{
    if (!ebook && isSubscriptionType(type))
        return qMax<qint64>(productPeriod, 30);
    return qMax<qint64>(productPeriod, 0);
}

} // namespace

QJsonObject paymentProcess(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const QString productIdText = call.text(QStringLiteral("productID"));
    const auto ids = parseIdList(productIdText);
    if (!ids)
        return badField(QStringLiteral("productID"));

    // Every later refusal names the ids, so that a declined renewal can be
    // cancelled by them.
    const auto refuse = [&productIdText](QJsonObject reply) {
        reply.insert(QStringLiteral("productID"), productIdText);
        return reply;
    };

    const QString type = call.text(QStringLiteral("type"));
    StorePaidItems::Kind kind;
    if (isProductType(type))
        kind = StorePaidItems::Kind::Product;
    else if (type.isEmpty() || isServiceType(type))
        kind = StorePaidItems::Kind::Service;
    else
        return refuse(badField(QStringLiteral("type")));
    const QString payType = call.text(QStringLiteral("pay_type"));
    if (payType != QLatin1String("manual") && payType != QLatin1String("auto"))
        return refuse(badField(QStringLiteral("pay_type")));

    const auto items = expectedItems(context, *userId, kind, *ids, &failure);
    if (!items)
        return refuse(failure);
    const qint64 expected = totalCents(*items);
    if (!amountMatches(call.text(QStringLiteral("amount")), expected))
        return refuse(apiFailure(Refused, QStringLiteral("The amount does not match the prices.")));

    // From the look-up of an earlier payment to the charge in one write
    // transaction: two workers given the same payment cannot both charge.
    Transaction transaction(context.db, *userId);
    if (!transaction.begun())
        return refuse(storageFailure());
    StorePaidItems ledger(context.db);
    if (!ledger.voidStale())
        return refuse(storageFailure());

    // Paid already for these very items and not recorded yet (a lost answer,
    // a failed record, a client that started again): that payment is the
    // answer, and nothing is charged.
    bool ok = false;
    if (const auto earlier = ledger.unrecordedPayment(*userId, kind, *items, expected, &ok))
        return paymentApproval(productIdText, earlier->createdMs);
    if (!ok)
        return refuse(storageFailure());

    // A renewal is charged to the card kept at the first payment; the request
    // carries only its last four digits.
    if (payType == QLatin1String("auto") && kind == StorePaidItems::Kind::Product) {
        const QJsonObject reply = StoreRenewal::autoPayment(context, *userId, *items, productIdText);
        if (reply.value(QStringLiteral("result_code")).toInt() == StorageFailure || !transaction.commit())
            return refuse(storageFailure());
        return reply;
    }

    const QString cardNumber = call.text(QStringLiteral("cardNumber"));
    const auto verdict = StoreCardCheck::check(cardNumber, call.text(QStringLiteral("expirationDate")),
                                               call.text(QStringLiteral("cardCode")), QDate::currentDate());
    if (verdict == StoreCardCheck::Verdict::Declined || verdict == StoreCardCheck::Verdict::Expired)
        return refuse(apiFailure(CardDeclined, StoreCardCheck::message(verdict)));
    if (verdict != StoreCardCheck::Verdict::Approved)
        return refuse(apiFailure(Refused, StoreCardCheck::message(verdict)));

    // A payment still waiting for its record is for another set of items (the
    // cart changed): it is refunded with this charge, so that the card
    // carries only what the member will own.
    const QString lastFour = StoreCardCheck::lastFour(cardNumber);
    if (!ledger.voidUnrecorded(*userId))
        return refuse(storageFailure());
    const auto payment = ledger.recordPayment(*userId, kind, *items, expected, lastFour, payType);
    if (!payment
        || (kind == StorePaidItems::Kind::Product
            && !StoreRenewal::rememberCard(context.db, *userId, *ids, lastFour,
                                           call.text(QStringLiteral("expirationDate"))))
        || !transaction.commit())
        return refuse(storageFailure());
    return paymentApproval(productIdText, payment->createdMs);
}

QJsonObject setPurchase(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const auto ids = parseIdList(call.text(QStringLiteral("purchase_id")));
    if (!ids)
        return badField(QStringLiteral("purchase_id"));
    const auto endDays = parseEndDays(call.text(QStringLiteral("endDay")));
    if (!endDays || endDays->size() != ids->size())
        return badField(QStringLiteral("endDay"));
    if (call.text(QStringLiteral("status")) != QLatin1String("yes"))
        return badField(QStringLiteral("status"));

    StorePaidItems ledger(context.db);
    if (!ledger.voidStaleNow())
        return storageFailure();
    // The same record again (the answer to it was lost): it went through,
    // and nothing changes.
    bool ok = false;
    if (ledger.recordedAlready(*userId, StorePaidItems::Kind::Product, *ids, *endDays, &ok) && ok
        && ownsAll(context, *userId, *ids, &ok))
        return apiSuccess();
    if (!ok)
        return storageFailure();
    failure = unpaidItemFailure(context, ledger, *userId, StorePaidItems::Kind::Product, *ids);
    if (!failure.isEmpty())
        return failure;

    Transaction transaction(context.db, *userId);
    if (!transaction.begun())
        return storageFailure();
    const auto entries = ledger.entriesFor(*userId, StorePaidItems::Kind::Product, *ids);
    if (!entries)
        return storageFailure();
    KeptQuery product(context.db);
    product.prepare(QStringLiteral("SELECT type, period_days FROM products WHERE id = ?"));
    KeptQuery cart(context.db);
    cart.prepare(QStringLiteral("SELECT ebook FROM store_cart WHERE user_id = ? AND product_id = ?"));
    KeptQuery create(context.db);
    create.prepare(QStringLiteral("INSERT INTO purchases (user_id, product_id) VALUES (?, ?) ON CONFLICT DO NOTHING"));
    KeptQuery ownProduct(context.db);
    ownProduct.prepare(QStringLiteral(
        "UPDATE purchases SET product_owned = 1, end_day = ? WHERE user_id = ? AND product_id = ?"));
    KeptQuery ownEbook(context.db);
    ownEbook.prepare(QStringLiteral(
        "UPDATE purchases SET ebook_owned = 1, ebook_end_day = ? WHERE user_id = ? AND product_id = ?"));
    KeptQuery uncart(context.db);
    uncart.prepare(QStringLiteral("DELETE FROM store_cart WHERE user_id = ? AND product_id = ?"));

    for (qsizetype i = 0; i < ids->size(); ++i) {
        const qint64 id = ids->at(i);
        qint64 endDay = endDays->at(i);
        const StorePaidItems::Entry& entry = entries->at(i);
        if (entry.id == 0)
            return apiFailure(Refused, QStringLiteral("No payment covered exactly these products."));
        if (!runWith(cart, {*userId, id}))
            return storageFailure();
        // Not in the cart: a renewal of the product itself.
        const bool inCart = cart.next();
        const bool cartEbook = inCart && cart.value(0).toInt() == 1;
        cart.finish();
        // What the payment covered, whatever the cart holds now.
        const bool ebook = entry.ebook.value_or(cartEbook);
        if (!runWith(product, {id}) || !product.next())
            return storageFailure();
        const QString type = product.value(0).toString();
        const qint64 period = product.value(1).toLongLong();
        product.finish();

        // The cart was switched since the payment (the e-book for the product
        // or back), and the record was built from what it holds now: what was
        // paid for ends as it does, the e-book after its period from the
        // payment, the product itself never.
        if (inCart && cartEbook != ebook && !isSubscriptionType(type))
            endDay = ebook ? entry.paidMs + periodDays(type, true, period) * dayMs : 0;

        // A physical product has no end (0). Anything else ends within the
        // period paid for, counted from the payment, with a day to spare for
        // the member's clock: one payment never owns a subscription for years.
        const bool endless = endDay == 0 && !ebook && !isSubscriptionType(type);
        if (!endless && (endDay == 0 || endDay > entry.paidMs + (periodDays(type, ebook, period) + 1) * dayMs)) {
            return apiFailure(Refused,
                              QStringLiteral("The end day of product %1 lies beyond the period paid for.").arg(id));
        }

        // A cart switched since the payment keeps its other entry: that
        // one is not paid for.
        KeptQuery& own = ebook ? ownEbook : ownProduct;
        if (!runWith(create, {*userId, id}) || !runWith(own, {endDay, *userId, id})
            || (inCart && cartEbook == ebook && !runWith(uncart, {*userId, id}))
            || !ledger.markRecorded(entry.id, endDay))
            return storageFailure();
    }
    if (!transaction.commit())
        return storageFailure();
    return apiSuccess();
}

QJsonObject getPaymentState(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const auto ids = parseIdList(call.text(QStringLiteral("productID")));
    if (!ids)
        return badField(QStringLiteral("productID"));
    const QString type = call.text(QStringLiteral("type"));
    StorePaidItems::Kind kind;
    if (isProductType(type))
        kind = StorePaidItems::Kind::Product;
    else if (type.isEmpty() || isServiceType(type))
        kind = StorePaidItems::Kind::Service;
    else
        return badField(QStringLiteral("type"));
    const auto paidMs = call.integer(QStringLiteral("payment_time"));
    if (!paidMs || *paidMs <= 0)
        return badField(QStringLiteral("payment_time"));

    // A payment past its day is voided before anyone is told it waits.
    StorePaidItems ledger(context.db);
    if (!ledger.voidStaleNow())
        return storageFailure();
    bool ok = false;
    const StorePaidItems::State state = ledger.paymentState(*userId, kind, *ids, *paidMs, &ok);
    if (!ok)
        return storageFailure();
    static const char* const names[] = {"unknown", "waiting", "recorded", "voided"};
    return apiSuccess({{QStringLiteral("state"), QString::fromLatin1(names[static_cast<int>(state)])}});
}

QJsonObject removeSubscription(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("product_id"), &failure);
    if (!target)
        return failure;
    const qint64 userId = target->userId;
    const qint64 productId = target->itemId;

    KeptQuery kind(context.db);
    kind.prepare(QStringLiteral("SELECT type FROM products WHERE id = ?"));
    kind.addBindValue(productId);
    if (!run(kind))
        return storageFailure();
    // A physical product is not a subscription: for it only the e-book is
    // cancelled, and the product stays bought.
    const bool ebookOnly = kind.next() && !isSubscriptionType(kind.value(0).toString());
    // A read left open pins this connection's snapshot: once another worker
    // commits, the write below could never begin.
    kind.finish();

    Transaction transaction(context.db, userId);
    if (!transaction.begun())
        return storageFailure();
    KeptQuery purchase(context.db);
    if (ebookOnly) {
        purchase.prepare(QStringLiteral(
            "UPDATE purchases SET ebook_owned = 0, ebook_end_day = 0"
            " WHERE user_id = ? AND product_id = ? AND ebook_owned = 1"));
    } else {
        purchase.prepare(QStringLiteral("DELETE FROM purchases WHERE user_id = ? AND product_id = ?"));
    }
    if (!runWith(purchase, {userId, productId}))
        return storageFailure();
    if (purchase.numRowsAffected() != 1)
        return apiFailure(Refused, QStringLiteral("You have no subscription of this product."));
    KeptQuery leftovers(context.db);
    leftovers.prepare(QStringLiteral(
        "DELETE FROM purchases WHERE user_id = ? AND product_id = ? AND product_owned = 0 AND ebook_owned = 0"));
    if (!runWith(leftovers, {userId, productId}))
        return storageFailure();

    KeptQuery downloads(context.db);
    downloads.prepare(QStringLiteral("DELETE FROM video_downloads WHERE user_id = ? AND product_id = ?"));
    KeptQuery programDownloads(context.db);
    programDownloads.prepare(QStringLiteral(
        "DELETE FROM program_video_downloads WHERE user_id = ?"
        " AND video_id IN (SELECT id FROM program_videos WHERE program_id = ?)"));
    if (!runWith(downloads, {userId, productId}) || !runWith(programDownloads, {userId, productId})
        || !transaction.commit())
        return storageFailure();
    return apiSuccess();
}

QJsonObject removeAllProgramVideo(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberItem(call, context, QStringLiteral("product_id"), &failure);
    if (!target)
        return failure;
    const qint64 userId = target->userId;
    const qint64 programId = target->itemId;

    KeptQuery program(context.db);
    program.prepare(QStringLiteral(
        "SELECT p.type, pu.product_owned FROM products p"
        " LEFT JOIN purchases pu ON pu.product_id = p.id AND pu.user_id = ? WHERE p.id = ?"));
    if (!runWith(program, {userId, programId}))
        return storageFailure();
    if (!program.next() || program.value(0).toString() != QLatin1String("PROGRAM"))
        return apiFailure(UnknownItem, QStringLiteral("No such program."));
    if (program.value(1).toInt() != 1)
        return apiFailure(Refused, QStringLiteral("You do not own this program."));
    program.finish(); // as in removeSubscription: no open read under the write

    Transaction transaction(context.db, userId);
    if (!transaction.begun())
        return storageFailure();
    KeptQuery downloads(context.db);
    downloads.prepare(QStringLiteral(
        "SELECT d.video_id, d.uri1 FROM program_video_downloads d"
        " JOIN program_videos v ON v.id = d.video_id"
        " WHERE d.user_id = ? AND d.platform = 'desktop' AND v.program_id = ? ORDER BY d.video_id"));
    if (!runWith(downloads, {userId, programId}))
        return storageFailure();
    QJsonArray programs;
    while (downloads.next()) {
        programs.append(QJsonObject{{QStringLiteral("id"), QString::number(downloads.value(0).toLongLong())},
                                    {QStringLiteral("uri1"), downloads.value(1).toString()}});
    }
    KeptQuery forget(context.db);
    forget.prepare(QStringLiteral(
        "DELETE FROM program_video_downloads WHERE user_id = ? AND platform = 'desktop'"
        " AND video_id IN (SELECT id FROM program_videos WHERE program_id = ?)"));
    if (!runWith(forget, {userId, programId}) || !transaction.commit())
        return storageFailure();
    return apiSuccess({{QStringLiteral("programs"), programs},
                       {QStringLiteral("product_id"), QString::number(programId)}});
}

} // namespace StoreHandlers
