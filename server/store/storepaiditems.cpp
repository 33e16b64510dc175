#include "server/store/storepaiditems.h"

#include "server/store/storecommon.h"

#include <QSqlQuery>
#include <QVariant>

StorePaidItems::StorePaidItems(QSqlDatabase db)
    : m_db(std::move(db))
{
}

void StorePaidItems::createSchema(QSqlDatabase& db)
{
    QSqlQuery query(db);
    query.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS payments ("
        " id INTEGER PRIMARY KEY AUTOINCREMENT,"
        " user_id INTEGER NOT NULL,"
        " pay_type TEXT NOT NULL,"
        " item_kind TEXT NOT NULL,"
        " amount_cents INTEGER NOT NULL,"
        " card_last_four TEXT NOT NULL,"
        " created_ms INTEGER NOT NULL)"));
    query.exec(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS paid_items ("
        " id INTEGER PRIMARY KEY AUTOINCREMENT,"
        " payment_id INTEGER NOT NULL REFERENCES payments(id),"
        " user_id INTEGER NOT NULL,"
        " item_kind TEXT NOT NULL,"
        " item_id INTEGER NOT NULL,"
        " used INTEGER NOT NULL DEFAULT 0)"));
    query.exec(QStringLiteral(
        "CREATE INDEX IF NOT EXISTS paid_items_by_member ON paid_items(user_id, item_kind, item_id, used)"));
}

QString StorePaidItems::kindText(Kind kind)
{
    return kind == Kind::Product ? QStringLiteral("product") : QStringLiteral("service");
}

bool StorePaidItems::recordPayment(qint64 userId, Kind kind, const QList<qint64>& ids, qint64 amountCents,
                                   const QString& cardLastFour, const QString& payType)
{
    QSqlQuery payment(m_db);
    payment.prepare(QStringLiteral(
        "INSERT INTO payments (user_id, pay_type, item_kind, amount_cents, card_last_four, created_ms)"
        " VALUES (?, ?, ?, ?, ?, ?)"));
    payment.addBindValue(userId);
    payment.addBindValue(payType);
    payment.addBindValue(kindText(kind));
    payment.addBindValue(amountCents);
    payment.addBindValue(cardLastFour);
    payment.addBindValue(StoreCommon::nowMs());
    if (!StoreCommon::run(payment))
        return false;
    const qint64 paymentId = payment.lastInsertId().toLongLong();

    QSqlQuery item(m_db);
    item.prepare(QStringLiteral(
        "INSERT INTO paid_items (payment_id, user_id, item_kind, item_id) VALUES (?, ?, ?, ?)"));
    for (qint64 id : ids) {
        item.bindValue(0, paymentId);
        item.bindValue(1, userId);
        item.bindValue(2, kindText(kind));
        item.bindValue(3, id);
        if (!StoreCommon::run(item))
            return false;
    }
    return true;
}

bool StorePaidItems::isPaid(qint64 userId, Kind kind, qint64 id, bool* ok) const
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "SELECT 1 FROM paid_items WHERE user_id = ? AND item_kind = ? AND item_id = ? AND used = 0 LIMIT 1"));
    query.addBindValue(userId);
    query.addBindValue(kindText(kind));
    query.addBindValue(id);
    *ok = StoreCommon::run(query);
    return *ok && query.next();
}

bool StorePaidItems::consume(qint64 userId, Kind kind, qint64 id)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "UPDATE paid_items SET used = 1 WHERE id = ("
        " SELECT id FROM paid_items WHERE user_id = ? AND item_kind = ? AND item_id = ? AND used = 0"
        " ORDER BY id LIMIT 1)"));
    query.addBindValue(userId);
    query.addBindValue(kindText(kind));
    query.addBindValue(id);
    return StoreCommon::run(query) && query.numRowsAffected() == 1;
}
