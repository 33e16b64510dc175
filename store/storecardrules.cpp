#include "store/storecardrules.h"

#include "store/money.h"
#include "store/productitem.h"
#include "store/storelistkind.h"

#include <QCoreApplication>
#include <QStringList>

namespace StoreCardRules {

PurchaseFlags purchaseFlags(const QString& ebook2)
{
    const QStringList parts = ebook2.split(QLatin1Char(','));
    if (parts.size() >= 2)
        return {parts.at(0), parts.at(1)};
    return {ebook2, ebook2};
}

Card decide(const ProductItem& item, int kind)
{
    Card card;
    const PurchaseFlags flags = purchaseFlags(item.ebook2);
    const bool owned = item.isOwned();

    card.buy = {true, item.price == 0 ? QCoreApplication::translate("StoreCardRules", "FREE")
                                      : QCoreApplication::translate("StoreCardRules", "BUY - $%1").arg(Money::priceText(item.price)),
                false, 180};
    if (owned && flags.productOwned == QLatin1String("0"))
        card.buy = {true, QCoreApplication::translate("StoreCardRules", "PURCHASED"), true, 250};

    if (item.ebookprice == 0)
        card.buyEbook = {false, QCoreApplication::translate("StoreCardRules", "FREE"), false, 200};
    else
        card.buyEbook = {true, QCoreApplication::translate("StoreCardRules", "BUY Ebook - $%1").arg(Money::priceText(item.ebookprice)), false, 200};
    if (owned && flags.ebookOwned == QLatin1String("1")) {
        card.buyEbook.text = QCoreApplication::translate("StoreCardRules", "PURCHASED - VIEW EBOOK");
        card.buyEbook.purchasedLook = true;
        card.buyEbook.width = 300;
        card.ebookOpensViewer = true;
    }

    card.download = {false, QCoreApplication::translate("StoreCardRules", "DOWNLOAD NOW!"), false, 250};
    card.program = {false, QCoreApplication::translate("StoreCardRules", "PROGRAM VIDEOS!"), false, 250};
    if (owned) {
        const bool downloaded = !item.uri1.isEmpty();
        const bool noVideoOfItsOwn = item.isPhysical() || item.isProgram();
        card.download.visible = !downloaded && !noVideoOfItsOwn;
        card.program.visible = (downloaded || noVideoOfItsOwn) && item.isProgram();
    } else {
        card.download.visible = kind == StoreListKind::ProgramFromStore;
    }

    if (kind == StoreListKind::ProgramFromStore) {
        card.buy.visible = false;
        card.buyEbook.visible = false;
        card.program.visible = false;
        if (!item.uri1.isEmpty()) {
            card.download.text = QCoreApplication::translate("StoreCardRules", "DOWNLOADED");
            card.download.purchasedLook = true;
        }
    }
    if (StoreListKind::isLibraryKind(kind)) {
        card.download.visible = false;
        card.buy.visible = false;
        card.buyEbook.visible = false;
        card.program.visible = false;
    }
    return card;
}

bool canBuyAgain(const ProductItem& item, int kind)
{
    return !item.isOwned() || kind == 5 || kind == 10;
}

} // namespace StoreCardRules
