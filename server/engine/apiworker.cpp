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

QJsonObject ApiWorker::sessionRefusal(const ApiCall& call) const
{
    if (!m_context.sessionsRequired)
        return {};
    // A user_id that is not a number names nobody: the endpoint refuses it
    // as a malformed field (every endpoint reads it the same way).
    const auto userId = call.integer(QStringLiteral("user_id"));
    if (!userId)
        return {};
    if (m_context.sessionMember == 0)
        return apiFailure(Sessions::refusedCode, QStringLiteral("Please sign in again."));
    if (*userId != m_context.sessionMember)
        return apiFailure(Sessions::refusedCode, QStringLiteral("Not signed in as this member."));
    return {};
}

void ApiWorker::handle(quint64 callId, const Request& request)
{
    const Endpoint* endpoint = m_table.find(request.endpoint);
    QByteArray json;
    QByteArray setCookie;
    int status = 200;
    const auto fail = [&](int httpStatus, const QString& message) {
        status = httpStatus;
        json = QJsonDocument(apiFailure(httpStatus, message)).toJson(QJsonDocument::Compact);
    };
    if (!endpoint) {
        fail(404, QStringLiteral("Unknown endpoint"));
    } else if (!ensureOpen()) {
        fail(500, QStringLiteral("Storage unavailable"));
    } else {
        const QString hostBase = baseUrlForHost(request.host);
        m_context.publicBaseUrl = !m_fixedBaseUrl.isEmpty() ? m_fixedBaseUrl
            : !hostBase.isEmpty()                           ? hostBase
                                                            : m_fallbackBaseUrl;
        m_context.startSessionFor = 0;
        m_context.sessionMember = 0;
        try {
            if (!request.sessionToken.isEmpty())
                m_context.sessionMember = Sessions::memberOf(m_context.db, request.sessionToken).value_or(0);
            const ApiCall call(QUrlQuery(QString::fromUtf8(request.body)));
            const QJsonObject refusal = sessionRefusal(call);
            if (!refusal.isEmpty()) {
                json = QJsonDocument(refusal).toJson(QJsonDocument::Compact);
            } else if (endpoint->prepared) {
                json = endpoint->prepared(call, m_context);
            } else {
                QJsonObject reply = endpoint->handler(call, m_context);
                if (m_context.startSessionFor > 0 && reply.value(QStringLiteral("result_code")).toInt(-1) == 0) {
                    // A sign-in without its session would be refused at the
                    // member's next step: report it as the failure it is.
                    const QByteArray token = Sessions::start(m_context.db, m_context.startSessionFor);
                    if (token.isEmpty())
                        reply = ApiFields::storageError();
                    else
                        setCookie = Sessions::setCookieValue(token);
                }
                json = QJsonDocument(reply).toJson(QJsonDocument::Compact);
            }
        } catch (const std::exception& e) {
            qWarning().noquote() << "Endpoint" << request.endpoint << "failed:" << e.what();
            fail(500, QStringLiteral("Internal error"));
        }
    }
    emit handled(callId, json, status, setCookie);
}
