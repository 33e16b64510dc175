#include "server/account/attemptlimits.h"

#include "server/engine/apifields.h"
#include "server/engine/endpoints.h"

#include <QRandomGenerator>
#include <QSqlQuery>

namespace AttemptLimits {

namespace {

// Rows older than any rule looks back are of no use.
constexpr qint64 keptSecs = addressRule.windowSecs + addressRule.lockSecs;

qint64 wait(QSqlDatabase& db, const QString& column, const QVariant& key, const Rule& rule, qint64 now)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // A lock still running began at most one window plus one lock ago.
    if (!ApiFields::exec(query, QStringLiteral("SELECT failed_at FROM signin_failures WHERE %1 = ? AND failed_at > ?"
                                               " ORDER BY failed_at").arg(column),
                         {key, now - rule.windowSecs - rule.lockSecs}))
        return 0;
    QList<qint64> times;
    while (query.next())
        times.append(query.value(0).toLongLong());
    return qMax<qint64>(0, lockEnd(times, rule) - now);
}

} // namespace

qint64 lockEnd(const QList<qint64>& failureTimes, const Rule& rule)
{
    qint64 end = 0;
    QList<qint64> counted; // failures since the last lock, within one window
    for (const qint64 time : failureTimes) {
        if (time < end)
            continue;
        counted.append(time);
        while (!counted.isEmpty() && counted.first() <= time - rule.windowSecs)
            counted.removeFirst();
        if (counted.size() >= rule.failures) {
            end = time + rule.lockSecs;
            counted.clear();
        }
    }
    return end;
}

qint64 accountWait(QSqlDatabase& db, qint64 userId, qint64 now)
{
    return wait(db, QStringLiteral("user_id"), userId, accountRule, now);
}

qint64 addressWait(QSqlDatabase& db, const QString& address, qint64 now)
{
    return wait(db, QStringLiteral("address"), address, addressRule, now);
}

void recordFailure(QSqlDatabase& db, qint64 userId, const QString& address, qint64 now)
{
    QSqlQuery query(db);
    ApiFields::exec(query, QStringLiteral("INSERT INTO signin_failures (user_id, address, failed_at) VALUES (?, ?, ?)"),
                    {userId, address, now});
    // Now and then, not on every failure: the old rows of addresses that
    // went quiet would otherwise stay for ever.
    if (QRandomGenerator::global()->bounded(64) == 0)
        ApiFields::exec(query, QStringLiteral("DELETE FROM signin_failures WHERE failed_at < ?"), {now - keptSecs});
}

void forgetAccountFailures(QSqlDatabase& db, qint64 userId)
{
    // Read first: most sign-ins follow no failure, and a write on every
    // sign-in would queue them all behind the database's writers.
    QSqlQuery query(db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT 1 FROM signin_failures WHERE user_id = ? LIMIT 1"), {userId})
        || !query.next())
        return;
    query.finish();
    // Kept for the address's count: a right password for one account says
    // nothing about the guesses at others.
    ApiFields::exec(query, QStringLiteral("UPDATE signin_failures SET user_id = 0 WHERE user_id = ?"), {userId});
}

QJsonObject refusal(qint64 waitSecs)
{
    const qint64 minutes = qMax<qint64>(1, (waitSecs + 59) / 60);
    QJsonObject reply = apiFailure(lockedCode, QStringLiteral("Too many attempts. Try again in %1 minutes.").arg(minutes));
    reply.insert(QStringLiteral("retry_after"), waitSecs);
    return reply;
}

} // namespace AttemptLimits
