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
                                                                     const QList<qint64>& ids, qint64 amountCents,
                                                                     const QString& cardLastFour,
                                                                     const QString& payType)
{
    const qint64 now = StoreCommon::nowMs();
    QSqlQuery payment(m_db);
    payment.prepare(QStringLiteral(
        "INSERT INTO payments (user_id, pay_type, item_kind, amount_cents, card_last_four, created_ms)"
        " VALUES (?, ?, ?, ?, ?, ?) RETURNING id"));
    if (!StoreCommon::runWith(payment, {userId, payType, kindText(kind), amountCents, cardLastFour, now})
        || !payment.next())
        return std::nullopt;
    const qint64 paymentId = payment.value(0).toLongLong();
    payment.finish();

    QSqlQuery item(m_db);
    item.prepare(QStringLiteral(
        "INSERT INTO paid_items (payment_id, user_id, item_kind, item_id) VALUES (?, ?, ?, ?)"));
    for (qint64 id : ids) {
        if (!StoreCommon::runWith(item, {paymentId, userId, kindText(kind), id}))
            return std::nullopt;
    }
    return Payment{paymentId, now};
}

// Payments of the member with an unrecorded entry, made of exactly `ids`,
// none of whose entries is recorded; binds start with user id and kind.
static QString exactSetPayments(qsizetype idCount, bool withAmount)
{
    const QString marks = StoreCommon::placeholders(idCount);
    return QStringLiteral(
               "SELECT p.id, p.created_ms FROM payments p"
               " WHERE p.id IN (SELECT payment_id FROM paid_items WHERE user_id = ? AND item_kind = ? AND used = 0)")
        + (withAmount ? QStringLiteral(" AND p.amount_cents = ?") : QString())
        + QStringLiteral(
               " AND NOT EXISTS (SELECT 1 FROM paid_items i WHERE i.payment_id = p.id AND i.used = 1)"
               " AND (SELECT COUNT(*) FROM paid_items i WHERE i.payment_id = p.id) = ?"
               " AND (SELECT COUNT(*) FROM paid_items i WHERE i.payment_id = p.id AND i.item_id IN (")
        + marks + QStringLiteral(")) = ?");
}

std::optional<StorePaidItems::Payment> StorePaidItems::unrecordedPayment(qint64 userId, Kind kind,
                                                                         const QList<qint64>& ids,
                                                                         qint64 amountCents, bool* ok) const
{
    QSqlQuery query(m_db);
    query.prepare(exactSetPayments(ids.size(), true) + QStringLiteral(" ORDER BY p.id DESC LIMIT 1"));
    QVariantList binds = {userId, kindText(kind), amountCents, ids.size()};
    for (qint64 id : ids)
        binds.append(id);
    binds.append(ids.size());
    *ok = StoreCommon::runWith(query, binds);
    if (!*ok || !query.next())
        return std::nullopt;
    return Payment{query.value(0).toLongLong(), query.value(1).toLongLong()};
}

bool StorePaidItems::isPaid(qint64 userId, Kind kind, qint64 id, bool* ok) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "SELECT 1 FROM paid_items WHERE user_id = ? AND item_kind = ? AND item_id = ? AND used = 0 LIMIT 1"));
    *ok = StoreCommon::runWith(query, {userId, kindText(kind), id});
    return *ok && query.next();
}

std::optional<QList<StorePaidItems::Entry>> StorePaidItems::entriesFor(qint64 userId, Kind kind,
                                                                       const QList<qint64>& ids) const
{
    // The payment made for exactly these items, when there is one: a record
    // then uses up that payment and no other.
    QSqlQuery payment(m_db);
    payment.prepare(exactSetPayments(ids.size(), false) + QStringLiteral(" ORDER BY p.id LIMIT 1"));
    QVariantList binds = {userId, kindText(kind), ids.size()};
    for (qint64 id : ids)
        binds.append(id);
    binds.append(ids.size());
    if (!StoreCommon::runWith(payment, binds))
        return std::nullopt;
    const bool exact = payment.next();
    const qint64 paymentId = exact ? payment.value(0).toLongLong() : 0;
    const qint64 paidMs = exact ? payment.value(1).toLongLong() : 0;

    QSqlQuery ofPayment(m_db);
    ofPayment.prepare(QStringLiteral("SELECT id FROM paid_items WHERE payment_id = ? AND item_id = ? AND used = 0"));
    QSqlQuery oldest(m_db);
    oldest.prepare(QStringLiteral(
        "SELECT i.id, p.created_ms FROM paid_items i JOIN payments p ON p.id = i.payment_id"
        " WHERE i.user_id = ? AND i.item_kind = ? AND i.item_id = ? AND i.used = 0 ORDER BY i.id LIMIT 1"));
    QList<Entry> entries;
    for (qint64 id : ids) {
        Entry entry;
        if (exact) {
            if (!StoreCommon::runWith(ofPayment, {paymentId, id}))
                return std::nullopt;
            if (ofPayment.next())
                entry = Entry{ofPayment.value(0).toLongLong(), paidMs};
            ofPayment.finish();
        } else {
            if (!StoreCommon::runWith(oldest, {userId, kindText(kind), id}))
                return std::nullopt;
            if (oldest.next())
                entry = Entry{oldest.value(0).toLongLong(), oldest.value(1).toLongLong()};
            oldest.finish();
        }
        entries.append(entry);
    }
    return entries;
}

bool StorePaidItems::markRecorded(qint64 entryId, qint64 endDay)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "UPDATE paid_items SET used = 1, end_day = ?, recorded_ms = ? WHERE id = ? AND used = 0"));
    return StoreCommon::runWith(query, {endDay, StoreCommon::nowMs(), entryId}) && query.numRowsAffected() == 1;
}

bool StorePaidItems::recordedAlready(qint64 userId, Kind kind, const QList<qint64>& ids,
                                     const QList<qint64>& endDays, bool* ok) const
{
    QSqlQuery query(m_db);
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
