#pragma once

#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>
#include <QUrlQuery>

#include <functional>
#include <memory>
#include <optional>

class ReplyCache;

// What every endpoint group of olva-server shares: the parsed call, the
// storage and file locations, and the table the groups register into.

// One API call: the form fields of the POST body, decoded.
class ApiCall final
{
public:
    explicit ApiCall(const QUrlQuery& form);

    bool has(const QString& key) const;
    // The field's text; empty when absent.
    QString text(const QString& key) const;
    // The field as a whole number; nullopt when absent or not a number.
    std::optional<qint64> integer(const QString& key) const;

private:
    QUrlQuery m_form;
};

// Shared by all endpoint groups of one running server. Each worker thread
// has its own copy; the per-call members are set before every call.
struct ServerContext
{
    QSqlDatabase db;
    QString filesDir;      // on disk: what is served under "/uploadfiles/"
    // Base of the URLs in the reply being built, e.g. "http://127.0.0.1:8618":
    // --public-url when given, otherwise the Host the request was sent to.
    QString publicBaseUrl;
    QString clientVersion; // what checkVersion answers
    // Replies kept between calls, shared by all threads of the server.
    std::shared_ptr<ReplyCache> replies;
    // A call that names a member needs that member's session cookie.
    bool sessionsRequired = true;
    // verifyDevice and forgot only mail their code; registerToken and
    // setPassword must bring it back in "pincode".
    bool codesByMailOnly = true;
    // Seconds since the epoch; tests set it to move time on. Empty: the
    // system clock.
    std::function<qint64()> clock;

    // Per call: the address the request came from (the socket's peer, or
    // the trusted proxy's X-Forwarded-For), for the sign-in limits.
    QString clientAddress;
    // Per call: the member whose session cookie came with it (0: none),
    // and the version of that member's own foods, read with the session
    // (every instance on the database bumps it when it changes their foods).
    qint64 sessionMember = 0;
    qint64 sessionFoodsVersion = 0;
    // Per call: the session's member was found in the same statement, so
    // an endpoint acting for them needs no look-up of its own.
    bool sessionMemberExists = false;
    // Per call: an endpoint sets this to start a session for the member
    // when its reply succeeds (sign-in, details at start-up).
    qint64 startSessionFor = 0;

    // publicBaseUrl + "/uploadfiles/" + relativePath
    QString fileUrl(const QString& relativePath) const;
    // Whether the call may act for the member: it came with their session.
    bool actsFor(qint64 userId) const;
    // Whether the call came with the session of this member, whose row the
    // session's look-up found: a member known without another statement.
    bool knowsSessionMember(qint64 userId) const;
    // clock(), or the system clock when none is set.
    qint64 nowSecs() const;
};

// The reply of a failed call: {"result_code": code, "message": message}.
QJsonObject apiFailure(int code, const QString& message);
// {"result_code": 0} plus the given members.
QJsonObject apiSuccess(const QJsonObject& members = {});

using EndpointHandler = std::function<QJsonObject(const ApiCall&, ServerContext&)>;
// An endpoint whose reply is JSON text already, for replies built from
// parts that are kept serialised (the food catalogue).
using PreparedHandler = std::function<QByteArray(const ApiCall&, ServerContext&)>;

struct Endpoint
{
    EndpointHandler handler;   // set, or
    PreparedHandler prepared;  // this one
};

class EndpointTable final
{
public:
    void add(const QString& name, EndpointHandler handler);
    void addPrepared(const QString& name, PreparedHandler handler);
    const Endpoint* find(const QString& name) const;
    QStringList names() const;

private:
    QHash<QString, Endpoint> m_handlers;
};

// Each group: its demo rows and its endpoints (the tables are made by
// server/storage).
namespace AccountEndpoints {
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace FoodEndpoints {
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace CommunityEndpoints {
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace StoreEndpoints {
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace ServiceEndpoints {
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace WeightEndpoints {
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
