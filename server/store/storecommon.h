#pragma once

#include "server/engine/apifields.h"
#include "server/engine/endpoints.h"
#include "server/storage/keptstatements.h"
#include "server/store/storepaiditems.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>


// Helpers shared by the store and live-service endpoint groups: result codes,
// field checks, id lists and money texts.
namespace StoreCommon {

// Non-zero result codes of the store and service endpoints.
enum Code {
    Refused = 1,        // the request is well formed but the rule says no
    UnknownMember = 2,  // user_id names nobody
    UnknownItem = 3,    // a product, service or video id names nothing
    // The card (or the card on file, for a renewal) was declined: the only
    // answer on which the client cancels a subscription.
    CardDeclined = 4,
    BadField = ApiFields::badFieldCode,           // a field is missing or malformed
    StorageFailure = ApiFields::storageErrorCode, // the database refused; nothing was written
};

// Product types a category of the store covers ("WORKOUT" covers the single
// videos and the complete programs, and so on); empty for an unknown category.
QStringList typesOfCategory(const QString& category);
bool isProductType(const QString& type);
bool isServiceType(const QString& type);
// Types whose purchase is a 30-day video subscription.
bool isSubscriptionType(const QString& type);

// Up to this many ids in one "3_7_12" list.
constexpr int MaxIdsPerList = 100;

// "3_7_12" -> {3, 7, 12}; nullopt on an empty part, a part that is not a
// positive number, a repeated id or more than MaxIdsPerList ids.
std::optional<QList<qint64>> parseIdList(const QString& text);
// "0_1718000000000" -> {0, 1718000000000}: end days, each >= 0.
std::optional<QList<qint64>> parseEndDays(const QString& text);

// "42_desktop" -> {42, "desktop"}; a bare "42" means the desktop copy.
struct DeviceItemId
{
    qint64 id = 0;
    QString platform;
};
std::optional<DeviceItemId> parseDeviceItemId(const QString& text);

// Cents to the text the client reads as a double: 1999 -> "19.99", 2000 -> "20".
QString moneyText(qint64 cents);
// Whether the amount text the client sent is exactly the expected sum, to
// the cent.
bool amountMatches(const QString& amountText, qint64 expectedCents);

QJsonObject badField(const QString& field);
QJsonObject storageFailure();
// The answer to an approved payment: the ids paid for, and when the payment
// was made (ms since 1970, as text), from which the record's end days count.
QJsonObject paymentApproval(const QString& productIdText, qint64 paidMs);

// The member named by the user_id field; otherwise a failure reply in *failure.
std::optional<qint64> requireMember(const ApiCall& call, ServerContext& context, QJsonObject* failure);
// A required positive id field.
std::optional<qint64> requireId(const ApiCall& call, const QString& field, QJsonObject* failure);

// The member of user_id and the item of a required positive id field.
struct MemberItem
{
    qint64 userId = 0;
    qint64 itemId = 0;
};
std::optional<MemberItem> requireMemberItem(const ApiCall& call, ServerContext& context, const QString& idField,
                                            QJsonObject* failure);

// Runs a change that must touch exactly one row (a cart entry added or
// removed, a download forgotten): success, a storage failure, or Refused with
// the given message when no row changed.
QJsonObject changeOneRow(ServerContext& context, const QString& sql, const QVariantList& values,
                         const QString& refusal);

// Empty when every id names an existing product (service) with a paid,
// unused ledger entry of the member; otherwise the failure reply.
QJsonObject unpaidItemFailure(ServerContext& context, const StorePaidItems& ledger, qint64 userId,
                              StorePaidItems::Kind kind, const QList<qint64>& ids);

// Runs a prepared query; warns with the query's error when it fails.
// "?,?,?": one SQL parameter mark for each of `count` values.
QString placeholders(qsizetype count);

bool run(KeptQuery& query);
// Binds the values positionally to the prepared query and runs it.
bool runWith(KeptQuery& query, const QVariantList& values);
// Whether the table has no rows; false when it cannot be read.
bool tableIsEmpty(ServerContext& context, const QString& table);

qint64 nowMs();

// A database transaction that rolls back unless committed, so an early
// return never leaves half a purchase behind. Given a member, it holds that
// member's write lock (see Storage::beginMemberWrite) until it ends.
class Transaction final
{
public:
    explicit Transaction(QSqlDatabase db, qint64 memberId = 0);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return m_begun; }
    bool commit();

private:
    QSqlDatabase m_db;
    bool m_begun = false;
    bool m_finished = false;
};

} // namespace StoreCommon
