#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The ledger between paying and owning. paymentProcess records each paid
// product or service here; setPurchase and setServicePurchase turn a paid entry
// into ownership and use it up, so nothing is owned without a payment and one
// payment is never used twice.
class StorePaidItems final
{
public:
    enum class Kind { Product, Service };

    explicit StorePaidItems(QSqlDatabase db);

    static void createSchema(QSqlDatabase& db);

    // One payment and a paid entry per id; call inside a transaction.
    bool recordPayment(qint64 userId, Kind kind, const QList<qint64>& ids, qint64 amountCents,
                       const QString& cardLastFour, const QString& payType);
    // Whether the member has a paid, unused entry for the id.
    bool isPaid(qint64 userId, Kind kind, qint64 id, bool* ok) const;
    // Uses up one paid entry; false when there was none.
    bool consume(qint64 userId, Kind kind, qint64 id);

private:
    static QString kindText(Kind kind);
    QSqlDatabase m_db;
};
