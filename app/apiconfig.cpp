#include "app/apiconfig.h"

#include <QtGlobal>

namespace ApiConfig {

QString apiHost()
{
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
