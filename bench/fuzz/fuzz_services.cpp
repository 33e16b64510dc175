// Live services: the service lists (getService, getLocalService,
// getServiceCheckout), each card's buttons in every list kind, the cart's
// subtotal and payment, the appointment addresses, and the cart answers.
#include "fuzzinput.h"
#include "services/appointmentlinks.h"
#include "services/servicecardrules.h"
#include "services/serviceentries.h"
#include "services/servicelistkind.h"
#include "services/servicemoney.h"
#include "store/cartreply.h"
#include "store/money.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"

#include <QMap>
#include <QStringList>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString reply = fuzzReply(data, size);
    CartReply::outcome(reply);
    const ServiceEntries::ListReply list = ServiceEntries::parseList(reply);
    if (!list.ok && !list.entries.isEmpty())
        std::abort();

    QMap<int, QJsonObject> cart;
    QStringList prices;
    for (const QJsonObject& entry : list.entries) {
        const int id = ServiceEntries::id(entry);
        cart.insert(id, entry);
        if (ServiceEntries::idFromObjectName(QStringLiteral("item_%1").arg(id)) != QString::number(id))
            std::abort();
        const QString price = ServiceEntries::field(entry, QStringLiteral("price"));
        prices.append(price);
        ServiceEntries::isFree(price);
        const auto cents = ServiceMoney::cents(price);
        if (cents && *cents < 0)
            std::abort();
        ServiceEntries::isPurchased(entry);
        ServiceEntries::appointments(entry);
        for (int kind = -1; kind <= ServiceListKind::Count; ++kind) {
            const ServiceCardButtons buttons = ServiceCardButtons::forEntry(kind, entry);
            if (kind == ServiceListKind::Cart && buttons.hasBuy)
                std::abort(); // the cart has no buy button
        }
        AppointmentLinks::skypeChat(ServiceEntries::field(entry, QStringLiteral("skype")));
        const QUrl chat = AppointmentLinks::whatsappChat(ServiceEntries::field(entry, QStringLiteral("whatsapp")));
        // A contact cannot move the chat to another site.
        if (chat.isValid() && chat.host() != AppointmentLinks::whatsappChat(QStringLiteral("1")).host())
            std::abort();
    }

    // The member pays exactly the subtotal the cart shows, never less than 0.
    const qint64 subtotal = ServiceMoney::totalCents(prices);
    if (subtotal < 0 || PaymentRequest::serviceTotalCents(cart) != subtotal)
        std::abort();
    // Shown as money: never in exponent form.
    if (Money::amountText(subtotal).contains(QLatin1Char('e')))
        std::abort();
    PaymentRecord record;
    for (int kind : {ServiceListKind::Cart, ServiceListKind::Telehealth}) {
        const QUrlQuery fields = PaymentRequest::services(cart, kind, record, QStringLiteral("1"));
        if (fields.queryItemValue(QStringLiteral("amount")) != Money::centsText(subtotal))
            std::abort();
    }
    PaymentRequest::servicePurchase(cart, QStringLiteral("1"));
    return 0;
}
