#include "server/engine/endpoints.h"

#include <QDateTime>

ApiCall::ApiCall(const QUrlQuery& form)
    : m_form(form)
{
}

bool ApiCall::has(const QString& key) const
{
    return m_form.hasQueryItem(key);
}

QString ApiCall::text(const QString& key) const
{
    // Fully decoded: the client percent-encodes "&" and sends "+" as it is,
    // so "+" must stay a plus sign here, not become a space.
    return m_form.queryItemValue(key, QUrl::FullyDecoded);
}

std::optional<qint64> ApiCall::integer(const QString& key) const
{
    if (!has(key))
        return std::nullopt;
    bool ok = false;
    const qint64 value = text(key).trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString ServerContext::fileUrl(const QString& relativePath) const
{
    QString path = relativePath;
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return publicBaseUrl + QStringLiteral("/uploadfiles/") + path;
}

QJsonObject apiFailure(int code, const QString& message)
{
    return QJsonObject{{QStringLiteral("result_code"), code},
                       {QStringLiteral("message"), message}};
}

QJsonObject apiSuccess(const QJsonObject& members)
{
    QJsonObject reply = members;
    reply.insert(QStringLiteral("result_code"), 0);
    return reply;
}

bool ServerContext::actsFor(qint64 userId) const
{
    return !sessionsRequired || (userId > 0 && userId == sessionMember);
}

bool ServerContext::knowsSessionMember(qint64 userId) const
{
    return sessionsRequired && sessionMemberExists && userId > 0 && userId == sessionMember;
}

qint64 ServerContext::nowSecs() const
{
    return clock ? clock() : QDateTime::currentSecsSinceEpoch();
}

void EndpointTable::add(const QString& name, EndpointHandler handler)
{
    m_handlers.insert(name, Endpoint{std::move(handler), {}});
}

void EndpointTable::addPrepared(const QString& name, PreparedHandler handler)
{
    m_handlers.insert(name, Endpoint{{}, std::move(handler)});
}

const Endpoint* EndpointTable::find(const QString& name) const
{
    const auto it = m_handlers.constFind(name);
    return it == m_handlers.constEnd() ? nullptr : &it.value();
}

QStringList EndpointTable::names() const
{
    QStringList list = m_handlers.keys();
    list.sort();
    return list;
}
