#pragma once

#include "store/cardpaymentdialog.h"
#include "store/productitem.h"

#include <QMap>

// Pays the member's product cart (list kind 4, 9 or 14) by card and records
// the purchase with each entry's end day. Accepted when paid and recorded.
class CqDlgCard final : public CardPaymentDialog
{
    Q_OBJECT

public:
    CqDlgCard(const QMap<int, ProductItem>& entries, int cartKind, QWidget* parent = nullptr);

protected:
    QUrlQuery paymentFields() const override;
    QString purchaseEndpoint() const override;
    QUrlQuery purchaseFields(qint64 paidAtMs) const override;
    // Also keeps the card per product for renewing its subscription.
    void rememberPayment(const PaymentRecord& paid) override;

private:
    QMap<int, ProductItem> m_entries;
    int m_cartKind;
};
