#include "app/accountstate.h"
#include "fakeserver.h"
#include "testenvironment.h"
#include "video/downloadmanager.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

class TestDownloadManager final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void relaysOutcome_data();
    void relaysOutcome();
    void pauseAndResumeReachTheTransfer();
    void retryAfterFailureCompletesAndRenames_data();
    void retryAfterFailureCompletesAndRenames();
    void transferGoesOnWhileThisThreadIsBlocked();
};

namespace {

// Whether this process holds `path` open (Windows would then refuse to
// rename it).
bool isOpenHere(const QString& path)
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    QDirIterator fds(QStringLiteral("/proc/self/fd"), QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    while (fds.hasNext()) {
        if (QFileInfo(fds.next()).symLinkTarget() == wanted)
            return true;
    }
    return false;
}

} // namespace

void TestDownloadManager::initTestCase()
{
    TestEnvironment::isolate();
}

void TestDownloadManager::relaysOutcome_data()
{
    QTest::addColumn<bool>("served");
    QTest::newRow("file") << true;
    QTest::newRow("missing") << false;
}

void TestDownloadManager::relaysOutcome()
{
    QFETCH(bool, served);

    FakeServer server;
    const QByteArray data(70000, 'd');
    if (served)
        server.serveFile(QStringLiteral("/v/relay.sys"), data);

    DownloadManager manager;
    QSignalSpy complete(&manager, &DownloadManager::downloadComplete);
    QSignalSpy failed(&manager, &DownloadManager::failed);
    QSignalSpy progress(&manager, &DownloadManager::progress);
    QSignalSpy lines(&manager, &DownloadManager::addLine);
    manager.download(server.url(QStringLiteral("/v/relay.sys")));
    QVERIFY(QTest::qWaitFor([&] { return complete.size() + failed.size() > 0; }, 10000));

    QCOMPARE(complete.size(), served ? 1 : 0);
    QCOMPARE(failed.size(), served ? 0 : 1);
    if (served) {
        QCOMPARE(complete.first().first().toString(), dataDir + QStringLiteral("/.relay.mp4"));
        QCOMPARE(progress.last().first().toInt(), 100);
        QVERIFY(!lines.isEmpty());
    }
}

void TestDownloadManager::retryAfterFailureCompletesAndRenames_data()
{
    QTest::addColumn<bool>("stallInstead"); // the first transfer is given up, not cut
    QTest::newRow("connection dropped") << false;
    QTest::newRow("server stalled") << true;
}

// The installer's Retry: a failed transfer, then a new download() of the same
// address, which must end in the complete, renamed file with no transfer left
// holding the partial file open.
void TestDownloadManager::retryAfterFailureCompletesAndRenames()
{
    QFETCH(bool, stallInstead);
    FakeServer server;
    const QString urlPath = stallInstead ? QStringLiteral("/apps/stalled.exe") : QStringLiteral("/apps/cut.exe");
    QByteArray data(200000, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 7 + i / 13);
    FakeServer::FileOptions faulty;
    if (stallInstead)
        faulty.stallAfterBytes = 50000;
    else
        faulty.closeAfterBytes = 50000;
    server.serveFile(urlPath, data, faulty);

    DownloadManager manager;
    manager.setInactivityTimeout(300);
    QSignalSpy complete(&manager, &DownloadManager::downloadComplete);
    QSignalSpy failed(&manager, &DownloadManager::failed);
    manager.download(server.url(urlPath));
    QVERIFY(failed.wait(10000));
    const QString finalPath = dataDir + QLatin1Char('/') + QLatin1Char('.') + QFileInfo(urlPath).fileName();
    const QString partial = finalPath + QStringLiteral(".part");
    QVERIFY(QFile::exists(partial));
    QVERIFY(!isOpenHere(partial));

    server.serveFile(urlPath, data);
    manager.download(server.url(urlPath));
    QVERIFY(complete.wait(10000));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(complete.first().first().toString(), finalPath);
    QFile file(finalPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), data);
    QVERIFY(!QFile::exists(partial));
    QVERIFY(!isOpenHere(partial));
    // The retry continued where the first transfer stopped.
    QVERIFY(server.lastRequest(urlPath).header("Range").startsWith("bytes=50000-"));
}

void TestDownloadManager::pauseAndResumeReachTheTransfer()
{
    FakeServer server;
    const QString urlPath = QStringLiteral("/v/paused.sys");
    QByteArray data(300000, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 31 + i / 251);
    FakeServer::FileOptions stalling;
    stalling.stallAfterBytes = 100000;
    server.serveFile(urlPath, data, stalling);

    DownloadManager manager;
    QSignalSpy complete(&manager, &DownloadManager::downloadComplete);
    QSignalSpy failed(&manager, &DownloadManager::failed);
    manager.download(server.url(urlPath));
    const QString partial = dataDir + QStringLiteral("/.paused.mp4.part");
    QTRY_COMPARE(QFile(partial).size(), 100000);
    manager.pause();

    server.serveFile(urlPath, data);
    manager.resume();
    QVERIFY(complete.wait(10000));
    QCOMPARE(failed.size(), 0);
    QCOMPARE(server.lastRequest(urlPath).header("Range"), QByteArray("bytes=100000-300000"));
    QFile file(complete.first().first().toString());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), data);
}

// A busy GUI thread neither stops a download nor makes Qt's network thread
// pile up the body: the transfer has a thread of its own. The server gets
// one too, as it would be another process.
void TestDownloadManager::transferGoesOnWhileThisThreadIsBlocked()
{
    const QByteArray data = QByteArray("0123456789abcdef").repeated(256 * 1024);
    auto* server = new FakeServer;
    server->serveFile(QStringLiteral("/v/busy.sys"), data);
    const QUrl url = server->url(QStringLiteral("/v/busy.sys"));
    QThread serverThread;
    server->moveToThread(&serverThread);
    connect(&serverThread, &QThread::finished, server, &QObject::deleteLater);
    serverThread.start();
    const auto stopServer = qScopeGuard([&] {
        serverThread.quit();
        serverThread.wait();
    });

    DownloadManager manager;
    QSignalSpy complete(&manager, &DownloadManager::downloadComplete);
    manager.download(url);
    // No event of this thread is handled until the whole file is in place.
    const QString path = dataDir + QStringLiteral("/.busy.mp4");
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(path).size() != data.size() && waited.elapsed() < 20000)
        QThread::msleep(5);
    QCOMPARE(QFileInfo(path).size(), data.size());
    QVERIFY(complete.wait(10000));
}

QTEST_GUILESS_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"
