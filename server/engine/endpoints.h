#pragma once

#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>
#include <QUrlQuery>

#include <functional>
#include <optional>

// What every endpoint group of olva-server shares: the parsed call, the
// storage and file locations, and the table the groups register into.

// One API call: the form fields of the POST body, decoded.
class ApiCall final
{
public:
    explicit ApiCall(const QUrlQuery& form);

    bool has(const QString& key) const;
    // The field's text; empty when absent.
    QString text(const QString& key) const;
    // The field as a whole number; nullopt when absent or not a number.
    std::optional<qint64> integer(const QString& key) const;

private:
    QUrlQuery m_form;
};

// Shared by all endpoint groups of one running server.
struct ServerContext
{
    QSqlDatabase db;
    QString filesDir;      // on disk: what is served under "/uploadfiles/"
    QString publicBaseUrl; // e.g. "http://127.0.0.1:8618", for URLs in replies
    QString clientVersion; // what checkVersion answers

    // publicBaseUrl + "/uploadfiles/" + relativePath
    QString fileUrl(const QString& relativePath) const;
};

// The reply of a failed call: {"result_code": code, "message": message}.
QJsonObject apiFailure(int code, const QString& message);
// {"result_code": 0} plus the given members.
QJsonObject apiSuccess(const QJsonObject& members = {});

using EndpointHandler = std::function<QJsonObject(const ApiCall&, ServerContext&)>;

class EndpointTable final
{
public:
    void add(const QString& name, EndpointHandler handler);
    const EndpointHandler* find(const QString& name) const;
    QStringList names() const;

private:
    QHash<QString, EndpointHandler> m_handlers;
};

// Each group: its tables, its demo rows, its endpoints.
namespace AccountEndpoints {
void createSchema(QSqlDatabase& db);
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace FoodEndpoints {
void createSchema(QSqlDatabase& db);
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace CommunityEndpoints {
void createSchema(QSqlDatabase& db);
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace StoreEndpoints {
void createSchema(QSqlDatabase& db);
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
namespace ServiceEndpoints {
void createSchema(QSqlDatabase& db);
void addDemoData(ServerContext& context);
void registerAll(EndpointTable& table);
}
