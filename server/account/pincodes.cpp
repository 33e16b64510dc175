#include "server/account/pincodes.h"

#include "server/engine/apifields.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTextStream>

namespace PinCodes {

namespace {

QString purposeName(Purpose purpose)
{
    return purpose == Purpose::Device ? QStringLiteral("device") : QStringLiteral("password");
}

qint64 validity(Purpose purpose)
{
    return purpose == Purpose::Device ? deviceValiditySeconds : passwordValiditySeconds;
}

QString mailBody(Purpose purpose, const QString& code)
{
    if (purpose == Purpose::Device)
        return QStringLiteral("Your code to register this computer with OLVA Weight Loss: %1").arg(code);
    return QStringLiteral("Your code to choose a new OLVA Weight Loss password: %1").arg(code);
}

} // namespace

void createSchema(QSqlDatabase& db)
{
    QSqlQuery query(db);
    ApiFields::exec(query, QStringLiteral(
        "CREATE TABLE IF NOT EXISTS pending_codes ("
        " id INTEGER PRIMARY KEY,"
        " user_id INTEGER NOT NULL,"
        " purpose TEXT NOT NULL,"
        " pincode TEXT NOT NULL,"
        " issued_at INTEGER NOT NULL)"));
    ApiFields::exec(query, QStringLiteral(
        "CREATE TABLE IF NOT EXISTS outbox ("
        " id INTEGER PRIMARY KEY,"
        " recipient TEXT NOT NULL,"
        " subject TEXT NOT NULL,"
        " body TEXT NOT NULL,"
        " sent_at TEXT NOT NULL DEFAULT (datetime('now')))"));
}

QString issue(QSqlDatabase& db, qint64 userId, const QString& email, Purpose purpose)
{
    const QString code = QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(100000000), 8, 10,
                                                  QLatin1Char('0'));
    const QString subject = purpose == Purpose::Device ? QStringLiteral("Verify your computer")
                                                       : QStringLiteral("Reset your password");
    const QString body = mailBody(purpose, code);
    QSqlQuery query(db);
    if (!db.transaction())
        return {};
    const bool stored =
        ApiFields::exec(query, QStringLiteral("INSERT INTO pending_codes (user_id, purpose, pincode, issued_at)"
                                              " VALUES (?, ?, ?, ?)"),
                        {userId, purposeName(purpose), code, QDateTime::currentSecsSinceEpoch()})
        && ApiFields::exec(query, QStringLiteral("INSERT INTO outbox (recipient, subject, body) VALUES (?, ?, ?)"),
                           {email, subject, body});
    if (!stored || !db.commit()) {
        db.rollback();
        return {};
    }
    QTextStream(stdout) << "mail to " << email << ": " << subject << " (verification code " << code << ")"
                        << Qt::endl;
    return code;
}

bool hasPending(QSqlDatabase& db, qint64 userId, Purpose purpose)
{
    QSqlQuery query(db);
    const qint64 oldest = QDateTime::currentSecsSinceEpoch() - validity(purpose);
    if (!ApiFields::exec(query, QStringLiteral("SELECT COUNT(*) FROM pending_codes"
                                               " WHERE user_id = ? AND purpose = ? AND issued_at >= ?"),
                         {userId, purposeName(purpose), oldest}))
        return false;
    return query.next() && query.value(0).toLongLong() > 0;
}

void clear(QSqlDatabase& db, qint64 userId, Purpose purpose)
{
    QSqlQuery query(db);
    ApiFields::exec(query, QStringLiteral("DELETE FROM pending_codes WHERE user_id = ? AND purpose = ?"),
                    {userId, purposeName(purpose)});
}

} // namespace PinCodes
