#include "server/engine/endpoints.h"

#include "server/engine/apifields.h"
#include "server/demo/demomedia.h"
#include "server/account/attemptlimits.h"
#include "server/account/members.h"
#include "server/account/passwordhash.h"
#include "server/account/pincodes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QSqlQuery>

// Sign-in, device verification, registration and password recovery.
//
// A computer is known to an account by the device token the client sends.
// signin and getMyDetails refuse an unknown computer; verifyDevice mails a
// code, and registerToken binds the token only when it brings that code
// back ("pincode") and the same computer was refused by a sign-in with the
// right password (or by the details request of verify mode) shortly before,
// so an e-mail address alone is not enough to trust a new computer.
// (Served to clients that still compare the code themselves, verifyDevice
// and forgot return it and a pending code is enough: codesByMailOnly off.)
//
// Guessing is limited (AttemptLimits): an account stops taking passwords
// after a run of wrong ones, and a client address that keeps failing, at
// any account, is refused by every endpoint here that takes a secret or
// tells whether an address is registered.
namespace AccountEndpoints {

namespace {

constexpr int maxEmailLength = 254;
constexpr int maxNameLength = 100;
constexpr int maxPasswordLength = 1024;

// Screen keys that have a background picture (0 to 4).
constexpr int backgroundCount = 5;

// The refusal for a client address that failed too often lately; empty
// when it may go on.
QJsonObject addressRefusal(ServerContext& context)
{
    const qint64 wait = AttemptLimits::addressWait(context.db, context.clientAddress, context.nowSecs());
    return wait > 0 ? AttemptLimits::refusal(wait) : QJsonObject();
}

void recordFailure(ServerContext& context, qint64 userId)
{
    AttemptLimits::recordFailure(context.db, userId, context.clientAddress, context.nowSecs());
}

// An e-mail address that names nobody is a failed guess too: counted
// for the client address, so that it cannot sort addresses at will.
QJsonObject unknownEmail(ServerContext& context, const QString& message)
{
    recordFailure(context, 0);
    return apiFailure(1, message);
}

bool deviceRegistered(QSqlDatabase& db, qint64 userId, const QString& token)
{
    if (token.isEmpty())
        return false;
    QSqlQuery query(db);
    return ApiFields::exec(query, QStringLiteral("SELECT 1 FROM devices WHERE user_id = ? AND token = ?"),
                           {userId, token})
        && query.next();
}

// A computer that a sign-in with the right password (or verify mode's
// details request) found unregistered: the only one registerToken may bind.
void recordClaim(QSqlDatabase& db, qint64 userId, const QString& token, qint64 now)
{
    if (token.isEmpty())
        return;
    QSqlQuery query(db);
    ApiFields::exec(query, QStringLiteral("INSERT INTO device_claims (user_id, token, claimed_at) VALUES (?, ?, ?)"
                                          " ON CONFLICT (user_id, token) DO UPDATE SET claimed_at = excluded.claimed_at"),
                    {userId, token, now});
}

bool recentlyClaimed(QSqlDatabase& db, qint64 userId, const QString& token, qint64 now)
{
    QSqlQuery query(db);
    const qint64 oldest = now - PinCodes::deviceValiditySeconds;
    return ApiFields::exec(query, QStringLiteral("SELECT 1 FROM device_claims"
                                                 " WHERE user_id = ? AND token = ? AND claimed_at >= ?"),
                           {userId, token, oldest})
        && query.next();
}

QJsonArray backgrounds(ServerContext& context)
{
    QJsonArray list;
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("SELECT platform, path FROM backgrounds ORDER BY platform")))
        return list;
    while (query.next()) {
        list.append(QJsonObject{{QStringLiteral("url"), context.fileUrl(query.value(1).toString())},
                                {QStringLiteral("platform"), query.value(0).toString()}});
    }
    return list;
}

// The reply of a successful sign-in or details request. An approved
// member also gets a session (a member the service has not approved is
// told "Not allowed" and goes no further).
QJsonObject signedIn(ServerContext& context, const Members::Member& member)
{
    if (member.approve != QLatin1String("0"))
        context.startSessionFor = member.id;
    const QJsonObject userInfo{{QStringLiteral("approve"), member.approve},
                               {QStringLiteral("user_id"), QString::number(member.id)},
                               {QStringLiteral("username"), member.username},
                               {QStringLiteral("checkDay"), member.checkDay}};
    return apiSuccess({{QStringLiteral("user_info"), userInfo},
                       {QStringLiteral("backgrounds"), backgrounds(context)}});
}

QJsonObject checkVersion(const ApiCall& call, ServerContext& context)
{
    if (!call.has(QStringLiteral("platform")))
        return ApiFields::badField(QStringLiteral("platform"));
    return apiSuccess({{QStringLiteral("version"), context.clientVersion}});
}

QJsonObject signin(const ApiCall& call, ServerContext& context)
{
    if (const QJsonObject refusal = addressRefusal(context); !refusal.isEmpty())
        return refusal;
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return unknownEmail(context, QStringLiteral("Non Exist Email"));
    // Locked: the password is not even looked at, right or wrong.
    if (const qint64 wait = AttemptLimits::accountWait(context.db, member->id, context.nowSecs()); wait > 0)
        return AttemptLimits::refusal(wait);
    const PasswordHash::Stored stored{member->salt, member->passwordHash};
    if (!PasswordHash::matches(call.text(QStringLiteral("password")), stored)) {
        recordFailure(context, member->id);
        return apiFailure(2, QStringLiteral("Password incorrect"));
    }
    AttemptLimits::forgetAccountFailures(context.db, member->id);
    const QString token = call.text(QStringLiteral("deviceToken"));
    if (!deviceRegistered(context.db, member->id, token)) {
        recordClaim(context.db, member->id, token, context.nowSecs());
        return apiFailure(3, QStringLiteral("This computer is not registered"));
    }
    return signedIn(context, *member);
}

QJsonObject getMyDetails(const ApiCall& call, ServerContext& context)
{
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return apiFailure(1, QStringLiteral("Non Exist Email"));
    const QString token = call.text(QStringLiteral("deviceToken"));
    if (!deviceRegistered(context.db, member->id, token)) {
        // Verify mode follows: the client knows the password it stored.
        recordClaim(context.db, member->id, token, context.nowSecs());
        return apiFailure(2, QStringLiteral("This computer is not registered"));
    }
    return signedIn(context, *member);
}

QJsonObject verifyDevice(const ApiCall& call, ServerContext& context)
{
    if (const QJsonObject refusal = addressRefusal(context); !refusal.isEmpty())
        return refusal;
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return unknownEmail(context, QStringLiteral("Non Exist Email"));
    const QString code = PinCodes::issue(context.db, member->id, member->email, PinCodes::Purpose::Device,
                                         context.nowSecs());
    if (code.isEmpty())
        return ApiFields::storageError();
    if (context.codesByMailOnly)
        return apiSuccess();
    return apiSuccess({{QStringLiteral("pincode"), code}});
}

// The refusal for a code the member typed, or an empty object when the
// code is right (or, for older clients, when one is pending).
QJsonObject codeRefusal(const ApiCall& call, ServerContext& context, qint64 userId, PinCodes::Purpose purpose,
                        const QString& noneMessage)
{
    if (!context.codesByMailOnly) {
        if (!PinCodes::hasPending(context.db, userId, purpose, context.nowSecs()))
            return apiFailure(3, noneMessage);
        return {};
    }
    switch (PinCodes::check(context.db, userId, purpose, call.text(QStringLiteral("pincode")), context.nowSecs())) {
    case PinCodes::Check::Accepted:
        return {};
    case PinCodes::Check::NonePending:
        return apiFailure(3, noneMessage);
    case PinCodes::Check::Wrong:
        // For the address only: the account's own count is of passwords.
        recordFailure(context, 0);
        break;
    }
    return apiFailure(4, QStringLiteral("Pincode incorrect."));
}

QJsonObject registerToken(const ApiCall& call, ServerContext& context)
{
    if (const QJsonObject refusal = addressRefusal(context); !refusal.isEmpty())
        return refusal;
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return unknownEmail(context, QStringLiteral("Non Exist Email"));
    const QString token = call.text(QStringLiteral("deviceToken"));
    if (token.isEmpty() || token.size() > maxNameLength * 4)
        return apiFailure(2, QStringLiteral("No device token"));
    // Already bound (a normal sign-in re-registers): nothing to verify.
    if (deviceRegistered(context.db, member->id, token))
        return apiSuccess();
    if (context.codesByMailOnly && !recentlyClaimed(context.db, member->id, token, context.nowSecs()))
        return apiFailure(3, QStringLiteral("Sign in on this computer first"));
    const QJsonObject refusal = codeRefusal(call, context, member->id, PinCodes::Purpose::Device,
                                            QStringLiteral("Verify this computer first"));
    if (!refusal.isEmpty())
        return refusal;

    QSqlQuery query(context.db);
    if (!ApiFields::beginWrite(context.db))
        return ApiFields::storageError();
    const bool bound = ApiFields::exec(query, QStringLiteral("INSERT INTO devices (user_id, token, device_type)"
                                                             " VALUES (?, ?, ?) ON CONFLICT DO NOTHING"),
                                       {member->id, token, call.text(QStringLiteral("deviceType"))});
    if (bound) {
        PinCodes::clear(context.db, member->id, PinCodes::Purpose::Device);
        ApiFields::exec(query, QStringLiteral("DELETE FROM device_claims WHERE user_id = ?"), {member->id});
    }
    if (!bound || !context.db.commit()) {
        context.db.rollback();
        return ApiFields::storageError();
    }
    return apiSuccess();
}

QJsonObject signup(const ApiCall& call, ServerContext& context)
{
    const QString email = call.text(QStringLiteral("email")).trimmed();
    const QString password = call.text(QStringLiteral("password"));
    const QString username = call.text(QStringLiteral("username")).trimmed();
    if (email.isEmpty() || password.isEmpty() || username.isEmpty())
        return apiFailure(2, QStringLiteral("Name, e-mail and password are required"));
    if (email.size() > maxEmailLength || !email.contains(QLatin1Char('@')) || username.size() > maxNameLength
        || password.size() > maxPasswordLength)
        return apiFailure(3, QStringLiteral("Invalid name, e-mail or password"));
    if (Members::byEmail(context.db, email))
        return apiFailure(1, QStringLiteral("This e-mail is already registered"));

    const PasswordHash::Stored stored = PasswordHash::create(password);
    QSqlQuery query(context.db);
    if (!ApiFields::exec(query, QStringLiteral("INSERT INTO users (email, username, password_hash, salt, approve, check_day)"
                                               " VALUES (?, ?, ?, ?, '1', ?) RETURNING id"),
                         {email, username, stored.hash, stored.salt, Members::nextCheckDay()})
        || !query.next()) {
        // The unique e-mail index also refuses a twin registered meanwhile.
        if (Members::byEmail(context.db, email))
            return apiFailure(1, QStringLiteral("This e-mail is already registered"));
        return ApiFields::storageError();
    }
    return apiSuccess({{QStringLiteral("user_id"), QString::number(query.value(0).toLongLong())}});
}

QJsonObject forgot(const ApiCall& call, ServerContext& context)
{
    if (const QJsonObject refusal = addressRefusal(context); !refusal.isEmpty())
        return refusal;
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return unknownEmail(context, QStringLiteral("Email doesn't exist."));
    const QString code = PinCodes::issue(context.db, member->id, member->email, PinCodes::Purpose::Password,
                                         context.nowSecs());
    if (code.isEmpty())
        return ApiFields::storageError();
    if (context.codesByMailOnly)
        return apiSuccess();
    return apiSuccess({{QStringLiteral("pincode"), code}});
}

QJsonObject setPassword(const ApiCall& call, ServerContext& context)
{
    if (const QJsonObject refusal = addressRefusal(context); !refusal.isEmpty())
        return refusal;
    const auto member = Members::byEmail(context.db, call.text(QStringLiteral("email")));
    if (!member)
        return unknownEmail(context, QStringLiteral("Email doesn't exist."));
    const QString password = call.text(QStringLiteral("password"));
    if (password.isEmpty() || password.size() > maxPasswordLength)
        return apiFailure(2, QStringLiteral("Invalid password"));
    // Only the member who received the mailed code may choose a new
    // password, and only once.
    const QJsonObject refusal = codeRefusal(call, context, member->id, PinCodes::Purpose::Password,
                                            QStringLiteral("No password reset was requested"));
    if (!refusal.isEmpty())
        return refusal;

    const PasswordHash::Stored stored = PasswordHash::create(password);
    QSqlQuery query(context.db);
    if (!ApiFields::beginWrite(context.db))
        return ApiFields::storageError();
    const bool updated = ApiFields::exec(query, QStringLiteral("UPDATE users SET password_hash = ?, salt = ? WHERE id = ?"),
                                         {stored.hash, stored.salt, member->id});
    if (updated)
        PinCodes::clear(context.db, member->id, PinCodes::Purpose::Password);
    if (!updated || !context.db.commit()) {
        context.db.rollback();
        return ApiFields::storageError();
    }
    return apiSuccess();
}

bool addMember(QSqlDatabase& db, qint64 id, const QString& email, const QString& password,
               const QString& username, const QString& approve)
{
    const PasswordHash::Stored stored = PasswordHash::create(password);
    QSqlQuery query(db);
    return ApiFields::exec(query, QStringLiteral("INSERT INTO users (id, email, username, password_hash, salt, approve, check_day)"
                                                 " VALUES (?, ?, ?, ?, ?, ?, ?)"),
                           {id, email, username, stored.hash, stored.salt, approve,
                            QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))});
}

} // namespace

void addDemoData(ServerContext& context)
{
    QSqlDatabase& db = context.db;
    ApiFields::beginWrite(db);
    // The demo member has no registered computer, so the first sign-in
    // goes through the device verification.
    addMember(db, 1, QStringLiteral("demo@olva.local"), QStringLiteral("olva-demo-2026"),
              QStringLiteral("Demo Member"), QStringLiteral("1"));
    // An account the service has not approved: its sign-in says "Not allowed".
    addMember(db, 2, QStringLiteral("pending@olva.local"), QStringLiteral("olva-demo-2026"),
              QStringLiteral("Pending Member"), QStringLiteral("0"));
    // Friends of the demo member who have joined.
    addMember(db, 3, QStringLiteral("maya.lindqvist@olva.local"), QStringLiteral("olva-demo-2026"),
              QStringLiteral("Maya Lindqvist"), QStringLiteral("1"));
    addMember(db, 4, QStringLiteral("tomas.okafor@olva.local"), QStringLiteral("olva-demo-2026"),
              QStringLiteral("Tomas Okafor"), QStringLiteral("1"));
    QSqlQuery query(db);
    for (int key = 0; key < backgroundCount; ++key) {
        const QString path = QStringLiteral("backgrounds/background_%1.jpg").arg(key);
        if (DemoMedia::drawBackground(context.filesDir, path, QSize(1920, 1080), DemoMedia::paletteColor(key + 2),
                                      quint32(key + 1))) {
            ApiFields::exec(query, QStringLiteral("INSERT INTO backgrounds (platform, path) VALUES (?, ?)"
                                                  " ON CONFLICT (platform) DO UPDATE SET path = excluded.path"),
                            {key, path});
        }
    }
    db.commit();

    // The installer offered when --client-version differs from the client's.
    QFile installer(context.filesDir + QStringLiteral("/apps/OlvaApp_%1.exe").arg(context.clientVersion));
    QDir().mkpath(QFileInfo(installer).absolutePath());
    if (installer.open(QIODevice::WriteOnly))
        installer.write(QByteArray("OLVA demo installer placeholder ") + context.clientVersion.toUtf8() + '\n');
}

void registerAll(EndpointTable& table)
{
    table.add(QStringLiteral("checkVersion"), checkVersion);
    table.add(QStringLiteral("signin"), signin);
    table.add(QStringLiteral("getMyDetails"), getMyDetails);
    table.add(QStringLiteral("verifyDevice"), verifyDevice);
    table.add(QStringLiteral("registerToken"), registerToken);
    table.add(QStringLiteral("signup"), signup);
    table.add(QStringLiteral("forgot"), forgot);
    table.add(QStringLiteral("setPassword"), setPassword);
}

} // namespace AccountEndpoints
