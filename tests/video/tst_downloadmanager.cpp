#include "app/accountstate.h"
#include "fakeserver.h"
#include "testenvironment.h"
#include "video/downloadmanager.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestDownloadManager final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void relaysOutcome_data();
    void relaysOutcome();
    void pauseAndResumeReachTheTransfer();
};

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

QTEST_GUILESS_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"
