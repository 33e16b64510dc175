#pragma once

#include "server/apifields.h"
#include "server/endpoints.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QSqlQuery;

// Helpers shared by the store and live-service endpoint groups: result codes,
// field checks, id lists and money texts.
namespace StoreCommon {

// Non-zero result codes of the store and service endpoints.
enum Code {
    Refused = 1,        // the request is well formed but the rule says no
    UnknownMember = 2,  // user_id names nobody
    UnknownItem = 3,    // a product, service or video id names nothing
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
// Whether the amount text the client computed is the expected sum; the client
// writes it with 6 significant digits, so large sums lose their cents.
bool amountMatches(const QString& amountText, qint64 expectedCents);

QJsonObject badField(const QString& field);
QJsonObject storageFailure();

// The member named by the user_id field; otherwise a failure reply in *failure.
std::optional<qint64> requireMember(const ApiCall& call, ServerContext& context, QJsonObject* failure);
// A required positive id field.
std::optional<qint64> requireId(const ApiCall& call, const QString& field, QJsonObject* failure);

// Runs a prepared query; warns with the query's error when it fails.
bool run(QSqlQuery& query);

qint64 nowMs();

// A database transaction that rolls back unless committed, so an early
// return never leaves half a purchase behind.
class Transaction final
{
public:
    explicit Transaction(QSqlDatabase db);
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
