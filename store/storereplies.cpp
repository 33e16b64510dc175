#include "store/storereplies.h"

#include "app/jsonreply.h"

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
    const QJsonObject object = JsonReply::parseObject(reply);
    // A garbled answer says nothing about the payment: neither record a
    // renewal nor cancel the member's subscription on its strength.
    if (!object.contains(QStringLiteral("result_code")))
        return payment;
    payment.outcome = JsonReply::resultCode(object) == 0 ? RenewalPayment::Outcome::Approved
                                                         : RenewalPayment::Outcome::Declined;
    payment.productId = QString::number(paidProductId);
    return payment;
}

} // namespace StoreReplies
