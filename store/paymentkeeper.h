#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrlQuery>

#include <optional>

// The card payments of this run whose purchase is not recorded yet, by
// member and cart, shared by the product and the service checkout. A
// payment is kept from the moment it is sent until its purchase is recorded:
//   - sent, answer unknown (no answer, a broken one, a lost connection):
//     the next PAY sends the same payment again, which the service
//     recognises, instead of a fresh charge from whatever is in the boxes;
//   - approved: the next PAY only sends the purchase record, the same one
//     each time, so that a record sent again is recognised as well.
// A definite refusal of the payment forgets it: the member may pay afresh.
// Before an approval is used again, the service is asked what became of it
// (it may have been recorded late, or refunded since): see check().
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
        QString paidIds;         // approved: productID and type of the payment,
        QString paidType;
        qint64 paidAtMs = 0;     // its time as the service named it (0: not named),
        qint64 amountCents = 0;  // and what it charged
    };

    // What the service says became of an approved payment.
    enum class Verdict {
        Waiting,  // approved and not recorded: send the record
        Recorded, // the record went through after all
        Gone,     // refunded, or unknown to the service: pay anew
        Unclear,  // no usable answer: keep the payment and try again later
    };

    static PaymentKeeper& instance();

    // The cart's key: the member, what is bought ("product" or "service")
    // and the ids in the order they are paid.
    static QString key(const QString& userId, const QString& kind, const QStringList& ids);

    Payment payment(const QString& key) const { return m_payments.value(key); }
    State state(const QString& key) const { return m_payments.value(key).state; }

    void sent(const QString& key, const QUrlQuery& paymentFields);
    void approved(const QString& key, const QString& recordEndpoint, const QUrlQuery& recordFields,
                  qint64 paidAtMs);

    // The getPaymentState fields that ask about the approved payment; empty
    // when the service never named its time and so cannot be asked.
    QUrlQuery checkFields(const QString& key, const QString& userId) const;
    static Verdict verdict(const QString& reply);

    // What the member's card was charged for an approved payment of this
    // member and kind covering the id, when there is one.
    std::optional<qint64> chargedCovering(const QString& userId, const QString& kind, const QString& id) const;
    // What to ask before the id leaves such a cart (the service refunds that
    // payment once the member pays for what stays); empty when nothing is
    // kept for it.
    QString cartChangeQuestion(const QString& userId, const QString& kind, const QString& id) const;
    // Refused for sure, or recorded: nothing is kept for the cart any more.
    void forget(const QString& key);
    void clear();

private:
    QHash<QString, Payment> m_payments;
};
