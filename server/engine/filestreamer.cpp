#include "server/engine/filestreamer.h"

void FileStreamer::start(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 first, qint64 length)
{
    if (!socket || !file || !file->seek(first))
        return;
    auto* streamer = new FileStreamer(socket, std::move(file), length);
    streamer->pump();
}

FileStreamer::FileStreamer(QTcpSocket* socket, std::unique_ptr<QFile> file, qint64 remaining)
    : QObject(socket)
    , m_socket(socket)
    , m_file(std::move(file))
    , m_remaining(remaining)
{
    connect(socket, &QTcpSocket::bytesWritten, this, &FileStreamer::pump);
}

void FileStreamer::pump()
{
    if (!m_socket)
        return;
    while (m_remaining > 0 && m_socket->bytesToWrite() < maxQueuedBytes) {
        const QByteArray chunk = m_file->read(qMin(chunkBytes, m_remaining));
        if (chunk.isEmpty()) {
            // The file shrank under us: the promised length cannot be kept,
            // so end the connection rather than leave the client waiting.
            m_socket->abort();
            deleteLater();
            return;
        }
        m_socket->write(chunk);
        m_remaining -= chunk.size();
    }
    if (m_remaining <= 0) {
        disconnect(m_socket, nullptr, this, nullptr);
        deleteLater();
    }
}
