#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The billing (or shipping) address and card of the checkout in progress,
// shared by the address and card dialogs. One record for the process; the
// address dialogs overwrite the address, each PAY press the card.
struct PaymentRecord
{
    QString country;
    QString firstName;
    QString lastName;
    QString address;
    QString city;
    QString state;
    QString zipCode;
    QString email;
    QString phone;
    QString month; // two digits
    QString year;  // two digits
    QString cvv;
    QString cardNumber; // 16 digits

    static PaymentRecord& instance();

    // "20" + year + "-" + month, e.g. "2029-07".
    QString expirationDate() const;
    // The last four digits of the card number (all of it when shorter).
    QString cardLastFour() const;

    // What the member's settings remember after a payment: the address, the
    // expiry and the last four digits of the card under "cardNumber". The
    // full number and the verification code are never kept after the card
    // was authorised.
    QList<QPair<QString, QString>> rememberedValues() const;
    // The key of the verification code, which is removed, never written.
    static QString codeKey();

    // Drops the card number and code once the payment has gone through.
    void forgetCard();
};
