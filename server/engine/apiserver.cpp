#include "server/engine/apiserver.h"

#include "server/engine/apiworker.h"
#include "server/engine/byterange.h"
#include "server/engine/filestreamer.h"
#include "server/engine/guardedtcpserver.h"
#include "server/engine/replycache.h"
#include "server/engine/sessions.h"
#include "server/storage/keptstatements.h"
#include "server/storage/storage.h"
#include "server/store/storepaiditems.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QMimeDatabase>
#include <QSqlDatabase>
#include <QTcpSocket>
#include <QThread>
#include <QUuid>

#include <exception>

using StatusCode = QHttpServerResponder::StatusCode;

namespace {

const QString apiPrefix = QStringLiteral("/api/");
const QString filesPrefix = QStringLiteral("/uploadfiles/");

QByteArray headerValue(const QHttpServerRequest& request, const QByteArray& name)
{
    const auto headers = request.headers();
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    }
    return {};
}

bool isFormBody(const QHttpServerRequest& request)
{
    const QByteArray type = headerValue(request, "Content-Type").trimmed().toLower();
    // No type at all is taken as a form: the body still has to parse as one.
    return type.isEmpty() || type.startsWith("application/x-www-form-urlencoded");
}

// A path below the files folder that cannot climb out of it.
bool isSafeRelativePath(const QString& path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('\\')) || path.contains(QChar(0)))
        return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

// One spelling per client: an IPv4 client of a dual-stack socket shows as
// "::ffff:a.b.c.d" and would otherwise count apart from "a.b.c.d".
QString addressText(const QHostAddress& address)
{
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

} // namespace

ApiServer::ApiServer(QObject* parent)
    : QAbstractHttpServer(parent)
    , m_connectionName(QStringLiteral("olva-server-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_context.replies = std::make_shared<ReplyCache>();
}

ApiServer::~ApiServer()
{
    stopWorkers();
    if (m_context.db.isValid()) {
        KeptStatements::forget(m_context.db);
        m_context.db.close();
        m_context.db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool ApiServer::start(const ServerOptions& options, const QHostAddress& address, quint16 port)
{
    if (!QDir().mkpath(options.filesDir)) {
        m_error = QStringLiteral("Cannot create the files folder %1").arg(options.filesDir);
        return false;
    }
    m_context.filesDir = QDir(options.filesDir).absolutePath();
    m_context.clientVersion = options.clientVersion;
    m_context.sessionsRequired = options.requireSessions;
    m_context.codesByMailOnly = options.codesByMailOnly;
    m_context.clock = options.clock;
    m_trustedProxy = options.trustedProxy;

    QString error;
    m_context.db = Storage::open(options.dbPath, m_connectionName, &error);
    if (!m_context.db.isOpen()) {
        m_error = error;
        return false;
    }
    if (!Storage::prepare(m_context, options.demo, options.demoVideos, &error)) {
        m_error = error;
        return false;
    }
    // Payments left unrecorded for too long while the server was down are
    // voided now rather than at the next purchase.
    StorePaidItems(m_context.db).voidStaleNow();

    AccountEndpoints::registerAll(m_endpoints);
    FoodEndpoints::registerAll(m_endpoints);
    CommunityEndpoints::registerAll(m_endpoints);
    StoreEndpoints::registerAll(m_endpoints);
    ServiceEndpoints::registerAll(m_endpoints);
    WeightEndpoints::registerAll(m_endpoints);

    auto* tcpServer = new GuardedTcpServer(this);
    if (tcpServer->listen(address, port)) {
        bind(tcpServer);
        m_port = tcpServer->serverPort();
    }
    if (m_port == 0) {
        m_error = QStringLiteral("Cannot listen on %1:%2: %3")
                      .arg(address.toString())
                      .arg(port)
                      .arg(tcpServer->errorString());
        return false;
    }
    m_fallbackBaseUrl = QStringLiteral("http://127.0.0.1:%1").arg(m_port);
    m_context.publicBaseUrl = options.publicBaseUrl;
    m_filesBytesPerSecond = options.filesBytesPerSecond;
    while (m_context.publicBaseUrl.endsWith(QLatin1Char('/')))
        m_context.publicBaseUrl.chop(1);
    m_fixedBaseUrl = m_context.publicBaseUrl;
    const bool postgres = Storage::backendOf(m_context.db) == Storage::Backend::Postgres;
    startWorkers(options.dbPath, options.workers > 0 ? qMin(options.workers, maxWorkers)
                                                     : defaultWorkerCount(postgres, QThread::idealThreadCount()));
    return true;
}

int ApiServer::defaultWorkerCount(bool postgres, int cores)
{
    if (!postgres)
        return qBound(2, cores, 4);
    // Sixteen per instance leaves room for six instances within
    // PostgreSQL's default of 100 connections.
    return qBound(16, 4 * cores, 32);
}

size_t ApiServer::leastBusyWorker(const std::vector<int>& callsInProgress, size_t turn)
{
    if (callsInProgress.empty())
        return 0;
    size_t chosen = turn % callsInProgress.size();
    for (size_t i = 1; i < callsInProgress.size() && callsInProgress[chosen] > 0; ++i) {
        const size_t candidate = (turn + i) % callsInProgress.size();
        if (callsInProgress[candidate] < callsInProgress[chosen])
            chosen = candidate;
    }
    return chosen;
}

void ApiServer::startWorkers(const QString& dbPath, int count)
{
    for (int i = 0; i < count; ++i) {
        Worker entry;
        entry.thread = new QThread;
        entry.thread->setObjectName(QStringLiteral("olva-api-%1").arg(i));
        entry.worker = new ApiWorker(m_context, m_fallbackBaseUrl, dbPath, m_connectionName + QStringLiteral("-worker-%1").arg(i),
                                     m_endpoints);
        entry.worker->moveToThread(entry.thread);
        connect(entry.worker, &ApiWorker::handled, this, &ApiServer::deliver);
        entry.thread->start();
        m_workers.push_back(entry);
    }
}

void ApiServer::stopWorkers()
{
    for (Worker& entry : m_workers) {
        // The worker closes its database connection on its own thread.
        ApiWorker* worker = entry.worker;
        QMetaObject::invokeMethod(worker, [worker] { delete worker; }, Qt::BlockingQueuedConnection);
        entry.thread->quit();
        entry.thread->wait();
        delete entry.thread;
    }
    m_workers.clear();
    m_pending.clear();
}

void ApiServer::deliver(quint64 callId, const QByteArray& json, int httpStatus, const QByteArray& setCookie)
{
    const auto it = m_pending.find(callId);
    if (it == m_pending.end())
        return;
    const PendingCall call = it->second;
    m_pending.erase(it);
    if (call.worker < m_workers.size())
        --m_workers[call.worker].callsInProgress;
    if (!call.socket || call.socket->state() != QAbstractSocket::ConnectedState)
        return; // the client went away meanwhile
    writeReply(call.socket, call.closeAfterReply, json, httpStatus, setCookie);
}

void ApiServer::writeReply(QTcpSocket* socket, bool closeAfterReply, const QByteArray& json, int httpStatus,
                           const QByteArray& setCookie)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(httpStatus)
        + (httpStatus == 200 ? QByteArray(" OK") : QByteArray(" Error"))
        + "\r\nContent-Type: application/json; charset=utf-8\r\nContent-Length: " + QByteArray::number(json.size())
        + "\r\n";
    if (!setCookie.isEmpty())
        head += "Set-Cookie: " + setCookie + "\r\n";
    if (closeAfterReply)
        head += "Connection: close\r\n";
    head += "\r\n";
    socket->write(head);
    socket->write(json);
    // Out now rather than at the next turn of the event loop: on a busy
    // machine every extra turn can mean waiting for the CPU again.
    socket->flush();
    if (closeAfterReply)
        socket->disconnectFromHost();
}

bool ApiServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const QString path = request.url().path(QUrl::FullyDecoded);
    if (path.startsWith(apiPrefix)) {
        handleApiCall(path.mid(apiPrefix.size()), request, socket);
        return true;
    }
    if (path.startsWith(filesPrefix)) {
        handleFile(path.mid(filesPrefix.size()), request, socket);
        return true;
    }
    return false; // missingHandler answers
}

void ApiServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    replyStatus(responder, StatusCode::NotFound, QStringLiteral("Not found"));
}

void ApiServer::handleApiCall(const QString& name, const QHttpServerRequest& request, QTcpSocket* socket)
{
    // Refusals are answered here at once; accepted calls are answered by
    // deliver() when a worker has run them, without a responder (one that
    // is never written to must not exist past this function).
    const auto refuse = [&](StatusCode status, const QString& message) {
        QHttpServerResponder responder = makeResponder(request, socket);
        replyStatus(responder, status, message);
    };
    if (request.method() != QHttpServerRequest::Method::Post)
        return refuse(StatusCode::MethodNotAllowed, QStringLiteral("Use POST"));
    const Endpoint* endpoint = m_endpoints.find(name);
    if (!endpoint)
        return refuse(StatusCode::NotFound, QStringLiteral("Unknown endpoint"));
    const QByteArray body = request.body();
    if (body.size() > maxBodyBytes)
        return refuse(StatusCode::PayloadTooLarge, QStringLiteral("Body too large"));
    if (!isFormBody(request))
        return refuse(StatusCode::UnsupportedMediaType, QStringLiteral("Expected a form-encoded body"));
    if (m_workers.empty())
        return refuse(StatusCode::ServiceUnavailable, QStringLiteral("Not started"));

    const bool close = headerValue(request, "Connection").trimmed().toLower() == "close";
    ApiWorker::Request call{name, body,
                            Sessions::tokenFromCookieHeader(headerValue(request, "Cookie")),
                            headerValue(request, "Host"), clientAddress(request, socket)};
    std::vector<int> load;
    load.reserve(m_workers.size());
    for (const Worker& entry : m_workers)
        load.push_back(entry.callsInProgress);
    const size_t chosen = leastBusyWorker(load, m_nextWorker++);
    ++m_workers[chosen].callsInProgress;
    const quint64 callId = ++m_nextCallId;
    m_pending.emplace(callId, PendingCall{QPointer<QTcpSocket>(socket), close, chosen});
    ApiWorker* worker = m_workers[chosen].worker;
    QMetaObject::invokeMethod(worker, [worker, callId, call = std::move(call)] { worker->handle(callId, call); },
                              Qt::QueuedConnection);
}

QString ApiServer::clientAddress(const QHttpServerRequest& request, const QTcpSocket* socket) const
{
    const QHostAddress peer = socket->peerAddress();
    if (m_trustedProxy.isNull() || !peer.isEqual(m_trustedProxy, QHostAddress::TolerantConversion))
        return addressText(peer);
    // The proxy appends the address it was connected from: the last entry
    // is the only one it vouches for; earlier ones the client may have
    // written itself.
    const QByteArray forwarded = headerValue(request, "X-Forwarded-For");
    const QHostAddress client(QString::fromLatin1(forwarded.mid(forwarded.lastIndexOf(',') + 1).trimmed()));
    return addressText(client.isNull() ? peer : client);
}

void ApiServer::handleFile(const QString& relativePath, const QHttpServerRequest& request, QTcpSocket* socket)
{
    QHttpServerResponder responder = makeResponder(request, socket);
    const auto method = request.method();
    const bool head = method == QHttpServerRequest::Method::Head;
    if (method != QHttpServerRequest::Method::Get && !head) {
        replyStatus(responder, StatusCode::MethodNotAllowed, QStringLiteral("Use GET or HEAD"));
        return;
    }
    if (!isSafeRelativePath(relativePath)) {
        replyStatus(responder, StatusCode::NotFound, QStringLiteral("Not found"));
        return;
    }
    // Symbolic links may not lead outside the files folder either.
    const QString root = QFileInfo(m_context.filesDir).canonicalFilePath() + QLatin1Char('/');
    const QFileInfo info(m_context.filesDir + QLatin1Char('/') + relativePath);
    const QString canonical = info.canonicalFilePath();
    if (!info.isFile() || canonical.isEmpty() || !canonical.startsWith(root)) {
        replyStatus(responder, StatusCode::NotFound, QStringLiteral("Not found"));
        return;
    }
    auto file = std::make_unique<QFile>(canonical);
    if (!file->open(QIODevice::ReadOnly)) {
        replyStatus(responder, StatusCode::Forbidden, QStringLiteral("Not readable"));
        return;
    }

    const qint64 size = file->size();
    const ByteRange range = ByteRange::parse(headerValue(request, "Range"), size);
    if (range.kind == ByteRange::Kind::Unsatisfiable) {
        responder.writeStatusLine(StatusCode::RequestRangeNotSatisfiable);
        responder.writeHeader("Content-Range", "bytes */" + QByteArray::number(size));
        responder.writeHeader("Accept-Ranges", "bytes");
        responder.writeHeader("Content-Length", "0");
        responder.writeBody("", 0);
        return;
    }

    const bool partial = range.kind == ByteRange::Kind::Partial;
    const qint64 first = partial ? range.first : 0;
    const qint64 length = partial ? range.length() : size;
    static const QMimeDatabase mimeDatabase;
    const QByteArray mimeType = mimeDatabase.mimeTypeForFile(info, QMimeDatabase::MatchExtension).name().toLatin1();

    responder.writeStatusLine(partial ? StatusCode::PartialContent : StatusCode::Ok);
    responder.writeHeader("Content-Type", mimeType);
    responder.writeHeader("Content-Length", QByteArray::number(length));
    responder.writeHeader("Accept-Ranges", "bytes");
    responder.writeHeader("Last-Modified",
                          QLocale::c().toString(info.lastModified().toUTC(),
                                                QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'")).toLatin1());
    if (partial) {
        responder.writeHeader("Content-Range", "bytes " + QByteArray::number(range.first) + '-'
                                                   + QByteArray::number(range.last) + '/'
                                                   + QByteArray::number(size));
    }
    responder.writeBody("", 0); // ends the header block
    if (head || length == 0)
        return;
    FileStreamer::start(socket, std::move(file), first, length, m_filesBytesPerSecond);
}

void ApiServer::replyJson(QHttpServerResponder& responder, const QJsonObject& reply, StatusCode status)
{
    responder.write(QJsonDocument(reply).toJson(QJsonDocument::Compact),
                    {{"Content-Type", "application/json; charset=utf-8"}}, status);
}

void ApiServer::replyStatus(QHttpServerResponder& responder, StatusCode status, const QString& message)
{
    replyJson(responder, apiFailure(int(status), message), status);
}
