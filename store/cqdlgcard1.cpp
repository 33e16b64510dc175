#include "store/cqdlgcard1.h"

#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/server.h"
#include "store/paymentkeeper.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"

namespace {

QString keeperKey(const QMap<int, QJsonObject>& services)
{
    // The ids as the payment and the record send them.
    QStringList ids;
    for (const QJsonObject& service : services)
        ids.append(JsonReply::text(service, QStringLiteral("id")));
    return PaymentKeeper::key(currentUserId, QStringLiteral("service"), ids);
}

} // namespace

CqDlgCard1::CqDlgCard1(const QMap<int, QJsonObject>& services, int listKind, QWidget* parent)
    : CardPaymentDialog(keeperKey(services), parent)
    , m_services(services)
    , m_listKind(listKind)
{
    setObjectName(QStringLiteral("CqDlgCard1"));
    connect(server(), SIGNAL(sig_net_servicepurchase(QString)), this, SLOT(slt_net_purchase(QString)));
}

QUrlQuery CqDlgCard1::paymentFields() const
{
    return PaymentRequest::services(m_services, m_listKind, PaymentRecord::instance(), currentUserId);
}

QString CqDlgCard1::purchaseEndpoint() const
{
    return QStringLiteral("setServicePurchase");
}

QUrlQuery CqDlgCard1::purchaseFields(qint64) const
{
    return PaymentRequest::servicePurchase(m_services, currentUserId);
}
