#pragma once

#include <QJsonObject>
#include <QString>

// Which buttons a service card shows, with what text and look, by list kind
// and the entry's purchase state. The cart (kind 4) has no buy button.
struct ServiceCardButtons
{
    enum class Look { PinkOrange, Blue };

    bool hasBuy = false;
    QString buyText;                 // "BUY - $<price>", "FREE", "PURCHASED", "COMPLETED"
    Look buyLook = Look::PinkOrange;
    bool buyClickable = false;       // a bought service in a store list does nothing
    bool showSchedule = false;
    bool showAppoint = false;

    static ServiceCardButtons forEntry(int kind, const QJsonObject& entry);
};
