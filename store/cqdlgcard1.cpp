#include "store/cqdlgcard1.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"

CqDlgCard1::CqDlgCard1(const QMap<int, QJsonObject>& services, int listKind, QWidget* parent)
    : CardPaymentDialog(parent)
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

QUrlQuery CqDlgCard1::purchaseFields() const
{
    return PaymentRequest::servicePurchase(m_services, currentUserId);
}
