#include "server/storage/storage.h"

#include "server/engine/apifields.h"
#include "server/engine/sessions.h"
#include "server/demo/demomedia.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>

namespace Storage {

QSqlDatabase open(const QString& path, const QString& connectionName, QString* error)
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

void createSchemas(QSqlDatabase& db)
{
    AccountEndpoints::createSchema(db);
    FoodEndpoints::createSchema(db);
    CommunityEndpoints::createSchema(db);
    StoreEndpoints::createSchema(db);
    ServiceEndpoints::createSchema(db);
    WeightEndpoints::createSchema(db);
    Sessions::createSchema(db);
}

bool isEmpty(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT COUNT(*) FROM users")) || !query.next())
        return false;
    return query.value(0).toLongLong() == 0;
}

void fillDemo(ServerContext& context, bool renderVideos)
{
    DemoMedia::setVideosRendered(renderVideos);
    AccountEndpoints::addDemoData(context);
    FoodEndpoints::addDemoData(context);
    CommunityEndpoints::addDemoData(context);
    StoreEndpoints::addDemoData(context);
    ServiceEndpoints::addDemoData(context);
    WeightEndpoints::addDemoData(context);
}

QString defaultDatabasePath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.olva-server");
    return base + QStringLiteral("/olva-server.sqlite");
}

} // namespace Storage
