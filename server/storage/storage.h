#pragma once

#include "server/engine/endpoints.h"

#include <QSqlDatabase>
#include <QString>

// The SQLite database of olva-server: opening it, creating every group's
// tables, and filling demo data into an empty one.
namespace Storage {

// Opens (creating when needed) the database file under a connection of the
// given name; an invalid or closed database and `error` on failure.
QSqlDatabase open(const QString& path, const QString& connectionName, QString* error);

// Creates the tables of all endpoint groups that do not exist yet.
void createSchemas(QSqlDatabase& db);

// True when no member is registered yet: the only state in which demo data
// may be added.
bool isEmpty(QSqlDatabase& db);

// Adds the demo data of every group (pictures and videos go to filesDir).
void fillDemo(ServerContext& context, bool renderVideos);

// The default database file in the user's data location.
QString defaultDatabasePath();

} // namespace Storage
