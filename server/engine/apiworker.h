#pragma once

#include "server/engine/endpoints.h"

#include <QByteArray>
#include <QObject>

// Runs endpoint handlers on a thread of its own with its own database
// connection, so that one slow call (a password hash takes tens of
// milliseconds) does not hold up every other connection. Create it, move it
// to its thread, and delete it on that thread (see ApiServer).
//
// Before a handler runs, the worker finds the member of the call's session
// cookie and refuses a call whose `user_id` names anybody else; after a
// successful sign-in it starts a session and hands back its cookie.
class ApiWorker final : public QObject
{
    Q_OBJECT

public:
    // What the worker needs to know of one request besides its body.
    struct Request
    {
        QString endpoint;
        QByteArray body;
        QByteArray sessionToken; // from the Cookie header; may be empty
        QByteArray host;         // the Host header; may be empty
        QString clientAddress;   // who sent it (see ServerContext)
    };

    struct Result
    {
        QByteArray json;
        int httpStatus = 200;
        QByteArray setCookie; // the Set-Cookie value when a session started
    };

    // `table` must outlive the worker and stay unchanged while it runs.
    // `shared.publicBaseUrl` is the fixed base (--public-url) or empty;
    // `fallbackBaseUrl` is used when a request names no usable Host.
    ApiWorker(const ServerContext& shared, const QString& fallbackBaseUrl, const QString& dbPath,
              const QString& connectionName, const EndpointTable& table);
    ~ApiWorker() override;

    // Runs the endpoint with the form body and emits handled() with the
    // JSON text of the reply, its HTTP status and, when a session started,
    // the value of its Set-Cookie header.
    void handle(quint64 callId, const Request& request);

    // One call with the given context (its database open on this thread):
    // session check, the endpoint, and the session a sign-in starts.
    static Result run(ServerContext& context, const Endpoint& endpoint, const Request& request,
                      const QString& fixedBaseUrl, const QString& fallbackBaseUrl);
    // run(), again (a few times) while it fails only because it lost a race
    // the database reports as retryable (busy, deadlock, serialization).
    static Result runRetried(ServerContext& context, const Endpoint& endpoint, const Request& request,
                             const QString& fixedBaseUrl, const QString& fallbackBaseUrl);

    // "http://" + host when the Host header is a plain host name or address
    // with an optional port; empty otherwise.
    static QString baseUrlForHost(const QByteArray& host);

signals:
    void handled(quint64 callId, const QByteArray& json, int httpStatus, const QByteArray& setCookie);

private:
    bool ensureOpen();
    // The refusal for a call that names a member other than its session's;
    // empty when the call may go ahead.
    static QJsonObject sessionRefusal(const ServerContext& context, const ApiCall& call);

    ServerContext m_context;
    QString m_fixedBaseUrl;
    QString m_fallbackBaseUrl;
    QString m_dbPath;
    QString m_connectionName;
    const EndpointTable& m_table;
};
