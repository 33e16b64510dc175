#include "server/engine/apifields.h"

#include "server/storage/keptstatements.h"
#include "server/storage/storage.h"

#include <QDebug>
#include <QSqlError>

namespace ApiFields {

QJsonObject badField(const QString& name)
{
    return QJsonObject{{QStringLiteral("result_code"), badFieldCode},
                       {QStringLiteral("message"),
                        QString(QStringLiteral("Missing or malformed field: ") + name)}};
}

QJsonObject storageError()
{
    return QJsonObject{{QStringLiteral("result_code"), storageErrorCode},
                       {QStringLiteral("message"), QStringLiteral("Storage error")}};
}

bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    QVariantList bound;
    bound.reserve(values.size());
    for (const QVariant& value : values) {
        // An absent form field reads as a null QString, which SQLite would
        // store as NULL; the tables keep text columns NOT NULL.
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            bound.append(QStringLiteral(""));
        else
            bound.append(value);
    }
    if (!KeptStatements::exec(query, sql, bound)) {
        Storage::noteFailure(query.lastError());
        qWarning().noquote() << "SQL failed:" << query.lastError().text() << sql;
        return false;
    }
    return true;
}

bool beginWrite(QSqlDatabase& db, qint64 memberId)
{
    return memberId > 0 ? Storage::beginMemberWrite(db, memberId) : Storage::beginWrite(db);
}

void allOrNothing(QSqlDatabase& db, const std::function<bool()>& addRows)
{
    if (!beginWrite(db))
        return;
    if (addRows())
        db.commit();
    else
        db.rollback();
}

} // namespace ApiFields
