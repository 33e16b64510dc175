#include "app/server.h"
#include "app/sessioncookies.h"
#include "fakeserver.h"
#include "testenvironment.h"

#include <QDirIterator>
#include <QFile>
#include <QNetworkCookieJar>
#include <QSignalSpy>
#include <QTest>

// Receives replies through the string-based connections every window uses.
class ReplyReceiver : public QObject
{
    Q_OBJECT
public:
    QStringList texts;
    QList<int> extras;
public slots:
    void slt_net_login(QString text) { texts.append(text); }
    void slt_net_sampleList(QString text, int extra)
    {
        texts.append(text);
        extras.append(extra);
    }
};

using FormFields = QList<QPair<QString, QString>>;

class TestServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void wireFormat_data();
    void wireFormat();
    void everyIndexReachesItsSignal_data();
    void everyIndexReachesItsSignal();
    void sharedSignalsCarryEachEndpoint_data();
    void sharedSignalsCarryEachEndpoint();
    void sampleListCarriesExtraBack();
    void stringConnectionsWork();
    void httpErrorGivesOnlyErrorSignal_data();
    void httpErrorGivesOnlyErrorSignal();
    void refusedConnectionGivesErrorSignal();
    void backToBackRequestsGiveTwoSignals();
    void repliesMatchedByEndpointNotOrder();
    void nonJsonBodyIsStillDelivered();
    void invalidIndexSendsNothing_data();
    void invalidIndexSendsNothing();
    void sessionCookieOutlivesTheServerThatGotIt();
    void forgetDropsTheSession();

private:
    FakeServer* m_fake = nullptr;
};

void TestServer::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QVERIFY(m_fake->isListening());
    m_fake->useAsApiHost();
}

void TestServer::init()
{
    m_fake->clear();
}

void TestServer::wireFormat_data()
{
    QTest::addColumn<FormFields>("fields");
    QTest::addColumn<QByteArray>("expectedBody");

    using Fields = FormFields;
    QTest::newRow("order kept") << Fields{{"email", "a@b.c"}, {"password", "x"}, {"deviceType", "windows"}}
                                << QByteArray("email=a@b.c&password=x&deviceType=windows");
    QTest::newRow("ampersand encoded") << Fields{{"name", "salt & pepper"}}
                                       << QByteArray("name=salt %26 pepper");
    QTest::newRow("plus and space unchanged") << Fields{{"q", "1+1 two"}} << QByteArray("q=1+1 two");
    QTest::newRow("utf-8") << Fields{{"username", QString::fromUtf8("Zoë Müller")}}
                           << QString::fromUtf8("username=Zoë Müller").toUtf8();
    QTest::newRow("empty values") << Fields{{"email", ""}, {"password", ""}}
                                  << QByteArray("email=&password=");
    QTest::newRow("equals in value") << Fields{{"note", "a=b#c"}} << QByteArray("note=a%3Db#c");
}

void TestServer::wireFormat()
{
    QFETCH(FormFields, fields);
    QFETCH(QByteArray, expectedBody);

    QUrlQuery query;
    for (const auto& [key, value] : fields)
        query.addQueryItem(key, value);

    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":0})");
    Server server;
    QSignalSpy replies(&server, &Server::sig_net_login);
    server.request(1, query);
    QVERIFY(replies.wait(5000));

    const FakeServer::Request request = m_fake->lastRequest(QStringLiteral("/api/signin"));
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.body, expectedBody);
    // The server reads the fields back as they were typed.
    for (const auto& [key, value] : fields)
        QCOMPARE(request.field(key), value);
}

void TestServer::everyIndexReachesItsSignal_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < Server::endpointCount(); ++index)
        QTest::newRow(qPrintable(Server::endpointName(index))) << index;
}

void TestServer::everyIndexReachesItsSignal()
{
    QFETCH(int, index);
    const QString name = Server::endpointName(index);
    QCOMPARE(Server::endpointIndex(name), index);
    const QByteArray body = "reply of " + name.toUtf8();
    m_fake->enqueueJson(name, body);

    Server server;
    const bool isSampleList = name == QLatin1String("getSampleList");
    const QByteArray signature = "2" + Server::signalName(index)
                                 + (isSampleList ? "(QString,int)" : "(QString)");
    QSignalSpy spy(&server, signature.constData());
    QVERIFY(spy.isValid());
    QSignalSpy errors(&server, &Server::sig_net_error);

    server.request(index, QUrlQuery(), 7);
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString::fromUtf8(body));
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/") + name), 1);
    QCOMPARE(errors.count(), 0);
}

void TestServer::sharedSignalsCarryEachEndpoint_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("signal");
    for (int index : {8, 9, 10, 17})
        QTest::addRow("%s", qPrintable(Server::endpointName(index))) << index << QByteArray("sig_net_productinfo");
    for (int index : {29, 30, 32})
        QTest::addRow("%s", qPrintable(Server::endpointName(index))) << index << QByteArray("sig_net_service");
}

void TestServer::sharedSignalsCarryEachEndpoint()
{
    QFETCH(int, index);
    QFETCH(QByteArray, signal);
    QCOMPARE(Server::signalName(index), signal);

    m_fake->enqueueJson(Server::endpointName(index), R"({"result_code":0,"product_lst":[]})");
    Server server;
    const QByteArray signature = "2" + signal + "(QString)";
    QSignalSpy spy(&server, signature.constData());
    server.request(index, QUrlQuery());
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.count(), 1);
}

void TestServer::sampleListCarriesExtraBack()
{
    m_fake->enqueueJson(QStringLiteral("getSampleList"), R"({"result_code":0})", 50);
    m_fake->enqueueJson(QStringLiteral("getSampleList"), R"({"result_code":0})");
    Server server;
    QSignalSpy spy(&server, &Server::sig_net_sampleList);
    server.request(24, QUrlQuery(), 3);
    server.request(24, QUrlQuery(), 5);
    QTRY_COMPARE(spy.count(), 2);
    QList<int> extras{spy.at(0).at(1).toInt(), spy.at(1).at(1).toInt()};
    std::sort(extras.begin(), extras.end());
    QCOMPARE(extras, (QList<int>{3, 5}));
}

void TestServer::stringConnectionsWork()
{
    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":2})");
    m_fake->enqueueJson(QStringLiteral("getSampleList"), R"({"result_code":0})");
    Server server;
    ReplyReceiver receiver;
    QVERIFY(connect(&server, SIGNAL(sig_net_login(QString)), &receiver, SLOT(slt_net_login(QString))));
    QVERIFY(connect(&server, SIGNAL(sig_net_sampleList(QString,int)), &receiver,
                    SLOT(slt_net_sampleList(QString,int))));
    server.request(1, QUrlQuery());
    server.request(24, QUrlQuery(), 4);
    QTRY_COMPARE(receiver.texts.size(), 2);
    QVERIFY(receiver.texts.contains(QStringLiteral(R"({"result_code":2})")));
    QCOMPARE(receiver.extras, QList<int>{4});
}

void TestServer::httpErrorGivesOnlyErrorSignal_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("500") << 500;
    QTest::newRow("404") << 404;
    QTest::newRow("403") << 403;
}

void TestServer::httpErrorGivesOnlyErrorSignal()
{
    QFETCH(int, status);
    m_fake->enqueue(QStringLiteral("/api/signin"), FakeServer::Reply::error(status));
    Server server;
    QSignalSpy logins(&server, &Server::sig_net_login);
    QSignalSpy errors(&server, &Server::sig_net_error);
    server.request(1, QUrlQuery());
    QVERIFY(errors.wait(5000));
    QVERIFY(!errors.at(0).at(0).toString().isEmpty());
    QTest::qWait(50);
    QCOMPARE(logins.count(), 0);
}

void TestServer::refusedConnectionGivesErrorSignal()
{
    // A port nobody listens on: take a free one and close it again.
    quint16 closedPort = 0;
    {
        FakeServer temporary;
        closedPort = temporary.port();
    }
    const QByteArray previous = qgetenv("OLVA_API_HOST");
    qputenv("OLVA_API_HOST", "127.0.0.1:" + QByteArray::number(closedPort));
    Server server;
    QSignalSpy errors(&server, &Server::sig_net_error);
    QSignalSpy logins(&server, &Server::sig_net_login);
    server.request(1, QUrlQuery());
    const bool gotError = errors.wait(5000);
    qputenv("OLVA_API_HOST", previous);
    QVERIFY(gotError);
    QCOMPARE(logins.count(), 0);
}

void TestServer::backToBackRequestsGiveTwoSignals()
{
    m_fake->enqueueJson(QStringLiteral("getFoodList"), R"({"n":1})");
    m_fake->enqueueJson(QStringLiteral("getFoodList"), R"({"n":2})");
    Server server;
    QSignalSpy spy(&server, &Server::sig_net_foodinfo);
    server.request(7, QUrlQuery());
    server.request(7, QUrlQuery());
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/getFoodList")), 2);
}

void TestServer::repliesMatchedByEndpointNotOrder()
{
    // The first request answers last; each reply still reaches its own signal.
    m_fake->enqueueJson(QStringLiteral("getHistory"), R"({"which":"history"})", 300);
    m_fake->enqueueJson(QStringLiteral("aboutUs"), R"({"which":"about"})");
    Server server;
    QSignalSpy history(&server, &Server::sig_net_historylist);
    QSignalSpy about(&server, &Server::sig_net_aboutus);
    server.request(25, QUrlQuery());
    server.request(28, QUrlQuery());
    QTRY_COMPARE(about.count(), 1);
    QTRY_COMPARE(history.count(), 1);
    QCOMPARE(history.at(0).at(0).toString(), QStringLiteral(R"({"which":"history"})"));
    QCOMPARE(about.at(0).at(0).toString(), QStringLiteral(R"({"which":"about"})"));
}

void TestServer::nonJsonBodyIsStillDelivered()
{
    m_fake->enqueueJson(QStringLiteral("aboutUs"), "<html>gateway</html>");
    Server server;
    QSignalSpy spy(&server, &Server::sig_net_aboutus);
    server.request(28, QUrlQuery());
    QVERIFY(spy.wait(5000));
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("<html>gateway</html>"));
}

void TestServer::invalidIndexSendsNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("one past the last") << Server::endpointCount();
    QTest::newRow("huge") << 100000;
    // What an unknown or misspelt name looks up.
    QTest::newRow("unknown name") << Server::endpointIndex(QStringLiteral("getEverything"));
    QTest::newRow("name in other case") << Server::endpointIndex(QStringLiteral("SIGNIN"));
}

void TestServer::invalidIndexSendsNothing()
{
    QFETCH(int, index);
    Server server;
    QSignalSpy errors(&server, &Server::sig_net_error);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no endpoint with index")));
    server.request(index, QUrlQuery());
    QTest::qWait(100);
    QCOMPARE(m_fake->requests().size(), 0);
    QCOMPARE(errors.count(), 0);
}

void TestServer::sessionCookieOutlivesTheServerThatGotIt()
{
    SessionCookies::forget();
    FakeServer::Reply signin = FakeServer::Reply::json(R"({"result_code":0})");
    signin.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("olva_session=abc123; Path=/; HttpOnly")));
    m_fake->enqueue(QStringLiteral("/api/signin"), signin);
    {
        // The window that signed in closes with its Server...
        auto* first = new Server;
        QSignalSpy spy(first, &Server::sig_net_login);
        first->request(1, QUrlQuery());
        QVERIFY(spy.wait(5000));
        delete first;
    }
    // ...and a Server of another window still carries the session.
    m_fake->enqueueJson(QStringLiteral("getFoodList"), R"({"result_code":0})");
    Server second;
    QSignalSpy spy(&second, &Server::sig_net_foodinfo);
    second.request(7, QUrlQuery());
    QVERIFY(spy.wait(5000));
    QCOMPARE(m_fake->lastRequest(QStringLiteral("/api/getFoodList")).header("Cookie"),
             QByteArray("olva_session=abc123"));

    // Nothing of the session is written to disk.
    QDirIterator files(TestEnvironment::root(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(!file.readAll().contains("abc123"), qPrintable(file.fileName()));
    }
}

void TestServer::forgetDropsTheSession()
{
    FakeServer::Reply signin = FakeServer::Reply::json(R"({"result_code":0})");
    signin.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("olva_session=def456; Path=/; HttpOnly")));
    m_fake->enqueue(QStringLiteral("/api/signin"), signin);
    Server server;
    QSignalSpy logins(&server, &Server::sig_net_login);
    server.request(1, QUrlQuery());
    QVERIFY(logins.wait(5000));

    SessionCookies::forget();
    m_fake->enqueueJson(QStringLiteral("aboutUs"), R"({"result_code":0})");
    QSignalSpy about(&server, &Server::sig_net_aboutus);
    server.request(28, QUrlQuery());
    QVERIFY(about.wait(5000));
    QVERIFY(m_fake->lastRequest(QStringLiteral("/api/aboutUs")).header("Cookie").isEmpty());
}

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"
