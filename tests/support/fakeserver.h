#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QQueue>
#include <QSharedPointer>
#include <QString>
#include <QUrl>
#include <QUrlQuery>

#include <optional>

class QTcpServer;

// How FakeServer serves one file.
struct FakeServerFileOptions
{
    bool acceptRanges = true;               // send "Accept-Ranges"
    QByteArray acceptRangesValue = "bytes"; // e.g. "Bytes", "none"
    bool honourRange = true;                // answer Range with 206 + Content-Range
    qint64 closeAfterBytes = -1;            // drop a GET's connection after this many body bytes
    bool closeOnce = true;                  // ...only the first time
    qint64 stallAfterBytes = -1;            // stop sending (socket stays open) after this many body bytes
    int headStatus = 200;                   // e.g. 500 to make HEAD fail
    bool headNeverAnswers = false;          // HEAD stalls: no reply at all
    bool lengthByClose = false;             // GET bodies carry no Content-Length; closing ends them
};

// A small HTTP/1.1 server on 127.0.0.1 for the client tests. Replies are
// scripted per path (a FIFO queue, then a default), files can be served with
// byte ranges, and every request is recorded with its headers and body.
// Keep-alive and pipelined requests are answered in order on one connection.
// Paths are compared as they arrive on the wire (percent-encoding kept).
class FakeServer : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray path;                              // without the query, e.g. "/api/signin"
        QByteArray query;                             // text after '?', empty when none
        QList<QPair<QByteArray, QByteArray>> headers; // in arrival order
        QByteArray body;                              // raw body bytes

        // Case-insensitive; empty when absent.
        QByteArray header(const QByteArray& name) const;
        // The body parsed as x-www-form-urlencoded.
        QUrlQuery form() const;
        QString field(const QString& key) const;
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers; // extra headers
        int delayMs = 0;                              // wait before answering
        enum class Mode { Normal, CloseMidBody, NeverAnswer } mode = Mode::Normal;

        static Reply json(const QByteArray& body, int delayMs = 0);
        static Reply error(int status);
        static Reply hang();
        // Headers with the full Content-Length, then half the body, then close.
        static Reply dropMidBody(const QByteArray& body);
    };

    // Declared outside the class so that "= {}" works as a default argument.
    using FileOptions = FakeServerFileOptions;

    explicit FakeServer(QObject* parent = nullptr);
    ~FakeServer() override;

    bool isListening() const;
    quint16 port() const;
    QString hostAndPort() const;        // "127.0.0.1:<port>"
    QUrl url(const QString& path) const; // http://127.0.0.1:<port><path>
    void useAsApiHost();                // points OLVA_API_HOST here

    void enqueue(const QString& path, const Reply& reply);
    void enqueueJson(const QString& endpoint, const QByteArray& json, int delayMs = 0); // "/api/" + endpoint
    void setDefaultReply(const QString& path, const Reply& reply);
    void serveFile(const QString& path, const QByteArray& content, const FileOptions& options = {});
    void serveFileFromDisk(const QString& path, const QString& filePath, const FileOptions& options = {});
    // Answers every request with `reply`, ahead of any script, file or
    // default, until stopAnsweringEverything(); for fault tests that break
    // whatever a window asks for.
    void answerEverything(const Reply& reply);
    void stopAnsweringEverything();

    QList<Request> requests() const;
    QList<Request> requests(const QString& path) const;
    int requestCount(const QString& path) const;
    Request lastRequest(const QString& path) const;
    // Spins the event loop until `path` has seen `count` requests in all.
    bool waitForRequests(const QString& path, int count, int timeoutMs = 5000);
    void clear();

signals:
    void requestReceived(const QByteArray& method, const QByteArray& path);

private:
    class Connection;
    friend class Connection;

    struct ServedFile
    {
        QByteArray content; // used when filePath is empty
        QString filePath;
        FileOptions options;
        bool closeUsed = false;
    };

    void acceptConnections();
    void record(const Request& request);

    QTcpServer* m_listener;
    QList<Request> m_requests;
    QHash<QByteArray, QQueue<Reply>> m_queues;
    QHash<QByteArray, Reply> m_defaults;
    QHash<QByteArray, QSharedPointer<ServedFile>> m_files;
    std::optional<Reply> m_everything;
};
