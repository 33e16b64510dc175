#include "servicefault.h"

#include "fakeserver.h"

#include <QHostAddress>
#include <QTcpServer>

namespace ServiceFault {

QList<Kind> all()
{
    return {Kind::Refused, Kind::ServerError, Kind::NotJson, Kind::CutShort, Kind::Stall, Kind::UnexpectedCode};
}

QString name(Kind kind)
{
    switch (kind) {
    case Kind::Refused:
        return QStringLiteral("refused");
    case Kind::ServerError:
        return QStringLiteral("HTTP 500");
    case Kind::NotJson:
        return QStringLiteral("not JSON");
    case Kind::CutShort:
        return QStringLiteral("cut short");
    case Kind::Stall:
        return QStringLiteral("stall");
    case Kind::UnexpectedCode:
        return QStringLiteral("unexpected code");
    }
    return {};
}

void apply(Kind kind, FakeServer& server)
{
    switch (kind) {
    case Kind::Refused:
        qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(closedPort()));
        return;
    case Kind::ServerError:
        server.answerEverything(FakeServer::Reply::error(500));
        return;
    case Kind::NotJson:
        server.answerEverything(FakeServer::Reply::json("<html><body><h1>502 Bad Gateway</h1></body></html>"));
        return;
    case Kind::CutShort:
        // Long enough that half of it still looks like the start of a list.
        server.answerEverything(FakeServer::Reply::dropMidBody(
            R"({"result_code":0,"list":[{"id":"1","name":"one"},{"id":"2","name":"two"}],"message":"ok"})"));
        return;
    case Kind::Stall:
        server.answerEverything(FakeServer::Reply::hang());
        return;
    case Kind::UnexpectedCode:
        server.answerEverything(FakeServer::Reply::json(R"({"result_code":977,"message":"Service in maintenance"})"));
        return;
    }
}

void lift(FakeServer& server)
{
    server.stopAnsweringEverything();
    server.useAsApiHost();
}

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace ServiceFault
