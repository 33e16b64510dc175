#include "fakeserver.h"

#include <QBuffer>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Limits that keep a garbage request from growing the buffers without end.
constexpr qsizetype maxHeaderBytes = 64 * 1024;
constexpr qint64 maxBodyBytes = 256LL * 1024 * 1024;

// File bodies go out in chunks, and only while the socket's write buffer is
// small, so a large file never sits in memory whole.
constexpr qint64 chunkBytes = 64 * 1024;
constexpr qint64 maxPendingWrite = 512 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 416: return "Range Not Satisfiable";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

bool hasHeader(const QList<QPair<QByteArray, QByteArray>>& headers, const QByteArray& name)
{
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The byte range a request asks for, already checked against the length.
struct ByteRange
{
    enum class Kind { Whole, Part, Unsatisfiable } kind = Kind::Whole;
    qint64 first = 0;
    qint64 last = -1;
};

// "bytes=a-b", "bytes=a-" and "bytes=-n". Anything unreadable (other units,
// several ranges, b < a) is ignored and the whole file is sent, as servers do.
ByteRange parseRange(const QByteArray& value, qint64 total)
{
    ByteRange range;
    const QByteArray trimmed = value.trimmed();
    if (!trimmed.toLower().startsWith("bytes="))
        return range;
    const QByteArray rangeSet = trimmed.mid(6).trimmed();
    const qsizetype dash = rangeSet.indexOf('-');
    if (dash < 0 || rangeSet.contains(','))
        return range;
    const QByteArray firstText = rangeSet.left(dash).trimmed();
    const QByteArray lastText = rangeSet.mid(dash + 1).trimmed();

    bool ok = false;
    if (firstText.isEmpty()) {
        const qint64 suffix = lastText.toLongLong(&ok);
        if (!ok || suffix < 0)
            return range;
        if (suffix == 0 || total == 0)
            return {ByteRange::Kind::Unsatisfiable, 0, -1};
        return {ByteRange::Kind::Part, qMax<qint64>(0, total - suffix), total - 1};
    }

    const qint64 first = firstText.toLongLong(&ok);
    if (!ok || first < 0)
        return range;
    qint64 last = total - 1;
    if (!lastText.isEmpty()) {
        last = lastText.toLongLong(&ok);
        if (!ok || last < first)
            return range;
        last = qMin(last, total - 1);
    }
    if (first >= total)
        return {ByteRange::Kind::Unsatisfiable, 0, -1};
    return {ByteRange::Kind::Part, first, last};
}

} // namespace

// One accepted socket. Requests are parsed from the input buffer and answered
// strictly one after the other, which is what keep-alive and pipelining need.
class FakeServer::Connection final : public QObject
{
public:
    Connection(FakeServer* server, QTcpSocket* socket)
        : QObject(server), m_server(server), m_socket(socket)
    {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, &Connection::readInput);
        connect(socket, &QTcpSocket::bytesWritten, this, &Connection::pumpBody);
        connect(socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
        readInput();
    }

private:
    enum class Parse { Incomplete, Bad, Unsupported, Done };

    void readInput()
    {
        m_input += m_socket->readAll();
        processRequests();
    }

    void processRequests()
    {
        if (m_inLoop)
            return;
        m_inLoop = true;
        while (!m_busy && !m_closing) {
            Request request;
            const Parse result = parse(request);
            if (result == Parse::Incomplete)
                break;
            if (result == Parse::Bad || result == Parse::Unsupported) {
                const int status = result == Parse::Bad ? 400 : 501;
                m_closeAfterResponse = true;
                writeHead(status, {}, 0);
                close();
                break;
            }
            m_busy = true;
            m_server->record(request);
            answer(request);
        }
        m_inLoop = false;
    }

    Parse parse(Request& request)
    {
        const qsizetype headerEnd = m_input.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return m_input.size() > maxHeaderBytes ? Parse::Bad : Parse::Incomplete;
        if (headerEnd > maxHeaderBytes)
            return Parse::Bad;

        QList<QByteArray> lines = m_input.left(headerEnd).split('\n');
        for (QByteArray& line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
        }

        const QList<QByteArray> requestLine = lines.takeFirst().split(' ');
        if (requestLine.size() != 3 || requestLine[0].isEmpty() || !requestLine[1].startsWith('/')
            || !requestLine[2].startsWith("HTTP/1.")) {
            return Parse::Bad;
        }
        for (char c : requestLine[0]) {
            if (c < 'A' || c > 'Z')
                return Parse::Bad;
        }
        request.method = requestLine[0];
        const QByteArray& target = requestLine[1];
        const qsizetype question = target.indexOf('?');
        request.path = question < 0 ? target : target.left(question);
        request.query = question < 0 ? QByteArray() : target.mid(question + 1);

        for (const QByteArray& line : std::as_const(lines)) {
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0 || line.left(colon).contains(' '))
                return Parse::Bad;
            request.headers.append({line.left(colon), line.mid(colon + 1).trimmed()});
        }

        if (hasHeader(request.headers, "Transfer-Encoding"))
            return Parse::Unsupported;
        qint64 length = 0;
        if (hasHeader(request.headers, "Content-Length")) {
            bool ok = false;
            length = request.header("Content-Length").toLongLong(&ok);
            if (!ok || length < 0 || length > maxBodyBytes)
                return Parse::Bad;
        }
        const qint64 bodyStart = headerEnd + 4;
        if (m_input.size() < bodyStart + length)
            return Parse::Incomplete;
        request.body = m_input.mid(bodyStart, length);
        m_input.remove(0, bodyStart + length);

        const QByteArray connection = request.header("Connection").toLower();
        const bool http10 = requestLine[2] == "HTTP/1.0";
        m_closeAfterResponse = connection.contains("close") || (http10 && !connection.contains("keep-alive"));
        m_isHead = request.method == "HEAD";
        return Parse::Done;
    }

    void answer(const Request& request)
    {
        if (m_server->m_everything) {
            answerScripted(*m_server->m_everything);
            return;
        }
        const QByteArray& path = request.path;
        auto queue = m_server->m_queues.find(path);
        if (queue != m_server->m_queues.end() && !queue->isEmpty()) {
            answerScripted(queue->dequeue());
        } else if (const auto file = m_server->m_files.value(path)) {
            answerFile(file, request);
        } else if (m_server->m_defaults.contains(path)) {
            answerScripted(m_server->m_defaults.value(path));
        } else {
            answerScripted(Reply::error(404));
        }
    }

    void answerScripted(const Reply& reply)
    {
        if (reply.mode == Reply::Mode::NeverAnswer)
            return; // stays busy: later requests on this socket wait forever too
        if (reply.delayMs > 0)
            QTimer::singleShot(reply.delayMs, this, [this, reply] { writeScripted(reply); });
        else
            writeScripted(reply);
    }

    void writeScripted(const Reply& reply)
    {
        writeHead(reply.status, reply.headers, reply.body.size());
        if (reply.mode == Reply::Mode::CloseMidBody) {
            if (!m_isHead)
                write(reply.body.left(reply.body.size() / 2));
            close();
            return;
        }
        if (!m_isHead)
            write(reply.body);
        finishResponse();
    }

    void answerFile(const QSharedPointer<ServedFile>& file, const Request& request)
    {
        std::unique_ptr<QIODevice> source;
        if (file->filePath.isEmpty()) {
            auto buffer = std::make_unique<QBuffer>();
            buffer->setData(file->content);
            source = std::move(buffer);
        } else {
            source = std::make_unique<QFile>(file->filePath);
        }
        if (!source->open(QIODevice::ReadOnly)) {
            writeHead(500, {}, 0);
            finishResponse();
            return;
        }
        const qint64 total = source->size();
        const FileOptions& options = file->options;

        QList<QPair<QByteArray, QByteArray>> headers{{"Content-Type", "application/octet-stream"}};
        if (options.acceptRanges)
            headers.append(qMakePair(QByteArray("Accept-Ranges"), options.acceptRangesValue));

        if (m_isHead) {
            if (options.headNeverAnswers)
                return; // stays busy: later requests on this socket wait forever too
            if (options.headStatus != 200)
                writeHead(options.headStatus, {}, 0);
            else
                writeHead(200, headers, total);
            finishResponse();
            return;
        }

        ByteRange range;
        const QByteArray rangeHeader = request.header("Range");
        if (options.honourRange && !rangeHeader.isEmpty())
            range = parseRange(rangeHeader, total);

        if (range.kind == ByteRange::Kind::Unsatisfiable) {
            const QByteArray contentRange = "bytes */" + QByteArray::number(total);
            writeHead(416, {qMakePair(QByteArray("Content-Range"), contentRange)}, 0);
            finishResponse();
            return;
        }

        qint64 first = 0;
        qint64 length = total;
        int status = 200;
        if (range.kind == ByteRange::Kind::Part) {
            status = 206;
            first = range.first;
            length = range.last - range.first + 1;
            const QByteArray contentRange = "bytes " + QByteArray::number(range.first) + '-'
                + QByteArray::number(range.last) + '/' + QByteArray::number(total);
            headers.append(qMakePair(QByteArray("Content-Range"), contentRange));
        }
        if (options.lengthByClose)
            m_closeAfterResponse = true; // the close is the only end of the body
        writeHead(status, headers, options.lengthByClose ? -1 : length);

        source->seek(first);
        m_source = std::move(source);
        m_remaining = length;
        m_sent = 0;
        m_stallAt = options.stallAfterBytes;
        m_closeAt = -1;
        if (options.closeAfterBytes >= 0 && !(options.closeOnce && file->closeUsed)) {
            m_closeAt = options.closeAfterBytes;
            file->closeUsed = true;
        }
        pumpBody();
    }

    // Sends the next chunks of a file body while the socket keeps up.
    void pumpBody()
    {
        if (!m_source || m_closing)
            return;
        while (m_remaining > 0 && m_socket->bytesToWrite() < maxPendingWrite) {
            qint64 chunk = qMin(chunkBytes, m_remaining);
            if (m_closeAt >= 0)
                chunk = qMin(chunk, m_closeAt - m_sent);
            if (m_stallAt >= 0)
                chunk = qMin(chunk, m_stallAt - m_sent);
            if (chunk <= 0) {
                if (m_closeAt >= 0 && m_sent >= m_closeAt) {
                    m_source.reset();
                    close();
                }
                return; // stalled: keep the socket open, send nothing more
            }
            const QByteArray data = m_source->read(chunk);
            if (data.isEmpty()) { // the file shrank under us
                m_source.reset();
                close();
                return;
            }
            write(data);
            m_sent += data.size();
            m_remaining -= data.size();
        }
        if (m_remaining == 0) {
            m_source.reset();
            finishResponse();
        }
    }

    void writeHead(int status, const QList<QPair<QByteArray, QByteArray>>& headers, qint64 contentLength)
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reasonPhrase(status) + "\r\n";
        for (const auto& header : headers)
            head += header.first + ": " + header.second + "\r\n";
        if (contentLength >= 0 && !hasHeader(headers, "Content-Length"))
            head += "Content-Length: " + QByteArray::number(contentLength) + "\r\n";
        if (m_closeAfterResponse)
            head += "Connection: close\r\n";
        head += "\r\n";
        write(head);
    }

    void write(const QByteArray& data)
    {
        if (m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->write(data);
    }

    void finishResponse()
    {
        if (m_closeAfterResponse) {
            close();
            return;
        }
        m_busy = false;
        processRequests();
    }

    // Sends what is buffered, then closes; the socket's disconnected() ends us.
    void close()
    {
        m_closing = true;
        m_socket->disconnectFromHost();
    }

    FakeServer* m_server;
    QTcpSocket* m_socket;
    QByteArray m_input;
    bool m_busy = false;
    bool m_inLoop = false;
    bool m_closing = false;
    bool m_closeAfterResponse = false;
    bool m_isHead = false;

    std::unique_ptr<QIODevice> m_source; // file body being sent
    qint64 m_remaining = 0;
    qint64 m_sent = 0;
    qint64 m_closeAt = -1;
    qint64 m_stallAt = -1;
};

QByteArray FakeServer::Request::header(const QByteArray& name) const
{
    for (const auto& header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    }
    return {};
}

QUrlQuery FakeServer::Request::form() const
{
    // Read the body the way the service does: percent-escapes are decoded,
    // a '+' stays a '+' (the client sends spaces and pluses as they are).
    return QUrlQuery(QString::fromUtf8(body));
}

QString FakeServer::Request::field(const QString& key) const
{
    return form().queryItemValue(key, QUrl::FullyDecoded);
}

FakeServer::Reply FakeServer::Reply::json(const QByteArray& body, int delayMs)
{
    Reply reply;
    reply.body = body;
    reply.delayMs = delayMs;
    reply.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
    return reply;
}

FakeServer::Reply FakeServer::Reply::error(int status)
{
    Reply reply;
    reply.status = status;
    return reply;
}

FakeServer::Reply FakeServer::Reply::hang()
{
    Reply reply;
    reply.mode = Mode::NeverAnswer;
    return reply;
}

FakeServer::Reply FakeServer::Reply::dropMidBody(const QByteArray& body)
{
    Reply reply;
    reply.body = body;
    reply.mode = Mode::CloseMidBody;
    return reply;
}

FakeServer::FakeServer(QObject* parent)
    : QObject(parent), m_listener(new QTcpServer(this))
{
    connect(m_listener, &QTcpServer::newConnection, this, &FakeServer::acceptConnections);
    m_listener->listen(QHostAddress::LocalHost, 0);
}

FakeServer::~FakeServer() = default;

bool FakeServer::isListening() const
{
    return m_listener->isListening();
}

quint16 FakeServer::port() const
{
    return m_listener->serverPort();
}

QString FakeServer::hostAndPort() const
{
    return QStringLiteral("127.0.0.1:") + QString::number(port());
}

QUrl FakeServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://") + hostAndPort() + path);
}

void FakeServer::useAsApiHost()
{
    qputenv("OLVA_API_HOST", hostAndPort().toUtf8());
}

void FakeServer::enqueue(const QString& path, const Reply& reply)
{
    m_queues[path.toUtf8()].enqueue(reply);
}

void FakeServer::enqueueJson(const QString& endpoint, const QByteArray& json, int delayMs)
{
    enqueue(QStringLiteral("/api/") + endpoint, Reply::json(json, delayMs));
}

void FakeServer::answerEverything(const Reply& reply)
{
    m_everything = reply;
}

void FakeServer::stopAnsweringEverything()
{
    m_everything.reset();
}

void FakeServer::setDefaultReply(const QString& path, const Reply& reply)
{
    m_defaults.insert(path.toUtf8(), reply);
}

void FakeServer::serveFile(const QString& path, const QByteArray& content, const FileOptions& options)
{
    auto file = QSharedPointer<ServedFile>::create();
    file->content = content;
    file->options = options;
    m_files.insert(path.toUtf8(), file);
}

void FakeServer::serveFileFromDisk(const QString& path, const QString& filePath, const FileOptions& options)
{
    auto file = QSharedPointer<ServedFile>::create();
    file->filePath = filePath;
    file->options = options;
    m_files.insert(path.toUtf8(), file);
}

QList<FakeServer::Request> FakeServer::requests() const
{
    return m_requests;
}

QList<FakeServer::Request> FakeServer::requests(const QString& path) const
{
    const QByteArray key = path.toUtf8();
    QList<Request> matching;
    for (const Request& request : m_requests) {
        if (request.path == key)
            matching.append(request);
    }
    return matching;
}

int FakeServer::requestCount(const QString& path) const
{
    return int(requests(path).size());
}

FakeServer::Request FakeServer::lastRequest(const QString& path) const
{
    const QList<Request> matching = requests(path);
    return matching.isEmpty() ? Request() : matching.last();
}

bool FakeServer::waitForRequests(const QString& path, int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return requestCount(path) >= count; }, timeoutMs);
}

void FakeServer::clear()
{
    m_requests.clear();
    m_queues.clear();
    m_defaults.clear();
    m_files.clear();
    m_everything.reset();
}

void FakeServer::acceptConnections()
{
    while (QTcpSocket* socket = m_listener->nextPendingConnection())
        new Connection(this, socket);
}

void FakeServer::record(const Request& request)
{
    m_requests.append(request);
    emit requestReceived(request.method, request.path);
}
