#include "store/cqdlgcard.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"

#include <QDateTime>

CqDlgCard::CqDlgCard(const QMap<int, ProductItem>& entries, int cartKind, QWidget* parent)
    : CardPaymentDialog(parent)
    , m_entries(entries)
    , m_cartKind(cartKind)
{
    connect(server(), SIGNAL(sig_net_purchase(QString)), this, SLOT(slt_net_purchase(QString)));
}

QUrlQuery CqDlgCard::paymentFields() const
{
    return PaymentRequest::products(m_entries, m_cartKind, PaymentRecord::instance(), currentUserId);
}

QString CqDlgCard::purchaseEndpoint() const
{
    return QStringLiteral("setPurchase");
}

QUrlQuery CqDlgCard::purchaseFields() const
{
    return PaymentRequest::productPurchase(m_entries, currentUserId, QDateTime::currentMSecsSinceEpoch());
}
