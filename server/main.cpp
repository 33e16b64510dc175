#include "server/engine/apiserver.h"
#include "server/storage/storage.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

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
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("TCP port (default 8618)."),
                                        QStringLiteral("port"), QStringLiteral("8618"));
    const QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("SQLite database file."),
                                      QStringLiteral("path"));
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
    parser.addOptions({portOption, dbOption, filesOption, demoOption, noVideosOption, versionOption, listenOption,
                       publicOption, legacyOption, throttleOption});
    parser.process(app);

    QTextStream err(stderr);
    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        err << "Invalid port: " << parser.value(portOption) << Qt::endl;
        return 2;
    }
    const QHostAddress address(parser.value(listenOption));
    if (address.isNull()) {
        err << "Invalid listen address: " << parser.value(listenOption) << Qt::endl;
        return 2;
    }

    bool throttleOk = false;
    const qint64 throttleKib = parser.value(throttleOption).toLongLong(&throttleOk);
    if (!throttleOk || throttleKib < 0 || throttleKib > (qint64(1) << 40)) {
        err << "Invalid throttle: " << parser.value(throttleOption) << Qt::endl;
        return 2;
    }

    ServerOptions options;
    options.filesBytesPerSecond = throttleKib * 1024;
    options.dbPath = parser.isSet(dbOption) ? parser.value(dbOption) : Storage::defaultDatabasePath();
    options.filesDir = parser.isSet(filesOption)
        ? parser.value(filesOption)
        : QFileInfo(options.dbPath).absolutePath() + QStringLiteral("/uploadfiles");
    options.demo = parser.isSet(demoOption);
    options.demoVideos = !parser.isSet(noVideosOption);
    options.clientVersion = parser.value(versionOption);
    options.publicBaseUrl = parser.value(publicOption);
    options.requireSessions = !parser.isSet(legacyOption);
    options.codesByMailOnly = !parser.isSet(legacyOption);

    ApiServer server;
    if (!server.start(options, address, quint16(port))) {
        err << server.errorString() << Qt::endl;
        return 1;
    }
    QTextStream(stdout) << "olva-server listening on " << address.toString() << ':' << server.port()
                        << ", database " << options.dbPath << ", files " << options.filesDir << Qt::endl;
    return app.exec();
}
