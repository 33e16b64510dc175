#include "server/engine/sessions.h"

#include "server/engine/apifields.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QRandomGenerator>
#include <QSqlQuery>

namespace Sessions {

namespace {

constexpr int tokenBytes = 32;

QString tokenHash(const QByteArray& token)
{
    return QString::fromLatin1(QCryptographicHash::hash(token, QCryptographicHash::Sha256).toHex());
}

bool looksLikeToken(const QByteArray& token)
{
    if (token.size() != tokenBytes * 2)
        return false;
    for (char c : token) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

QByteArray start(QSqlDatabase& db, qint64 userId)
{
    quint32 words[tokenBytes / 4];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray token = QByteArray(reinterpret_cast<const char*>(words), tokenBytes).toHex();
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    QSqlQuery query(db);
    ApiFields::exec(query, QStringLiteral("DELETE FROM sessions WHERE expires_at <= ?"), {now});
    if (!ApiFields::exec(query, QStringLiteral("INSERT INTO sessions (token_hash, user_id, expires_at) VALUES (?, ?, ?)"),
                         {tokenHash(token), userId, now + lifetimeSeconds}))
        return {};
    return token;
}

std::optional<Session> find(QSqlDatabase& db, const QByteArray& token)
{
    if (!looksLikeToken(token))
        return std::nullopt;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!ApiFields::exec(query, QStringLiteral("SELECT s.user_id, COALESCE(u.foods_version, 0), u.id FROM sessions s"
                                               " LEFT JOIN users u ON u.id = s.user_id"
                                               " WHERE s.token_hash = ? AND s.expires_at > ?"),
                         {tokenHash(token), QDateTime::currentSecsSinceEpoch()})
        || !query.next())
        return std::nullopt;
    return Session{query.value(0).toLongLong(), query.value(1).toLongLong(), !query.value(2).isNull()};
}

QByteArray tokenFromCookieHeader(const QByteArray& header)
{
    const QByteArray prefix = QByteArray(cookieName) + '=';
    const QList<QByteArray> cookies = header.split(';');
    for (const QByteArray& cookie : cookies) {
        const QByteArray trimmed = cookie.trimmed();
        if (trimmed.startsWith(prefix))
            return trimmed.mid(prefix.size());
    }
    return {};
}

QByteArray setCookieValue(const QByteArray& token)
{
    return QByteArray(cookieName) + '=' + token + "; Max-Age=" + QByteArray::number(lifetimeSeconds)
        + "; Path=/; HttpOnly; SameSite=Strict";
}

} // namespace Sessions
