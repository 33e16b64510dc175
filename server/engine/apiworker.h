#pragma once

#include "server/engine/endpoints.h"

#include <QByteArray>
#include <QObject>

// Runs endpoint handlers on a thread of its own with its own database
// connection, so that one slow call (a password hash takes tens of
// milliseconds) does not hold up every other connection. Create it, move it
// to its thread, and delete it on that thread (see ApiServer).
class ApiWorker final : public QObject
{
    Q_OBJECT

public:
    // `table` must outlive the worker and stay unchanged while it runs.
    ApiWorker(const ServerContext& shared, const QString& dbPath, const QString& connectionName,
              const EndpointTable& table);
    ~ApiWorker() override;

    // Runs the endpoint with the form body and emits handled() with the
    // JSON text of the reply and its HTTP status.
    void handle(quint64 callId, const QString& endpoint, const QByteArray& body);

signals:
    void handled(quint64 callId, const QByteArray& json, int httpStatus);

private:
    bool ensureOpen();

    ServerContext m_context;
    QString m_dbPath;
    QString m_connectionName;
    const EndpointTable& m_table;
};
