#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Data statements that PostgreSQL keeps prepared for the whole life of a
// connection. Qt's own prepared query costs three round trips to the
// database server (PREPARE, EXECUTE, DEALLOCATE) and a fresh plan every
// time; a statement kept here costs one EXECUTE, and the server may reuse
// its plan. The values still travel as literals formatted by Qt's driver,
// exactly as its own EXECUTE sends them. SQLite prepares in-process and
// takes the usual path.
namespace KeptStatements {

// Runs `sql` (positional "?" placeholders) with `values` on `query`. False
// when it fails; query.lastError() says why.
bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values);

// The connection was opened anew (or closed): the database server has
// forgotten the statements it kept for it. Whoever closes or opens a
// connection again calls this.
void forget(const QSqlDatabase& db);

// "?" placeholders as PostgreSQL's "$1", "$2", ..., leaving quoted text and
// names alone; `count` gets how many there were.
QString numberedPlaceholders(const QString& sql, int* count);

} // namespace KeptStatements

// A query whose prepare() and exec() go through the kept statements: on
// PostgreSQL prepare() only takes the text, and exec() runs the kept
// statement with the values bound meanwhile (addBindValue, bindValue by
// position; no named placeholders). Pass it on as a KeptQuery: exec() through a plain QSqlQuery
// would run a statement that was never prepared.
class KeptQuery final : public QSqlQuery
{
public:
    explicit KeptQuery(const QSqlDatabase& db);

    using QSqlQuery::exec;
    using QSqlQuery::prepare;
    bool prepare(const QString& sql);
    // As with Qt's: values stay bound from one exec() to the next, and
    // addBindValue() starts again at the first placeholder after exec().
    void bindValue(int position, const QVariant& value);
    void addBindValue(const QVariant& value);
    bool exec();

private:
    QString m_sql;
    QVariantList m_values;
    int m_bindCount = 0; // where addBindValue() binds next
    bool m_kept = false;
};
