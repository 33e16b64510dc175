#pragma once

#include <QTcpServer>

// The listening socket of olva-server. The HTTP layer reads a whole request
// body into memory before the server sees it, so this drops a connection
// that sends more than `maxUnansweredBytes` without getting any answer: a
// client streaming an endless body cannot exhaust memory. Bodies up to that
// size still reach the server, which refuses those over 1 MiB with 413.
class GuardedTcpServer final : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr qint64 maxUnansweredBytes = 4 * 1024 * 1024;

    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr socketDescriptor) override;
};
