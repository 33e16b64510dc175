#include "serverfixture.h"

#include "server/engine/byterange.h"
#include "server/storage/storage.h"

#include "testenvironment.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QElapsedTimer>
#include <QtTest>

// The HTTP side of olva-server: routing, limits, malformed requests, static
// files with ranges, and many connections at once.
class TstServerEngine final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void byteRange_data();
    void byteRange();

    void rejectsMalformedCalls_data();
    void rejectsMalformedCalls();
    void bodyThatIsNotAFormIsRefusedPerField();
    void plusAndAmpersandArriveAsTheClientMeantThem();

    void headReportsSizeWithoutBody();
    void getSendsWholeFile();
    void rangeRequests_data();
    void rangeRequests();
    void unsatisfiableRange();
    void filesOutsideTheFolderAreNotServed_data();
    void filesOutsideTheFolderAreNotServed();
    void largeFileIsStreamedIntact();
    void throttledFilesArriveIntactAtTheirPace_data();
    void throttledFilesArriveIntactAtTheirPace();

    void manyConnectionsAtOnceAreAllAnswered();
    void demoDataFillsOnlyAnEmptyDatabase();
    void clientLeavingBeforeTheReplyIsHarmless();
    void connectionCloseIsHonoured();
    void endlessBodyDropsTheConnection();
    void fileAddressesFollowTheRequestedHost_data();
    void fileAddressesFollowTheRequestedHost();
    void workersByDatabase_data();
    void workersByDatabase();
    void callsGoToTheLeastBusyWorker_data();
    void callsGoToTheLeastBusyWorker();

private:
    QByteArray writeFile(const QString& relativePath, qint64 size);

    std::unique_ptr<ServerFixture> m_fixture;
};

void TstServerEngine::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerEngine::init()
{
    if (qstrcmp(QTest::currentTestFunction(), "byteRange") == 0)
        return; // plain parsing, no server needed
    m_fixture = std::make_unique<ServerFixture>();
    QVERIFY(m_fixture->start());
}

void TstServerEngine::cleanup()
{
    m_fixture.reset();
}

QByteArray TstServerEngine::writeFile(const QString& relativePath, qint64 size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (qint64 i = 0; i < size; ++i)
        data[i] = char((i * 31 + i / 251) & 0xff);
    const QString path = m_fixture->filesDir() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != size)
        return {};
    return data;
}

void TstServerEngine::byteRange_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("kind");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");

    const int whole = int(ByteRange::Kind::Whole);
    const int partial = int(ByteRange::Kind::Partial);
    const int unsatisfiable = int(ByteRange::Kind::Unsatisfiable);
    QTest::newRow("no header") << QByteArray() << qint64(100) << whole << qint64(0) << qint64(99);
    QTest::newRow("first ten") << QByteArray("bytes=0-9") << qint64(100) << partial << qint64(0) << qint64(9);
    QTest::newRow("open end") << QByteArray("bytes=40-") << qint64(100) << partial << qint64(40) << qint64(99);
    QTest::newRow("suffix") << QByteArray("bytes=-30") << qint64(100) << partial << qint64(70) << qint64(99);
    QTest::newRow("suffix longer than file") << QByteArray("bytes=-500") << qint64(100) << partial << qint64(0) << qint64(99);
    QTest::newRow("end clamped") << QByteArray("bytes=90-500") << qint64(100) << partial << qint64(90) << qint64(99);
    QTest::newRow("last byte") << QByteArray("bytes=99-99") << qint64(100) << partial << qint64(99) << qint64(99);
    QTest::newRow("start at end") << QByteArray("bytes=100-") << qint64(100) << unsatisfiable << qint64(0) << qint64(-1);
    QTest::newRow("empty suffix") << QByteArray("bytes=-0") << qint64(100) << unsatisfiable << qint64(0) << qint64(-1);
    QTest::newRow("empty file") << QByteArray("bytes=0-") << qint64(0) << unsatisfiable << qint64(0) << qint64(-1);
    QTest::newRow("reversed") << QByteArray("bytes=9-5") << qint64(100) << whole << qint64(0) << qint64(99);
    QTest::newRow("letters") << QByteArray("bytes=a-b") << qint64(100) << whole << qint64(0) << qint64(99);
    QTest::newRow("negative start") << QByteArray("bytes=--5") << qint64(100) << whole << qint64(0) << qint64(99);
    QTest::newRow("several ranges") << QByteArray("bytes=0-1,5-6") << qint64(100) << whole << qint64(0) << qint64(99);
    QTest::newRow("other unit") << QByteArray("items=0-1") << qint64(100) << whole << qint64(0) << qint64(99);
    QTest::newRow("huge number") << QByteArray("bytes=99999999999999999999-") << qint64(100) << whole << qint64(0) << qint64(99);
}

void TstServerEngine::byteRange()
{
    QFETCH(QByteArray, header);
    QFETCH(qint64, size);
    QFETCH(int, kind);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    const ByteRange range = ByteRange::parse(header, size);
    QCOMPARE(int(range.kind), kind);
    if (range.kind != ByteRange::Kind::Unsatisfiable) {
        QCOMPARE(range.first, first);
        QCOMPARE(range.last, last);
    }
}

void TstServerEngine::rejectsMalformedCalls_data()
{
    QTest::addColumn<QByteArray>("verb");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");

    const QByteArray form = "application/x-www-form-urlencoded";
    QTest::newRow("unknown endpoint") << QByteArray("POST") << QStringLiteral("/api/noSuchThing") << form
                                      << QByteArray("a=1") << 404;
    QTest::newRow("no endpoint name") << QByteArray("POST") << QStringLiteral("/api/") << form << QByteArray() << 404;
    QTest::newRow("GET on an endpoint") << QByteArray("GET") << QStringLiteral("/api/checkVersion") << QByteArray()
                                        << QByteArray() << 405;
    QTest::newRow("PUT on an endpoint") << QByteArray("PUT") << QStringLiteral("/api/signin") << form
                                        << QByteArray("email=x") << 405;
    QTest::newRow("2 MiB body") << QByteArray("POST") << QStringLiteral("/api/signin") << form
                                << QByteArray("email=") + QByteArray(2 * 1024 * 1024, 'a') << 413;
    QTest::newRow("JSON body") << QByteArray("POST") << QStringLiteral("/api/signin")
                               << QByteArray("application/json") << QByteArray("{\"email\":\"x\"}") << 415;
    QTest::newRow("outside api and files") << QByteArray("GET") << QStringLiteral("/index.html") << QByteArray()
                                           << QByteArray() << 404;
    QTest::newRow("POST to a file") << QByteArray("POST") << QStringLiteral("/uploadfiles/x.txt") << form
                                    << QByteArray("a=1") << 405;
}

void TstServerEngine::rejectsMalformedCalls()
{
    QFETCH(QByteArray, verb);
    QFETCH(QString, path);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(int, status);

    ServerFixture::Headers headers;
    if (!contentType.isEmpty())
        headers.append({"Content-Type", contentType});
    const ServerFixture::Reply reply = m_fixture->send(verb, path, body, headers);
    QVERIFY(!reply.timedOut);
    QCOMPARE(reply.status, status);
    // Even refusals are JSON objects with a non-zero code and a message.
    const QJsonObject object = QJsonDocument::fromJson(reply.body).object();
    QCOMPARE(object.value(QStringLiteral("result_code")).toInt(), status);
    QVERIFY(!object.value(QStringLiteral("message")).toString().isEmpty());

    // The server is still there for the next call.
    int next = 0;
    const QJsonObject version = m_fixture->post(QStringLiteral("checkVersion"),
                                                {{QStringLiteral("platform"), QStringLiteral("windows")}}, &next);
    QCOMPARE(next, 200);
    QCOMPARE(version.value(QStringLiteral("result_code")).toInt(), 0);
}

void TstServerEngine::bodyThatIsNotAFormIsRefusedPerField()
{
    // Declared as a form but holding JSON or binary: no field can be read.
    const QByteArray bodies[] = {QByteArray("{\"user_id\": 1}"), QByteArrayLiteral("\x00\xff\xfe=\x01&&==")};
    for (const QByteArray& body : bodies) {
        const ServerFixture::Reply reply = m_fixture->send("POST", QStringLiteral("/api/getFoodList"), body,
                                                           {{"Content-Type", "application/x-www-form-urlencoded"}});
        QCOMPARE(reply.status, 200);
        const QJsonObject object = QJsonDocument::fromJson(reply.body).object();
        QCOMPARE(object.value(QStringLiteral("result_code")).toInt(), 90);
    }
}

void TstServerEngine::plusAndAmpersandArriveAsTheClientMeantThem()
{
    // The client sends "+" and spaces as they are and "&" percent-encoded.
    const QString name = QStringLiteral("Ann+Lee & Co é");
    const QJsonObject reply = m_fixture->post(QStringLiteral("signup"),
                                              {{QStringLiteral("email"), QStringLiteral("a+b@olva.local")},
                                               {QStringLiteral("password"), QStringLiteral("p+w d&x")},
                                               {QStringLiteral("username"), name}});
    QCOMPARE(reply.value(QStringLiteral("result_code")).toInt(), 0);
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT email, username FROM users")));
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QStringLiteral("a+b@olva.local"));
    QCOMPARE(query.value(1).toString(), name);
}

void TstServerEngine::headReportsSizeWithoutBody()
{
    QVERIFY(!writeFile(QStringLiteral("videos/clip.mp4"), 5000).isEmpty());
    const ServerFixture::Reply reply = m_fixture->send("HEAD", QStringLiteral("/uploadfiles/videos/clip.mp4"));
    QVERIFY(!reply.timedOut);
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.header("Content-Length"), QByteArray("5000"));
    QCOMPARE(reply.header("Accept-Ranges"), QByteArray("bytes"));
    QCOMPARE(reply.header("Content-Type"), QByteArray("video/mp4"));
    QVERIFY(reply.body.isEmpty());
}

void TstServerEngine::getSendsWholeFile()
{
    const QByteArray data = writeFile(QStringLiteral("pictures/a b.png"), 3000);
    const ServerFixture::Reply reply = m_fixture->send("GET", QStringLiteral("/uploadfiles/pictures/a%20b.png"));
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.header("Content-Length"), QByteArray("3000"));
    QCOMPARE(reply.body, data);
}

void TstServerEngine::rangeRequests_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");

    QTest::newRow("start") << QByteArray("bytes=0-99") << qint64(0) << qint64(99);
    QTest::newRow("resume") << QByteArray("bytes=1000-") << qint64(1000) << qint64(9999);
    QTest::newRow("tail") << QByteArray("bytes=-10") << qint64(9990) << qint64(9999);
    QTest::newRow("past the end") << QByteArray("bytes=9000-20000") << qint64(9000) << qint64(9999);
}

void TstServerEngine::rangeRequests()
{
    QFETCH(QByteArray, range);
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    const QByteArray data = writeFile(QStringLiteral("video.mp4"), 10000);
    const ServerFixture::Reply reply = m_fixture->send("GET", QStringLiteral("/uploadfiles/video.mp4"), {},
                                                       {{"Range", range}});
    QCOMPARE(reply.status, 206);
    QCOMPARE(reply.header("Content-Range"),
             QByteArray("bytes ") + QByteArray::number(first) + '-' + QByteArray::number(last) + "/10000");
    QCOMPARE(reply.header("Content-Length"), QByteArray::number(last - first + 1));
    QCOMPARE(reply.body, data.mid(first, last - first + 1));
}

void TstServerEngine::unsatisfiableRange()
{
    writeFile(QStringLiteral("video.mp4"), 100);
    const ServerFixture::Reply reply = m_fixture->send("GET", QStringLiteral("/uploadfiles/video.mp4"), {},
                                                       {{"Range", "bytes=100-"}});
    QCOMPARE(reply.status, 416);
    QCOMPARE(reply.header("Content-Range"), QByteArray("bytes */100"));
}

void TstServerEngine::filesOutsideTheFolderAreNotServed_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << QStringLiteral("/uploadfiles/nothing.png");
    QTest::newRow("folder") << QStringLiteral("/uploadfiles/pictures");
    QTest::newRow("encoded dots") << QStringLiteral("/uploadfiles/%2e%2e/olva.sqlite");
    QTest::newRow("encoded slash") << QStringLiteral("/uploadfiles/..%2folva.sqlite");
    QTest::newRow("backslash") << QStringLiteral("/uploadfiles/..%5colva.sqlite");
    QTest::newRow("symlink out") << QStringLiteral("/uploadfiles/link.sqlite");
}

void TstServerEngine::filesOutsideTheFolderAreNotServed()
{
    QFETCH(QString, path);
    writeFile(QStringLiteral("pictures/inside.png"), 10);
    QFile::link(QFileInfo(m_fixture->filesDir()).absolutePath() + QStringLiteral("/olva.sqlite"),
                m_fixture->filesDir() + QStringLiteral("/link.sqlite"));
    const ServerFixture::Reply reply = m_fixture->send("GET", path);
    QCOMPARE(reply.status, 404);
    QVERIFY(!reply.body.startsWith("SQLite"));
}

void TstServerEngine::largeFileIsStreamedIntact()
{
    const qint64 size = 8 * 1024 * 1024 + 17; // many chunks, and more than the socket buffers
    const QByteArray data = writeFile(QStringLiteral("big/movie.mp4"), size);
    QCOMPARE(data.size(), size);
    const ServerFixture::Reply reply = m_fixture->send("GET", QStringLiteral("/uploadfiles/big/movie.mp4"), {}, {},
                                                       60000);
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body.size(), size);
    QVERIFY(reply.body == data);
}

void TstServerEngine::throttledFilesArriveIntactAtTheirPace_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("length");
    constexpr qint64 size = 300 * 1024 + 5;
    QTest::newRow("whole file") << QByteArray() << 200 << qint64(0) << size;
    QTest::newRow("resumed") << QByteArray("bytes=100000-") << 206 << qint64(100000) << size - 100000;
    QTest::newRow("smaller than one tick") << QByteArray("bytes=7-99") << 206 << qint64(7) << qint64(93);
}

void TstServerEngine::throttledFilesArriveIntactAtTheirPace()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(qint64, first);
    QFETCH(qint64, length);
    m_fixture.reset();
    m_fixture = std::make_unique<ServerFixture>();
    constexpr qint64 bytesPerSecond = 1024 * 1024;
    m_fixture->options().filesBytesPerSecond = bytesPerSecond;
    QVERIFY(m_fixture->start());
    const QByteArray data = writeFile(QStringLiteral("videos/paced.mp4"), 300 * 1024 + 5);

    QElapsedTimer clock;
    clock.start();
    ServerFixture::Headers headers;
    if (!range.isEmpty())
        headers.append({"Range", range});
    const ServerFixture::Reply reply =
        m_fixture->send("GET", QStringLiteral("/uploadfiles/videos/paced.mp4"), {}, headers, 20000);
    QCOMPARE(reply.status, status);
    QVERIFY(reply.body == data.mid(first, length));
    // The pace is a floor on the time, never a ceiling: a slow machine only
    // adds to it. Allow one tick of the pace for the first chunk.
    QVERIFY2(clock.elapsed() >= (length * 1000 / bytesPerSecond) - 100, qPrintable(QString::number(clock.elapsed())));
}

void TstServerEngine::manyConnectionsAtOnceAreAllAnswered()
{
    // 32 raw connections, each sending its call before any answer is read.
    constexpr int connections = 32;
    const QByteArray body = "platform=windows";
    const QByteArray request = "POST /api/checkVersion HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                               "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (int i = 0; i < connections; ++i) {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, m_fixture->port());
        sockets.push_back(std::move(socket));
    }
    for (auto& socket : sockets) {
        QTRY_VERIFY(socket->state() == QAbstractSocket::ConnectedState);
        socket->write(request);
    }
    for (auto& socket : sockets) {
        QTRY_VERIFY_WITH_TIMEOUT(socket->peek(4096).contains("\"version\":\"1.0.3\""), 10000);
        QVERIFY(socket->readAll().startsWith("HTTP/1.1 200"));
    }
}

void TstServerEngine::demoDataFillsOnlyAnEmptyDatabase()
{
    QTemporaryDir dir;
    ServerOptions options;
    options.dbPath = dir.filePath(QStringLiteral("olva.sqlite"));
    options.filesDir = dir.filePath(QStringLiteral("files"));
    options.demo = true;
    options.demoVideos = false;
    const auto count = [](ApiServer& server, const QString& table) {
        QSqlQuery query(server.context().db);
        query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table);
        return query.next() ? query.value(0).toLongLong() : -1;
    };
    qint64 foods = 0;
    qint64 users = 0;
    {
        ApiServer first;
        QVERIFY(first.start(options, QHostAddress::LocalHost, 0));
        foods = count(first, QStringLiteral("foods"));
        users = count(first, QStringLiteral("users"));
        QVERIFY(foods >= 300);
        QVERIFY(users >= 1);
    }
    ApiServer second;
    QVERIFY(second.start(options, QHostAddress::LocalHost, 0));
    QCOMPARE(count(second, QStringLiteral("foods")), foods);
    QCOMPARE(count(second, QStringLiteral("users")), users);
}

namespace {

QByteArray rawPost(const QByteArray& endpoint, const QByteArray& body, const QByteArray& extraHeaders = {})
{
    return "POST /api/" + endpoint + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\n" + extraHeaders + "Content-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

} // namespace

void TstServerEngine::clientLeavingBeforeTheReplyIsHarmless()
{
    // Sign-ins hash a password on a worker; the callers hang up meanwhile.
    for (int i = 0; i < 8; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_fixture->port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write(rawPost("signin", "email=a%40b&password=x&deviceToken=t"));
        QVERIFY(socket.waitForBytesWritten(5000));
        socket.abort();
    }
    const QJsonObject reply = m_fixture->post(QStringLiteral("checkVersion"),
                                              {{QStringLiteral("platform"), QStringLiteral("windows")}});
    QCOMPARE(reply.value(QStringLiteral("result_code")).toInt(-1), 0);
}

void TstServerEngine::connectionCloseIsHonoured()
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_fixture->port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write(rawPost("checkVersion", "platform=windows", "Connection: close\r\n"));
    QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QAbstractSocket::UnconnectedState, 10000);
    const QByteArray answer = socket.readAll();
    QVERIFY(answer.startsWith("HTTP/1.1 200"));
    QVERIFY(answer.endsWith("\"version\":\"1.0.3\"}"));
}

void TstServerEngine::endlessBodyDropsTheConnection()
{
    // Announces 100 MiB and keeps sending: the connection is dropped once
    // a few MiB have come in without an answer, long before the end.
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_fixture->port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write("POST /api/signin HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                 "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 104857600\r\n\r\nemail=");
    const QByteArray block(256 * 1024, 'a');
    qint64 sent = 0;
    QElapsedTimer timer;
    timer.start();
    while (socket.state() == QAbstractSocket::ConnectedState && sent < 64 * 1024 * 1024 && timer.elapsed() < 20000) {
        if (socket.bytesToWrite() < 1024 * 1024) {
            socket.write(block);
            sent += block.size();
        }
        QTest::qWait(1);
    }
    QTRY_VERIFY_WITH_TIMEOUT(socket.state() != QAbstractSocket::ConnectedState, 10000);
    QVERIFY2(sent < 64 * 1024 * 1024, "the server kept reading");
    const QJsonObject reply = m_fixture->post(QStringLiteral("checkVersion"),
                                              {{QStringLiteral("platform"), QStringLiteral("windows")}});
    QCOMPARE(reply.value(QStringLiteral("result_code")).toInt(-1), 0);
}

void TstServerEngine::fileAddressesFollowTheRequestedHost_data()
{
    QTest::addColumn<QByteArray>("hostHeader"); // "-": none (HTTP/1.0)
    QTest::addColumn<QString>("publicUrl");
    QTest::addColumn<QString>("expectedBase"); // "local": http://127.0.0.1:<port>
    QTest::newRow("name and port") << QByteArray("olva.example:8618") << QString() << "http://olva.example:8618";
    QTest::newRow("LAN address") << QByteArray("192.168.1.20:8618") << QString() << "http://192.168.1.20:8618";
    QTest::newRow("IPv6") << QByteArray("[fe80::1]:8618") << QString() << "http://[fe80::1]:8618";
    QTest::newRow("no port") << QByteArray("olva.example") << QString() << "http://olva.example";
    QTest::newRow("loopback") << QByteArray("127.0.0.1:PORT") << QString() << "local";
    QTest::newRow("path in the host") << QByteArray("evil.example/x") << QString() << "local";
    QTest::newRow("user in the host") << QByteArray("me@evil.example") << QString() << "local";
    QTest::newRow("no host") << QByteArray("-") << QString() << "local";
    QTest::newRow("public URL wins") << QByteArray("olva.example:8618") << "https://cdn.olva.example/"
                                     << "https://cdn.olva.example";
}

void TstServerEngine::fileAddressesFollowTheRequestedHost()
{
    QFETCH(QByteArray, hostHeader);
    QFETCH(QString, publicUrl);
    QFETCH(QString, expectedBase);
    ServerFixture demo;
    demo.options().publicBaseUrl = publicUrl;
    QVERIFY(demo.start(true));
    QSqlQuery query(demo.context().db);
    QVERIFY(query.exec(QStringLiteral("INSERT INTO devices (user_id, token) VALUES (1, 'DISK-1')")));
    if (expectedBase == QLatin1String("local"))
        expectedBase = demo.baseUrl();
    hostHeader.replace("PORT", QByteArray::number(demo.port()));

    const QByteArray body = "email=demo%40olva.local&deviceToken=DISK-1&deviceType=windows";
    const QByteArray request = (hostHeader == "-" ? QByteArray("POST /api/getMyDetails HTTP/1.0\r\n")
                                                  : "POST /api/getMyDetails HTTP/1.1\r\nHost: " + hostHeader + "\r\n")
        + "Content-Type: application/x-www-form-urlencoded\r\nConnection: close\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, demo.port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write(request);
    QTRY_VERIFY_WITH_TIMEOUT(socket.state() == QAbstractSocket::UnconnectedState, 10000);
    const QByteArray answer = socket.readAll();
    const QJsonObject reply = QJsonDocument::fromJson(answer.mid(answer.indexOf("\r\n\r\n") + 4)).object();
    const QJsonArray backgrounds = reply.value(QStringLiteral("backgrounds")).toArray();
    QVERIFY2(!backgrounds.isEmpty(), answer.left(300).constData());
    for (const QJsonValue& background : backgrounds) {
        const QString url = background.toObject().value(QStringLiteral("url")).toString();
        QVERIFY2(url.startsWith(expectedBase + QStringLiteral("/uploadfiles/backgrounds/")), qPrintable(url));
    }
}

void TstServerEngine::workersByDatabase_data()
{
    QTest::addColumn<bool>("postgres");
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("workers");
    QTest::newRow("sqlite, one core") << false << 1 << 2;
    QTest::newRow("sqlite, two cores") << false << 2 << 2;
    QTest::newRow("sqlite, many cores") << false << 32 << 4;
    QTest::newRow("postgres, two cores: commits share flushes") << true << 2 << 16;
    QTest::newRow("postgres, six cores") << true << 6 << 24;
    QTest::newRow("postgres, many cores") << true << 64 << 32;
}

void TstServerEngine::workersByDatabase()
{
    QFETCH(bool, postgres);
    QFETCH(int, cores);
    QFETCH(int, workers);
    QCOMPARE(ApiServer::defaultWorkerCount(postgres, cores), workers);
}

void TstServerEngine::callsGoToTheLeastBusyWorker_data()
{
    QTest::addColumn<QList<int>>("callsInProgress");
    QTest::addColumn<int>("turn");
    QTest::addColumn<int>("chosen");
    QTest::newRow("all idle: the turn's") << QList<int>{0, 0, 0} << 4 << 1;
    QTest::newRow("the turn's is idle") << QList<int>{3, 0, 2} << 1 << 1;
    QTest::newRow("the turn's is busy") << QList<int>{0, 2, 1} << 1 << 0;
    QTest::newRow("the least busy of all busy") << QList<int>{2, 5, 1, 3} << 1 << 2;
    QTest::newRow("ties: the first after the turn") << QList<int>{1, 2, 1, 1} << 1 << 2;
    QTest::newRow("one worker") << QList<int>{7} << 3 << 0;
}

void TstServerEngine::callsGoToTheLeastBusyWorker()
{
    QFETCH(QList<int>, callsInProgress);
    QFETCH(int, turn);
    QFETCH(int, chosen);
    const std::vector<int> load(callsInProgress.begin(), callsInProgress.end());
    QCOMPARE(int(ApiServer::leastBusyWorker(load, size_t(turn))), chosen);
}

QTEST_MAIN(TstServerEngine)
#include "tst_server_engine.moc"
