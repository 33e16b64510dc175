#pragma once

#include "server/engine/endpoints.h"

#include <QSqlDatabase>
#include <QString>

class QSqlError;

// The database of olva-server, SQLite or PostgreSQL: opening it, bringing
// its tables up to date, filling demo data into an empty one, and the write
// lock. Everything that differs between the two back ends lives here; the
// endpoints' statements are written once for both.
namespace Storage {

enum class Backend { Sqlite, Postgres };

// Opens the database that `location` names (a SQLite file, created when
// needed, or a postgresql:// URI; see DatabaseLocation) under a connection
// of the given name; an invalid or closed database and `error` on failure.
// Neither `error` nor anything logged shows a password.
QSqlDatabase open(const QString& location, const QString& connectionName, QString* error);

Backend backendOf(const QSqlDatabase& db);

// The location as it may be shown (no password); the text itself when it
// cannot be read.
QString displayName(const QString& location);

// Runs the migrations the database has not had yet and, when `demo` is set
// and nobody is registered yet, fills the demo data, all under one lock
// shared by every process on the database: instances started together
// create the tables once and fill the demo once. False and `error` when the
// tables cannot be brought up to date.
bool prepare(ServerContext& context, bool demo, bool renderVideos, QString* error);

// True when no member is registered yet and no instance has started filling
// the demo: the only state in which demo data may be added.
bool isEmpty(QSqlDatabase& db);

// Starts a write transaction. SQLite: BEGIN IMMEDIATE, which takes the one
// write lock at once (a deferred BEGIN that reads first and then writes
// fails when another connection committed meanwhile), retried while the
// database stays busy for at most ~20 s. PostgreSQL: a plain BEGIN.
// End it with db.commit() or db.rollback().
bool beginWrite(QSqlDatabase& db);

// beginWrite(), then waits until no other transaction on the database holds
// the member's lock, and holds it until this one ends. One member's writes
// never interleave; two members' never wait for each other. SQLite's single
// writer already gives this; on PostgreSQL the BEGIN and the lock go to the
// server together, in one round trip.
bool beginMemberWrite(QSqlDatabase& db, qint64 userId);

// Whether the failure is one that running the same call again cures: SQLite
// busy or locked, PostgreSQL serialization failure or deadlock.
bool isRetryable(const QSqlError& error);
// Statements report their failures here; the worker running a call asks
// whether one since its start was retryable (and forgets it).
void noteFailure(const QSqlError& error);
bool takeRetryableFailure();
// Whether any statement failed since the last call of this.
bool takeAnyFailure();

// After a failed call: whether the connection to a PostgreSQL server is
// gone (it restarted, the network broke); never for SQLite.
bool connectionLost(QSqlDatabase& db);

// The default database file in the user's data location.
QString defaultDatabasePath();

} // namespace Storage
