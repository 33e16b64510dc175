#pragma once

#include "server/endpoints.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerResponder>

// How olva-server is started (see main.cpp for the command line).
struct ServerOptions
{
    QString dbPath;
    QString filesDir;
    QString clientVersion = QStringLiteral("1.0.3");
    bool demo = false;
    // Demo videos are rendered with ffmpeg; tests switch this off for speed
    // and get small placeholder files instead.
    bool demoVideos = true;
    // Base of the URLs in replies; empty: "http://127.0.0.1:<port>".
    QString publicBaseUrl;
};

// The HTTP side of olva-server: form POSTs under "/api/<endpoint>" go to the
// endpoint table, GET and HEAD under "/uploadfiles/" are served from the
// files folder with byte ranges. Everything runs on the thread that owns it.
class ApiServer final : public QAbstractHttpServer
{
    Q_OBJECT

public:
    static constexpr qint64 maxBodyBytes = 1024 * 1024;

    explicit ApiServer(QObject* parent = nullptr);
    ~ApiServer() override;

    // Opens the storage (creating tables, filling demo data into an empty
    // database when asked), registers the endpoints and listens. On failure
    // returns false and errorString() says why.
    bool start(const ServerOptions& options, const QHostAddress& address, quint16 port);

    quint16 port() const { return m_port; }
    QString errorString() const { return m_error; }
    ServerContext& context() { return m_context; }
    const EndpointTable& endpoints() const { return m_endpoints; }

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    void handleApiCall(const QString& name, const QHttpServerRequest& request, QTcpSocket* socket);
    void handleFile(const QString& relativePath, const QHttpServerRequest& request, QTcpSocket* socket);
    static void replyJson(QHttpServerResponder& responder, const QJsonObject& reply,
                          QHttpServerResponder::StatusCode status);
    static void replyStatus(QHttpServerResponder& responder, QHttpServerResponder::StatusCode status,
                            const QString& message);

    ServerContext m_context;
    EndpointTable m_endpoints;
    QString m_connectionName;
    quint16 m_port = 0;
    QString m_error;
};
