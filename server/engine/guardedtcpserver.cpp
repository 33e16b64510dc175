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
