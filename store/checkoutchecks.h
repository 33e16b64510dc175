#pragma once

#include <QString>
#include <QStringList>

struct PaymentRecord;

// The checks of the address and card forms, in the order the member meets
// them. Each copies what passed into the payment record and names the first
// field that failed.
namespace CheckoutChecks {

// The address fields in form order: country, first name, last name, address,
// city, state, zip code, e-mail, phone.
inline constexpr int AddressFieldCount = 9;

struct Failure
{
    int field = -1; // -1: everything passed
    QString message;
    bool passed() const { return field < 0; }
};

// Copies the fields into `record` one by one and stops at the first empty one.
Failure checkAddress(const QStringList& fields, PaymentRecord& record);

// Card boxes 0..3, then month (4), year (5) and code (6). Month, year and
// code are stored as each passes; the number once all have passed.
enum CardField { Card1 = 0, Card2, Card3, Card4, Month, Year, Code };
Failure checkCard(const QStringList& boxes, PaymentRecord& record);

} // namespace CheckoutChecks
