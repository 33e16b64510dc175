#include "services/servicelistkind.h"

namespace ServiceListKind {

namespace {

const char* const serviceTypes[] = {"TELEHEALTH", "LIVEFITNESS", "LIVENUTRITION"};

} // namespace

int fromTabs(int topTab, int serviceTab)
{
    if (topTab == 1)
        return Purchases;
    if (topTab == 2)
        return Cart;
    return serviceTab >= Telehealth && serviceTab <= LiveNutrition ? serviceTab : Telehealth;
}

QString endpoint(int kind)
{
    switch (kind) {
    case Purchases:
        return QStringLiteral("getLocalService");
    case Cart:
        return QStringLiteral("getServiceCheckout");
    default:
        return QStringLiteral("getService");
    }
}

QUrlQuery requestFields(int kind, const QString& userId)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    if (kind >= Telehealth && kind <= LiveNutrition)
        fields.addQueryItem(QStringLiteral("service_type"), QString::fromLatin1(serviceTypes[kind]));
    else if (kind == Purchases)
        fields.addQueryItem(QStringLiteral("type"), QStringLiteral("TELEHEALTH"));
    // The cart sends no pair of its own: an empty name and value would only
    // put a stray "&=" on the wire.
    return fields;
}

} // namespace ServiceListKind
