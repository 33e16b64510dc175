#pragma once

#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

#include <functional>

// Replies and helpers shared by the endpoint groups for the failures that
// are not specific to one endpoint.
namespace ApiFields {

// A required field is absent or unreadable (text where a number belongs).
inline constexpr int badFieldCode = 90;
// The storage refused a statement; nothing was written.
inline constexpr int storageErrorCode = 99;

QJsonObject badField(const QString& name);
QJsonObject storageError();

// Prepares `sql`, binds `values` positionally and runs it; logs and returns
// false on failure.
bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {});

// Starts a write transaction (see Storage::beginWrite) and, for a member's
// payments, purchase records, days and weights, takes that member's lock
// (Storage::beginMemberWrite), so their writes never interleave.
// End it with db.commit() or db.rollback().
bool beginWrite(QSqlDatabase& db, qint64 memberId = 0);

// Runs `addRows` in one transaction and keeps what it wrote only when it
// returns true: a half-filled demo table would look like real data.
void allOrNothing(QSqlDatabase& db, const std::function<bool()>& addRows);

} // namespace ApiFields
