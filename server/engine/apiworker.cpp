#include "server/engine/apiworker.h"

#include "server/engine/apifields.h"
#include "server/engine/sessions.h"
#include "server/storage/keptstatements.h"
#include "server/storage/storage.h"

#include <QDebug>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
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
        KeptStatements::forget(m_context.db);
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
    if (m_context.db.isValid()) { // closed after the database went away
        KeptStatements::forget(m_context.db);
        if (m_context.db.open())
            return true;
        qWarning().noquote() << "Cannot reach the database again:" << m_context.db.lastError().databaseText();
        return false;
    }
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
    context.sessionFoodsVersion = 0;
    context.sessionMemberExists = false;
    context.clientAddress = request.clientAddress;
}

// Who the session cookie names, and the version of their foods.
static void readSession(ServerContext& context, const QByteArray& token)
{
    if (token.isEmpty())
        return;
    if (const auto session = Sessions::find(context.db, token)) {
        context.sessionMember = session->userId;
        context.sessionFoodsVersion = session->foodsVersion;
        context.sessionMemberExists = session->memberExists;
    }
}

ApiWorker::Result ApiWorker::run(ServerContext& context, const Endpoint& endpoint, const Request& request,
                                 const QString& fixedBaseUrl, const QString& fallbackBaseUrl)
{
    Result result;
    prepareContext(context, request, fixedBaseUrl, fallbackBaseUrl);
    try {
        readSession(context, request.sessionToken);
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

ApiWorker::Result ApiWorker::runRetried(ServerContext& context, const Endpoint& endpoint, const Request& request,
                                        const QString& fixedBaseUrl, const QString& fallbackBaseUrl)
{
    // A call that lost a deadlock or a busy race was rolled back whole (its
    // statements failed, so nothing of it was kept): running it again is
    // safe, and what a member would otherwise see as a storage error.
    constexpr int attempts = 5;
    Storage::takeRetryableFailure();
    for (int attempt = 1;; ++attempt) {
        Result result = run(context, endpoint, request, fixedBaseUrl, fallbackBaseUrl);
        // Only a call that failed as a whole is run again: one that went
        // through despite a failed side statement must not be repeated.
        const bool failed = result.httpStatus == 500
            || QJsonDocument::fromJson(result.json).object().value(QStringLiteral("result_code")).toInt()
                == ApiFields::storageErrorCode;
        if (!Storage::takeRetryableFailure() || !failed || attempt == attempts)
            return result;
        if (context.db.driver()->hasFeature(QSqlDriver::Transactions))
            QSqlQuery(context.db).exec(QStringLiteral("ROLLBACK"));
        QThread::msleep(QRandomGenerator::global()->bounded(5, 20) * attempt);
    }
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
    else {
        Storage::takeAnyFailure();
        result = runRetried(m_context, *endpoint, request, m_fixedBaseUrl, m_fallbackBaseUrl);
        // A database server that restarted leaves this connection dead: the
        // next call connects anew instead of failing for good.
        if (Storage::takeAnyFailure() && Storage::connectionLost(m_context.db))
            m_context.db.close();
    }
    emit handled(callId, result.json, result.httpStatus, result.setCookie);
}
