#include "server/engine/apiserver.h"
#include "server/storage/databaselocation.h"
#include "server/storage/storage.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTcpServer>
#include <QTextStream>

namespace {

// SQLite opens a database it cannot write without complaint and fails only on
// the first write, long after start-up; find out before listening.
bool databaseWritable(const QString& path, QString* error)
{
    if (path == QLatin1String(":memory:"))
        return true;
    const QFileInfo info(path);
    if (info.isDir()) {
        *error = QStringLiteral("Cannot use the database %1: it is a folder").arg(path);
        return false;
    }
    if (!QDir().mkpath(info.absolutePath())) {
        *error = QStringLiteral("Cannot create the folder of the database %1").arg(path);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) {
        *error = QStringLiteral("Cannot write the database %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    // Demo pictures are drawn with fonts, which need a GUI application; the
    // server itself never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("olva-server"));
    QCoreApplication::setOrganizationName(QStringLiteral("OlvaApp"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local stand-in for the OLVA Weight Loss API"));
        const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("TCP port (default 8618)."),
                                        QStringLiteral("port"), QStringLiteral("8618"));
    const QCommandLineOption dbOption(
        QStringLiteral("db"),
        QStringLiteral("SQLite database file, or PostgreSQL as postgresql://user@host:port/db (default: $OLVA_DB, "
                       "else a file in the user's data folder)."),
        QStringLiteral("path-or-uri"));
    const QCommandLineOption filesOption(QStringLiteral("files"),
                                         QStringLiteral("Folder served under /uploadfiles/ (default: next to the database)."),
                                         QStringLiteral("dir"));
    const QCommandLineOption demoOption(QStringLiteral("demo"), QStringLiteral("Fill an empty database with demo data."));
    const QCommandLineOption noVideosOption(QStringLiteral("no-videos"),
                                            QStringLiteral("With --demo: skip rendering demo videos (placeholders instead)."));
    const QCommandLineOption versionOption(QStringLiteral("client-version"),
                                           QStringLiteral("Version that checkVersion reports (default 1.0.3)."),
                                           QStringLiteral("version"), QStringLiteral("1.0.3"));
    const QCommandLineOption listenOption(QStringLiteral("listen"),
                                          QStringLiteral("Address to listen on (default 127.0.0.1)."),
                                          QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption publicOption(QStringLiteral("public-url"),
                                          QStringLiteral("Base of file URLs in replies (default: the Host each request was sent to)."),
                                          QStringLiteral("url"));
    const QCommandLineOption legacyOption(
        QStringLiteral("legacy-client"),
        QStringLiteral("Serve clients without member sessions that check mailed codes themselves (unsafe)."));
    const QCommandLineOption throttleOption(
        QStringLiteral("throttle"),
        QStringLiteral("Send files at most this many KiB a second (0, the default: no limit), to watch a download."),
        QStringLiteral("kib"), QStringLiteral("0"));
    const QCommandLineOption proxyOption(
        QStringLiteral("trusted-proxy"),
        QStringLiteral("Address of the reverse proxy in front: its X-Forwarded-For names the client (default: none)."),
        QStringLiteral("address"));
    const QCommandLineOption connectionsOption(
        QStringLiteral("db-connections"),
        QStringLiteral("Database connections of this instance, one per worker thread (default: 2 to 4 for SQLite, "
                       "16 to 32 for PostgreSQL, by the number of cores)."),
        QStringLiteral("count"), QStringLiteral("0"));
    parser.addOptions({portOption, dbOption, filesOption, demoOption, noVideosOption, versionOption, listenOption,
                       publicOption, legacyOption, throttleOption, proxyOption, connectionsOption});
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Displays help on commandline options."));
    const QCommandLineOption showVersionOption(QStringLiteral("version"),
                                               QStringLiteral("Displays version information."));
    parser.addOptions({helpOption, showVersionOption});

    // Every mistake on the command line is one line on stderr and exit code 2.
    QTextStream err(stderr);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "olva-server: " << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(helpOption)) {
        QTextStream(stdout) << parser.helpText();
        return 0;
    }
    if (parser.isSet(showVersionOption)) {
        QTextStream(stdout) << "olva-server " << OLVA_CLIENT_VERSION << Qt::endl;
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << "olva-server: Unexpected argument '" << parser.positionalArguments().first() << "'." << Qt::endl;
        return 2;
    }
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        err << "olva-server: Invalid port: " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    const QHostAddress address(parser.value(listenOption));
    if (address.isNull()) {
        err << "olva-server: Invalid listen address: " << parser.value(listenOption) << Qt::endl;
        return 2;
    }

    const QHostAddress trustedProxy(parser.value(proxyOption));
    if (parser.isSet(proxyOption) && trustedProxy.isNull()) {
        err << "olva-server: Invalid trusted proxy address: " << parser.value(proxyOption) << Qt::endl;
        return 2;
    }

    bool throttleOk = false;
    const qint64 throttleKib = parser.value(throttleOption).toLongLong(&throttleOk);
    if (!throttleOk || throttleKib < 0 || throttleKib > (qint64(1) << 40)) {
        err << "olva-server: Invalid throttle: " << parser.value(throttleOption) << Qt::endl;
        return 2;
    }

    bool connectionsOk = false;
    const int connections = parser.value(connectionsOption).toInt(&connectionsOk);
    if (!connectionsOk || connections < (parser.isSet(connectionsOption) ? 1 : 0)
        || connections > ApiServer::maxWorkers) {
        err << "olva-server: Invalid number of database connections: " << parser.value(connectionsOption)
            << " (1 to " << ApiServer::maxWorkers << ")" << Qt::endl;
        return 2;
    }

    ServerOptions options;
    options.workers = connections;
    options.filesBytesPerSecond = throttleKib * 1024;
    // The systemd unit's environment file names the database in OLVA_DB.
    const QString dbFromEnvironment = qEnvironmentVariable("OLVA_DB");
    options.dbPath = parser.isSet(dbOption)         ? parser.value(dbOption)
        : !dbFromEnvironment.trimmed().isEmpty() ? dbFromEnvironment.trimmed()
                                                 : Storage::defaultDatabasePath();
    QString locationError;
    const auto location = DatabaseLocation::parse(options.dbPath, &locationError);
    if (!location) {
        err << "olva-server: " << locationError << Qt::endl;
        return 2;
    }
    // With PostgreSQL the files have no database file to sit next to.
    const QString filesBase = location->isPostgres() ? Storage::defaultDatabasePath() : options.dbPath;
    options.filesDir = parser.isSet(filesOption)
        ? parser.value(filesOption)
        : QFileInfo(filesBase).absolutePath() + QStringLiteral("/uploadfiles");
    options.demo = parser.isSet(demoOption);
    options.demoVideos = !parser.isSet(noVideosOption);
    options.clientVersion = parser.value(versionOption);
    options.publicBaseUrl = parser.value(publicOption);
    options.requireSessions = !parser.isSet(legacyOption);
    options.codesByMailOnly = !parser.isSet(legacyOption);
    options.trustedProxy = trustedProxy;

    // Before the database: filling it with demo data takes a while, and a port
    // in use is the most likely mistake.
    if (port != 0) {
        QTcpServer probe;
        if (!probe.listen(address, quint16(port))) {
            err << "olva-server: Cannot listen on " << address.toString() << ':' << port << ": "
                << probe.errorString() << Qt::endl;
            return 1;
        }
    }

    QString dbError;
    if (!location->isPostgres() && !databaseWritable(options.dbPath, &dbError)) {
        err << "olva-server: " << dbError << Qt::endl;
        return 1;
    }

    ApiServer server;
    if (!server.start(options, address, quint16(port))) {
        err << "olva-server: " << server.errorString() << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "olva-server listening on " << address.toString() << ':' << server.port()
                        << ", database " << location->displayName() << ", files " << options.filesDir << Qt::endl;
    return app.exec();
}
