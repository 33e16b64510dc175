#pragma once

#include "server/engine/endpoints.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>

#include <unordered_map>
#include <vector>

class ApiWorker;
class QThread;

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
    // Base of the URLs in replies; empty: the Host each request was sent
    // to (or "http://127.0.0.1:<port>" when it names none).
    QString publicBaseUrl;
    // Calls that name a member need that member's session cookie. Only a
    // server for clients that predate sessions (--legacy-client) turns it off.
    bool requireSessions = true;
    // verifyDevice and forgot keep their code out of the reply, and
    // registerToken and setPassword need it back in "pincode".
    bool codesByMailOnly = true;
    // Files are sent at most this fast (bytes per second; 0: as fast as the
    // connection takes them), so a local demo download shows its progress.
    qint64 filesBytesPerSecond = 0;
    // The reverse proxy in front (nginx): only from this address is the
    // client's address taken from X-Forwarded-For. Null: no proxy trusted.
    QHostAddress trustedProxy;
    // Worker threads, each with a database connection of its own; 0: as
    // many as suit the database (see ApiServer::defaultWorkerCount).
    int workers = 0;
    // Seconds since the epoch, for tests that move time on; empty: the
    // system clock.
    std::function<qint64()> clock;
};

// The HTTP side of olva-server: form POSTs under "/api/<endpoint>" go to the
// endpoint table, GET and HEAD under "/uploadfiles/" are served from the
// files folder with byte ranges. Connections and files are handled on the
// thread that owns the server; endpoint calls run on a few worker threads
// (ApiWorker), each with its own database connection.
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
    // Calls handed to the workers and not answered yet.
    qsizetype callsInProgress() const { return qsizetype(m_pending.size()); }
    qsizetype workerCount() const { return qsizetype(m_workers.size()); }

    // SQLite has one writer and works in-process: a thread per core (2 to
    // 4) keeps it busy. A PostgreSQL call mostly waits for the database
    // server, and its commits wait for the disk: with more of them open at
    // once, one flush of the log makes many commits durable together.
    static int defaultWorkerCount(bool postgres, int cores);
    static constexpr int maxWorkers = 64;
    // Where the next call goes, given each worker's calls in progress: the
    // least busy one, as a call queued behind a slow one (a password hash,
    // a commit waiting for the disk) would wait while others idle. Ties go
    // round by `turn`, so every connection gets used.
    static size_t leastBusyWorker(const std::vector<int>& callsInProgress, size_t turn);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    void handleApiCall(const QString& name, const QHttpServerRequest& request, QTcpSocket* socket);
    QString clientAddress(const QHttpServerRequest& request, const QTcpSocket* socket) const;
    void handleFile(const QString& relativePath, const QHttpServerRequest& request, QTcpSocket* socket);
    void startWorkers(const QString& dbPath, int count);
    void stopWorkers();
    void deliver(quint64 callId, const QByteArray& json, int httpStatus, const QByteArray& setCookie);
    static void writeReply(QTcpSocket* socket, bool closeAfterReply, const QByteArray& json, int httpStatus,
                           const QByteArray& setCookie);
    static void replyJson(QHttpServerResponder& responder, const QJsonObject& reply,
                          QHttpServerResponder::StatusCode status);
    static void replyStatus(QHttpServerResponder& responder, QHttpServerResponder::StatusCode status,
                            const QString& message);

    ServerContext m_context;
    QString m_fixedBaseUrl;
    QString m_fallbackBaseUrl;
    qint64 m_filesBytesPerSecond = 0;
    QHostAddress m_trustedProxy;
    EndpointTable m_endpoints;
    QString m_connectionName;
    quint16 m_port = 0;
    QString m_error;

    struct Worker
    {
        QThread* thread = nullptr;
        ApiWorker* worker = nullptr;
        int callsInProgress = 0;
    };
    std::vector<Worker> m_workers;
    size_t m_nextWorker = 0;

    // Calls handed to a worker, by id: where the reply goes.
    struct PendingCall
    {
        QPointer<QTcpSocket> socket;
        bool closeAfterReply = false;
        size_t worker = 0;
    };
    std::unordered_map<quint64, PendingCall> m_pending;
    quint64 m_nextCallId = 0;
};
