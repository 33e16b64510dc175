#include "server/storage/databaselocation.h"

#include <QUrl>
#include <QUrlQuery>

namespace {

QString decoded(const QString& text)
{
    return QUrl::fromPercentEncoding(text.toUtf8());
}

// Whether a setting may be passed on to libpq: a plain keyword, and a value
// that cannot break out of QPSQL's "key=value;..." list.
bool plainSetting(const QString& key, const QString& value)
{
    static const QString keyCharacters = QStringLiteral("abcdefghijklmnopqrstuvwxyz_");
    if (key.isEmpty())
        return false;
    for (const QChar c : key) {
        if (!keyCharacters.contains(c))
            return false;
    }
    return !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('\''))
        && !value.contains(QLatin1Char(' '));
}

} // namespace

std::optional<DatabaseLocation> DatabaseLocation::parse(const QString& text, QString* error)
{
    DatabaseLocation location;
    QString rest;
    for (const QString& scheme : {QStringLiteral("postgresql://"), QStringLiteral("postgres://")}) {
        if (text.startsWith(scheme, Qt::CaseInsensitive))
            rest = text.mid(scheme.size());
    }
    if (rest.isNull() && !text.contains(QStringLiteral("://"))) {
        location.sqlitePath = text;
        return location;
    }
    // From here on no message quotes the text: it may carry a password.
    if (rest.isNull()) {
        *error = QStringLiteral("Unsupported database URI: only postgresql:// is known");
        return std::nullopt;
    }
    location.kind = Kind::Postgres;

    QString query;
    const qsizetype queryStart = rest.indexOf(QLatin1Char('?'));
    if (queryStart >= 0) {
        query = rest.mid(queryStart + 1);
        rest.truncate(queryStart);
    }
    const qsizetype pathStart = rest.indexOf(QLatin1Char('/'));
    const QString authority = pathStart >= 0 ? rest.left(pathStart) : rest;
    if (pathStart >= 0)
        location.database = decoded(rest.mid(pathStart + 1));

    const qsizetype at = authority.lastIndexOf(QLatin1Char('@'));
    const QString userInfo = at >= 0 ? authority.left(at) : QString();
    QString hostPort = at >= 0 ? authority.mid(at + 1) : authority;
    const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
    location.user = decoded(colon >= 0 ? userInfo.left(colon) : userInfo);
    if (colon >= 0)
        location.password = decoded(userInfo.mid(colon + 1));

    QString portText;
    if (hostPort.startsWith(QLatin1Char('['))) { // [IPv6]:port
        const qsizetype close = hostPort.indexOf(QLatin1Char(']'));
        if (close < 0) {
            *error = QStringLiteral("Invalid database URI: unclosed [ in the host");
            return std::nullopt;
        }
        location.host = hostPort.mid(1, close - 1);
        if (hostPort.size() > close + 1 && hostPort.at(close + 1) == QLatin1Char(':'))
            portText = hostPort.mid(close + 2);
    } else {
        const qsizetype portColon = hostPort.lastIndexOf(QLatin1Char(':'));
        location.host = decoded(portColon >= 0 ? hostPort.left(portColon) : hostPort);
        if (portColon >= 0)
            portText = hostPort.mid(portColon + 1);
    }

    QStringList options;
    const auto items = QUrlQuery(query).queryItems(QUrl::FullyDecoded);
    for (const auto& [key, value] : items) {
        if (key == QLatin1String("host"))
            location.host = value;
        else if (key == QLatin1String("port"))
            portText = value;
        else if (key == QLatin1String("user"))
            location.user = value;
        else if (key == QLatin1String("password"))
            location.password = value;
        else if (key == QLatin1String("dbname"))
            location.database = value;
        else if (plainSetting(key, value))
            options.append(key + QLatin1Char('=') + value);
        else {
            *error = QStringLiteral("Invalid database URI: unusable setting %1").arg(key);
            return std::nullopt;
        }
    }
    location.options = options.join(QLatin1Char(';'));
    if (!portText.isEmpty()) {
        bool ok = false;
        location.port = portText.toInt(&ok);
        if (!ok || location.port <= 0 || location.port > 65535) {
            *error = QStringLiteral("Invalid database URI: bad port %1").arg(portText);
            return std::nullopt;
        }
    }
    if (location.database.isEmpty()) {
        *error = QStringLiteral("Invalid database URI: it names no database");
        return std::nullopt;
    }
    return location;
}

QString DatabaseLocation::displayName() const
{
    if (!isPostgres())
        return sqlitePath;
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty())
        text += user + QLatin1Char('@');
    if (!host.startsWith(QLatin1Char('/')))
        text += host.contains(QLatin1Char(':')) ? QLatin1Char('[') + host + QLatin1Char(']') : host;
    if (port > 0 && !host.startsWith(QLatin1Char('/')))
        text += QLatin1Char(':') + QString::number(port);
    text += QLatin1Char('/') + database;
    QStringList query;
    if (host.startsWith(QLatin1Char('/')))
        query << QStringLiteral("host=") + host;
    if (port > 0 && host.startsWith(QLatin1Char('/')))
        query << QStringLiteral("port=") + QString::number(port);
    if (!query.isEmpty())
        text += QLatin1Char('?') + query.join(QLatin1Char('&'));
    return text;
}
