#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

// olva-server run as a program: every mistake on its command line is one line
// on stderr and a non-zero exit, never a crash or a server that half starts.
class TestServerCommandLine final : public QObject
{
    Q_OBJECT

private slots:
    void badArguments_data();
    void badArguments();

private:
    QTemporaryDir m_dir;
    QTcpServer m_taken;
};

void TestServerCommandLine::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QVERIFY(m_taken.listen(QHostAddress::LocalHost));
    QVERIFY(QFile(m_dir.filePath("file")).open(QIODevice::WriteOnly));
    const QString db = m_dir.filePath(QStringLiteral("olva.sqlite"));
    const QString port = QString::number(m_taken.serverPort());
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Unknown option 'bogus'.";
    QTest::newRow("stray argument") << QStringList{"extra"} << 2 << "Unexpected argument 'extra'.";
    QTest::newRow("bad port") << QStringList{"--port", "65536"} << 2 << "Invalid port: 65536";
    QTest::newRow("bad trusted proxy") << QStringList{"--trusted-proxy", "nginx"} << 2
                                       << "Invalid trusted proxy address: nginx";
    QTest::newRow("port in use") << QStringList{"--port", port, "--db", db} << 1
                                 << "Cannot listen on 127.0.0.1:" + port +
                                        ": The bound address is already in use";
    QTest::newRow("db under a file")
        << QStringList{"--port", "0", "--db", m_dir.filePath("file/olva.sqlite")} << 1
        << "Cannot create the folder of the database " + m_dir.filePath("file/olva.sqlite");
    QTest::newRow("db is a folder")
        << QStringList{"--port", "0", "--db", m_dir.path()} << 1
        << "Cannot use the database " + m_dir.path() + ": it is a folder";
    QTest::newRow("db unwritable")
        << QStringList{"--port", "0", "--db", "/proc/olva.sqlite"} << 1
        << "Cannot write the database /proc/olva.sqlite: No such file or directory";
}

void TestServerCommandLine::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path()); // else Qt warns on stderr
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(OLVA_SERVER_PROGRAM), arguments);
    QVERIFY2(process.waitForFinished(60000),
             "olva-server started although its arguments are wrong");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QCOMPARE(QString::fromLocal8Bit(process.readAllStandardError()),
             "olva-server: " + message + '\n');
}

QTEST_GUILESS_MAIN(TestServerCommandLine)
#include "tst_servercommandline.moc"
