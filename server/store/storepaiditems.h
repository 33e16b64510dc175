#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The ledger between paying and owning. paymentProcess records each paid
// product or service here; setPurchase and setServicePurchase turn a paid entry
// into ownership and mark it recorded, so nothing is owned without a payment
// and one payment is never used twice.
//
// An approved payment whose items are not recorded yet is the payment for
// those items until they are: a later request to pay for the same items
// answers with it instead of charging again, however much later it comes and
// across restarts of the server.
class StorePaidItems final
{
public:
    enum class Kind { Product, Service };

    struct Payment
    {
        qint64 id = 0;
        qint64 createdMs = 0;
    };

    // The entry a record uses for one item: its row and when it was paid.
    struct Entry
    {
        qint64 id = 0; // 0: nothing paid
        qint64 paidMs = 0;
    };

    explicit StorePaidItems(QSqlDatabase db);

    // One payment and a paid entry per id; call inside a transaction.
    std::optional<Payment> recordPayment(qint64 userId, Kind kind, const QList<qint64>& ids, qint64 amountCents,
                                         const QString& cardLastFour, const QString& payType);
    // The member's approved payment of exactly these items at this amount
    // whose items are not recorded yet; *ok is false when it cannot be read.
    std::optional<Payment> unrecordedPayment(qint64 userId, Kind kind, const QList<qint64>& ids,
                                             qint64 amountCents, bool* ok) const;
    // Whether the member has a paid, unrecorded entry for the id.
    bool isPaid(qint64 userId, Kind kind, qint64 id, bool* ok) const;
    // For each id, in order, the unrecorded entry its record uses: those of a
    // payment of exactly these items first, else the oldest one of the id.
    std::optional<QList<Entry>> entriesFor(qint64 userId, Kind kind, const QList<qint64>& ids) const;
    // Marks the entry recorded, with the end day the record gave it.
    bool markRecorded(qint64 entryId, qint64 endDay);
    // Whether each id's latest paid entry is recorded already, each with the
    // given end day (none for services): then a record of them is a resend.
    bool recordedAlready(qint64 userId, Kind kind, const QList<qint64>& ids, const QList<qint64>& endDays,
                         bool* ok) const;

private:
    static QString kindText(Kind kind);
    QSqlDatabase m_db;
};
