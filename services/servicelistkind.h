#pragma once

#include <QString>
#include <QUrlQuery>

// The five live-service lists and the request each one sends. Kinds 0 to 2
// are the three service types of the store tab, 3 the member's purchases,
// 4 the service cart.
namespace ServiceListKind {

enum : int {
    Telehealth = 0,
    LiveFitness = 1,
    LiveNutrition = 2,
    Purchases = 3,
    Cart = 4,
    Count = 5
};

// The kind that the two tab rows select: top tab 0 with service tab 0..2,
// top tab 1 the purchases, top tab 2 the cart. Out-of-range tabs fall back
// to the first of their row.
int fromTabs(int topTab, int serviceTab);

// "getService", "getLocalService" or "getServiceCheckout".
QString endpoint(int kind);

// `user_id` first, then the kind's own field: `service_type` for the store
// lists, `type` for the purchases (always "TELEHEALTH": the server answers
// with the purchases of every type), nothing for the cart.
QUrlQuery requestFields(int kind, const QString& userId);

} // namespace ServiceListKind
