#include "server/storage/storage.h"

#include "server/demo/demomedia.h"
#include "server/engine/apifields.h"
#include "server/storage/databaselocation.h"
#include "server/storage/keptstatements.h"
#include "server/storage/migrations.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>

namespace Storage {

namespace {

// The session-wide lock of setting up the database (two 32-bit keys: a
// space of its own, apart from the members' single 64-bit keys).
constexpr int setupLockClass = 0x6f6c7661; // "olva"
constexpr int setupLockId = 1;

thread_local bool retryableFailure = false;
thread_local bool anyFailure = false;

QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

QSqlDatabase openSqlite(const QString& path, const QString& connectionName, QString* error)
{
    if (path != QLatin1String(":memory:")) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QDir().mkpath(folder)) {
            *error = QStringLiteral("Cannot create the folder %1").arg(folder);
            return {};
        }
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    if (!db.open()) {
        *error = QStringLiteral("Cannot open the database %1: %2").arg(path, db.lastError().text());
        return db;
    }
    QSqlQuery query(db);
    // WAL keeps readers going during writes; NORMAL sync is safe with WAL.
    query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    query.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    query.exec(QStringLiteral("PRAGMA busy_timeout=5000"));
    return db;
}

QSqlDatabase openPostgres(const DatabaseLocation& location, const QString& connectionName, QString* error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
    if (!db.isValid()) {
        *error = QStringLiteral("Cannot open the database %1: the PostgreSQL driver of Qt is not installed")
                     .arg(location.displayName());
        return db;
    }
    db.setHostName(location.host);
    if (location.port > 0)
        db.setPort(location.port);
    db.setUserName(location.user);
    db.setPassword(location.password);
    db.setDatabaseName(location.database);
    // A database that does not answer is reported rather than waited for.
    QString options = location.options;
    if (!options.contains(QStringLiteral("connect_timeout=")))
        options += (options.isEmpty() ? QString() : QStringLiteral(";")) + QStringLiteral("connect_timeout=10");
    db.setConnectOptions(options);
    if (!db.open()) {
        const QSqlError failure = db.lastError();
        *error = QStringLiteral("Cannot open the database %1: %2")
                     .arg(location.displayName(),
                          oneLine(failure.databaseText().isEmpty() ? failure.driverText() : failure.databaseText()));
        return db;
    }
    // A driver at the address of a closed one must not inherit its names.
    KeptStatements::forget(db);
    QSqlQuery query(db);
    query.exec(QStringLiteral("SET client_min_messages = warning"));
    return db;
}

bool run(QSqlDatabase& db, const QString& sql, QString* error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    *error = QStringLiteral("Cannot update the tables: %1 (%2)").arg(oneLine(query.lastError().text()), sql.left(80));
    return false;
}

int schemaVersion(QSqlDatabase& db, QString* error)
{
    if (!run(db, QStringLiteral("CREATE TABLE IF NOT EXISTS schema_version ( version BIGINT PRIMARY KEY,"
                                " applied_ms BIGINT NOT NULL)"),
             error))
        return -1;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT COALESCE(MAX(version), 0) FROM schema_version")) || !query.next()) {
        *error = QStringLiteral("Cannot read the schema version: %1").arg(oneLine(query.lastError().text()));
        return -1;
    }
    return query.value(0).toInt();
}

bool applyStep(QSqlDatabase& db, const Migration& step, QString* error)
{
    for (const QString& statement : step.tolerated)
        QSqlQuery(db).exec(statement);
    for (const QString& statement : step.statements) {
        if (!run(db, statement, error))
            return false;
    }
    QSqlQuery record(db);
    record.prepare(QStringLiteral("INSERT INTO schema_version (version, applied_ms) VALUES (?, ?)"));
    record.addBindValue(step.version);
    record.addBindValue(QDateTime::currentMSecsSinceEpoch());
    if (!record.exec()) {
        *error = QStringLiteral("Cannot record schema version %1: %2").arg(step.version).arg(record.lastError().text());
        return false;
    }
    return true;
}

// SQLite: every step inside the caller's BEGIN IMMEDIATE. PostgreSQL: one
// transaction per step, under the caller's advisory lock.
bool migrate(QSqlDatabase& db, Backend backend, QString* error)
{
    const int current = schemaVersion(db, error);
    if (current < 0)
        return false;
    const auto& steps = backend == Backend::Postgres ? Migrations::postgres() : Migrations::sqlite();
    for (const Migration& step : steps) {
        if (step.version <= current)
            continue;
        if (backend == Backend::Sqlite) {
            if (!applyStep(db, step, error))
                return false;
            continue;
        }
        if (!db.transaction()) {
            *error = QStringLiteral("Cannot update the tables: %1").arg(oneLine(db.lastError().text()));
            return false;
        }
        if (!applyStep(db, step, error) || !db.commit()) {
            db.rollback();
            return false;
        }
    }
    return true;
}

// Marks the demo as being filled by this instance; false when the database
// has members or another instance got there first.
bool claimDemo(QSqlDatabase& db)
{
    if (!isEmpty(db))
        return false;
    QSqlQuery query(db);
    return ApiFields::exec(query,
                           QStringLiteral("INSERT INTO setup_claims (name, claimed_ms) VALUES ('demo', ?)"
                                          " ON CONFLICT (name) DO NOTHING"),
                           {QDateTime::currentMSecsSinceEpoch()})
        && query.numRowsAffected() == 1;
}

// Rows added with fixed ids (the demo's) do not move PostgreSQL's key
// generators on; without this the next generated id would collide.
void advanceGeneratedKeys(QSqlDatabase& db)
{
    QSqlQuery columns(db);
    if (!columns.exec(QStringLiteral("SELECT table_name, column_name FROM information_schema.columns"
                                     " WHERE table_schema = current_schema() AND is_identity = 'YES'")))
        return;
    QSqlQuery advance(db);
    while (columns.next()) {
        const QString table = columns.value(0).toString();
        const QString column = columns.value(1).toString();
        advance.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'),"
                                    " COALESCE((SELECT MAX(\"%2\") FROM \"%1\"), 0) + 1, false)")
                         .arg(table, column));
    }
}

void fillDemo(ServerContext& context, bool renderVideos)
{
    DemoMedia::setVideosRendered(renderVideos);
    const bool postgres = backendOf(context.db) == Backend::Postgres;
    // Some groups give fixed ids, the next may rely on generated ones.
    for (const auto fill : {AccountEndpoints::addDemoData, FoodEndpoints::addDemoData,
                            CommunityEndpoints::addDemoData, StoreEndpoints::addDemoData,
                            ServiceEndpoints::addDemoData, WeightEndpoints::addDemoData}) {
        fill(context);
        if (postgres)
            advanceGeneratedKeys(context.db);
    }
}

} // namespace

QSqlDatabase open(const QString& location, const QString& connectionName, QString* error)
{
    const auto parsed = DatabaseLocation::parse(location, error);
    if (!parsed)
        return {};
    return parsed->isPostgres() ? openPostgres(*parsed, connectionName, error)
                                : openSqlite(parsed->sqlitePath, connectionName, error);
}

Backend backendOf(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL") ? Backend::Postgres : Backend::Sqlite;
}

QString displayName(const QString& location)
{
    QString ignored;
    const auto parsed = DatabaseLocation::parse(location, &ignored);
    return parsed ? parsed->displayName() : QStringLiteral("(unreadable database URI)");
}

bool prepare(ServerContext& context, bool demo, bool renderVideos, QString* error)
{
    QSqlDatabase& db = context.db;
    const Backend backend = backendOf(db);
    bool filling = false;
    if (backend == Backend::Postgres) {
        QSqlQuery lock(db);
        if (!ApiFields::exec(lock, QStringLiteral("SELECT pg_advisory_lock(?, ?)"), {setupLockClass, setupLockId})) {
            *error = QStringLiteral("Cannot lock the database for setting up: %1").arg(oneLine(lock.lastError().text()));
            return false;
        }
        const bool migrated = migrate(db, backend, error);
        if (migrated && demo && claimDemo(db))
            fillDemo(context, renderVideos);
        if (migrated)
            advanceGeneratedKeys(db);
        ApiFields::exec(lock, QStringLiteral("SELECT pg_advisory_unlock(?, ?)"), {setupLockClass, setupLockId});
        return migrated;
    }
    // SQLite's write lock is held while the tables change and the demo is
    // claimed; the demo itself is written after it, in its own transactions.
    if (!beginWrite(db)) {
        *error = QStringLiteral("Cannot lock the database for setting up: %1").arg(oneLine(db.lastError().text()));
        return false;
    }
    const bool migrated = migrate(db, backend, error);
    filling = migrated && demo && claimDemo(db);
    if (!migrated || !db.commit()) {
        db.rollback();
        if (error->isEmpty())
            *error = QStringLiteral("Cannot update the tables: %1").arg(oneLine(db.lastError().text()));
        return false;
    }
    if (filling)
        fillDemo(context, renderVideos);
    return true;
}

bool isEmpty(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT (SELECT COUNT(*) FROM users) + (SELECT COUNT(*) FROM setup_claims)"))
        || !query.next())
        return false;
    return query.value(0).toLongLong() == 0;
}

bool beginWrite(QSqlDatabase& db)
{
    if (backendOf(db) == Backend::Postgres) {
        if (db.transaction())
            return true;
        qWarning().noquote() << "BEGIN failed:" << db.lastError().text();
        return false;
    }
    const QDeadlineTimer deadline(20000);
    QSqlQuery query(db);
    for (int attempt = 0;; ++attempt) {
        if (query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return true;
        if (!isRetryable(query.lastError()) || deadline.hasExpired()) {
            qWarning().noquote() << "BEGIN IMMEDIATE failed:" << query.lastError().text();
            return false;
        }
        // The busy timeout has waited already; back off a little more.
        QThread::msleep(qMin(5 * (attempt + 1), 50));
    }
}

bool beginMemberWrite(QSqlDatabase& db, qint64 userId)
{
    if (backendOf(db) != Backend::Postgres)
        return beginWrite(db);
    // Both statements in one message; the lock's result comes second.
    QSqlQuery query(db);
    const bool begun = query.exec(QStringLiteral("BEGIN; SELECT pg_advisory_xact_lock(%1)").arg(userId));
    const bool locked = begun && query.nextResult();
    if (locked)
        return true;
    noteFailure(query.lastError());
    qWarning().noquote() << "BEGIN and the member's lock failed:" << query.lastError().text();
    if (begun)
        db.rollback();
    return false;
}

bool isRetryable(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("40001") || code == QLatin1String("40P01"))
        return true;
    // SQLITE_BUSY (5) and SQLITE_LOCKED (6), extended codes included.
    bool numeric = false;
    const int sqliteCode = code.toInt(&numeric);
    return numeric && code.size() < 5 && ((sqliteCode & 0xff) == 5 || (sqliteCode & 0xff) == 6);
}

void noteFailure(const QSqlError& error)
{
    anyFailure = true;
    if (isRetryable(error))
        retryableFailure = true;
}

bool takeRetryableFailure()
{
    const bool was = retryableFailure;
    retryableFailure = false;
    return was;
}

bool takeAnyFailure()
{
    const bool was = anyFailure;
    anyFailure = false;
    return was;
}

bool connectionLost(QSqlDatabase& db)
{
    if (backendOf(db) != Backend::Postgres)
        return false;
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("SELECT 1")))
        return false;
    // Inside a failed transaction the probe fails too, without the
    // connection being lost.
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    return !probe.exec(QStringLiteral("SELECT 1"));
}

QString defaultDatabasePath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.olva-server");
    return base + QStringLiteral("/olva-server.sqlite");
}

} // namespace Storage
