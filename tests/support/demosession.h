#pragma once

#include "serverfixture.h"

#include <QPointer>
#include <QString>

class MainWindow;

// Gives the client's process-wide session cookie a fresh session of member
// `userId` on `server` (the member may have been added straight into its
// database) and makes it the current member, as a successful sign-in does.
// For tests that run their own olva-server rather than a DemoSession.
bool signInClientAs(ServerFixture& server, qint64 userId);

// A signed-in demo member against a real olva-server, for tests that drive
// a feature's windows like a person.
//
// start() starts olva-server in-process with the demo data on a free
// 127.0.0.1 port and points the client at it (OLVA_API_HOST). Then either
//
//   - signInThroughLogin(): the real login dialog, typed into and clicked
//     like a person. The server does not know this computer, so it asks for
//     the mailed code; the code is read from the server's outbox (as the
//     member would read the mail) and typed into the code dialog. The
//     accepted dialog has filled the account state and the settings stores
//     exactly as the program does.
//   - signInQuick(): the same requests over the client's own Server, without
//     any dialog, filling the account state as the login does. For tests that
//     only need a signed-in member.
//
// showMainWindow() then shows the real MainWindow (feature windows
// registered, busy overlay created, as start-up does), so a test can click
// its buttons:
//
//   void initTestCase() {
//       TestEnvironment::isolate();          // before anything touches settings
//       QVERIFY(m_demo.start());
//       QVERIFY(m_demo.signInThroughLogin());
//       m_window = m_demo.showMainWindow();
//   }
//
// The demo member: email(), password(); the server: server() (ServerFixture,
// for direct posts and the database). Keep one DemoSession per test
// process: the main window is a process-wide instance.
class DemoSession final
{
public:
    static QString email() { return QStringLiteral("demo@olva.local"); }
    static QString password() { return QStringLiteral("olva-demo-2026"); }

    DemoSession();
    ~DemoSession();

    // Starts the demo server and points the client at it.
    bool start();
    ServerFixture& server() { return m_server; }

    // Signs the demo member in through the login dialog (see above). False,
    // with a warning saying where it stopped, when the dialog did not accept
    // within `timeoutMs`.
    bool signInThroughLogin(int timeoutMs = 20000);
    // Signs in over Server and fills the account state and settings stores as
    // the login dialog does.
    bool signInQuick(int timeoutMs = 15000);
    // Signs in `email` / `password` the same quick way (any member).
    bool signInQuickAs(const QString& email, const QString& password, int timeoutMs = 15000);

    // The newest code mailed to `email`; empty when none.
    QString mailedCode(const QString& email) const;

    // Registers the feature windows (once), creates the busy overlay and
    // shows the main window maximised. The window stays the process's one
    // main window.
    MainWindow* showMainWindow();

private:
    ServerFixture m_server;
};
