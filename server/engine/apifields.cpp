#include "server/engine/apifields.h"

#include <QDebug>
#include <QDeadlineTimer>
#include <QSqlError>
#include <QThread>

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
        qWarning().noquote() << "SQL failed:" << query.lastError().text() << sql;
        return false;
    }
    return true;
}

bool beginWrite(QSqlDatabase& db)
{
    // SQLITE_BUSY (5) and SQLITE_LOCKED (6), extended codes included.
    const auto busy = [](const QSqlError& error) {
        const int code = error.nativeErrorCode().toInt();
        return (code & 0xff) == 5 || (code & 0xff) == 6;
    };
    const QDeadlineTimer deadline(20000);
    QSqlQuery query(db);
    for (int attempt = 0;; ++attempt) {
        if (query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return true;
        if (!busy(query.lastError()) || deadline.hasExpired()) {
            qWarning().noquote() << "BEGIN IMMEDIATE failed:" << query.lastError().text();
            return false;
        }
        // The busy timeout has waited already; back off a little more.
        QThread::msleep(qMin(5 * (attempt + 1), 50));
    }
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
