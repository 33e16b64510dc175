#pragma once

#include <QJsonObject>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// How many failed guesses (wrong passwords, unknown e-mail addresses, wrong
// mailed codes) an account and a client address may make before the
// account endpoints stop listening to them for a while. Failures are rows in
// the database, so every instance on it counts the same ones.
namespace AttemptLimits {

struct Rule
{
    int failures = 0;     // this many ...
    qint64 windowSecs = 0; // ... within this span lock ...
    qint64 lockSecs = 0;  // ... for this long after the last of them
};

// Wrong passwords of one account.
inline constexpr Rule accountRule{10, 15 * 60, 15 * 60};
// Failures of every kind from one client address, across accounts.
inline constexpr Rule addressRule{100, 60 * 60, 60 * 60};

// The result code of a refusal while locked.
inline constexpr int lockedCode = 5;

// When the lock that `failureTimes` (ascending seconds) set ends; 0 when
// they set none. Failures recorded while a lock held (a race between
// instances) neither extend it nor count towards the next one.
qint64 lockEnd(const QList<qint64>& failureTimes, const Rule& rule);

// Seconds until the account (or the address) may try again; 0: now.
qint64 accountWait(QSqlDatabase& db, qint64 userId, qint64 now);
qint64 addressWait(QSqlDatabase& db, const QString& address, qint64 now);

// One failed guess from `address`, against `userId` (0: no account, as
// for an unknown e-mail address).
void recordFailure(QSqlDatabase& db, qint64 userId, const QString& address, qint64 now);

// The right password was given: the account's count starts afresh.
void forgetAccountFailures(QSqlDatabase& db, qint64 userId);

// {"result_code": 5, "message": "Too many attempts. Try again in N
// minutes.", "retry_after": seconds}.
QJsonObject refusal(qint64 waitSecs);

} // namespace AttemptLimits
