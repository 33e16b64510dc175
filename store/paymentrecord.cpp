#include "store/paymentrecord.h"

PaymentRecord& PaymentRecord::instance()
{
    static PaymentRecord record;
    return record;
}

QString PaymentRecord::expirationDate() const
{
    return QStringLiteral("20") + year + QLatin1Char('-') + month;
}

QString PaymentRecord::cardLastFour() const
{
    return cardNumber.right(4);
}

QList<QPair<QString, QString>> PaymentRecord::rememberedValues() const
{
    return {
        {QStringLiteral("cardFirstName"), firstName},
        {QStringLiteral("cardLastName"), lastName},
        {QStringLiteral("cardEmail"), email},
        {QStringLiteral("cardPhone"), phone},
        {QStringLiteral("cardCounntry"), country},
        {QStringLiteral("cardCity"), city},
        {QStringLiteral("cardState"), state},
        {QStringLiteral("cardZipCode"), zipCode},
        {QStringLiteral("cardAddress"), address},
        {QStringLiteral("cardNumber"), cardLastFour()},
        {QStringLiteral("cardExpirationDate"), expirationDate()},
    };
}

QString PaymentRecord::codeKey()
{
    return QStringLiteral("cardCode");
}

void PaymentRecord::forgetCard()
{
    cardNumber.fill(QLatin1Char('0'));
    cardNumber.clear();
    cvv.fill(QLatin1Char('0'));
    cvv.clear();
}
