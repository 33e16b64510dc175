#include "server/engine/apifields.h"

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
    if (!query.prepare(sql)) {
        qWarning().noquote() << "SQL prepare failed:" << query.lastError().text() << sql;
        return false;
    }
    for (const QVariant& value : values) {
        // An absent form field reads as a null QString, which SQLite would
        // store as NULL; the tables keep text columns NOT NULL.
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            query.addBindValue(QStringLiteral(""));
        else
            query.addBindValue(value);
    }
    if (!query.exec()) {
        Storage::noteFailure(query.lastError());
        qWarning().noquote() << "SQL failed:" << query.lastError().text() << sql;
        return false;
    }
    return true;
}

bool beginWrite(QSqlDatabase& db, qint64 memberId)
{
    if (!Storage::beginWrite(db))
        return false;
    if (memberId > 0 && !Storage::lockMember(db, memberId)) {
        db.rollback();
        return false;
    }
    return true;
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
