#pragma once

#include "store/cartentrydialog.h"

struct ProductItem;

// Puts a product, or its e-book, into the member's cart on the server. The
// texts say what is bought: a 30-day video subscription, an e-book
// subscription, or a physical product. Accepted once the entry is in the
// cart. Adjusts the item's ebook member to what is really bought.
class CqDlgBuy final : public CartEntryDialog
{
    Q_OBJECT

public:
    CqDlgBuy(ProductItem& item, QWidget* parent = nullptr);

protected:
    QUrlQuery entryFields() const override;

private:
    ProductItem& m_item;
};
