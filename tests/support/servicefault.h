#pragma once

#include <QList>
#include <QString>

class FakeServer;

// The ways a request to the service fails, scripted for every request a
// window sends: the test applies one, opens the window, and lifts it again.
namespace ServiceFault {

enum class Kind {
    Refused,        // nothing listens on the API port
    ServerError,    // HTTP 500 with an empty body
    NotJson,        // 200 with an HTML error page
    CutShort,       // the connection closes in the middle of the body
    Stall,          // the request is read, the reply never comes
    UnexpectedCode, // a JSON object whose result_code no window knows
};

QList<Kind> all();
QString name(Kind kind);

// From now on every request to the API fails the way `kind` says.
void apply(Kind kind, FakeServer& server);
// Answers come from the server's scripts again, at the server's address.
void lift(FakeServer& server);

// A port on 127.0.0.1 on which nothing listens.
quint16 closedPort();

} // namespace ServiceFault
