#include "server/account/members.h"

#include "server/engine/apifields.h"

#include <QSqlQuery>

namespace Members {

namespace {

const QString selectColumns = QStringLiteral(
    "SELECT id, email, username, password_hash, salt, approve, check_day FROM users ");

std::optional<Member> readOne(QSqlQuery& query)
{
    if (!query.next())
        return std::nullopt;
    Member member;
    member.id = query.value(0).toLongLong();
    member.email = query.value(1).toString();
    member.username = query.value(2).toString();
    member.passwordHash = query.value(3).toString();
    member.salt = query.value(4).toString();
    member.approve = query.value(5).toString();
    member.checkDay = query.value(6).toString();
    return member;
}

} // namespace

std::optional<Member> byEmail(QSqlDatabase& db, const QString& email)
{
    if (email.isEmpty())
        return std::nullopt;
    QSqlQuery query(db);
    if (!ApiFields::exec(query, selectColumns + QStringLiteral("WHERE lower(email) = lower(?)"), {email}))
        return std::nullopt;
    return readOne(query);
}

std::optional<Member> byId(QSqlDatabase& db, qint64 id)
{
    QSqlQuery query(db);
    if (!ApiFields::exec(query, selectColumns + QStringLiteral("WHERE id = ?"), {id}))
        return std::nullopt;
    return readOne(query);
}

QString nextCheckDay(const QDate& from)
{
    return from.addDays(checkIntervalDays).toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace Members
