#include "store/cqdlgbuy1.h"

#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "services/servicemoney.h"
#include "ui_cqdlgbuy.h"

CqDlgBuy1::CqDlgBuy1(const QJsonObject& service, QWidget* parent)
    : CartEntryDialog(QStringLiteral("setServiceCheckout"), SIGNAL(sig_net_setservicecheckout(QString)), parent)
    , m_service(service)
{
    setObjectName(QStringLiteral("CqDlgBuy1"));
    ui()->txtTitile->setPlainText(JsonReply::text(service, QStringLiteral("title")));
    ui()->txtContent->setPlainText(tr("If you want to purchase, please click \n BUY SERVICE."));
    ui()->lblPrice->setText(tr("Price : $%1").arg(ServiceMoney::priceText(JsonReply::text(service, QStringLiteral("price")))));
    ui()->lblSub->hide();
    ui()->btnOk->setText(tr("BUY\nSERVICE"));
    ui()->btnOk->setAccessibleName(tr("BUY SERVICE"));
    centreTexts();
}

QUrlQuery CqDlgBuy1::entryFields() const
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("service_id"), JsonReply::text(m_service, QStringLiteral("id")));
    fields.addQueryItem(QStringLiteral("quantity"), QStringLiteral("1"));
    return fields;
}
