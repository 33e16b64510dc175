#pragma once

#include <QFile>
#include <QObject>
#include <QPointer>
#include <QTcpSocket>

#include <memory>

// Sends a stretch of a file to a socket a chunk at a time, topping up only
// as the socket drains, so a large video never sits in memory whole. Lives
// as a child of the socket: a dropped connection ends the transfer.
class FileStreamer final : public QObject
{
    Q_OBJECT

public:
    // Takes over `file` (open for reading); sends `length` bytes from `first`.
    static void start(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 first, qint64 length);

    static constexpr qint64 chunkBytes = 64 * 1024;
    static constexpr qint64 maxQueuedBytes = 256 * 1024;

private:
    FileStreamer(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 remaining);
    void pump();

    QPointer<QTcpSocket> m_socket;
    std::unique_ptr<QFile> m_file;
    qint64 m_remaining = 0;
};
