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
// answers with it instead of charging again, across restarts of the server.
// It is voided (refunded; the row stays, with voided_ms) when the member pays
// for a different set of items, and a day after it was made: a charge the
// member never came to own does not stay on the card.
//
// Each entry keeps what the payment covered: the e-book or the product
// itself, and its price. A record owns exactly that, whatever the cart holds
// by then.
class StorePaidItems final
{
public:
    enum class Kind { Product, Service };

    // An unrecorded payment older than this is voided.
    static constexpr qint64 unrecordedLifeMs = 24LL * 60 * 60 * 1000;

    // One item a payment covers.
    struct Item
    {
        qint64 id = 0;
        bool ebook = false;
        qint64 priceCents = 0;
    };

    // What became of a payment, as a client that kept it asks.
    enum class State { Unknown, Waiting, Recorded, Voided };

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
        // The e-book or the product itself; unknown for a payment made
        // before entries kept it (then the cart decides, as it did then).
        std::optional<bool> ebook;
    };

    explicit StorePaidItems(QSqlDatabase db);

    // One payment and a paid entry per item; call inside a transaction.
    std::optional<Payment> recordPayment(qint64 userId, Kind kind, const QList<Item>& items, qint64 amountCents,
                                         const QString& cardLastFour, const QString& payType);
    // The member's live approved payment of exactly these items (each the
    // e-book or the product alike) at this amount whose items are not
    // recorded yet; *ok is false when it cannot be read.
    std::optional<Payment> unrecordedPayment(qint64 userId, Kind kind, const QList<Item>& items,
                                             qint64 amountCents, bool* ok) const;
    // Whether the member has a paid, unrecorded entry of a live payment for the id.
    bool isPaid(qint64 userId, Kind kind, qint64 id, bool* ok) const;
    // For each id, in order, the unrecorded entry its record uses: those of
    // the live payment of exactly these items; entries of id 0 when no
    // payment covered exactly them.
    std::optional<QList<Entry>> entriesFor(qint64 userId, Kind kind, const QList<qint64>& ids) const;
    // Voids the member's unrecorded manual payments, before a charge for a
    // different set of items; call inside that charge's transaction.
    bool voidUnrecorded(qint64 userId);
    // Voids every unrecorded payment older than unrecordedLifeMs; call
    // inside a transaction.
    bool voidStale();
    // The same in a transaction of its own, before a read or a record.
    bool voidStaleNow();
    // What became of the member's payment of exactly these ids made at paidMs.
    State paymentState(qint64 userId, Kind kind, const QList<qint64>& ids, qint64 paidMs, bool* ok) const;
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
