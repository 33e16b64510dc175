#pragma once

#include <QString>

struct ProductItem;

// Which buttons a store card shows, with which text and look, for an item in
// a list kind. The list window only renders the decision.
namespace StoreCardRules {

struct Button
{
    bool visible = true;
    QString text;
    bool purchasedLook = false; // the blue "already yours" style
    int width = 0;
};

struct Card
{
    Button download;
    Button buy;
    Button buyEbook;
    Button program;
    // The e-book button opens the e-book viewer instead of buying.
    bool ebookOpensViewer = false;
};

// The two purchase flags of "ebook2": "1,0" -> {"1", "0"}; a text without
// a comma gives the whole text for both.
struct PurchaseFlags
{
    QString ebookOwned;
    QString productOwned;
};
PurchaseFlags purchaseFlags(const QString& ebook2);

Card decide(const ProductItem& item, int kind);

// Whether the BUY button of an owned item may start a purchase in `kind`:
// physical goods can be ordered again from their product tabs.
bool canBuyAgain(const ProductItem& item, int kind);

} // namespace StoreCardRules
