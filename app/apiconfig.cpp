#include "app/apiconfig.h"

#include <QtGlobal>

namespace ApiConfig {

namespace {
QString hostOverride;
}

void setApiHostOverride(const QString& host)
{
    hostOverride = host.trimmed();
}

QString normalizedHost(const QString& value, QString* error)
{
    const QString text = value.trimmed();
    if (text.isEmpty()) {
        *error = QStringLiteral("the host is empty");
        return {};
    }
    // Parsed as the authority of an address, so that what is accepted here is
    // exactly what the requests will be sent to.
    const QUrl url(QStringLiteral("http://") + text + QStringLiteral("/"), QUrl::StrictMode);
    const bool plain = url.isValid() && !url.host().isEmpty() && url.userInfo().isEmpty() &&
                       url.path() == QLatin1String("/") && !url.hasQuery() && !url.hasFragment() &&
                       !text.endsWith(QLatin1Char(':')) && !text.contains(QLatin1Char('/'));
    if (!plain) {
        // QUrl refuses a port above 65535 like any junk; name it when it is one.
        const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
        bool isNumber = false;
        const qlonglong port = colon > 0 ? text.mid(colon + 1).toLongLong(&isNumber) : 0;
        if (isNumber && port > 65535 && !text.endsWith(QLatin1Char(']'))) {
            *error = QStringLiteral("port %1 is out of range (1-65535)").arg(text.mid(colon + 1));
            return {};
        }
        *error = QStringLiteral("\"%1\" is not a host or host:port").arg(text);
        return {};
    }
    if (url.port() == 0) {
        *error = QStringLiteral("port 0 is out of range (1-65535)");
        return {};
    }
    return url.authority(QUrl::FullyEncoded);
}

QString apiHost()
{
    if (!hostOverride.isEmpty())
        return hostOverride;
    const QString fromEnvironment = qEnvironmentVariable("OLVA_API_HOST").trimmed();
    return fromEnvironment.isEmpty() ? QString::fromLatin1(defaultApiHost) : fromEnvironment;
}

QString apiBaseUrl()
{
    return QStringLiteral("http://") + apiHost() + QStringLiteral("/api/");
}

QUrl endpointUrl(const QString& endpoint)
{
    return QUrl(apiBaseUrl() + endpoint);
}

QUrl installerUrl(const QString& version)
{
    return QUrl(QStringLiteral("http://") + apiHost()
                + QStringLiteral("/uploadfiles/apps/OlvaApp_%1.exe").arg(version));
}

} // namespace ApiConfig
