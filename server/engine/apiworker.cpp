#include "server/engine/apiworker.h"

#include "server/storage/storage.h"

#include <QDebug>
#include <QJsonDocument>
#include <QUrlQuery>

#include <exception>

ApiWorker::ApiWorker(const ServerContext& shared, const QString& dbPath, const QString& connectionName,
                     const EndpointTable& table)
    : m_dbPath(dbPath)
    , m_connectionName(connectionName)
    , m_table(table)
{
    m_context.filesDir = shared.filesDir;
    m_context.publicBaseUrl = shared.publicBaseUrl;
    m_context.clientVersion = shared.clientVersion;
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

void ApiWorker::handle(quint64 callId, const QString& endpoint, const QByteArray& body)
{
    const EndpointHandler* handler = m_table.find(endpoint);
    QJsonObject reply;
    int status = 200;
    if (!handler) {
        status = 404;
        reply = apiFailure(status, QStringLiteral("Unknown endpoint"));
    } else if (!ensureOpen()) {
        status = 500;
        reply = apiFailure(status, QStringLiteral("Storage unavailable"));
    } else {
        try {
            reply = (*handler)(ApiCall(QUrlQuery(QString::fromUtf8(body))), m_context);
        } catch (const std::exception& e) {
            qWarning().noquote() << "Endpoint" << endpoint << "failed:" << e.what();
            status = 500;
            reply = apiFailure(status, QStringLiteral("Internal error"));
        }
    }
    emit handled(callId, QJsonDocument(reply).toJson(QJsonDocument::Compact), status);
}
