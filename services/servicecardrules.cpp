#include "services/servicecardrules.h"

#include "services/serviceentries.h"
#include "services/servicelistkind.h"
#include "services/servicemoney.h"

#include <QCoreApplication>

ServiceCardButtons ServiceCardButtons::forEntry(int kind, const QJsonObject& entry)
{
    ServiceCardButtons buttons;
    if (kind < ServiceListKind::Telehealth || kind > ServiceListKind::Purchases)
        return buttons;

    const QString price = ServiceEntries::field(entry, QStringLiteral("price"));
    const bool purchased = ServiceEntries::isPurchased(entry);
    buttons.hasBuy = true;
    buttons.buyText = ServiceEntries::isFree(price)
                          ? QCoreApplication::translate("ServiceCardButtons", "FREE")
                          : QCoreApplication::translate("ServiceCardButtons", "BUY - $%1").arg(ServiceMoney::priceText(price));
    buttons.buyClickable = !purchased || kind == ServiceListKind::Purchases;
    if (purchased) {
        buttons.buyLook = Look::Blue;
        buttons.buyText = QCoreApplication::translate("ServiceCardButtons", "PURCHASED");
    }

    if (kind == ServiceListKind::Telehealth) {
        // Scheduling is offered until the first appointment has been made.
        buttons.showSchedule = purchased && ServiceEntries::appointments(entry) == 0;
    } else if (kind == ServiceListKind::Purchases) {
        buttons.showSchedule = true;
        buttons.showAppoint = true;
        buttons.buyLook = Look::PinkOrange;
        buttons.buyText = QCoreApplication::translate("ServiceCardButtons", "COMPLETED");
    }
    return buttons;
}
