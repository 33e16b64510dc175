#include "server/store/storerenewal.h"

#include "server/store/storecommon.h"
#include "server/store/storepaiditems.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace StoreRenewal {

namespace {

QString newReference()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    QString reference = QStringLiteral("card_");
    for (quint32 word : words)
        reference += QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0'));
    return reference;
}

// Whether a "yyyy-MM" expiry lies before the current month.
bool expired(const QString& expiry)
{
    const QDate date = QDate::fromString(expiry + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return true;
    const QDate today = QDate::currentDate();
    return date < QDate(today.year(), today.month(), 1);
}

struct Subscription
{
    bool owned = false;
    qint64 endDay = 0;
};

std::optional<Subscription> subscription(QSqlDatabase& db, qint64 userId, qint64 productId)
{
    KeptQuery query(db);
    query.prepare(QStringLiteral("SELECT product_owned, end_day FROM purchases WHERE user_id = ? AND product_id = ?"));
    if (!runWith(query, {userId, productId}))
        return std::nullopt;
    Subscription result;
    if (query.next()) {
        result.owned = query.value(0).toInt() == 1;
        result.endDay = query.value(1).toLongLong();
    }
    return result;
}

// The earlier answer for this period, if there was one.
std::optional<QJsonObject> earlierResult(QSqlDatabase& db, qint64 userId, qint64 productId, qint64 periodEnd,
                                         bool* ok)
{
    KeptQuery query(db);
    query.prepare(QStringLiteral("SELECT result_code, message, created_ms FROM auto_renewals"
                                 " WHERE user_id = ? AND product_id = ? AND period_end = ?"));
    *ok = runWith(query, {userId, productId, periodEnd});
    if (!*ok || !query.next())
        return std::nullopt;
    const int code = query.value(0).toInt();
    const qint64 answeredMs = query.value(2).toLongLong();
    const QString message = query.value(1).toString();
    query.finish();
    if (code != 0)
        return apiFailure(code, message);
    // The approval stands while its payment does: one refunded for want of a
    // record leaves the period unpaid, and it is charged anew.
    KeptQuery payment(db);
    payment.prepare(QStringLiteral(
        "SELECT 1 FROM payments p JOIN paid_items i ON i.payment_id = p.id"
        " WHERE p.user_id = ? AND p.pay_type = 'auto' AND i.item_id = ? AND p.voided_ms IS NULL"
        " AND p.created_ms <= ? AND p.created_ms >= ? LIMIT 1"));
    // The answer is stored a moment after the payment it names.
    constexpr qint64 answerLagMs = 60 * 1000;
    *ok = runWith(payment, {userId, productId, answeredMs, answeredMs - answerLagMs});
    if (!*ok || !payment.next())
        return std::nullopt;
    return paymentApproval(QString::number(productId), answeredMs);
}

bool recordResult(QSqlDatabase& db, qint64 userId, qint64 productId, qint64 periodEnd, const QJsonObject& reply)
{
    KeptQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO auto_renewals"
                                 " (user_id, product_id, period_end, result_code, message, created_ms)"
                                 " VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (user_id, product_id, period_end)"
                                 " DO UPDATE SET result_code = excluded.result_code, message = excluded.message,"
                                 " created_ms = excluded.created_ms"));
    return runWith(query, {userId, productId, periodEnd, reply.value(QStringLiteral("result_code")).toInt(),
                           reply.value(QStringLiteral("message")).toString(), nowMs()});
}

} // namespace

bool rememberCard(QSqlDatabase& db, qint64 userId, const QList<qint64>& productIds, const QString& lastFour,
                  const QString& expiry)
{
    KeptQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO cards_on_file (user_id, product_id, reference, last_four, expiry)"
                                 " VALUES (?, ?, ?, ?, ?) ON CONFLICT (user_id, product_id) DO UPDATE SET"
                                 " reference = excluded.reference, last_four = excluded.last_four, expiry = excluded.expiry"));
    for (qint64 id : productIds) {
        if (!runWith(query, {userId, id, newReference(), lastFour, expiry.trimmed()}))
            return false;
    }
    return true;
}

QJsonObject autoPayment(ServerContext& context, qint64 userId, const QList<StorePaidItems::Item>& products,
                        const QString& productIdText)
{
    const auto withId = [&productIdText](QJsonObject reply) {
        reply.insert(QStringLiteral("productID"), productIdText);
        return reply;
    };
    if (products.size() != 1)
        return withId(badField(QStringLiteral("productID")));
    const qint64 productId = products.first().id;

    const auto owned = subscription(context.db, userId, productId);
    if (!owned)
        return withId(storageFailure());
    if (!owned->owned)
        return withId(apiFailure(Refused, QStringLiteral("You have no subscription of this product.")));

    bool ok = false;
    if (auto earlier = earlierResult(context.db, userId, productId, owned->endDay, &ok))
        return withId(*earlier);
    if (!ok)
        return withId(storageFailure());
    // Still running (another list renewed it a moment ago, or the member's
    // clock is ahead): nothing to charge, and nothing to cancel either.
    if (owned->endDay > nowMs()) {
        return withId(apiSuccess({{QStringLiteral("message"),
                                   QStringLiteral("The subscription is still running; nothing was charged.")}}));
    }

    KeptQuery card(context.db);
    card.prepare(QStringLiteral("SELECT last_four, expiry FROM cards_on_file WHERE user_id = ? AND product_id = ?"));
    if (!runWith(card, {userId, productId}))
        return withId(storageFailure());
    QJsonObject reply;
    QString lastFour;
    if (!card.next())
        reply = apiFailure(Refused, QStringLiteral("No card on file for this subscription."));
    else if (expired(card.value(1).toString()))
        reply = apiFailure(CardDeclined, QStringLiteral("The card on file has expired."));
    else
        lastFour = card.value(0).toString();
    card.finish();

    if (reply.isEmpty()) {
        StorePaidItems ledger(context.db);
        const auto payment = ledger.recordPayment(userId, StorePaidItems::Kind::Product, products,
                                                  products.first().priceCents, lastFour, QStringLiteral("auto"));
        if (!payment)
            return withId(storageFailure());
        reply = paymentApproval(productIdText, payment->createdMs);
    }
    if (!recordResult(context.db, userId, productId, owned->endDay, reply))
        return withId(storageFailure());
    return withId(reply);
}

} // namespace StoreRenewal
