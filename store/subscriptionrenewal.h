#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrlQuery>

#include "store/storedcard.h"

class Server;

// What a renewal needs to know of a lapsed library entry.
struct RenewalItem
{
    int id = 0;
    QString type;
    QString title;
    double price = 0;
    int quantity = 0;
    int ebook = 0;
};

// Renews lapsed subscriptions for the whole program: pays with the card kept
// for the product, then records the new end day, or cancels the subscription
// when the card is declined. Only a decline cancels: a failure, a code it
// does not know, an unreadable answer or none keeps the subscription, and
// the next list that shows it tries again. A renewal approved but not
// recorded is tried again too; the service answers it with the same payment
// and charges nothing, and the record then goes through.
// A product is renewed at most once at a time, so two lists showing the same
// lapsed item charge it once. A product whose card was declined is not tried
// again for that member while the program runs: a server that still lists it
// after the cancellation would otherwise see a charge on every visit to the
// library. Each renewal has its own Server, so a list window may close while
// its renewal runs.
class SubscriptionRenewal final : public QObject
{
    Q_OBJECT

public:
    static SubscriptionRenewal* instance();

    // Sends the payment unless one for the product is waiting for its reply;
    // returns whether it was sent.
    bool renew(const RenewalItem& item);
    bool isRenewing(int productId) const { return m_running.contains(productId); }

    // The paymentProcess fields in the order the service reads them.
    static QUrlQuery paymentFields(const RenewalItem& item, const StoredCard::Values& card, const QString& userId);
    static QString amountText(double price);

signals:
    // The payment went through and the new end day was recorded.
    void renewed(int productId);
    // The card was declined and the subscription cancelled.
    void cancelled(int productId);
    // Not renewed and not cancelled: a later list tries again.
    void failed(int productId);

private:
    friend class SubscriptionRenewalJob;
    explicit SubscriptionRenewal(QObject* parent = nullptr);
    void finish(int productId, QObject* job);

    QHash<int, QObject*> m_running;
    // "member id:product id" of the declined renewals.
    QSet<QString> m_declined;
};

// One product's renewal: the payment, then the new end day or the cancellation.
class SubscriptionRenewalJob final : public QObject
{
    Q_OBJECT

public:
    SubscriptionRenewalJob(const RenewalItem& item, SubscriptionRenewal* owner);
    void start();

private slots:
    void slt_net_payment(QString text);
    void slt_net_purchase(QString text);
    void slt_net_removeSubscription(QString text);
    void slt_net_error(QString text);

private:
    enum class Outcome { Failed, Renewed, Cancelled };
    void sendRecord(qint64 paidAtMs);
    void end(Outcome outcome);

    RenewalItem m_item;
    SubscriptionRenewal* m_owner;
    Server* m_server;
    Outcome m_pending = Outcome::Failed; // what the next answer or failure ends with
    bool m_ended = false;
};
