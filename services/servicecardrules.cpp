#include "services/servicecardrules.h"

#include "services/serviceentries.h"
#include "services/servicelistkind.h"
#include "services/servicemoney.h"

ServiceCardButtons ServiceCardButtons::forEntry(int kind, const QJsonObject& entry)
{
    ServiceCardButtons buttons;
    if (kind < ServiceListKind::Telehealth || kind > ServiceListKind::Purchases)
        return buttons;

    const QString price = ServiceEntries::field(entry, QStringLiteral("price"));
    const bool purchased = ServiceEntries::isPurchased(entry);
    buttons.hasBuy = true;
    buttons.buyText = ServiceEntries::isFree(price) ? QStringLiteral("FREE") : QStringLiteral("BUY - $") + ServiceMoney::priceText(price);
    buttons.buyClickable = !purchased || kind == ServiceListKind::Purchases;
    if (purchased) {
        buttons.buyLook = Look::Blue;
        buttons.buyText = QStringLiteral("PURCHASED");
    }

    if (kind == ServiceListKind::Telehealth) {
        // Scheduling is offered until the first appointment has been made.
        buttons.showSchedule = purchased && ServiceEntries::appointments(entry) == 0;
    } else if (kind == ServiceListKind::Purchases) {
        buttons.showSchedule = true;
        buttons.showAppoint = true;
        buttons.buyLook = Look::PinkOrange;
        buttons.buyText = QStringLiteral("COMPLETED");
    }
    return buttons;
}
