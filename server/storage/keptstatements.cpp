#include "server/storage/keptstatements.h"

#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QStringList>

#include <optional>

namespace KeptStatements {

namespace {

// Statements built with a varying number of placeholders could otherwise
// fill the server's memory; past this many a connection prepares afresh.
constexpr int maxKeptPerConnection = 256;

struct Kept
{
    // The libpq connection the names were prepared on: a reopened
    // connection has none of them.
    const void* connection = nullptr;
    QHash<QString, QString> nameOf; // SQL text -> prepared statement
    int next = 0;
};

// By driver: every connection has a driver of its own, and a connection is
// only used on the thread that opened it.
thread_local QHash<const QSqlDriver*, Kept> keptByDriver;

const void* connectionOf(const QSqlDriver* driver)
{
    const QVariant handle = driver->handle();
    return handle.isValid() && handle.constData() ? *static_cast<const void* const*>(handle.constData()) : nullptr;
}

bool isDataStatement(const QString& sql)
{
    const QStringView text = QStringView(sql).trimmed();
    for (const QLatin1String word : {QLatin1String("SELECT"), QLatin1String("INSERT"), QLatin1String("UPDATE"),
                                     QLatin1String("DELETE"), QLatin1String("WITH")}) {
        if (text.startsWith(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// As Qt's driver decides what goes as NULL.
bool isNullValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return true;
    if (value.typeId() == QMetaType::QString)
        return value.toString().isNull();
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().isNull();
    return false;
}

QString literals(const QSqlDriver* driver, const QVariantList& values)
{
    QStringList parts;
    parts.reserve(values.size());
    QSqlField field;
    for (const QVariant& value : values) {
        field.setMetaType(value.metaType());
        if (isNullValue(value))
            field.clear();
        else
            field.setValue(value);
        parts.append(driver->formatValue(field));
    }
    return parts.join(QLatin1String(", "));
}

bool execOnce(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    if (!query.prepare(sql))
        return false;
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query.exec();
}

// The name the statement is kept under on this connection, preparing it
// first when needed; empty when it is not to be kept, nullopt when the
// server refused to prepare it (query.lastError() says why).
std::optional<QString> keptName(QSqlQuery& query, const QString& sql, int valueCount)
{
    const QSqlDriver* driver = query.driver();
    Kept& kept = keptByDriver[driver];
    const void* connection = connectionOf(driver);
    if (kept.connection != connection)
        kept = Kept{connection, {}, 0};
    const auto found = kept.nameOf.constFind(sql);
    if (found != kept.nameOf.constEnd())
        return *found;
    if (kept.nameOf.size() >= maxKeptPerConnection)
        return {};
    int placeholders = 0;
    const QString numbered = numberedPlaceholders(sql, &placeholders);
    if (placeholders != valueCount)
        return {}; // Qt's path reports the mismatch
    const QString name = QStringLiteral("olva_kept_%1").arg(++kept.next);
    // Kept even when the transaction around it rolls back: PostgreSQL's
    // prepared statements belong to the session, not to a transaction.
    if (!query.exec(QStringLiteral("PREPARE ") + name + QStringLiteral(" AS ") + numbered))
        return std::nullopt;
    kept.nameOf.insert(sql, name);
    return name;
}

} // namespace

bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values)
{
    const QSqlDriver* driver = query.driver();
    if (!driver || driver->dbmsType() != QSqlDriver::PostgreSQL || !isDataStatement(sql))
        return execOnce(query, sql, values);
    // A statement the server refuses to prepare fails as Qt's own PREPARE
    // of it would.
    const std::optional<QString> kept = keptName(query, sql, int(values.size()));
    if (!kept)
        return false;
    const QString& name = *kept;
    if (name.isEmpty())
        return execOnce(query, sql, values);
    QString statement = QStringLiteral("EXECUTE ") + name;
    if (!values.isEmpty())
        statement += QStringLiteral(" (") + literals(driver, values) + QLatin1Char(')');
    if (query.exec(statement))
        return true;
    // Somebody deallocated it (a pooler in front of the server, say): the
    // next call prepares it again.
    if (query.lastError().nativeErrorCode() == QLatin1String("26000"))
        keptByDriver[driver].nameOf.remove(sql);
    return false;
}

void forget(const QSqlDatabase& db)
{
    if (const QSqlDriver* driver = db.driver())
        keptByDriver.remove(driver);
}

QString numberedPlaceholders(const QString& sql, int* count)
{
    QString result;
    result.reserve(sql.size() + 16);
    QChar quote;
    int number = 0;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            // A doubled quote inside quoted text closes and reopens it,
            // which this handles as well.
            if (c == quote)
                quote = QChar();
            result += c;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            result += c;
        } else if (c == QLatin1Char('?')) {
            result += QLatin1Char('$') + QString::number(++number);
        } else {
            result += c;
        }
    }
    *count = number;
    return result;
}

} // namespace KeptStatements

KeptQuery::KeptQuery(const QSqlDatabase& db)
    : QSqlQuery(db)
    , m_kept(db.driver() && db.driver()->dbmsType() == QSqlDriver::PostgreSQL)
{
}

bool KeptQuery::prepare(const QString& sql)
{
    if (!m_kept)
        return QSqlQuery::prepare(sql);
    finish();
    m_sql = sql;
    m_values.clear();
    m_bindCount = 0;
    return true;
}

void KeptQuery::bindValue(int position, const QVariant& value)
{
    if (!m_kept) {
        QSqlQuery::bindValue(position, value);
        return;
    }
    if (position < 0)
        return;
    if (m_values.size() <= position)
        m_values.resize(position + 1);
    m_values[position] = value;
}

void KeptQuery::addBindValue(const QVariant& value)
{
    if (m_kept)
        bindValue(m_bindCount++, value);
    else
        QSqlQuery::addBindValue(value);
}

bool KeptQuery::exec()
{
    if (!m_kept)
        return QSqlQuery::exec();
    m_bindCount = 0;
    return KeptStatements::exec(*this, m_sql, m_values);
}
