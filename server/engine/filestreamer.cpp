#include "server/engine/filestreamer.h"

#include <algorithm>

void FileStreamer::start(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 first, qint64 length,
                         qint64 bytesPerSecond)
{
    if (!socket || !file || !file->seek(first))
        return;
    auto* streamer = new FileStreamer(socket, std::move(file), length, bytesPerSecond);
    if (bytesPerSecond > 0)
        streamer->sendPaced();
    else
        streamer->pump();
}

FileStreamer::FileStreamer(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 remaining, qint64 bytesPerSecond)
    : QObject(socket)
    , m_socket(socket)
    , m_file(std::move(file))
    , m_remaining(remaining)
    , m_pace(this)
{
    if (bytesPerSecond <= 0) {
        connect(socket, &QTcpSocket::bytesWritten, this, &FileStreamer::pump);
        return;
    }
    // Ten ticks a second keep the pace even without big bursts.
    m_chunkBytes = std::clamp<qint64>(bytesPerSecond / 10, 1, chunkBytes);
    m_pace.setInterval(int(std::max<qint64>(1, m_chunkBytes * 1000 / bytesPerSecond)));
    connect(&m_pace, &QTimer::timeout, this, &FileStreamer::sendPaced);
    m_pace.start();
}

void FileStreamer::pump()
{
    while (m_remaining > 0 && m_socket && m_socket->bytesToWrite() < maxQueuedBytes) {
        if (!sendChunk(chunkBytes))
            return;
    }
    if (m_remaining <= 0 || !m_socket)
        finish();
}

void FileStreamer::sendPaced()
{
    if (!m_socket) {
        finish();
        return;
    }
    // A reader slower than the pace holds the queue: wait for it to drain.
    if (m_socket->bytesToWrite() < maxQueuedBytes && !sendChunk(m_chunkBytes))
        return;
    if (m_remaining <= 0)
        finish();
}

bool FileStreamer::sendChunk(qint64 bytes)
{
    const QByteArray chunk = m_file->read(qMin(bytes, m_remaining));
    if (chunk.isEmpty()) {
        // The file shrank under us: the promised length cannot be kept,
        // so end the connection rather than leave the client waiting.
        m_socket->abort();
        finish();
        return false;
    }
    m_socket->write(chunk);
    m_remaining -= chunk.size();
    return true;
}

void FileStreamer::finish()
{
    m_pace.stop();
    if (m_socket)
        disconnect(m_socket, nullptr, this, nullptr);
    deleteLater();
}
