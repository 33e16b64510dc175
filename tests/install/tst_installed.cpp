#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString prefix = QStringLiteral(OLVA_TEST_PREFIX);

// Passes every byte between the client and olva-server and notes the path of
// each request and the status of each answer, so the test sees what went
// over the wire without touching either program.
class RequestRelay final : public QObject
{
public:
    bool listen(quint16 serverPort)
    {
        m_serverPort = serverPort;
        connect(&m_listener, &QTcpServer::newConnection, this, &RequestRelay::accept);
        return m_listener.listen(QHostAddress::LocalHost);
    }
    quint16 port() const { return m_listener.serverPort(); }
    const QStringList& requests() const { return m_requests; }
    const QStringList& statuses() const { return m_statuses; }

private:
    void accept()
    {
        while (QTcpSocket* client = m_listener.nextPendingConnection()) {
            auto* server = new QTcpSocket(client);
            // Written before the connection is up, the request waits in the
            // socket's buffer.
            server->connectToHost(QHostAddress::LocalHost, m_serverPort);
            connect(client, &QTcpSocket::readyRead, this, [this, client, server] {
                const QByteArray data = client->readAll();
                note(data, requestLine, &m_requests);
                server->write(data);
            });
            connect(server, &QTcpSocket::readyRead, this, [this, client, server] {
                const QByteArray data = server->readAll();
                note(data, statusLine, &m_statuses);
                client->write(data);
            });
            connect(server, &QTcpSocket::disconnected, client, &QTcpSocket::disconnectFromHost);
            connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        }
    }

    static void note(const QByteArray& data, const QRegularExpression& line, QStringList* into)
    {
        auto matches = line.globalMatch(QString::fromLatin1(data));
        while (matches.hasNext())
            into->append(matches.next().captured(1));
    }

    inline static const QRegularExpression requestLine{QStringLiteral("(?:GET|POST) (\\S+) HTTP/1\\.1\r\n")};
    inline static const QRegularExpression statusLine{QStringLiteral("HTTP/1\\.1 (\\d+) ")};

    QTcpServer m_listener;
    quint16 m_serverPort = 0;
    QStringList m_requests;
    QStringList m_statuses;
};

} // namespace

// The programs as `cmake --install` puts them under a prefix: every file in
// its place, the unit naming that prefix, and the installed client started
// offscreen against the installed olva-server, far enough to show its
// sign-in dialog.
class TestInstalled final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void installedFiles_data();
    void installedFiles();
    void serverUnitNamesThePrefix();
    void versions_data();
    void versions();
    void clientTalksToInstalledServer();

private:
    QProcessEnvironment environment() const;
    void stop(QProcess& process);

    QTemporaryDir m_home;
    QProcess m_server;
    QProcess m_client;
};

void TestInstalled::initTestCase()
{
    QVERIFY(m_home.isValid());
    QVERIFY2(QFileInfo::exists(prefix + "/bin/OlvaApp"), "run the install_prefix test first (ctest does)");
    QVERIFY(QDir().mkpath(m_home.filePath("runtime")));
    QFile::setPermissions(m_home.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestInstalled::cleanup()
{
    stop(m_client);
    stop(m_server);
}

void TestInstalled::installedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");

    QTest::newRow("client") << "bin/OlvaApp" << true;
    QTest::newRow("server") << "bin/olva-server" << true;
    QTest::newRow("desktop entry") << "share/applications/com.olvaweightloss.OlvaApp.desktop" << false;
    QTest::newRow("metainfo") << "share/metainfo/com.olvaweightloss.OlvaApp.metainfo.xml" << false;
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString name = QStringLiteral("%1x%1").arg(size);
        QTest::newRow(qPrintable("icon " + name))
            << "share/icons/hicolor/" + name + "/apps/com.olvaweightloss.OlvaApp.png" << false;
    }
    QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/com.olvaweightloss.OlvaApp.svg" << false;
    QTest::newRow("server unit") << "lib/systemd/system/olva-server.service" << false;
    QTest::newRow("server settings example") << "share/doc/olva-server/olva-server.default" << false;
    QTest::newRow("nginx site example") << "share/doc/olva-server/olva-server.nginx" << false;
}

void TestInstalled::installedFiles()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);

    const QFileInfo file(prefix + '/' + path);
    QVERIFY2(file.isFile(), qPrintable(path + " is not installed"));
    QVERIFY(file.size() > 0);
    QCOMPARE(file.isExecutable(), executable);
    if (path.endsWith(QLatin1String(".png")))
        QVERIFY2(!QImage(file.filePath()).isNull(), qPrintable(path + " is not a picture"));
}

void TestInstalled::serverUnitNamesThePrefix()
{
    QFile unit(prefix + "/lib/systemd/system/olva-server.service");
    QVERIFY(unit.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(unit.readAll());
    QVERIFY(text.contains("\nExecStart=" + prefix + "/bin/olva-server "));
    QVERIFY(text.contains("\nEnvironmentFile=-" + prefix + "/etc/default/olva-server\n"));
    QVERIFY(!text.contains('@'));
}

void TestInstalled::versions_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("client") << "OlvaApp";
    QTest::newRow("server") << "olva-server";
}

void TestInstalled::versions()
{
    QFETCH(QString, program);

    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(prefix + "/bin/" + program, {QStringLiteral("--version")});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).trimmed(),
             program + ' ' + QStringLiteral(OLVA_CLIENT_VERSION));
}

void TestInstalled::clientTalksToInstalledServer()
{
    m_server.setProcessEnvironment(environment());
    m_server.start(prefix + "/bin/olva-server",
                   {"--demo", "--no-videos", "--port", "0", "--db", m_home.filePath("server/olva.sqlite")});
    QString serverOutput;
    const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QTRY_VERIFY_WITH_TIMEOUT((serverOutput += QString::fromUtf8(m_server.readAllStandardOutput()))
                                 .contains(listening),
                             30000);
    RequestRelay relay;
    QVERIFY(relay.listen(listening.match(serverOutput).captured(1).toUShort()));

    // A member who signed in here before: the client asks who they are right
    // after the version check, and a new computer is asked for its code.
    QVERIFY(QDir().mkpath(m_home.filePath("config/OlvaApp")));
    QSettings remembered(m_home.filePath("config/OlvaApp/Kestro.conf"), QSettings::IniFormat);
    remembered.setValue("email", "demo@olva.local");
    remembered.sync();

    m_client.setWorkingDirectory(m_home.path()); // nothing is found next to the build
    m_client.setProcessEnvironment(environment());
    m_client.start(prefix + "/bin/OlvaApp", {"--api-host", "127.0.0.1:" + QString::number(relay.port())});
    QVERIFY(m_client.waitForStarted());

    // Each request goes out only after the answer before it was understood;
    // the last one comes from the sign-in dialog, built from its form with
    // the built-in pictures and fonts.
    const QStringList expected{"/api/checkVersion", "/api/getMyDetails", "/api/verifyDevice"};
    QTRY_VERIFY_WITH_TIMEOUT(relay.requests().size() >= expected.size()
                                 && relay.statuses().size() >= expected.size(),
                             20000);
    QCOMPARE(relay.requests().mid(0, expected.size()), expected);
    QCOMPARE(relay.statuses().mid(0, expected.size()), QStringList(expected.size(), "200"));
    QCOMPARE(m_client.state(), QProcess::Running);

    // A picture, font or form it could not load is a warning on stderr.
    const QString warnings = QString::fromLocal8Bit(m_client.readAllStandardError());
    const QRegularExpression missing(QStringLiteral("pixmap|font|icon|resource|qrc|cannot|could not|fail"),
                                     QRegularExpression::CaseInsensitiveOption);
    QVERIFY2(!warnings.contains(missing), qPrintable(warnings));
}

QProcessEnvironment TestInstalled::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("OLVA_API_HOST"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath("config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath("data"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_home.filePath("cache"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath("runtime"));
    environment.insert(QStringLiteral("OLVA_DATA_DIR"), m_home.filePath("data/olva"));
    return environment;
}

void TestInstalled::stop(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill();
    process.waitForFinished(10000);
}

QTEST_GUILESS_MAIN(TestInstalled)
#include "tst_installed.moc"
