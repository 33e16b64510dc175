#pragma once

#include "server/engine/endpoints.h"
#include "server/store/storepaiditems.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// Automatic renewal of lapsed subscriptions. A successful manual payment
// keeps a card-on-file reference per member and product (a token, the last
// four digits and the expiry, as a payment processor's token would be; never
// the number). An "auto" payment is charged to that reference, at most once
// per member, product and period: a repeated request for the same lapsed
// period answers with the earlier result and charges nothing.
namespace StoreRenewal {

// Records the card of a successful manual payment for each product; call
// inside the payment's transaction. `expiry` is "yyyy-MM".
bool rememberCard(QSqlDatabase& db, qint64 userId, const QList<qint64>& productIds, const QString& lastFour,
                  const QString& expiry);

// The reply to an "auto" paymentProcess for the products at their prices;
// `productIdText` goes back as "productID". Call inside a
// transaction, and commit it unless the reply is a storage failure. A card
// on file that has expired is declined (CardDeclined); no card on file, or
// no subscription, is a refusal that cancels nothing.
QJsonObject autoPayment(ServerContext& context, qint64 userId, const QList<StorePaidItems::Item>& products,
                        const QString& productIdText);

} // namespace StoreRenewal
