#include "fakeserver.h"
#include "testenvironment.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>

namespace {

struct RawResponse
{
    int status = 0;
    QByteArray head;
    QByteArray body;
    QByteArray header(const QByteArray& name) const
    {
        for (const QByteArray& line : head.split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0 && line.left(colon).compare(name, Qt::CaseInsensitive) == 0)
                return line.mid(colon + 1).trimmed();
        }
        return {};
    }
};

// Reads one response off the socket; `input` keeps what belongs to the next.
bool readResponse(QTcpSocket& socket, QByteArray& input, RawResponse& response, bool headOnly = false)
{
    return QTest::qWaitFor(
        [&] {
            input += socket.readAll();
            const qsizetype end = input.indexOf("\r\n\r\n");
            if (end < 0)
                return false;
            const QByteArray head = input.left(end);
            const qint64 length = headOnly ? 0 : RawResponse{0, head, {}}.header("Content-Length").toLongLong();
            if (input.size() < end + 4 + length)
                return false;
            response.head = head;
            response.status = head.mid(9, 3).toInt();
            response.body = input.mid(end + 4, length);
            input.remove(0, end + 4 + length);
            return true;
        },
        5000);
}

QByteArray sample(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char('a' + (i * 7) % 26);
    return data;
}

} // namespace

class TestFakeServer final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rangeAnswers_data();
    void rangeAnswers();
    void pipelinedRequestsAnsweredInOrder();
    void garbageGets400AndClose();
    void closeAfterBytesDropsOnlyOnce();
    void scriptedRepliesThenDefaultThen404();
};

void TestFakeServer::initTestCase()
{
    TestEnvironment::isolate();
}

void TestFakeServer::rangeAnswers_data()
{
    QTest::addColumn<QByteArray>("range");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("contentRange");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("length");

    QTest::newRow("no range") << QByteArray() << 200 << QByteArray() << 0 << 5000;
    QTest::newRow("open end") << QByteArray("bytes=1000-") << 206 << QByteArray("bytes 1000-4999/5000") << 1000 << 4000;
    QTest::newRow("end clamped") << QByteArray("bytes=1000-5000") << 206 << QByteArray("bytes 1000-4999/5000") << 1000 << 4000;
    QTest::newRow("inner") << QByteArray("bytes=10-19") << 206 << QByteArray("bytes 10-19/5000") << 10 << 10;
    QTest::newRow("suffix") << QByteArray("bytes=-100") << 206 << QByteArray("bytes 4900-4999/5000") << 4900 << 100;
    QTest::newRow("past end") << QByteArray("bytes=5000-") << 416 << QByteArray("bytes */5000") << 0 << 0;
    QTest::newRow("backwards ignored") << QByteArray("bytes=20-10") << 200 << QByteArray() << 0 << 5000;
    QTest::newRow("other unit ignored") << QByteArray("items=1-2") << 200 << QByteArray() << 0 << 5000;
}

void TestFakeServer::rangeAnswers()
{
    QFETCH(QByteArray, range);
    QFETCH(int, status);
    QFETCH(QByteArray, contentRange);
    QFETCH(int, first);
    QFETCH(int, length);

    FakeServer server;
    QVERIFY(server.isListening());
    const QByteArray content = sample(5000);
    server.serveFile(QStringLiteral("/v.bin"), content);

    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), server.port());
    QByteArray request = "GET /v.bin HTTP/1.1\r\nHost: x\r\n";
    if (!range.isEmpty())
        request += "Range: " + range + "\r\n";
    socket.write(request + "\r\n");

    QByteArray input;
    RawResponse response;
    QVERIFY(readResponse(socket, input, response));
    QCOMPARE(response.status, status);
    QCOMPARE(response.header("Content-Range"), contentRange);
    QCOMPARE(response.body, content.mid(first, length));
    QCOMPARE(server.lastRequest(QStringLiteral("/v.bin")).header("range"), range);
}

void TestFakeServer::pipelinedRequestsAnsweredInOrder()
{
    FakeServer server;
    server.serveFile(QStringLiteral("/f"), sample(300000), {.acceptRangesValue = "Bytes"});
    server.enqueueJson(QStringLiteral("a"), R"({"result_code":0})", 50);

    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), server.port());
    // The delayed reply comes first: the file must wait for it.
    socket.write("POST /api/a HTTP/1.1\r\nContent-Length: 3\r\n\r\nx=1"
                 "HEAD /f HTTP/1.1\r\n\r\n"
                 "GET /f HTTP/1.1\r\n\r\n");

    QByteArray input;
    RawResponse first, second, third;
    QVERIFY(readResponse(socket, input, first));
    QCOMPARE(first.body, QByteArray(R"({"result_code":0})"));
    QVERIFY(readResponse(socket, input, second, true));
    QCOMPARE(second.header("Content-Length"), QByteArray("300000"));
    QCOMPARE(second.header("Accept-Ranges"), QByteArray("Bytes"));
    QVERIFY(readResponse(socket, input, third));
    QCOMPARE(third.body, sample(300000));
    QCOMPARE(socket.state(), QAbstractSocket::ConnectedState);
    QCOMPARE(server.lastRequest(QStringLiteral("/api/a")).field(QStringLiteral("x")), QStringLiteral("1"));
}

void TestFakeServer::garbageGets400AndClose()
{
    FakeServer server;
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), server.port());
    socket.write("\x01\x02 nonsense\r\n\r\n");
    QByteArray input;
    RawResponse response;
    QVERIFY(readResponse(socket, input, response));
    QCOMPARE(response.status, 400);
    QTRY_COMPARE(socket.state(), QAbstractSocket::UnconnectedState);
    QVERIFY(server.requests().isEmpty());
}

void TestFakeServer::closeAfterBytesDropsOnlyOnce()
{
    FakeServer server;
    const QByteArray content = sample(200000);
    server.serveFile(QStringLiteral("/f"), content, {.closeAfterBytes = 1234});

    QNetworkAccessManager network;
    QNetworkReply* broken = network.get(QNetworkRequest(server.url(QStringLiteral("/f"))));
    QSignalSpy brokenDone(broken, &QNetworkReply::finished);
    QVERIFY(brokenDone.wait());
    // Qt reports the early close as an error, or (racing with the close) as a
    // short body; either way no more than the promised bytes arrive.
    const QByteArray partial = broken->readAll();
    QVERIFY(broken->error() != QNetworkReply::NoError || partial.size() < content.size());
    QCOMPARE(partial, content.left(1234));

    QNetworkReply* whole = network.get(QNetworkRequest(server.url(QStringLiteral("/f"))));
    QSignalSpy wholeDone(whole, &QNetworkReply::finished);
    QVERIFY(wholeDone.wait());
    QCOMPARE(whole->error(), QNetworkReply::NoError);
    QCOMPARE(whole->readAll(), content);
    delete broken;
    delete whole;
}

void TestFakeServer::scriptedRepliesThenDefaultThen404()
{
    FakeServer server;
    const QString path = QStringLiteral("/api/x");
    server.enqueue(path, FakeServer::Reply::error(500));
    server.setDefaultReply(path, FakeServer::Reply::json("{}"));

    QNetworkAccessManager network;
    auto fetch = [&](const QString& where) {
        std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(server.url(where))));
        QSignalSpy done(reply.get(), &QNetworkReply::finished);
        done.wait();
        return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    };
    QCOMPARE(fetch(path), 500);
    QCOMPARE(fetch(path), 200);
    QCOMPARE(fetch(path), 200);
    QCOMPARE(fetch(QStringLiteral("/nothing")), 404);
    QCOMPARE(server.requestCount(path), 3);
}

QTEST_GUILESS_MAIN(TestFakeServer)
#include "tst_fakeserver.moc"
