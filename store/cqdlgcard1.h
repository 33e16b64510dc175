#pragma once

#include "store/cardpaymentdialog.h"

#include <QJsonObject>
#include <QMap>

// Pays the member's live-service cart by card and records the purchase.
// Accepted when paid and recorded.
class CqDlgCard1 final : public CardPaymentDialog
{
    Q_OBJECT

public:
    CqDlgCard1(const QMap<int, QJsonObject>& services, int listKind, QWidget* parent = nullptr);

protected:
    QUrlQuery paymentFields() const override;
    QString purchaseEndpoint() const override;
    QUrlQuery purchaseFields(qint64 paidAtMs) const override;

private:
    QMap<int, QJsonObject> m_services;
    int m_listKind;
};
