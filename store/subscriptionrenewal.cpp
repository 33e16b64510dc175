#include "store/subscriptionrenewal.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "store/cartreply.h"
#include "store/libraryrules.h"
#include "store/money.h"
#include "store/storereplies.h"

#include <QDateTime>
#include <QPointer>

namespace {

// Whose renewal of what was declined.
QString declinedKey(int productId)
{
    return currentUserId + QLatin1Char(':') + QString::number(productId);
}

enum Endpoint { PaymentProcess = 13, SetPurchase = 14, RemoveSubscription = 20 };
} // namespace

SubscriptionRenewal* SubscriptionRenewal::instance()
{
    static QPointer<SubscriptionRenewal> renewal;
    if (!renewal)
        renewal = new SubscriptionRenewal(nullptr);
    return renewal;
}

SubscriptionRenewal::SubscriptionRenewal(QObject* parent)
    : QObject(parent)
{
}

QString SubscriptionRenewal::amountText(double price)
{
    // The exact price to the cent, as the service checks it: six significant
    // digits would charge $12,345.70 for $12,345.67, and the service refuses.
    return Money::centsText(Money::toCents(price));
}

QUrlQuery SubscriptionRenewal::paymentFields(const RenewalItem& item, const StoredCard::Values& card,
                                             const QString& userId)
{
    using namespace StoredCard;
    const QString amount = amountText(item.price);
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("pay_type"), QStringLiteral("auto"));
    fields.addQueryItem(QStringLiteral("productID"), QString::number(item.id));
    fields.addQueryItem(QStringLiteral("type"), item.type);
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("country"), card[Country]);
    fields.addQueryItem(QStringLiteral("first_name"), card[FirstName]);
    fields.addQueryItem(QStringLiteral("last_name"), card[LastName]);
    fields.addQueryItem(QStringLiteral("address"), card[Address]);
    fields.addQueryItem(QStringLiteral("city"), card[City]);
    fields.addQueryItem(QStringLiteral("state"), card[State]);
    fields.addQueryItem(QStringLiteral("zipcode"), card[ZipCode]);
    fields.addQueryItem(QStringLiteral("user_email"), card[Email]);
    fields.addQueryItem(QStringLiteral("user_phone"), card[Phone]);
    fields.addQueryItem(QStringLiteral("cardNumber"), card[Number]);
    fields.addQueryItem(QStringLiteral("expirationDate"), card[ExpirationDate]);
    fields.addQueryItem(QStringLiteral("cardCode"), card[Code]);
    fields.addQueryItem(QStringLiteral("amount"), amount);
    fields.addQueryItem(QStringLiteral("description"),
                        QStringLiteral("Title: ") + item.title + QStringLiteral(", Price: $") + amount
                            + QStringLiteral(", Quantity: ") + QString::number(item.quantity));
    fields.addQueryItem(QStringLiteral("subsebook"), QString::number(item.ebook));
    return fields;
}

bool SubscriptionRenewal::renew(const RenewalItem& item)
{
    if (item.id <= 0 || m_running.contains(item.id) || m_declined.contains(declinedKey(item.id)))
        return false;
    auto* job = new SubscriptionRenewalJob(item, this);
    m_running.insert(item.id, job);
    job->start();
    return true;
}

void SubscriptionRenewal::finish(int productId, QObject* job)
{
    if (m_running.value(productId) == job)
        m_running.remove(productId);
    job->deleteLater();
}

SubscriptionRenewalJob::SubscriptionRenewalJob(const RenewalItem& item, SubscriptionRenewal* owner)
    : QObject(owner)
    , m_item(item)
    , m_owner(owner)
    , m_server(new Server(this))
{
    connect(m_server, SIGNAL(sig_net_payment(QString)), this, SLOT(slt_net_payment(QString)));
    connect(m_server, SIGNAL(sig_net_purchase(QString)), this, SLOT(slt_net_purchase(QString)));
    connect(m_server, SIGNAL(sig_net_removeSubscription(QString)), this, SLOT(slt_net_removeSubscription(QString)));
    connect(m_server, SIGNAL(sig_net_error(QString)), this, SLOT(slt_net_error(QString)));
}

void SubscriptionRenewalJob::start()
{
    m_server->request(PaymentProcess, SubscriptionRenewal::paymentFields(
                                          m_item, StoredCard::read(m_item.type, m_item.id), currentUserId));
}

void SubscriptionRenewalJob::slt_net_payment(QString text)
{
    const StoreReplies::RenewalPayment payment = StoreReplies::parseRenewalPayment(text, m_item.id);
    switch (payment.outcome) {
    case StoreReplies::RenewalPayment::Outcome::Unreadable:
    case StoreReplies::RenewalPayment::Outcome::Failed:
        end(Outcome::Failed);
        return;
    case StoreReplies::RenewalPayment::Outcome::Approved:
        sendRecord(payment.paidAtMs);
        return;
    case StoreReplies::RenewalPayment::Outcome::Declined: {
        m_pending = Outcome::Cancelled;
        m_owner->m_declined.insert(declinedKey(m_item.id));
        QUrlQuery fields;
        fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
        fields.addQueryItem(QStringLiteral("product_id"), payment.productId);
        m_server->request(RemoveSubscription, fields);
        return;
    }
    }
}

void SubscriptionRenewalJob::sendRecord(qint64 paidAtMs)
{
    // The new period counts from the payment, which the service names: a
    // record sent again days later gives the same end day.
    const qint64 from = paidAtMs > 0 ? paidAtMs : QDateTime::currentMSecsSinceEpoch();
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("purchase_id"), QString::number(m_item.id));
    fields.addQueryItem(QStringLiteral("endDay"), QString::number(LibraryRules::renewedEndDay(from)));
    fields.addQueryItem(QStringLiteral("status"), QStringLiteral("yes"));
    m_server->request(SetPurchase, fields);
}

void SubscriptionRenewalJob::slt_net_purchase(QString text)
{
    // Not recorded: the next list tries again, and the service answers the
    // payment it has already taken instead of charging again.
    end(CartReply::outcome(text) == CartReply::Outcome::Added ? Outcome::Renewed : Outcome::Failed);
}

void SubscriptionRenewalJob::slt_net_removeSubscription(QString)
{
    end(m_pending);
}

void SubscriptionRenewalJob::slt_net_error(QString)
{
    end(m_pending);
}

void SubscriptionRenewalJob::end(Outcome outcome)
{
    if (m_ended)
        return;
    m_ended = true;
    m_owner->finish(m_item.id, this);
    switch (outcome) {
    case Outcome::Renewed:
        emit m_owner->renewed(m_item.id);
        break;
    case Outcome::Cancelled:
        emit m_owner->cancelled(m_item.id);
        break;
    case Outcome::Failed:
        emit m_owner->failed(m_item.id);
        break;
    }
}
