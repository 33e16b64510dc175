#include "server/store/storepaiditems.h"

#include "server/store/storecommon.h"

#include <QSqlQuery>
#include <QVariant>

StorePaidItems::StorePaidItems(QSqlDatabase db)
    : m_db(std::move(db))
{
}

QString StorePaidItems::kindText(Kind kind)
{
    return kind == Kind::Product ? QStringLiteral("product") : QStringLiteral("service");
}

std::optional<StorePaidItems::Payment> StorePaidItems::recordPayment(qint64 userId, Kind kind,
                                                                     const QList<Item>& items, qint64 amountCents,
                                                                     const QString& cardLastFour,
                                                                     const QString& payType)
{
    const qint64 now = StoreCommon::nowMs();
    KeptQuery payment(m_db);
    payment.prepare(QStringLiteral(
        "INSERT INTO payments (user_id, pay_type, item_kind, amount_cents, card_last_four, created_ms)"
        " VALUES (?, ?, ?, ?, ?, ?) RETURNING id"));
    if (!StoreCommon::runWith(payment, {userId, payType, kindText(kind), amountCents, cardLastFour, now})
        || !payment.next())
        return std::nullopt;
    const qint64 paymentId = payment.value(0).toLongLong();
    payment.finish();

    KeptQuery item(m_db);
    item.prepare(QStringLiteral(
        "INSERT INTO paid_items (payment_id, user_id, item_kind, item_id, ebook, price_cents)"
        " VALUES (?, ?, ?, ?, ?, ?)"));
    for (const Item& paid : items) {
        if (!StoreCommon::runWith(item, {paymentId, userId, kindText(kind), paid.id, paid.ebook ? 1 : 0,
                                         paid.priceCents}))
            return std::nullopt;
    }
    return Payment{paymentId, now};
}

// A live payment none of whose entries is recorded yet, as a condition on
// the payments row named `payment`.
static QString liveUnrecorded(const QString& payment = QStringLiteral("p"))
{
    return payment + QStringLiteral(".voided_ms IS NULL AND NOT EXISTS (SELECT 1 FROM paid_items i WHERE i.payment_id = ")
        + payment + QStringLiteral(".id AND i.used = 1)");
}

// Live unrecorded payments of the member made of exactly `idCount` entries,
// each matching one of the conditions that follow; binds start with user id,
// kind and the count, then the entry conditions' values, then the count.
static QString exactSetPayments(const QStringList& entryConditions, bool withAmount)
{
    return QStringLiteral("SELECT p.id, p.created_ms FROM payments p WHERE p.id IN"
                          " (SELECT payment_id FROM paid_items WHERE user_id = ? AND item_kind = ? AND used = 0) AND ")
        + liveUnrecorded() + (withAmount ? QStringLiteral(" AND p.amount_cents = ?") : QString())
        + QStringLiteral(" AND (SELECT COUNT(*) FROM paid_items i WHERE i.payment_id = p.id) = ?"
                         " AND (SELECT COUNT(*) FROM paid_items i WHERE i.payment_id = p.id AND (")
        + entryConditions.join(QStringLiteral(" OR ")) + QStringLiteral(")) = ?");
}

std::optional<StorePaidItems::Payment> StorePaidItems::unrecordedPayment(qint64 userId, Kind kind,
                                                                         const QList<Item>& items,
                                                                         qint64 amountCents, bool* ok) const
{
    QStringList conditions;
    QVariantList binds = {userId, kindText(kind), amountCents, items.size()};
    for (const Item& item : items) {
        conditions.append(QStringLiteral("(i.item_id = ? AND COALESCE(i.ebook, 0) = ?)"));
        binds << item.id << (item.ebook ? 1 : 0);
    }
    binds.append(items.size());
    KeptQuery query(m_db);
    query.prepare(exactSetPayments(conditions, true) + QStringLiteral(" ORDER BY p.id DESC LIMIT 1"));
    *ok = StoreCommon::runWith(query, binds);
    if (!*ok || !query.next())
        return std::nullopt;
    return Payment{query.value(0).toLongLong(), query.value(1).toLongLong()};
}

bool StorePaidItems::isPaid(qint64 userId, Kind kind, qint64 id, bool* ok) const
{
    KeptQuery query(m_db);
    query.prepare(QStringLiteral(
        "SELECT 1 FROM paid_items i JOIN payments p ON p.id = i.payment_id"
        " WHERE i.user_id = ? AND i.item_kind = ? AND i.item_id = ? AND i.used = 0 AND p.voided_ms IS NULL LIMIT 1"));
    *ok = StoreCommon::runWith(query, {userId, kindText(kind), id});
    return *ok && query.next();
}

std::optional<QList<StorePaidItems::Entry>> StorePaidItems::entriesFor(qint64 userId, Kind kind,
                                                                       const QList<qint64>& ids) const
{
    // A record uses up the payment made for exactly these items and no
    // other: what it owns is what that one charge covered.
    QStringList conditions;
    QVariantList binds = {userId, kindText(kind), ids.size()};
    for (qint64 id : ids) {
        conditions.append(QStringLiteral("i.item_id = ?"));
        binds.append(id);
    }
    binds.append(ids.size());
    KeptQuery payment(m_db);
    payment.prepare(exactSetPayments(conditions, false) + QStringLiteral(" ORDER BY p.id LIMIT 1"));
    if (!StoreCommon::runWith(payment, binds))
        return std::nullopt;
    QList<Entry> entries(ids.size());
    if (!payment.next())
        return entries;
    const qint64 paymentId = payment.value(0).toLongLong();
    const qint64 paidMs = payment.value(1).toLongLong();
    payment.finish();

    KeptQuery ofPayment(m_db);
    ofPayment.prepare(QStringLiteral("SELECT id, ebook FROM paid_items WHERE payment_id = ? AND item_id = ? AND used = 0"));
    for (qsizetype i = 0; i < ids.size(); ++i) {
        if (!StoreCommon::runWith(ofPayment, {paymentId, ids.at(i)}))
            return std::nullopt;
        if (ofPayment.next()) {
            Entry& entry = entries[i];
            entry = Entry{ofPayment.value(0).toLongLong(), paidMs, std::nullopt};
            if (!ofPayment.value(1).isNull())
                entry.ebook = ofPayment.value(1).toInt() == 1;
        }
        ofPayment.finish();
    }
    return entries;
}

bool StorePaidItems::voidUnrecorded(qint64 userId)
{
    KeptQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE payments SET voided_ms = ? WHERE pay_type = 'manual'"
                                 " AND id IN (SELECT payment_id FROM paid_items WHERE used = 0 AND user_id = ?) AND ")
                  + liveUnrecorded(QStringLiteral("payments")));
    return StoreCommon::runWith(query, {StoreCommon::nowMs(), userId});
}

bool StorePaidItems::voidStale()
{
    const qint64 now = StoreCommon::nowMs();
    KeptQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE payments SET voided_ms = ? WHERE created_ms < ?"
                                 " AND id IN (SELECT payment_id FROM paid_items WHERE used = 0) AND ")
                  + liveUnrecorded(QStringLiteral("payments")));
    return StoreCommon::runWith(query, {now, now - unrecordedLifeMs});
}

bool StorePaidItems::voidStaleNow()
{
    StoreCommon::Transaction transaction(m_db);
    return transaction.begun() && voidStale() && transaction.commit();
}

StorePaidItems::State StorePaidItems::paymentState(qint64 userId, Kind kind, const QList<qint64>& ids,
                                                   qint64 paidMs, bool* ok) const
{
    KeptQuery query(m_db);
    query.prepare(QStringLiteral(
        "SELECT p.voided_ms IS NOT NULL,"
        " (SELECT COUNT(*) FROM paid_items i WHERE i.payment_id = p.id AND i.used = 1),"
        " (SELECT COUNT(*) FROM paid_items i WHERE i.payment_id = p.id),"
        " (SELECT COUNT(*) FROM paid_items i WHERE i.payment_id = p.id AND i.item_id IN (")
                  + StoreCommon::placeholders(ids.size())
                  + QStringLiteral(")) FROM payments p WHERE p.user_id = ? AND p.item_kind = ? AND p.created_ms = ?"
                                   " ORDER BY p.id DESC"));
    QVariantList binds;
    for (qint64 id : ids)
        binds.append(id);
    binds << userId << kindText(kind) << paidMs;
    *ok = StoreCommon::runWith(query, binds);
    while (*ok && query.next()) {
        const qint64 entries = query.value(2).toLongLong();
        if (entries != ids.size() || query.value(3).toLongLong() != entries)
            continue;
        if (query.value(0).toBool())
            return State::Voided;
        return query.value(1).toLongLong() == entries ? State::Recorded : State::Waiting;
    }
    return State::Unknown;
}

bool StorePaidItems::markRecorded(qint64 entryId, qint64 endDay)
{
    KeptQuery query(m_db);
    query.prepare(QStringLiteral(
        "UPDATE paid_items SET used = 1, end_day = ?, recorded_ms = ? WHERE id = ? AND used = 0"));
    return StoreCommon::runWith(query, {endDay, StoreCommon::nowMs(), entryId}) && query.numRowsAffected() == 1;
}

bool StorePaidItems::recordedAlready(qint64 userId, Kind kind, const QList<qint64>& ids,
                                     const QList<qint64>& endDays, bool* ok) const
{
    KeptQuery query(m_db);
    query.prepare(QStringLiteral(
        "SELECT used, end_day FROM paid_items WHERE user_id = ? AND item_kind = ? AND item_id = ?"
        " ORDER BY id DESC LIMIT 1"));
    *ok = true;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        if (!StoreCommon::runWith(query, {userId, kindText(kind), ids.at(i)})) {
            *ok = false;
            return false;
        }
        if (!query.next() || query.value(0).toInt() != 1)
            return false;
        if (i < endDays.size() && (query.value(1).isNull() || query.value(1).toLongLong() != endDays.at(i)))
            return false;
        query.finish();
    }
    return true;
}
