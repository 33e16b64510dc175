#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QUrlQuery>

#include "store/productitem.h"

struct PaymentRecord;

// The form fields of the card payment and of the purchase record that
// follows it, for a cart of products or of live services. Entries go out in
// ascending id order (the maps' order); amounts are exact sums of cents.
namespace PaymentRequest {

// paymentProcess for a product cart of list kind `cartKind` (4, 9, 14).
QUrlQuery products(const QMap<int, ProductItem>& entries, int cartKind, const PaymentRecord& record,
                   const QString& userId);
// paymentProcess for a service cart of the services' list kind.
QUrlQuery services(const QMap<int, QJsonObject>& services, int listKind, const PaymentRecord& record,
                   const QString& userId);

// The payer as a payment request carries it: the address and the card
// fields, read back (month and year from "expirationDate").
PaymentRecord payerOf(const QUrlQuery& paymentFields);

// Exact sum of the entries' prices in cents.
qint64 productTotalCents(const QMap<int, ProductItem>& entries);
// The same for services, by the subtotal's rule: a price that is not a
// number, negative or beyond any real price counts as 0.
qint64 serviceTotalCents(const QMap<int, QJsonObject>& services);

// When a bought entry ends, in ms since 1970 UTC: an e-book after its
// period (days), a physical product never (0), a video or program after 30 days.
qint64 endDay(const ProductItem& item, qint64 nowMs);

// setPurchase: the ids and their end days, both joined with "_" in the same order.
QUrlQuery productPurchase(const QMap<int, ProductItem>& entries, const QString& userId, qint64 nowMs);
// setServicePurchase: the services' ids joined with "_".
QUrlQuery servicePurchase(const QMap<int, QJsonObject>& services, const QString& userId);

} // namespace PaymentRequest
