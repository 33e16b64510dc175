#pragma once

#include "server/engine/apiserver.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QPair>
#include <QTemporaryDir>

#include <memory>

// The database of one server in a test. Where OLVA_TEST_DB names a
// PostgreSQL database (the CTest fixture's throwaway cluster sets it), every
// TestDatabase is a fresh database created next to it, optionally as a copy
// of another, and dropped at the end; otherwise a SQLite file in `folder`.
class TestDatabase final
{
public:
    explicit TestDatabase(const QString& folder, const QString& copyOf = {});
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    static bool onPostgres();
    bool isValid() const { return !m_location.isEmpty(); }
    // What --db takes: the file, or the database's URI.
    QString location() const { return m_location; }

private:
    QString m_location;
    QString m_name; // PostgreSQL only
};

// Starts olva-server in-process on a free 127.0.0.1 port with a fresh
// database and files folder, and talks to it over real HTTP the way the
// client does. Requests keep cookies, so after signIn() or signInAs() every
// request carries that member's session:
//
//     QVERIFY(m_fixture->start(true));
//     QVERIFY(m_fixture->signIn(QStringLiteral("demo@olva.local"), QStringLiteral("olva-demo-2026")));
//     m_fixture->post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), QStringLiteral("1")}});
class ServerFixture final
{
public:
    using Fields = QList<QPair<QString, QString>>;
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    struct Reply
    {
        int status = 0;          // HTTP status; 0 when no answer came
        QByteArray body;
        Headers headers;
        bool timedOut = false;
        QByteArray header(const QByteArray& name) const;
    };

    ServerFixture();
    ~ServerFixture();

    // demo: fill the database with demo data (videos as placeholders).
    bool start(bool demo = false, const QString& clientVersion = QStringLiteral("1.0.3"));
    void stop();
    // Stops the server and starts a new one on the same database and files,
    // as a restart of olva-server would; the session cookie is dropped.
    bool restart();

    // What the next start() uses besides the database, files and version
    // (sessions and code checks, public URL).
    ServerOptions& options() { return m_options; }

    // Signs the member in as the client does, registering this fixture's
    // computer with the mailed code first when the account asks for it;
    // the session cookie is kept for the requests that follow.
    bool signIn(const QString& email, const QString& password,
                const QString& deviceToken = QStringLiteral("FIXTURE-DEVICE"));
    // A session for a member added straight into the database (no
    // password needed).
    bool signInAs(qint64 userId);
    // Forgets the session cookie: the next requests carry none.
    void signOut();
    // For tests of one area's rules that hop between members: post() first
    // signs in as the member its `user_id` field names (when a number).
    void setSessionFollowsUserId(bool follow) { m_sessionFollowsUserId = follow; }
    // The code most recently "mailed" to the member; empty when none.
    QString mailedCode(const QString& email, bool passwordReset = false);

    ApiServer& server() { return *m_server; }
    ServerContext& context() { return m_server->context(); }
    quint16 port() const { return m_server ? m_server->port() : 0; }
    QString baseUrl() const;
    QString filesDir() const;

    // POSTs the fields (form-encoded as the client encodes them) to
    // "/api/<endpoint>" and returns the reply parsed as a JSON object; an
    // empty object when the reply is not one. `status` receives the HTTP status.
    QJsonObject post(const QString& endpoint, const Fields& fields, int* status = nullptr);

    // Any request with a raw body; waits at most `timeoutMs`.
    Reply send(const QByteArray& verb, const QString& path, const QByteArray& body = {},
               const Headers& headers = {}, int timeoutMs = 10000);

    // Form body exactly as the client builds it.
    static QByteArray formBody(const Fields& fields);

private:
    bool startServer(const QString& clientVersion);

    ServerOptions m_options;
    QString m_clientVersion;
    bool m_sessionFollowsUserId = false;
    qint64 m_sessionMember = 0; // whose session the cookie is; -1 unknown
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestDatabase> m_database; // SQLite
    int m_pooled = -1;                        // PostgreSQL: see takePooled()
    QString m_location;                       // what the server's --db is
    std::unique_ptr<ApiServer> m_server;
    std::unique_ptr<QNetworkAccessManager> m_network;
};
