#include "server/engine/apiworker.h"

#include "server/engine/apifields.h"
#include "server/engine/sessions.h"
#include "server/storage/storage.h"

#include <QDebug>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QUrlQuery>

#include <exception>

ApiWorker::ApiWorker(const ServerContext& shared, const QString& fallbackBaseUrl, const QString& dbPath,
                     const QString& connectionName, const EndpointTable& table)
    : m_fixedBaseUrl(shared.publicBaseUrl)
    , m_fallbackBaseUrl(fallbackBaseUrl)
    , m_dbPath(dbPath)
    , m_connectionName(connectionName)
    , m_table(table)
{
    m_context.filesDir = shared.filesDir;
    m_context.clientVersion = shared.clientVersion;
    m_context.sessionsRequired = shared.sessionsRequired;
    m_context.codesByMailOnly = shared.codesByMailOnly;
    m_context.clock = shared.clock;
    m_context.replies = shared.replies;
}

ApiWorker::~ApiWorker()
{
    if (m_context.db.isValid()) {
        m_context.db.close();
        m_context.db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool ApiWorker::ensureOpen()
{
    // Opened here rather than in the constructor: a connection belongs to
    // the thread that opens it.
    if (m_context.db.isOpen())
        return true;
    QString error;
    m_context.db = Storage::open(m_dbPath, m_connectionName, &error);
    if (!m_context.db.isOpen()) {
        qWarning().noquote() << error;
        return false;
    }
    return true;
}

QString ApiWorker::baseUrlForHost(const QByteArray& host)
{
    // A name or IPv4 address, or a bracketed IPv6 address, with an optional
    // port: anything else (spaces, slashes, "@") would let the header
    // rewrite the addresses in the reply into something else.
    static const QRegularExpression plain(QStringLiteral(
        "^(?:[A-Za-z0-9](?:[A-Za-z0-9.-]{0,252})|\\[[0-9A-Fa-f:.]{2,45}\\])(?::[0-9]{1,5})?$"));
    const QString text = QString::fromLatin1(host.trimmed());
    if (text.isEmpty() || !plain.match(text).hasMatch())
        return {};
    return QStringLiteral("http://") + text;
}

QJsonObject ApiWorker::sessionRefusal(const ServerContext& context, const ApiCall& call)
{
    if (!context.sessionsRequired)
        return {};
    // A user_id that is not a number names nobody: the endpoint refuses it
    // as a malformed field (every endpoint reads it the same way).
    const auto userId = call.integer(QStringLiteral("user_id"));
    if (!userId)
        return {};
    if (context.sessionMember == 0)
        return apiFailure(Sessions::refusedCode, QStringLiteral("Please sign in again."));
    if (*userId != context.sessionMember)
        return apiFailure(Sessions::refusedCode, QStringLiteral("Not signed in as this member."));
    return {};
}

static void prepareContext(ServerContext& context, const ApiWorker::Request& request, const QString& fixedBaseUrl,
                           const QString& fallbackBaseUrl)
{
    const QString hostBase = ApiWorker::baseUrlForHost(request.host);
    context.publicBaseUrl = !fixedBaseUrl.isEmpty() ? fixedBaseUrl
        : !hostBase.isEmpty()                       ? hostBase
                                                    : fallbackBaseUrl;
    context.startSessionFor = 0;
    context.sessionMember = 0;
    context.clientAddress = request.clientAddress;
}

std::optional<ApiWorker::Result> ApiWorker::runKept(ServerContext& context, const Endpoint& endpoint,
                                                    const Request& request, const QString& fixedBaseUrl,
                                                    const QString& fallbackBaseUrl)
{
    if (!endpoint.kept)
        return std::nullopt;
    prepareContext(context, request, fixedBaseUrl, fallbackBaseUrl);
    try {
        const ApiCall call(QUrlQuery(QString::fromUtf8(request.body)));
        const QByteArray kept = endpoint.kept(call, context);
        if (kept.isEmpty())
            return std::nullopt;
        // Kept for the member the call names: only their session sees it.
        if (!request.sessionToken.isEmpty())
            context.sessionMember = Sessions::memberOf(context.db, request.sessionToken).value_or(0);
        const QJsonObject refusal = sessionRefusal(context, call);
        Result result;
        result.json = refusal.isEmpty() ? kept : QJsonDocument(refusal).toJson(QJsonDocument::Compact);
        return result;
    } catch (const std::exception& e) {
        qWarning().noquote() << "Endpoint" << request.endpoint << "failed:" << e.what();
        return std::nullopt;
    }
}

ApiWorker::Result ApiWorker::run(ServerContext& context, const Endpoint& endpoint, const Request& request,
                                 const QString& fixedBaseUrl, const QString& fallbackBaseUrl)
{
    Result result;
    prepareContext(context, request, fixedBaseUrl, fallbackBaseUrl);
    try {
        if (!request.sessionToken.isEmpty())
            context.sessionMember = Sessions::memberOf(context.db, request.sessionToken).value_or(0);
        const ApiCall call(QUrlQuery(QString::fromUtf8(request.body)));
        const QJsonObject refusal = sessionRefusal(context, call);
        if (!refusal.isEmpty()) {
            result.json = QJsonDocument(refusal).toJson(QJsonDocument::Compact);
        } else if (endpoint.prepared) {
            result.json = endpoint.prepared(call, context);
        } else {
            QJsonObject reply = endpoint.handler(call, context);
            if (context.startSessionFor > 0 && reply.value(QStringLiteral("result_code")).toInt(-1) == 0) {
                // A sign-in without its session would be refused at the
                // member's next step: report it as the failure it is.
                const QByteArray token = Sessions::start(context.db, context.startSessionFor);
                if (token.isEmpty())
                    reply = ApiFields::storageError();
                else
                    result.setCookie = Sessions::setCookieValue(token);
            }
            result.json = QJsonDocument(reply).toJson(QJsonDocument::Compact);
        }
    } catch (const std::exception& e) {
        qWarning().noquote() << "Endpoint" << request.endpoint << "failed:" << e.what();
        result.httpStatus = 500;
        result.json = QJsonDocument(apiFailure(500, QStringLiteral("Internal error"))).toJson(QJsonDocument::Compact);
    }
    return result;
}

void ApiWorker::handle(quint64 callId, const Request& request)
{
    const Endpoint* endpoint = m_table.find(request.endpoint);
    Result result;
    const auto fail = [&](int httpStatus, const QString& message) {
        result.httpStatus = httpStatus;
        result.json = QJsonDocument(apiFailure(httpStatus, message)).toJson(QJsonDocument::Compact);
    };
    if (!endpoint)
        fail(404, QStringLiteral("Unknown endpoint"));
    else if (!ensureOpen())
        fail(500, QStringLiteral("Storage unavailable"));
    else
        result = run(m_context, *endpoint, request, m_fixedBaseUrl, m_fallbackBaseUrl);
    emit handled(callId, result.json, result.httpStatus, result.setCookie);
}
