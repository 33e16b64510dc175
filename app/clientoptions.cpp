#include "app/clientoptions.h"

#include "app/apiconfig.h"

#include <QCommandLineParser>

ClientOptions ClientOptions::parse(const QStringList& arguments, const QString& environmentHost)
{
    ClientOptions options;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("OLVA Weight Loss desktop client"));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Displays version information."));
    const QCommandLineOption hostOption(
        QStringLiteral("api-host"),
        QStringLiteral("Server to use, as host or host:port (default: OLVA_API_HOST, else %1).")
            .arg(QLatin1String(ApiConfig::defaultApiHost)),
        QStringLiteral("host[:port]"));
    const QCommandLineOption minimizedOption(
        QStringLiteral("minimized"),
        QStringLiteral("Starts in the tray (minimised where there is no tray)."));
    parser.addOptions({helpOption, versionOption, hostOption, minimizedOption});

    if (!parser.parse(arguments)) {
        options.action = Action::Fail;
        options.message = parser.errorText();
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.action = Action::Fail;
        options.message =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
        return options;
    }
    if (parser.isSet(helpOption)) {
        options.action = Action::ShowHelp;
        options.message = parser.helpText();
        return options;
    }
    if (parser.isSet(versionOption)) {
        options.action = Action::ShowVersion;
        options.message =
            QStringLiteral("OlvaApp %1\n").arg(QLatin1String(ApiConfig::clientVersion));
        return options;
    }

    options.startMinimized = parser.isSet(minimizedOption);
    QString error;
    if (parser.isSet(hostOption)) {
        options.apiHost = ApiConfig::normalizedHost(parser.value(hostOption), &error);
        if (options.apiHost.isEmpty()) {
            options.action = Action::Fail;
            options.message = QStringLiteral("Invalid --api-host: %1.").arg(error);
        }
    } else if (!environmentHost.trimmed().isEmpty()) {
        options.apiHost = ApiConfig::normalizedHost(environmentHost, &error);
        if (options.apiHost.isEmpty()) {
            options.action = Action::Fail;
            options.message = QStringLiteral("Invalid OLVA_API_HOST: %1.").arg(error);
        }
    }
    return options;
}
