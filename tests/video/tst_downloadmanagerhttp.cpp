#include "app/accountstate.h"
#include "fakeserver.h"
#include "testenvironment.h"
#include "video/downloadmanagerhttp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray content(qsizetype size, int seed = 1)
{
    QByteArray data(size, Qt::Uninitialized);
    quint32 x = 2463534242u + quint32(seed);
    for (qsizetype i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        data[i] = char(x);
    }
    return data;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(data), data.size());
}

// Spies on the three outcomes of one transfer.
struct Watch
{
    explicit Watch(DownloadManagerHTTP& http)
        : complete(&http, &DownloadManagerHTTP::downloadComplete),
          failed(&http, &DownloadManagerHTTP::failed),
          progress(&http, &DownloadManagerHTTP::progress)
    {
    }
    bool waitDone(int timeoutMs = 10000)
    {
        const qsizetype before = complete.size() + failed.size();
        return QTest::qWaitFor([&] { return complete.size() + failed.size() > before; }, timeoutMs);
    }
    QSignalSpy complete;
    QSignalSpy failed;
    QSignalSpy progress;
};

} // namespace

class TestDownloadManagerHttp final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void localPath_data();
    void localPath();
    void percentage_data();
    void percentage();

    void acceptRangesDecidesResume_data();
    void acceptRangesDecidesResume();
    void rangeContinuesPartialFile_data();
    void rangeContinuesPartialFile();
    void offsetsBeyond2GiB();
    void existingFinalFileIsReplaced();
    void completePartialFileNeedsNoTransfer();
    void droppedConnectionResumesToIdenticalFile_data();
    void droppedConnectionResumesToIdenticalFile();
    void stalledServerFailsAndKeepsPartialFile();
    void unansweredHeadKeepsPartialFile_data();
    void unansweredHeadKeepsPartialFile();
    void cutShortPartIsNotComplete();
    void partMustBeTheOneAskedFor_data();
    void partMustBeTheOneAskedFor();
    void httpErrorOnGetFails_data();
    void httpErrorOnGetFails();
    void pauseResumeWithoutRangesGivesIdenticalFile();
    void headersAreReportedAsLines();

private:
    QString partialPathFor(const QString& urlPath) const
    {
        return DownloadManagerHTTP::localPathFor(m_server->url(urlPath), dataDir) + QStringLiteral(".part");
    }

    std::unique_ptr<FakeServer> m_server;
};

void TestDownloadManagerHttp::initTestCase()
{
    TestEnvironment::isolate();
}

void TestDownloadManagerHttp::cleanup()
{
    m_server.reset();
    QDir(dataDir).removeRecursively();
    QDir().mkpath(dataDir);
}

void TestDownloadManagerHttp::localPath_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");

    QTest::newRow("video") << "http://h/videos/abc.sys" << ".abc.mp4";
    QTest::newRow("installer") << "http://h/uploadfiles/apps/OlvaApp_1.0.4.exe" << ".OlvaApp_1.0.4.exe";
    QTest::newRow("sys twice") << "http://h/v/sysclip.sys" << ".mp4clip.mp4";
    QTest::newRow("case kept") << "http://h/v/clip.SYS" << ".clip.SYS";
    QTest::newRow("query left out") << "http://h/v/a.sys?token=1/2" << ".a.mp4";
    QTest::newRow("encoded space") << "http://h/v/my%20clip.sys" << ".my clip.mp4";
    QTest::newRow("dot dot") << "http://h/v/.." << ".download";
    QTest::newRow("dot") << "http://h/v/." << ".download";
    QTest::newRow("encoded slashes") << "http://h/%2F..%2Fx" << "._.._x";
    QTest::newRow("encoded dot dot") << "http://h/%2E%2E" << ".download";
    QTest::newRow("backslash") << "http://h/a%5Cb" << ".a_b";
    QTest::newRow("empty path") << "http://h" << ".download";
    QTest::newRow("trailing slash") << "http://h/v/" << ".download";
    QTest::newRow("nul") << "http://h/a%00b" << ".a_b";
}

void TestDownloadManagerHttp::localPath()
{
    QFETCH(QString, url);
    QFETCH(QString, name);

    const QString path = DownloadManagerHTTP::localPathFor(QUrl(url), dataDir);
    QCOMPARE(path, dataDir + u'/' + name);
    QCOMPARE(QFileInfo(path).absoluteDir(), QDir(dataDir));
}

void TestDownloadManagerHttp::percentage_data()
{
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("percent");

    QTest::newRow("start") << qint64(0) << qint64(5000) << 0;
    QTest::newRow("truncated") << qint64(1001) << qint64(5000) << 20;
    QTest::newRow("almost") << qint64(4999) << qint64(5000) << 99;
    QTest::newRow("done") << qint64(5000) << qint64(5000) << 100;
    QTest::newRow("unknown total") << qint64(100) << qint64(0) << 0;
    QTest::newRow("over 2 GiB") << qint64(3) * 1024 * 1024 * 1024 << qint64(4) * 1024 * 1024 * 1024 << 75;
    QTest::newRow("over 4 GiB") << qint64(5'000'000'000) << qint64(10'000'000'000) << 50;
    QTest::newRow("more than total") << qint64(6000) << qint64(5000) << 100;
}

void TestDownloadManagerHttp::percentage()
{
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(int, percent);
    QCOMPARE(DownloadManagerHTTP::percentage(done, total), percent);
}

void TestDownloadManagerHttp::acceptRangesDecidesResume_data()
{
    QTest::addColumn<bool>("sendHeader");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("headStatus");
    QTest::addColumn<QByteArray>("expectedRange");

    QTest::newRow("bytes") << true << QByteArray("bytes") << 200 << QByteArray("bytes=1000-5000");
    QTest::newRow("Bytes") << true << QByteArray("Bytes") << 200 << QByteArray("bytes=1000-5000");
    QTest::newRow("none") << true << QByteArray("none") << 200 << QByteArray();
    QTest::newRow("absent") << false << QByteArray() << 200 << QByteArray();
    // A failed HEAD tells nothing; the partial file is asked for all the same.
    QTest::newRow("HEAD fails") << true << QByteArray("bytes") << 500 << QByteArray("bytes=1000-");
}

// A partial file of 1000 bytes is continued only when the HEAD allows it;
// otherwise it is deleted and the whole file fetched. Either way the result
// is the server's file, byte for byte.
void TestDownloadManagerHttp::acceptRangesDecidesResume()
{
    QFETCH(bool, sendHeader);
    QFETCH(QByteArray, value);
    QFETCH(int, headStatus);
    QFETCH(QByteArray, expectedRange);

    m_server = std::make_unique<FakeServer>();
    const QByteArray data = content(5000);
    FakeServer::FileOptions options;
    options.acceptRanges = sendHeader;
    options.acceptRangesValue = value;
    options.headStatus = headStatus;
    m_server->serveFile(QStringLiteral("/v/clip.sys"), data, options);

    // Garbage where a range-less fetch must not keep it, the right prefix otherwise.
    const QByteArray prefix = expectedRange.isEmpty() ? QByteArray(1000, 'x') : data.left(1000);
    writeFile(partialPathFor(QStringLiteral("/v/clip.sys")), prefix);

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(QStringLiteral("/v/clip.sys")));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 0);

    const auto gets = m_server->requests(QStringLiteral("/v/clip.sys"));
    QCOMPARE(gets.size(), 2);
    QCOMPARE(gets[0].method, QByteArray("HEAD"));
    QCOMPARE(gets[1].method, QByteArray("GET"));
    QCOMPARE(gets[1].header("Range"), expectedRange);

    const QString finalPath = dataDir + QStringLiteral("/.clip.mp4");
    QCOMPARE(watch.complete.first().first().toString(), finalPath);
    QCOMPARE(readFile(finalPath), data);
    QVERIFY(!QFile::exists(finalPath + QStringLiteral(".part")));
}

void TestDownloadManagerHttp::rangeContinuesPartialFile_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("present");
    QTest::addColumn<bool>("honourRange");

    QTest::newRow("1000 of 5000") << 5000 << 1000 << true;
    QTest::newRow("1 of 5000") << 5000 << 1 << true;
    QTest::newRow("64 KiB of 300000") << 300000 << 65536 << true;
    QTest::newRow("all but one") << 5000 << 4998 << true;
    QTest::newRow("server ignores the range") << 5000 << 1000 << false;
}

// The first transfer stalls after one byte and is given up; resume() then
// fetches the rest. The first progress value counts the bytes already there.
void TestDownloadManagerHttp::rangeContinuesPartialFile()
{
    QFETCH(int, length);
    QFETCH(int, present);
    QFETCH(bool, honourRange);

    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/part.sys");
    const QByteArray data = content(length, present);
    FakeServer::FileOptions stalling;
    stalling.stallAfterBytes = 1;
    stalling.honourRange = honourRange;
    m_server->serveFile(urlPath, data, stalling);
    writeFile(partialPathFor(urlPath), data.left(present));

    DownloadManagerHTTP http;
    http.setInactivityTimeout(300);
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 1);
    QCOMPARE(watch.complete.size(), 0);

    const QByteArray range = "bytes=" + QByteArray::number(present) + '-' + QByteArray::number(length);
    QCOMPARE(m_server->lastRequest(urlPath).header("Range"), range);
    QVERIFY(!watch.progress.isEmpty());
    const int alreadyThere = honourRange ? present : 0;
    QCOMPARE(watch.progress.first().first().toInt(), DownloadManagerHTTP::percentage(alreadyThere + 1, length));

    FakeServer::FileOptions healthy;
    healthy.honourRange = honourRange;
    m_server->serveFile(urlPath, data, healthy);
    http.resume();
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.complete.size(), 1);
    QCOMPARE(readFile(watch.complete.first().first().toString()), data);
    const QByteArray resumedFrom = "bytes=" + QByteArray::number(honourRange ? present + 1 : 1) + '-';
    QVERIFY(m_server->lastRequest(urlPath).header("Range").startsWith(resumedFrom));
    QCOMPARE(watch.progress.last().first().toInt(), 100);
}

// Offsets, lengths and Range values past 32 bits, with sparse files so the
// test stays small on disk.
void TestDownloadManagerHttp::offsetsBeyond2GiB()
{
    const qint64 present = qint64(3) * 1024 * 1024 * 1024;
    const QByteArray tail = content(4096, 7);
    const QString served = TestEnvironment::root() + QStringLiteral("/big.bin");
    {
        QFile file(served);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QVERIFY(file.resize(present));
        QVERIFY(file.seek(present));
        QCOMPARE(file.write(tail), tail.size());
    }
    const auto removeServed = qScopeGuard([&] { QFile::remove(served); });

    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/big.sys");
    m_server->serveFileFromDisk(urlPath, served);
    {
        QFile partial(partialPathFor(urlPath));
        QVERIFY(partial.open(QIODevice::WriteOnly));
        QVERIFY(partial.resize(present));
    }

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 0);

    const qint64 total = present + tail.size();
    QCOMPARE(m_server->lastRequest(urlPath).header("Range"),
             "bytes=" + QByteArray::number(present) + '-' + QByteArray::number(total));
    QCOMPARE(watch.progress.last().first().toInt(), 100);
    QFile result(watch.complete.first().first().toString());
    QCOMPARE(result.size(), total);
    QVERIFY(result.open(QIODevice::ReadOnly));
    QVERIFY(result.seek(present));
    QCOMPARE(result.readAll(), tail);
}

void TestDownloadManagerHttp::existingFinalFileIsReplaced()
{
    m_server = std::make_unique<FakeServer>();
    const QByteArray data = content(20000);
    m_server->serveFile(QStringLiteral("/apps/OlvaApp_1.0.4.exe"), data);
    const QString finalPath = dataDir + QStringLiteral("/.OlvaApp_1.0.4.exe");
    writeFile(finalPath, QByteArray(50000, 'o'));

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(QStringLiteral("/apps/OlvaApp_1.0.4.exe")));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.complete.size(), 1);
    QCOMPARE(watch.complete.first().first().toString(), finalPath);
    QCOMPARE(readFile(finalPath), data);
}

void TestDownloadManagerHttp::completePartialFileNeedsNoTransfer()
{
    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/done.sys");
    const QByteArray data = content(5000);
    m_server->serveFile(urlPath, data);
    writeFile(partialPathFor(urlPath), data);

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.complete.size(), 1);
    QCOMPARE(m_server->requestCount(urlPath), 1); // the HEAD only
    QCOMPARE(readFile(dataDir + QStringLiteral("/.done.mp4")), data);
}

void TestDownloadManagerHttp::droppedConnectionResumesToIdenticalFile_data()
{
    // Qt reports some early closes as errors and some as short bodies: several
    // drop points exercise both.
    QTest::addColumn<int>("dropAfter");
    for (int dropAfter : {1, 4096, 100000, 299999})
        QTest::addRow("after %d bytes", dropAfter) << dropAfter;
}

void TestDownloadManagerHttp::droppedConnectionResumesToIdenticalFile()
{
    QFETCH(int, dropAfter);
    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/sysx.sys");
    const QByteArray data = content(300000);
    FakeServer::FileOptions options;
    options.closeAfterBytes = dropAfter;
    m_server->serveFile(urlPath, data, options);

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 1);
    QCOMPARE(watch.complete.size(), 0);
    const QString finalPath = dataDir + QStringLiteral("/.mp4x.mp4");
    QVERIFY(!QFile::exists(finalPath));
    QCOMPARE(readFile(finalPath + QStringLiteral(".part")), data.left(dropAfter));

    http.resume();
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.complete.size(), 1);
    QCOMPARE(m_server->lastRequest(urlPath).header("Range"),
             "bytes=" + QByteArray::number(dropAfter) + "-300000");
    QCOMPARE(readFile(finalPath), data);
}

void TestDownloadManagerHttp::stalledServerFailsAndKeepsPartialFile()
{
    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/stall.sys");
    const QByteArray data = content(50000);
    FakeServer::FileOptions options;
    options.stallAfterBytes = 2000;
    m_server->serveFile(urlPath, data, options);

    DownloadManagerHTTP http;
    http.setInactivityTimeout(200);
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 1);
    QCOMPARE(watch.complete.size(), 0);
    QVERIFY(!QFile::exists(dataDir + QStringLiteral("/.stall.mp4")));
    QCOMPARE(readFile(partialPathFor(urlPath)), data.left(2000));
}

void TestDownloadManagerHttp::unansweredHeadKeepsPartialFile_data()
{
    QTest::addColumn<bool>("headStalls");
    QTest::addColumn<bool>("honourRange");
    QTest::newRow("HEAD error, part sent") << false << true;
    QTest::newRow("HEAD error, whole file sent") << false << false;
    QTest::newRow("HEAD stalls, part sent") << true << true;
    QTest::newRow("HEAD stalls, whole file sent") << true << false;
}

// Whatever the HEAD did, the GET asks for the rest of the partial file, and
// its reply decides: a part continues the file, the whole file replaces it.
void TestDownloadManagerHttp::unansweredHeadKeepsPartialFile()
{
    QFETCH(bool, headStalls);
    QFETCH(bool, honourRange);
    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/nohead.sys");
    const QByteArray data = content(80000, 3);
    FakeServer::FileOptions options;
    options.headStatus = headStalls ? 200 : 503;
    options.headNeverAnswers = headStalls;
    options.honourRange = honourRange;
    m_server->serveFile(urlPath, data, options);
    writeFile(partialPathFor(urlPath), data.left(30000));

    DownloadManagerHTTP http;
    http.setInactivityTimeout(300);
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 0);
    QCOMPARE(m_server->lastRequest(urlPath).header("Range"), QByteArray("bytes=30000-"));
    QCOMPARE(readFile(dataDir + QStringLiteral("/.nohead.mp4")), data);
}

// Without a length from the HEAD, a part that ends early is not the file:
// the total in its Content-Range says how much is missing.
void TestDownloadManagerHttp::cutShortPartIsNotComplete()
{
    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/short.sys");
    const QByteArray data = content(60000, 5);
    FakeServer::FileOptions cut;
    cut.headStatus = 500;
    cut.lengthByClose = true; // the close looks like the body's regular end
    cut.closeAfterBytes = 2000;
    m_server->serveFile(urlPath, data, cut);
    writeFile(partialPathFor(urlPath), data.left(1000));

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.complete.size(), 0);
    QCOMPARE(watch.failed.size(), 1);
    QVERIFY(!QFile::exists(dataDir + QStringLiteral("/.short.mp4")));
    QCOMPARE(readFile(partialPathFor(urlPath)), data.left(3000));

    http.resume();
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.complete.size(), 1);
    QCOMPARE(readFile(dataDir + QStringLiteral("/.short.mp4")), data);
}

void TestDownloadManagerHttp::partMustBeTheOneAskedFor_data()
{
    QTest::addColumn<QByteArray>("contentRange");
    QTest::addColumn<bool>("taken");

    QTest::newRow("the rest, as asked") << QByteArray("bytes 1000-4999/5000") << true;
    QTest::newRow("total unknown") << QByteArray("bytes 1000-4999/*") << true;
    QTest::newRow("another part") << QByteArray("bytes 0-3999/5000") << false;
    QTest::newRow("ends before it starts") << QByteArray("bytes 1000-500/5000") << false;
    QTest::newRow("ends past the file") << QByteArray("bytes 1000-5000/5000") << false;
    QTest::newRow("signed start") << QByteArray("bytes +1000-4999/5000") << false;
    QTest::newRow("start only") << QByteArray("bytes 1000") << false;
    QTest::newRow("missing") << QByteArray() << false;
}

// A 206 is appended to the partial file only when its Content-Range is a
// well-formed range starting where the partial file ends; anything else
// would leave a file that is not the server's, so the transfer fails and
// the partial file stays as it was.
void TestDownloadManagerHttp::partMustBeTheOneAskedFor()
{
    QFETCH(QByteArray, contentRange);
    QFETCH(bool, taken);

    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/part.sys");
    const QByteArray data = content(5000, 7);
    FakeServer::Reply head;
    head.body = data; // the HEAD carries only its length
    head.headers = {qMakePair(QByteArray("Accept-Ranges"), QByteArray("bytes"))};
    m_server->enqueue(urlPath, head);
    FakeServer::Reply part;
    part.status = 206;
    part.body = data.mid(1000);
    if (!contentRange.isEmpty())
        part.headers = {qMakePair(QByteArray("Content-Range"), contentRange)};
    m_server->enqueue(urlPath, part);
    writeFile(partialPathFor(urlPath), data.left(1000));

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(m_server->lastRequest(urlPath).header("Range"), QByteArray("bytes=1000-5000"));
    const QString finalPath = dataDir + QStringLiteral("/.part.mp4");
    if (taken) {
        QCOMPARE(watch.complete.size(), 1);
        QCOMPARE(readFile(finalPath), data);
        return;
    }
    QCOMPARE(watch.complete.size(), 0);
    QCOMPARE(watch.failed.size(), 1);
    QVERIFY(!QFile::exists(finalPath));
    QCOMPARE(readFile(partialPathFor(urlPath)), data.left(1000));
}

void TestDownloadManagerHttp::httpErrorOnGetFails_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("page");

    QTest::newRow("404") << 404 << QByteArray();
    QTest::newRow("500 with page") << 500 << QByteArray("<html>broken</html>");
    QTest::newRow("503 with page") << 503 << QByteArray("try later");
}

// The error page must not be taken for the file, nor the failure for success.
void TestDownloadManagerHttp::httpErrorOnGetFails()
{
    QFETCH(int, status);
    QFETCH(QByteArray, page);

    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/gone.sys");
    FakeServer::Reply reply = FakeServer::Reply::error(status);
    reply.body = page;
    m_server->setDefaultReply(urlPath, reply);

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(urlPath));
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 1);
    QCOMPARE(watch.complete.size(), 0);
    QVERIFY(watch.failed.first().first().toString().contains(QString::number(status)));
    QVERIFY(!QFile::exists(dataDir + QStringLiteral("/.gone.mp4")));
    QCOMPARE(QFileInfo(partialPathFor(urlPath)).size(), 0);
}

void TestDownloadManagerHttp::pauseResumeWithoutRangesGivesIdenticalFile()
{
    m_server = std::make_unique<FakeServer>();
    const QString urlPath = QStringLiteral("/v/norange.sys");
    const QByteArray data = content(400000);
    FakeServer::FileOptions stalling;
    stalling.acceptRanges = false;
    stalling.stallAfterBytes = 150000;
    m_server->serveFile(urlPath, data, stalling);

    DownloadManagerHTTP http;
    Watch watch(http);
    http.download(m_server->url(urlPath));
    const QString partial = partialPathFor(urlPath);
    QTRY_COMPARE(QFileInfo(partial).size(), 150000);
    http.pause();

    FakeServer::FileOptions healthy;
    healthy.acceptRanges = false;
    m_server->serveFile(urlPath, data, healthy);
    http.resume();
    QVERIFY(watch.waitDone());
    QCOMPARE(watch.failed.size(), 0);
    QVERIFY(m_server->lastRequest(urlPath).header("Range").isEmpty());
    QCOMPARE(readFile(watch.complete.first().first().toString()), data);
}

void TestDownloadManagerHttp::headersAreReportedAsLines()
{
    m_server = std::make_unique<FakeServer>();
    m_server->serveFile(QStringLiteral("/v/h.sys"), content(10));

    DownloadManagerHTTP http;
    QSignalSpy lines(&http, &DownloadManagerHTTP::addLine);
    Watch watch(http);
    http.download(m_server->url(QStringLiteral("/v/h.sys")));
    QVERIFY(watch.waitDone());
    QStringList texts;
    for (const auto& line : std::as_const(lines))
        texts << line.first().toString();
    QVERIFY(texts.contains(QStringLiteral("Content-Length = 10")));
    QVERIFY(texts.contains(QStringLiteral("Accept-Ranges = bytes")));
}

QTEST_GUILESS_MAIN(TestDownloadManagerHttp)
#include "tst_downloadmanagerhttp.moc"
