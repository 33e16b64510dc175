#pragma once

#include <QString>
#include <QStringList>

// The card and address kept per product for renewing its subscription. The
// keys are the product's type, the field name and the product id with
// nothing between ("WORKOUT" "cardFirstName" "12"). Only the last four digits
// of the card number are kept, never the full number or the security code:
// the service charges its own card-on-file reference for a renewal.
namespace StoredCard {

// The twelve field names, in the order of the renewal request's card values.
enum Field {
    FirstName,
    LastName,
    Email,
    Phone,
    Country,
    City,
    State,
    ZipCode,
    Address,
    Number,
    Code,
    ExpirationDate,
    FieldCount
};

// "cardFirstName" ... ("cardCounntry" with its double n, as stored).
QString fieldName(Field field);
QString key(const QString& type, Field field, int productId);

struct Values
{
    QString values[FieldCount];
    QString& operator[](Field field) { return values[field]; }
    const QString& operator[](Field field) const { return values[field]; }
};

// The values stored for a product; absent keys read as empty text.
Values read(const QString& type, int productId);

// Stores, at a successful payment, the card of `paid` for one product: the
// address fields and expiry as they are, the number cut to its last four
// digits, the code not at all. Nothing is written for an id below 1.
void save(const QString& type, int productId, const Values& paid);

// The last four digits of a card number (spaces and dashes ignored).
QString lastFour(const QString& number);

} // namespace StoredCard
