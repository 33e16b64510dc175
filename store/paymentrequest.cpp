#include "store/paymentrequest.h"

#include "app/jsonreply.h"
#include "services/servicemoney.h"
#include "store/money.h"
#include "store/paymentrecord.h"

#include <QStringList>

#include <cmath>

namespace PaymentRequest {

namespace {

constexpr qint64 dayMs = 24LL * 60 * 60 * 1000;

void addPayer(QUrlQuery& fields, const PaymentRecord& record)
{
    fields.addQueryItem(QStringLiteral("country"), record.country);
    fields.addQueryItem(QStringLiteral("first_name"), record.firstName);
    fields.addQueryItem(QStringLiteral("last_name"), record.lastName);
    fields.addQueryItem(QStringLiteral("address"), record.address);
    fields.addQueryItem(QStringLiteral("city"), record.city);
    fields.addQueryItem(QStringLiteral("state"), record.state);
    fields.addQueryItem(QStringLiteral("zipcode"), record.zipCode);
    fields.addQueryItem(QStringLiteral("user_email"), record.email);
    fields.addQueryItem(QStringLiteral("user_phone"), record.phone);
    fields.addQueryItem(QStringLiteral("cardNumber"), record.cardNumber);
    fields.addQueryItem(QStringLiteral("expirationDate"), record.expirationDate());
    fields.addQueryItem(QStringLiteral("cardCode"), record.cvv);
}

QString cartType(int cartKind)
{
    if (cartKind == 4)
        return QStringLiteral("WORKOUT");
    if (cartKind == 9)
        return QStringLiteral("NUTRITION");
    return QStringLiteral("COACHING");
}

QString serviceId(const QJsonObject& service)
{
    return JsonReply::text(service, QStringLiteral("id"));
}

} // namespace

PaymentRecord payerOf(const QUrlQuery& fields)
{
    const auto field = [&fields](const char* name) {
        return fields.queryItemValue(QString::fromLatin1(name), QUrl::FullyDecoded);
    };
    PaymentRecord record;
    record.country = field("country");
    record.firstName = field("first_name");
    record.lastName = field("last_name");
    record.address = field("address");
    record.city = field("city");
    record.state = field("state");
    record.zipCode = field("zipcode");
    record.email = field("user_email");
    record.phone = field("user_phone");
    record.cardNumber = field("cardNumber");
    record.cvv = field("cardCode");
    // "20" + year + "-" + month
    const QString expiry = field("expirationDate");
    record.year = expiry.mid(2, 2);
    record.month = expiry.mid(5, 2);
    return record;
}

qint64 productTotalCents(const QMap<int, ProductItem>& entries)
{
    qint64 total = 0;
    for (const ProductItem& item : entries)
        total += Money::toCents(item.price);
    return total;
}

qint64 serviceTotalCents(const QMap<int, QJsonObject>& services)
{
    // Summed by the rule of the cart's subtotal, so the member is charged
    // what the cart showed: a negative or absurd price counts as 0.
    QStringList prices;
    prices.reserve(services.size());
    for (const QJsonObject& service : services)
        prices.append(JsonReply::text(service, QStringLiteral("price")));
    return ServiceMoney::totalCents(prices);
}

QUrlQuery products(const QMap<int, ProductItem>& entries, int cartKind, const PaymentRecord& record,
                   const QString& userId)
{
    QStringList ids;
    QString description;
    for (const ProductItem& item : entries) {
        ids.append(QString::number(item.id));
        description += QStringLiteral("Title : ") + item.title + QStringLiteral(", Quantity : ")
                       + QString::number(item.quantity);
    }
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("pay_type"), QStringLiteral("manual"));
    fields.addQueryItem(QStringLiteral("productID"), ids.join(QLatin1Char('_')));
    fields.addQueryItem(QStringLiteral("type"), cartType(cartKind));
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    addPayer(fields, record);
    fields.addQueryItem(QStringLiteral("amount"), Money::centsText(productTotalCents(entries)));
    fields.addQueryItem(QStringLiteral("description"), description);
    fields.addQueryItem(QStringLiteral("subsebook"),
                        entries.isEmpty() ? QStringLiteral("0") : QString::number(entries.last().ebook));
    return fields;
}

QUrlQuery services(const QMap<int, QJsonObject>& services, int listKind, const PaymentRecord& record,
                   const QString& userId)
{
    QStringList ids;
    QString description;
    for (const QJsonObject& service : services) {
        ids.append(serviceId(service));
        description += QStringLiteral("Title : ") + JsonReply::text(service, QStringLiteral("title"))
                       + QStringLiteral(", Type : ") + JsonReply::text(service, QStringLiteral("type"))
                       + QStringLiteral(", Price : $") + JsonReply::text(service, QStringLiteral("price"));
    }
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("pay_type"), QStringLiteral("manual"));
    fields.addQueryItem(QStringLiteral("productID"), ids.join(QLatin1Char('_')));
    fields.addQueryItem(QStringLiteral("type"), listKind == 4 ? QStringLiteral("TELEHEALTH") : QString());
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    addPayer(fields, record);
    fields.addQueryItem(QStringLiteral("amount"), Money::centsText(serviceTotalCents(services)));
    fields.addQueryItem(QStringLiteral("description"), description);
    return fields;
}

qint64 endDay(const ProductItem& item, qint64 nowMs)
{
    if (item.ebook == 1) {
        bool ok = false;
        const double days = item.period.trimmed().toDouble(&ok);
        // An unreadable period counts as 0 days, like every unreadable number.
        if (!ok || !std::isfinite(days) || days < 0 || days > 36500)
            return nowMs;
        return nowMs + std::llround(days * double(dayMs));
    }
    if (item.isPhysical())
        return 0;
    return nowMs + 30 * dayMs;
}

QUrlQuery productPurchase(const QMap<int, ProductItem>& entries, const QString& userId, qint64 nowMs)
{
    QStringList ids;
    QStringList endDays;
    for (const ProductItem& item : entries) {
        ids.append(QString::number(item.id));
        endDays.append(QString::number(endDay(item, nowMs)));
    }
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("purchase_id"), ids.join(QLatin1Char('_')));
    fields.addQueryItem(QStringLiteral("endDay"), endDays.join(QLatin1Char('_')));
    fields.addQueryItem(QStringLiteral("status"), QStringLiteral("yes"));
    return fields;
}

QUrlQuery servicePurchase(const QMap<int, QJsonObject>& services, const QString& userId)
{
    QStringList ids;
    for (const QJsonObject& service : services)
        ids.append(serviceId(service));
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("purchase_id"), ids.join(QLatin1Char('_')));
    return fields;
}

} // namespace PaymentRequest
