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

QString issue(QSqlDatabase& db, qint64 userId, const QString& email, Purpose purpose, qint64 now)
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
                        {userId, purposeName(purpose), code, now})
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

bool hasPending(QSqlDatabase& db, qint64 userId, Purpose purpose, qint64 now)
{
    QSqlQuery query(db);
    const qint64 oldest = now - validity(purpose);
    if (!ApiFields::exec(query, QStringLiteral("SELECT COUNT(*) FROM pending_codes"
                                               " WHERE user_id = ? AND purpose = ? AND issued_at >= ?"
                                               " AND wrong_attempts < ?"),
                         {userId, purposeName(purpose), oldest, maxWrongAttempts}))
        return false;
    return query.next() && query.value(0).toLongLong() > 0;
}

Check check(QSqlDatabase& db, qint64 userId, Purpose purpose, const QString& typed, qint64 now)
{
    // The try is counted first, on the codes that still allow one, and
    // compared only with the codes it was counted on: a check that read the
    // count and raised it in two statements would let parallel guesses
    // through between them. The right code is the last try it needs.
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!ApiFields::exec(query, QStringLiteral("UPDATE pending_codes SET wrong_attempts = wrong_attempts + 1"
                                               " WHERE user_id = ? AND purpose = ? AND issued_at >= ?"
                                               " AND wrong_attempts < ? RETURNING pincode"),
                         {userId, purposeName(purpose), now - validity(purpose), maxWrongAttempts}))
        return Check::Wrong;
    bool counted = false;
    bool matched = false;
    while (query.next()) {
        counted = true;
        matched = matched || query.value(0).toString() == typed;
    }
    if (!counted)
        return Check::NonePending;
    return matched ? Check::Accepted : Check::Wrong;
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
