#pragma once

#include <QSqlDatabase>
#include <QString>

// The 8-digit codes the service e-mails for device verification and for a
// forgotten password. There is no mail server here: "sending" a code keeps
// the message in the `outbox` table and prints it on the console.
namespace PinCodes {

enum class Purpose { Device, Password };

// How long a code allows its follow-up call (registerToken, setPassword).
inline constexpr qint64 deviceValiditySeconds = 30 * 60;
inline constexpr qint64 passwordValiditySeconds = 60 * 60;
// Wrong codes typed before the pending codes of a member are void: eight
// digits are too few to survive unlimited guessing.
inline constexpr int maxWrongAttempts = 5;

// A fresh random code, recorded as pending for the member and mailed.
// Empty when it could not be stored.
QString issue(QSqlDatabase& db, qint64 userId, const QString& email, Purpose purpose, qint64 now);

// Whether a code of this purpose was issued to the member within its
// validity (the reply to issue() is the only way a caller can know it).
bool hasPending(QSqlDatabase& db, qint64 userId, Purpose purpose, qint64 now);

enum class Check { Accepted, Wrong, NonePending };

// Compares the code the member typed with their pending codes of this
// purpose, exactly (no trimming). Every try counts against all of them, in
// the same statement that finds them, so that parallel guesses cannot get
// more than maxWrongAttempts tries between them.
Check check(QSqlDatabase& db, qint64 userId, Purpose purpose, const QString& typed, qint64 now);

// The most recent pending code, for tests and the console; empty when none.
QString latest(QSqlDatabase& db, qint64 userId, Purpose purpose);

// Ends every pending code of this purpose for the member.
void clear(QSqlDatabase& db, qint64 userId, Purpose purpose);

} // namespace PinCodes
