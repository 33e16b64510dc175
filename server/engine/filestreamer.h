#pragma once

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

// Sends a stretch of a file to a socket a chunk at a time, topping up only
// as the socket drains, so a large video never sits in memory whole. Lives
// as a child of the socket: a dropped connection ends the transfer. With a
// rate, one chunk goes out per tick of a timer instead.
class FileStreamer final : public QObject
{
    Q_OBJECT

public:
    // Takes over `file` (open for reading); sends `length` bytes from
    // `first`, at most `bytesPerSecond` a second when that is above 0.
    static void start(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 first, qint64 length,
                      qint64 bytesPerSecond = 0);

    static constexpr qint64 chunkBytes = 64 * 1024;
    static constexpr qint64 maxQueuedBytes = 256 * 1024;

private:
    FileStreamer(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 remaining, qint64 bytesPerSecond);
    void pump();
    void sendPaced();
    // Queues the next chunk; false when the transfer ended (done or failed).
    bool sendChunk(qint64 bytes);
    void finish();

    QPointer<QTcpSocket> m_socket;
    std::unique_ptr<QFile> m_file;
    qint64 m_remaining = 0;
    qint64 m_chunkBytes = chunkBytes;
    QTimer m_pace;
};
