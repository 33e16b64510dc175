#include "store/storereplies.h"

#include "app/jsonreply.h"
#include "store/cartreply.h"

#include <QJsonArray>

namespace StoreReplies {

ProgramRemoval parseProgramRemoval(const QString& reply, int askedProductId)
{
    ProgramRemoval removal;
    const QJsonObject object = JsonReply::parseObject(reply);
    removal.productId = JsonReply::text(object, QStringLiteral("product_id")).trimmed();
    removal.ok = askedProductId > 0 && object.contains(QStringLiteral("result_code"))
                 && JsonReply::resultCode(object) == 0 && removal.productId == QString::number(askedProductId);
    if (!removal.ok) {
        removal.productId.clear();
        return removal;
    }
    const QJsonArray programs = object.value(QStringLiteral("programs")).toArray();
    for (const QJsonValue& entry : programs) {
        const QString file = JsonReply::text(entry.toObject(), QStringLiteral("uri1"));
        if (!file.trimmed().isEmpty())
            removal.files.append(file);
    }
    return removal;
}

RenewalPayment parseRenewalPayment(const QString& reply, int paidProductId)
{
    RenewalPayment payment;
    // A garbled answer says nothing about the payment: neither record a
    // renewal nor cancel the member's subscription on its strength.
    const auto code = CartReply::resultCode(JsonReply::parseObject(reply));
    if (!code)
        return payment;
    payment.productId = QString::number(paidProductId);
    if (*code == 0) {
        payment.outcome = RenewalPayment::Outcome::Approved;
        payment.paidAtMs = CartReply::paymentTime(reply);
    } else if (*code == declinedCode) {
        payment.outcome = RenewalPayment::Outcome::Declined;
    } else {
        // The service failed or refused for another reason: the member keeps
        // the subscription, and a later list tries again.
        payment.outcome = RenewalPayment::Outcome::Failed;
    }
    return payment;
}

} // namespace StoreReplies
