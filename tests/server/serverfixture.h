#pragma once

#include "server/engine/apiserver.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QNetworkAccessManager>
#include <QPair>
#include <QTemporaryDir>

#include <memory>

// Starts olva-server in-process on a free 127.0.0.1 port with a fresh
// database and files folder, and talks to it over real HTTP the way the
// client does.
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
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ApiServer> m_server;
    std::unique_ptr<QNetworkAccessManager> m_network;
};
