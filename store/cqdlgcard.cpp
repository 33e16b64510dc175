#include "store/cqdlgcard.h"

#include "app/accountstate.h"
#include "app/server.h"
#include "store/paymentkeeper.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"
#include "store/storedcard.h"


namespace {

QString keeperKey(const QMap<int, ProductItem>& entries)
{
    QStringList ids;
    for (const ProductItem& entry : entries)
        ids.append(QString::number(entry.id));
    return PaymentKeeper::key(currentUserId, QStringLiteral("product"), ids);
}

} // namespace

CqDlgCard::CqDlgCard(const QMap<int, ProductItem>& entries, int cartKind, QWidget* parent)
    : CardPaymentDialog(keeperKey(entries), parent)
    , m_entries(entries)
    , m_cartKind(cartKind)
{
    connect(server(), SIGNAL(sig_net_purchase(QString)), this, SLOT(slt_net_purchase(QString)));
}

QUrlQuery CqDlgCard::paymentFields() const
{
    return PaymentRequest::products(m_entries, m_cartKind, PaymentRecord::instance(), currentUserId);
}

QString CqDlgCard::purchaseEndpoint() const
{
    return QStringLiteral("setPurchase");
}

QUrlQuery CqDlgCard::purchaseFields(qint64 paidAtMs) const
{
    return PaymentRequest::productPurchase(m_entries, currentUserId, paidAtMs);
}

void CqDlgCard::rememberPayment(const PaymentRecord& record)
{
    CardPaymentDialog::rememberPayment(record);
    StoredCard::Values card;
    card[StoredCard::FirstName] = record.firstName;
    card[StoredCard::LastName] = record.lastName;
    card[StoredCard::Email] = record.email;
    card[StoredCard::Phone] = record.phone;
    card[StoredCard::Country] = record.country;
    card[StoredCard::City] = record.city;
    card[StoredCard::State] = record.state;
    card[StoredCard::ZipCode] = record.zipCode;
    card[StoredCard::Address] = record.address;
    card[StoredCard::Number] = record.cardNumber; // kept as its last four digits
    card[StoredCard::ExpirationDate] = record.expirationDate();
    for (const ProductItem& entry : m_entries)
        StoredCard::save(entry.type, entry.id, card);
}
