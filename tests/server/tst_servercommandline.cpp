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
    QTest::addColumn<QString>("message"); // the whole line, or its start for a driver's own words
    QTest::addColumn<QString>("olvaDb");  // the environment's OLVA_DB

    QVERIFY(m_taken.listen(QHostAddress::LocalHost));
    QVERIFY(QFile(m_dir.filePath("file")).open(QIODevice::WriteOnly));
    const QString db = m_dir.filePath(QStringLiteral("olva.sqlite"));
    const QString port = QString::number(m_taken.serverPort());
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Unknown option 'bogus'." << QString();
    QTest::newRow("stray argument") << QStringList{"extra"} << 2 << "Unexpected argument 'extra'." << QString();
    QTest::newRow("bad port") << QStringList{"--port", "65536"} << 2 << "Invalid port: 65536" << QString();
    QTest::newRow("bad trusted proxy") << QStringList{"--trusted-proxy", "nginx"} << 2
                                       << "Invalid trusted proxy address: nginx" << QString();
    QTest::newRow("port in use") << QStringList{"--port", port, "--db", db} << 1
                                 << "Cannot listen on 127.0.0.1:" + port +
                                        ": The bound address is already in use" << QString();
    QTest::newRow("db under a file")
        << QStringList{"--port", "0", "--db", m_dir.filePath("file/olva.sqlite")} << 1
        << "Cannot create the folder of the database " + m_dir.filePath("file/olva.sqlite") << QString();
    QTest::newRow("db is a folder")
        << QStringList{"--port", "0", "--db", m_dir.path()} << 1
        << "Cannot use the database " + m_dir.path() + ": it is a folder" << QString();
    QTest::newRow("db unwritable")
        << QStringList{"--port", "0", "--db", "/proc/olva.sqlite"} << 1
        << "Cannot write the database /proc/olva.sqlite: No such file or directory" << QString();
    QTest::newRow("db from the environment") << QStringList{"--port", "0"} << 1
                                             << "Cannot write the database /proc/env.sqlite: No such file or directory"
                                             << "/proc/env.sqlite";
    QTest::newRow("db option over the environment")
        << QStringList{"--port", "0", "--db", "/proc/olva.sqlite"} << 1
        << "Cannot write the database /proc/olva.sqlite: No such file or directory" << "/proc/env.sqlite";
    // The password never shows, not even in the driver's complaint.
    const QString socket = m_dir.filePath(QStringLiteral("no-socket"));
    QTest::newRow("postgres unreachable")
        << QStringList{"--port", "0", "--db", "postgresql://olva:s3cret@/olva?host=" + socket + "&port=5999"} << 1
        << "Cannot open the database postgresql://olva@/olva?host=" + socket + "&port=5999: " << QString();
    QTest::newRow("postgres unreachable, from the environment")
        << QStringList{"--port", "0"} << 1
        << "Cannot open the database postgresql://olva@/olva?host=" + socket + "&port=5999: "
        << "postgresql://olva:s3cret@/olva?host=" + socket + "&port=5999";
    QTest::newRow("postgres bad port") << QStringList{"--port", "0", "--db", "postgresql://olva:s3cret@db:70000/olva"}
                                       << 2 << "Invalid database URI: bad port 70000" << QString();
    QTest::newRow("too many database connections") << QStringList{"--db-connections", "65"} << 2
                                                   << "Invalid number of database connections: 65 (1 to 64)" << QString();
    QTest::newRow("no database connections") << QStringList{"--db-connections", "0"} << 2
                                             << "Invalid number of database connections: 0 (1 to 64)" << QString();
    QTest::newRow("database connections not a number") << QStringList{"--db-connections", "many"} << 2
                                                       << "Invalid number of database connections: many (1 to 64)"
                                                       << QString();
}

void TestServerCommandLine::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QString, olvaDb);

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path()); // else Qt warns on stderr
    environment.insert(QStringLiteral("OLVA_DB"), olvaDb);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(OLVA_SERVER_PROGRAM), arguments);
    QVERIFY2(process.waitForFinished(60000),
             "olva-server started although its arguments are wrong");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(error.startsWith("olva-server: " + message), qPrintable(error));
    QCOMPARE(error.count(QLatin1Char('\n')), 1);
    QVERIFY(error.endsWith(QLatin1Char('\n')));
    QVERIFY(!error.contains(QStringLiteral("s3cret")));
}

QTEST_GUILESS_MAIN(TestServerCommandLine)
#include "tst_servercommandline.moc"
