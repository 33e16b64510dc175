#include "store/checkoutchecks.h"

#include "store/paymentrecord.h"

namespace CheckoutChecks {

Failure checkAddress(const QStringList& fields, PaymentRecord& record)
{
    static const char* const messages[AddressFieldCount] = {
        "Insert Country.", "Insert FirstName.", "Insert LastName.", "Insert Address.", "Insert City.",
        "Insert Sate.", "Insert ZIP CODE.", "Insert Email.", "Insert Phone.",
    };
    QString* targets[AddressFieldCount] = {
        &record.country, &record.firstName, &record.lastName, &record.address, &record.city,
        &record.state, &record.zipCode, &record.email, &record.phone,
    };
    for (int i = 0; i < AddressFieldCount; ++i) {
        const QString text = fields.value(i);
        if (text.isEmpty())
            return {i, QString::fromLatin1(messages[i])};
        *targets[i] = text;
    }
    return {};
}

Failure checkCard(const QStringList& boxes, PaymentRecord& record)
{
    for (int box = Card1; box <= Card4; ++box) {
        if (boxes.value(box).size() < 4)
            return {box, QStringLiteral("Insert Card Number.")};
    }
    const QString month = boxes.value(Month);
    if (month.size() < 2 || month.toInt() >= 13)
        return {Month, QStringLiteral("Insert Month Correctly.")};
    record.month = month;
    const QString year = boxes.value(Year);
    if (year.size() < 2)
        return {Year, QStringLiteral("Insert Year Correctly.")};
    record.year = year;
    const QString code = boxes.value(Code);
    if (code.size() < 3)
        return {Code, QStringLiteral("Insert CVV.")};
    record.cvv = code;
    record.cardNumber = boxes.value(Card1) + boxes.value(Card2) + boxes.value(Card3) + boxes.value(Card4);
    return {};
}

} // namespace CheckoutChecks
