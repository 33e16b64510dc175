#include "app/apiconfig.h"
#include "app/clientoptions.h"

#include <QtTest>

using Action = ClientOptions::Action;

class TestClientOptions final : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void commandLineHostWinsOverEnvironment();
};

void TestClientOptions::parse_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<QString>("environment");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("message"); // part of the message

    const auto row = [](const char* name, QStringList arguments, const char* environment,
                        Action action, const char* host, const char* message) {
        QTest::newRow(name) << arguments << QString::fromLatin1(environment) << action
                            << QString::fromLatin1(host) << QString::fromLatin1(message);
    };
    const QString api = QStringLiteral("--api-host");
    row("compiled-in", {}, "", Action::Run, "", "");
    row("environment", {}, "example.org:81", Action::Run, "example.org:81", "");
    row("command line wins", {api, "10.0.0.2:9000"}, "example.org:81", Action::Run, "10.0.0.2:9000",
        "");
    row("bad environment unused", {"--api-host=Host.Example"}, "junk host", Action::Run,
        "host.example", "");
    row("ipv6", {api, "[::1]:8618"}, "", Action::Run, "[::1]:8618", "");
    row("bad environment", {}, "a:70000", Action::Fail, "",
        "Invalid OLVA_API_HOST: port 70000 is out of range");
    row("empty host", {api, " "}, "", Action::Fail, "", "Invalid --api-host: the host is empty");
    row("port too large", {api, "h:65536"}, "", Action::Fail, "", "port 65536 is out of range");
    row("port zero", {api, "h:0"}, "", Action::Fail, "", "port 0 is out of range");
    for (const char* junk : {"h:", "h:8x", "http://h/", "u@h:80", "h/api", "a b"})
        row(junk, {api, junk}, "", Action::Fail, "", "is not a host or host:port");
    row("unknown option", {"--bogus"}, "", Action::Fail, "", "Unknown option 'bogus'");
    row("help", {"--help"}, "", Action::ShowHelp, "", "--api-host <host[:port]>");
    row("help names minimized", {"--help"}, "", Action::ShowHelp, "", "--minimized");
    row("minimized", {"--minimized", api, "h:81"}, "", Action::Run, "h:81", "");
    row("version", {"--version"}, "junk host", Action::ShowVersion, "",
        "OlvaApp " OLVA_CLIENT_VERSION);
}

void TestClientOptions::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, environment);
    QFETCH(Action, action);
    QFETCH(QString, host);
    QFETCH(QString, message);

    const ClientOptions options =
        ClientOptions::parse(QStringList{QStringLiteral("OlvaApp")} + arguments, environment);
    QCOMPARE(options.action, action);
    QCOMPARE(options.apiHost, host);
    QVERIFY2(options.message.contains(message), qPrintable(options.message));
    QCOMPARE(options.startMinimized, arguments.contains(QStringLiteral("--minimized")));
    if (action == Action::Fail)
        QVERIFY2(!options.message.contains(QLatin1Char('\n')), qPrintable(options.message));
}

void TestClientOptions::commandLineHostWinsOverEnvironment()
{
    qputenv("OLVA_API_HOST", "env.example:81");
    ApiConfig::setApiHostOverride(QStringLiteral("cli.example:82"));
    QCOMPARE(ApiConfig::endpointUrl(QStringLiteral("login")),
             QUrl(QStringLiteral("http://cli.example:82/api/login")));
}

QTEST_GUILESS_MAIN(TestClientOptions)
#include "tst_clientoptions.moc"
