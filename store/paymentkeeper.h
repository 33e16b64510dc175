#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrlQuery>

// The card payments of this run whose purchase is not recorded yet, by
// member and cart, shared by the product and the service checkout. A
// payment is kept from the moment it is sent until its purchase is recorded:
//   - sent, answer unknown (no answer, a broken one, a lost connection):
//     the next PAY sends the same payment again, which the service
//     recognises, instead of a fresh charge from whatever is in the boxes;
//   - approved: the next PAY only sends the purchase record, the same one
//     each time, so that a record sent again is recognised as well.
// A definite refusal of the payment forgets it: the member may pay afresh.
// The full card number and code live here only while the answer is unknown.
class PaymentKeeper final
{
public:
    enum class State { None, Sent, Approved };

    struct Payment
    {
        State state = State::None;
        QUrlQuery paymentFields; // what was sent to paymentProcess
        QString recordEndpoint;  // approved: setPurchase or setServicePurchase
        QUrlQuery recordFields;  // approved: the record, built at the approval
    };

    static PaymentKeeper& instance();

    // The cart's key: the member, what is bought ("product" or "service")
    // and the ids in the order they are paid.
    static QString key(const QString& userId, const QString& kind, const QStringList& ids);

    Payment payment(const QString& key) const { return m_payments.value(key); }
    State state(const QString& key) const { return m_payments.value(key).state; }

    void sent(const QString& key, const QUrlQuery& paymentFields);
    void approved(const QString& key, const QString& recordEndpoint, const QUrlQuery& recordFields);
    // Refused for sure, or recorded: nothing is kept for the cart any more.
    void forget(const QString& key);
    void clear();

private:
    QHash<QString, Payment> m_payments;
};
