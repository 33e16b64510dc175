#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// Reading the `users` table, for the account group and for any group that
// checks a `user_id` field.
namespace Members {

struct Member
{
    qint64 id = 0;
    QString email;
    QString username;
    QString passwordHash;
    QString salt;
    QString approve;
    QString checkDay; // yyyy-MM-dd
};

// E-mail addresses compare without regard to case.
std::optional<Member> byEmail(QSqlDatabase& db, const QString& email);
std::optional<Member> byId(QSqlDatabase& db, qint64 id);

// The day of the next friends check after `from`.
QString nextCheckDay(const QDate& from = QDate::currentDate());
inline constexpr int checkIntervalDays = 7;

} // namespace Members
