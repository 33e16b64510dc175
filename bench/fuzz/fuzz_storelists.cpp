// Store, library and cart lists (getVideos, getLocalVideo, getCheckout): the
// products read from the reply and everything a list window decides for its
// cards before it builds a widget, for every list kind.
#include "fuzzinput.h"
#include "store/libraryrules.h"
#include "store/money.h"
#include "store/productitem.h"
#include "store/storecardrules.h"
#include "store/storelistkind.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ProductListReply list = ProductListReply::parse(fuzzReply(data, size));
    if (list.resultCode != 0 && !list.items.isEmpty())
        std::abort(); // a failed reply lists nothing
    constexpr qint64 now = 1796601600000; // 2026-12-07
    for (const ProductItem& item : list.items) {
        // A price is never negative, infinite or beyond any real price.
        for (double price : {item.price, item.ebookprice}) {
            if (!std::isfinite(price) || price < 0 || price > 1e9 || Money::toCents(price) < 0)
                std::abort();
            Money::priceText(price);
        }
        for (int kind = -1; kind <= StoreListKind::Count; ++kind) {
            const StoreCardRules::Card card = StoreCardRules::decide(item, kind);
            // Library rows have their own buttons; no buying from there.
            if (LibraryRules::isLibraryKind(kind) && (card.buy.visible || card.buyEbook.visible))
                std::abort();
            StoreCardRules::canBuyAgain(item, kind);
            LibraryRules::showsCard(kind, item.type, item.uri1);
            LibraryRules::libraryRow(kind, item.type, item.ebook);
            StoreListKind::isCartKind(kind);
        }
        StoreCardRules::purchaseFlags(item.ebook2);
        item.matches(item.title.left(4).toLower());
        item.matches(QString());
        // Nothing without a usable id or end day is ever charged again.
        if (LibraryRules::needsRenewal(item.type, item.status, item.id, item.endDay, now)
            && (item.id <= 0 || item.endDay <= 0 || item.isPhysical()))
            std::abort();
    }
    return 0;
}
