#include "store/paymentkeeper.h"

#include "app/jsonreply.h"
#include "store/cartreply.h"
#include "store/money.h"

#include <QCoreApplication>

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

void PaymentKeeper::approved(const QString& key, const QString& recordEndpoint, const QUrlQuery& recordFields,
                             qint64 paidAtMs)
{
    Payment& payment = m_payments[key];
    payment.state = State::Approved;
    payment.paidIds = payment.paymentFields.queryItemValue(QStringLiteral("productID"));
    payment.paidType = payment.paymentFields.queryItemValue(QStringLiteral("type"));
    payment.amountCents = Money::textToCents(payment.paymentFields.queryItemValue(QStringLiteral("amount")));
    payment.paidAtMs = paidAtMs;
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

QUrlQuery PaymentKeeper::checkFields(const QString& key, const QString& userId) const
{
    const Payment payment = m_payments.value(key);
    QUrlQuery fields;
    if (payment.state != State::Approved || payment.paidAtMs <= 0 || payment.paidIds.isEmpty())
        return fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("productID"), payment.paidIds);
    fields.addQueryItem(QStringLiteral("type"), payment.paidType);
    fields.addQueryItem(QStringLiteral("payment_time"), QString::number(payment.paidAtMs));
    return fields;
}

PaymentKeeper::Verdict PaymentKeeper::verdict(const QString& reply)
{
    if (CartReply::outcome(reply) != CartReply::Outcome::Added)
        return Verdict::Unclear;
    const QString state = JsonReply::parseObject(reply).value(QStringLiteral("state")).toString();
    if (state == QLatin1String("waiting"))
        return Verdict::Waiting;
    if (state == QLatin1String("recorded"))
        return Verdict::Recorded;
    if (state == QLatin1String("voided") || state == QLatin1String("unknown"))
        return Verdict::Gone;
    return Verdict::Unclear;
}

std::optional<qint64> PaymentKeeper::chargedCovering(const QString& userId, const QString& kind,
                                                    const QString& id) const
{
    const QString prefix = userId + QLatin1Char('/') + kind + QLatin1Char('/');
    for (auto it = m_payments.cbegin(); it != m_payments.cend(); ++it) {
        if (it.value().state != State::Approved || !it.key().startsWith(prefix))
            continue;
        if (it.key().mid(prefix.size()).split(QLatin1Char('_')).contains(id))
            return it.value().amountCents;
    }
    return std::nullopt;
}

QString PaymentKeeper::cartChangeQuestion(const QString& userId, const QString& kind, const QString& id) const
{
    const auto charged = chargedCovering(userId, kind, id);
    if (!charged)
        return {};
    return QCoreApplication::translate("PaymentKeeper",
                                       "Your card was charged $%1 for these items. Changing the cart refunds that "
                                       "payment and you pay again for what stays.")
        .arg(Money::amountText(*charged));
}
