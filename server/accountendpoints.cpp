#include "server/endpoints.h"

#include "server/apifields.h"

#include <QSqlQuery>

namespace AccountEndpoints {

void createSchema(QSqlDatabase& db)
{
    QSqlQuery query(db);
    ApiFields::exec(query, QStringLiteral(
        "CREATE TABLE IF NOT EXISTS users ("
        " id INTEGER PRIMARY KEY,"
        " email TEXT NOT NULL UNIQUE COLLATE NOCASE,"
        " username TEXT NOT NULL,"
        " password_hash TEXT NOT NULL,"
        " salt TEXT NOT NULL,"
        " approve TEXT NOT NULL DEFAULT '1',"
        " check_day TEXT NOT NULL,"
        " created_at TEXT NOT NULL DEFAULT (datetime('now')))"));
    ApiFields::exec(query, QStringLiteral(
        "CREATE TABLE IF NOT EXISTS devices ("
        " user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,"
        " token TEXT NOT NULL,"
        " device_type TEXT NOT NULL DEFAULT '',"
        " registered_at TEXT NOT NULL DEFAULT (datetime('now')),"
        " PRIMARY KEY (user_id, token))"));
}

void addDemoData(ServerContext&) {}
void registerAll(EndpointTable&) {}

} // namespace AccountEndpoints
