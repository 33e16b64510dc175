#include "store/paymentkeeper.h"

PaymentKeeper& PaymentKeeper::instance()
{
    static PaymentKeeper keeper;
    return keeper;
}

QString PaymentKeeper::key(const QString& userId, const QString& kind, const QStringList& ids)
{
    return userId + QLatin1Char('/') + kind + QLatin1Char('/') + ids.join(QLatin1Char('_'));
}

void PaymentKeeper::sent(const QString& key, const QUrlQuery& paymentFields)
{
    Payment& payment = m_payments[key];
    // An approval stays an approval: the payment is not sent again.
    if (payment.state == State::Approved)
        return;
    payment.state = State::Sent;
    payment.paymentFields = paymentFields;
}

void PaymentKeeper::approved(const QString& key, const QString& recordEndpoint, const QUrlQuery& recordFields)
{
    Payment& payment = m_payments[key];
    payment.state = State::Approved;
    // The card has done its part: its number and code go.
    payment.paymentFields.clear();
    payment.recordEndpoint = recordEndpoint;
    payment.recordFields = recordFields;
}

void PaymentKeeper::forget(const QString& key)
{
    m_payments.remove(key);
}

void PaymentKeeper::clear()
{
    m_payments.clear();
}
