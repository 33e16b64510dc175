#pragma once

#include "store/cartentrydialog.h"

#include <QJsonObject>

// Puts a live service (its JSON object from the service list) into the
// member's service cart. Accepted once the entry is in the cart.
class CqDlgBuy1 final : public CartEntryDialog
{
    Q_OBJECT

public:
    CqDlgBuy1(const QJsonObject& service, QWidget* parent = nullptr);

protected:
    QUrlQuery entryFields() const override;

private:
    QJsonObject m_service;
};
