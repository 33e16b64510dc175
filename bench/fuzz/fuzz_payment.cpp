// Payment and purchase replies: the cart and purchase answers
// (setCheckout, paymentProcess, setPurchase, getPaymentState), a renewal's payment, the
// cancellation of a program, and the payment built from a cart list.
#include "fuzzinput.h"
#include "store/cartreply.h"
#include "store/money.h"
#include "store/paymentkeeper.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"
#include "store/productitem.h"
#include "store/storereplies.h"

#include <QMap>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString reply = fuzzReply(data, size);
    CartReply::outcome(reply);
    // What became of a kept payment: any reply gives one of the verdicts.
    PaymentKeeper::verdict(reply);

    const StoreReplies::RenewalPayment renewal = StoreReplies::parseRenewalPayment(reply, 12);
    // Whatever the reply says, a renewal only ever concerns the product paid for.
    if (renewal.outcome != StoreReplies::RenewalPayment::Outcome::Unreadable
        && renewal.productId != QLatin1String("12"))
        std::abort();

    const StoreReplies::ProgramRemoval removal = StoreReplies::parseProgramRemoval(reply, 201);
    if (removal.ok ? removal.productId != QLatin1String("201") : !removal.productId.isEmpty())
        std::abort();
    for (const QString& file : removal.files) {
        if (file.trimmed().isEmpty())
            std::abort();
    }

    // The cart list a checkout pays for.
    QMap<int, ProductItem> cart;
    for (const ProductItem& item : ProductListReply::parse(reply).items)
        cart.insert(item.id, item);
    PaymentRecord record;
    record.cardNumber = QStringLiteral("4242424242424242");
    record.month = QStringLiteral("07");
    record.year = QStringLiteral("29");
    const qint64 total = PaymentRequest::productTotalCents(cart);
    if (total < 0)
        std::abort();
    for (int cartKind : {4, 9, 14}) {
        const QUrlQuery fields = PaymentRequest::products(cart, cartKind, record, QStringLiteral("1"));
        // What is charged is the sum the cart shows, exactly.
        if (fields.queryItemValue(QStringLiteral("amount")) != Money::centsText(total))
            std::abort();
    }
    constexpr qint64 now = 1796601600000; // 2026-12-07
    PaymentRequest::productPurchase(cart, QStringLiteral("1"), now);
    for (const ProductItem& item : cart) {
        const qint64 end = PaymentRequest::endDay(item, now);
        if (end != 0 && end < now)
            std::abort(); // a purchase never ends before it was made
    }
    return 0;
}
