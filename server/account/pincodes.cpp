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

QString issue(QSqlDatabase& db, qint64 userId, const QString& email, Purpose purpose)
{
    const QString code = QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(100000000), 8, 10,
                                                  QLatin1Char('0'));
    const QString subject = purpose == Purpose::Device ? QStringLiteral("Verify your computer")
                                                       : QStringLiteral("Reset your password");
    const QString body = mailBody(purpose, code);
    QSqlQuery query(db);
    if (!ApiFields::beginWrite(db))
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
                                               " WHERE user_id = ? AND purpose = ? AND issued_at >= ?"
                                               " AND wrong_attempts < ?"),
                         {userId, purposeName(purpose), oldest, maxWrongAttempts}))
        return false;
    return query.next() && query.value(0).toLongLong() > 0;
}

Check check(QSqlDatabase& db, qint64 userId, Purpose purpose, const QString& typed)
{
    if (!hasPending(db, userId, purpose))
        return Check::NonePending;
    QSqlQuery query(db);
    const qint64 oldest = QDateTime::currentSecsSinceEpoch() - validity(purpose);
    if (!ApiFields::exec(query, QStringLiteral("SELECT 1 FROM pending_codes WHERE user_id = ? AND purpose = ?"
                                               " AND issued_at >= ? AND wrong_attempts < ? AND pincode = ?"),
                         {userId, purposeName(purpose), oldest, maxWrongAttempts, typed}))
        return Check::Wrong;
    if (query.next())
        return Check::Accepted;
    query.finish();
    ApiFields::exec(query, QStringLiteral("UPDATE pending_codes SET wrong_attempts = wrong_attempts + 1"
                                          " WHERE user_id = ? AND purpose = ?"),
                    {userId, purposeName(purpose)});
    return Check::Wrong;
}

QString latest(QSqlDatabase& db, qint64 userId, Purpose purpose)
{
    QSqlQuery query(db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT pincode FROM pending_codes WHERE user_id = ? AND purpose = ?"
                                               " ORDER BY id DESC LIMIT 1"),
                         {userId, purposeName(purpose)})
        || !query.next())
        return {};
    return query.value(0).toString();
}

void clear(QSqlDatabase& db, qint64 userId, Purpose purpose)
{
    QSqlQuery query(db);
    ApiFields::exec(query, QStringLiteral("DELETE FROM pending_codes WHERE user_id = ? AND purpose = ?"),
                    {userId, purposeName(purpose)});
}

} // namespace PinCodes
