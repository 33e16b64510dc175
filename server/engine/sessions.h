#pragma once

#include <QByteArray>
#include <QSqlDatabase>

#include <optional>

// Member sessions: a successful sign-in (or details request) starts one and
// the reply sets it as the HttpOnly cookie "olva_session"; every later call
// that names a member must carry the cookie of that member's session. Only a
// hash of the token is stored, so the database alone cannot sign anybody in.
namespace Sessions {

inline constexpr char cookieName[] = "olva_session";
inline constexpr qint64 lifetimeSeconds = 30 * 24 * 60 * 60;
// The result_code of a call refused because its session is missing,
// expired or another member's.
inline constexpr int refusedCode = 401;

// A new random token (256 bits, hex) for the member; empty when it could
// not be stored. Expired sessions are swept on the way.
QByteArray start(QSqlDatabase& db, qint64 userId);

struct Session
{
    qint64 userId = 0;
    // The member's foods version (see ServerContext::sessionFoodsVersion),
    // read in the same statement: a kept catalogue costs no extra query.
    qint64 foodsVersion = 0;
    // Whether the member's row exists, from the same statement: a call in
    // the session then needs no look-up of its own to know the member.
    bool memberExists = false;
};

// The member whose unexpired session the token is; nullopt otherwise.
std::optional<Session> find(QSqlDatabase& db, const QByteArray& token);

// The token in a Cookie request header; empty when there is none.
QByteArray tokenFromCookieHeader(const QByteArray& header);

// The Set-Cookie header value that hands out the token.
QByteArray setCookieValue(const QByteArray& token);

} // namespace Sessions
