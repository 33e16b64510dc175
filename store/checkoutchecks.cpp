#include "store/checkoutchecks.h"

#include "store/paymentrecord.h"

#include <QCoreApplication>

namespace CheckoutChecks {

Failure checkAddress(const QStringList& fields, PaymentRecord& record)
{
    static const char* const messages[AddressFieldCount] = {
        QT_TRANSLATE_NOOP("CheckoutChecks", "Insert Country."), QT_TRANSLATE_NOOP("CheckoutChecks", "Insert FirstName."),
        QT_TRANSLATE_NOOP("CheckoutChecks", "Insert LastName."), QT_TRANSLATE_NOOP("CheckoutChecks", "Insert Address."),
        QT_TRANSLATE_NOOP("CheckoutChecks", "Insert City."),     QT_TRANSLATE_NOOP("CheckoutChecks", "Insert Sate."),
        QT_TRANSLATE_NOOP("CheckoutChecks", "Insert ZIP CODE."), QT_TRANSLATE_NOOP("CheckoutChecks", "Insert Email."),
        QT_TRANSLATE_NOOP("CheckoutChecks", "Insert Phone."),
    };
    QString* targets[AddressFieldCount] = {
        &record.country, &record.firstName, &record.lastName, &record.address, &record.city,
        &record.state, &record.zipCode, &record.email, &record.phone,
    };
    for (int i = 0; i < AddressFieldCount; ++i) {
        const QString text = fields.value(i);
        if (text.isEmpty())
            return {i, QCoreApplication::translate("CheckoutChecks", messages[i])};
        *targets[i] = text;
    }
    return {};
}

Failure checkCard(const QStringList& boxes, PaymentRecord& record)
{
    for (int box = Card1; box <= Card4; ++box) {
        if (boxes.value(box).size() < 4)
            return {box, QCoreApplication::translate("CheckoutChecks", "Insert Card Number.")};
    }
    const QString month = boxes.value(Month);
    if (month.size() < 2 || month.toInt() >= 13)
        return {Month, QCoreApplication::translate("CheckoutChecks", "Insert Month Correctly.")};
    record.month = month;
    const QString year = boxes.value(Year);
    if (year.size() < 2)
        return {Year, QCoreApplication::translate("CheckoutChecks", "Insert Year Correctly.")};
    record.year = year;
    const QString code = boxes.value(Code);
    if (code.size() < 3)
        return {Code, QCoreApplication::translate("CheckoutChecks", "Insert CVV.")};
    record.cvv = code;
    record.cardNumber = boxes.value(Card1) + boxes.value(Card2) + boxes.value(Card3) + boxes.value(Card4);
    return {};
}

} // namespace CheckoutChecks
