#include "server/engine/guardedtcpserver.h"

#include <QTcpSocket>

#include <memory>

void GuardedTcpServer::incomingConnection(qintptr socketDescriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    // Replies go out whole at once: with Nagle's algorithm the tail of a
    // reply waits for the client's delayed acknowledgement (~40 ms).
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // Room for a whole catalogue reply, so it is written in one go instead
    // of waiting for the socket to drain.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, 256 * 1024);
    // Connected before the HTTP layer's own handler, so this runs first on
    // every batch of incoming bytes (which the HTTP layer then reads).
    auto unanswered = std::make_shared<qint64>(0);
    connect(socket, &QTcpSocket::readyRead, socket, [socket, unanswered] {
        *unanswered += socket->bytesAvailable();
        if (*unanswered > maxUnansweredBytes)
            socket->abort();
    });
    connect(socket, &QTcpSocket::bytesWritten, socket, [unanswered] { *unanswered = 0; });
    addPendingConnection(socket);
}
