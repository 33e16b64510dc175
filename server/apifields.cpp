#include "server/apifields.h"

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
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning().noquote() << "SQL failed:" << query.lastError().text() << sql;
        return false;
    }
    return true;
}

} // namespace ApiFields
