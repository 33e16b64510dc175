#include "app/accountstate.h"
#include "fakeserver.h"
#include "server/engine/apiserver.h"
#include "demosession.h"
#include "testenvironment.h"
#include "video/cqwndvideodownload.h"
#include "video/downloadmanager.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestCqWndVideoDownLoad final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void downloadsAndReports_data();
    void downloadsAndReports();
    void closeRefusedWhileDownloading();
    void pauseAndResume();
    void failedDownloadRetries();
    void retryAfterFileFault_data();
    void retryAfterFileFault();
    void reportFaults_data();
    void reportFaults();
    void onePerFile();
    void noAddress();
    void resumesAfterServerRestart();
    void demoMemberDownloads();

private:
    static QByteArray pattern(int size);
    QPushButton* button(QWidget* window, const char* name) const
    {
        return window->findChild<QPushButton*>(QLatin1String(name));
    }
    QString status(QWidget* window) const
    {
        return window->findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
    }
    QByteArray fileBytes(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    FakeServer* m_fake = nullptr;
};

QByteArray TestCqWndVideoDownLoad::pattern(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator generator(size);
    for (int i = 0; i < size; ++i)
        data[i] = char(generator.bounded(256));
    return data;
}

void TestCqWndVideoDownLoad::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QVERIFY(m_fake->isListening());
    m_fake->useAsApiHost();
}

void TestCqWndVideoDownLoad::init()
{
    m_fake->clear();
    m_fake->useAsApiHost();
    currentUserId = QStringLiteral("5");
    QDir(dataDir).removeRecursively();
    QDir().mkpath(dataDir);
    CqWndVideoDownLoad::setLibraryRefresh({});
}

void TestCqWndVideoDownLoad::cleanup()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<CqWndVideoDownLoad*>(widget))
            delete window;
    }
}

void TestCqWndVideoDownLoad::downloadsAndReports_data()
{
    QTest::addColumn<bool>("program");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("productKind");
    QTest::addColumn<int>("libraryKind");
    QTest::newRow("workout video") << false << "WORKOUT" << 0 << 3;
    QTest::newRow("nutrition video") << false << "NUTRITION_VIDEO" << 6 << 8;
    QTest::newRow("coaching video") << false << "COACHING_VIDEO" << 11 << 13;
    QTest::newRow("program video") << true << "WORKOUT" << 1 << 3;
}

void TestCqWndVideoDownLoad::downloadsAndReports()
{
    QFETCH(bool, program);
    QFETCH(QString, type);
    const QByteArray data = pattern(300000);
    m_fake->serveFile(QStringLiteral("/uploadfiles/videos/clip.sys"), data);
    const QString endpoint = program ? QStringLiteral("setProgramVideoUri") : QStringLiteral("setVideoUri");
    m_fake->enqueueJson(endpoint, R"({"result_code":0})");

    QList<QPair<int, int>> refreshed;
    CqWndVideoDownLoad::setLibraryRefresh([&refreshed](int product, int library) { refreshed.append({product, library}); });
    QPointer<CqWndVideoDownLoad> window = CqWndVideoDownLoad::open(
        program, {7, m_fake->url(QStringLiteral("/uploadfiles/videos/clip.sys")).toString(), type, QStringLiteral("Clip")});
    QVERIFY(window->isVisible());
    QCOMPARE(window->findChild<QProgressBar*>(QStringLiteral("progressBar"))->format(),
             QStringLiteral("VIDEO DOWNLOADING %p%"));
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 10000); // closed and deleted after the report

    const QString path = dataDir + QStringLiteral("/.clip.mp4");
    QCOMPARE(fileBytes(path), data);
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/") + endpoint), 1);
    const FakeServer::Request report = m_fake->lastRequest(QStringLiteral("/api/") + endpoint);
    QCOMPARE(report.field(QStringLiteral("user_id")), QStringLiteral("5"));
    QCOMPARE(report.field(QStringLiteral("uri1")), path);
    if (program) {
        QCOMPARE(report.field(QStringLiteral("program_id")), QStringLiteral("7_desktop"));
    } else {
        QCOMPARE(report.field(QStringLiteral("video_id")), QStringLiteral("7"));
        QVERIFY(report.form().hasQueryItem(QStringLiteral("uri")));
        QCOMPARE(report.field(QStringLiteral("uri")), QString());
    }
    QCOMPARE(refreshed.size(), 1);
    QTEST(refreshed.first().first, "productKind");
    QTEST(refreshed.first().second, "libraryKind");
}

void TestCqWndVideoDownLoad::closeRefusedWhileDownloading()
{
    const QByteArray data = pattern(400000);
    FakeServer::FileOptions options;
    options.stallAfterBytes = 100000;
    m_fake->serveFile(QStringLiteral("/v/stall.sys"), data, options);
    CqWndVideoDownLoad* window = CqWndVideoDownLoad::open(false, {8, m_fake->url(QStringLiteral("/v/stall.sys")).toString(), "WORKOUT", "Stall"});
    window->setInactivityTimeout(60000);
    QTRY_VERIFY(window->findChild<QProgressBar*>(QStringLiteral("progressBar"))->value() > 0);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY(status(window).contains(QStringLiteral("still downloading")));
    QVERIFY(!button(window, "btnClose")->isVisible());

    // Paused, the member may leave; the partial file stays for later.
    QTest::mouseClick(button(window, "btnPause"), Qt::LeftButton);
    QCOMPARE(button(window, "btnPause")->text(), QStringLiteral("Resume"));
    QVERIFY(button(window, "btnClose")->isVisible());
    QPointer<CqWndVideoDownLoad> guard(window);
    QTest::mouseClick(button(window, "btnClose"), Qt::LeftButton);
    QTRY_VERIFY(guard.isNull());
    QVERIFY(QFile::exists(dataDir + QStringLiteral("/.stall.mp4.part")));
}

void TestCqWndVideoDownLoad::pauseAndResume()
{
    const QByteArray data = pattern(2 * 1024 * 1024);
    FakeServer::FileOptions options;
    options.stallAfterBytes = 1500000; // each GET stalls after this many bytes: the first until it is paused
    m_fake->serveFile(QStringLiteral("/v/pause.sys"), data, options);
    m_fake->enqueueJson(QStringLiteral("setVideoUri"), R"({"result_code":0})");
    QPointer<CqWndVideoDownLoad> window = CqWndVideoDownLoad::open(
        false, {9, m_fake->url(QStringLiteral("/v/pause.sys")).toString(), "WORKOUT", "Pause"});
    window->setInactivityTimeout(60000);
    QTRY_VERIFY(QFileInfo(dataDir + QStringLiteral("/.pause.mp4.part")).size() >= 1500000);
    QTest::mouseClick(button(window, "btnPause"), Qt::LeftButton);
    QCOMPARE(window->state(), CqWndVideoDownLoad::State::Paused);
    QVERIFY(status(window).contains(QStringLiteral("Paused")));
    auto* bar = window->findChild<QProgressBar*>(QStringLiteral("progressBar"));
    QCOMPARE(bar->text(), QStringLiteral("PAUSED %1%").arg(bar->value()));
    // The bytes done are shown against the total from the server.
    QTRY_VERIFY(window->findChild<QLabel*>(QStringLiteral("lblBytes"))->text().endsWith(QStringLiteral("of 2.1 MB")));

    QTest::mouseClick(button(window, "btnPause"), Qt::LeftButton);
    QCOMPARE(button(window, "btnPause")->text(), QStringLiteral("Pause"));
    QVERIFY(bar->text().startsWith(QStringLiteral("VIDEO DOWNLOADING ")));
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 10000);
    QCOMPARE(fileBytes(dataDir + QStringLiteral("/.pause.mp4")), data);
    const QList<FakeServer::Request> gets = m_fake->requests(QStringLiteral("/v/pause.sys"));
    QVERIFY(gets.last().header("Range").startsWith("bytes=1500000-"));
}

void TestCqWndVideoDownLoad::failedDownloadRetries()
{
    const QByteArray data = pattern(500000);
    FakeServer::FileOptions options;
    options.closeAfterBytes = 200000; // the connection drops once mid-file
    m_fake->serveFile(QStringLiteral("/v/drop.sys"), data, options);
    m_fake->enqueueJson(QStringLiteral("setVideoUri"), R"({"result_code":0})");
    QPointer<CqWndVideoDownLoad> window = CqWndVideoDownLoad::open(
        false, {10, m_fake->url(QStringLiteral("/v/drop.sys")).toString(), "WORKOUT", "Drop"});
    QTRY_COMPARE(window->state(), CqWndVideoDownLoad::State::Failed);
    QVERIFY(status(window).startsWith(QStringLiteral("The download failed")));
    QVERIFY(button(window, "btnRetry")->isVisible());
    QVERIFY(button(window, "btnClose")->isVisible());
    QVERIFY(QFileInfo(dataDir + QStringLiteral("/.drop.mp4.part")).size() > 0);

    QTest::mouseClick(button(window, "btnRetry"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 10000);
    QCOMPARE(fileBytes(dataDir + QStringLiteral("/.drop.mp4")), data);
    QVERIFY(m_fake->requests(QStringLiteral("/v/drop.sys")).last().header("Range").startsWith("bytes=2"));
}

void TestCqWndVideoDownLoad::retryAfterFileFault_data()
{
    // A directory where a file must go: not even root can open or replace it.
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QString>("reason");
    QTest::newRow("partial file cannot be opened") << ".fault.mp4.part" << "Cannot write";
    QTest::newRow("finished file cannot be renamed") << ".fault.mp4" << "Cannot move";
}

// Retry while the fault lasts shows the failure again, with its reason, in
// full; once the fault is gone Retry ends in the complete file.
void TestCqWndVideoDownLoad::retryAfterFileFault()
{
    QFETCH(QString, blocked);
    QFETCH(QString, reason);
    const QByteArray data = pattern(120000);
    m_fake->serveFile(QStringLiteral("/v/fault.sys"), data);
    m_fake->enqueueJson(QStringLiteral("setVideoUri"), R"({"result_code":0})");
    const QString directory = dataDir + u'/' + blocked;
    QVERIFY(QDir().mkpath(directory + QStringLiteral("/inside")));
    QPointer<CqWndVideoDownLoad> window = CqWndVideoDownLoad::open(
        false, {15, m_fake->url(QStringLiteral("/v/fault.sys")).toString(), "WORKOUT", "Fault"});
    QTRY_COMPARE_WITH_TIMEOUT(window->state(), CqWndVideoDownLoad::State::Failed, 10000);

    QTest::mouseClick(button(window, "btnRetry"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(window->state(), CqWndVideoDownLoad::State::Failed, 10000);
    QVERIFY2(status(window).contains(reason), qPrintable(status(window)));
    const QLabel* label = window->findChild<QLabel*>(QStringLiteral("lblStatus"));
    QTRY_VERIFY(label->height() >= label->heightForWidth(label->width()));

    QVERIFY(QDir(directory).removeRecursively());
    QTest::mouseClick(button(window, "btnRetry"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 10000);
    QCOMPARE(fileBytes(dataDir + QStringLiteral("/.fault.mp4")), data);
}

void TestCqWndVideoDownLoad::reportFaults_data()
{
    QTest::addColumn<int>("fault"); // 0 refused code, 1 HTTP 500, 2 not JSON, 3 stall, 4 connection refused
    QTest::newRow("refused by the service") << 0;
    QTest::newRow("HTTP 500") << 1;
    QTest::newRow("not JSON") << 2;
    QTest::newRow("stall") << 3;
    QTest::newRow("connection refused") << 4;
}

void TestCqWndVideoDownLoad::reportFaults()
{
    QFETCH(int, fault);
    const QByteArray data = pattern(50000);
    m_fake->serveFile(QStringLiteral("/v/report.sys"), data);
    FakeServer* api = m_fake;
    std::unique_ptr<FakeServer> dead;
    if (fault == 4) {
        // A server that is gone: listen once for a free port, then close it.
        dead = std::make_unique<FakeServer>();
        const QString host = dead->hostAndPort();
        dead.reset();
        qputenv("OLVA_API_HOST", host.toUtf8());
    }
    switch (fault) {
    case 0: api->enqueueJson(QStringLiteral("setVideoUri"), R"({"result_code":2,"message":"You do not own this video."})"); break;
    case 1: api->enqueue(QStringLiteral("/api/setVideoUri"), FakeServer::Reply::error(500)); break;
    case 2: api->enqueue(QStringLiteral("/api/setVideoUri"), FakeServer::Reply::json("<html>")); break;
    case 3: api->enqueue(QStringLiteral("/api/setVideoUri"), FakeServer::Reply::hang()); break;
    default: break;
    }
    CqWndVideoDownLoad* window = CqWndVideoDownLoad::open(
        false, {11, m_fake->url(QStringLiteral("/v/report.sys")).toString(), "WORKOUT", "Report"});
    window->setReportTimeout(500);
    QTRY_COMPARE_WITH_TIMEOUT(window->state(), CqWndVideoDownLoad::State::ReportFailed, 10000);
    QVERIFY(window->isVisible());
    QVERIFY(status(window).startsWith(QStringLiteral("The video is downloaded, but it could not be added")));
    if (fault == 0)
        QVERIFY(status(window).contains(QStringLiteral("You do not own this video.")));
    QVERIFY(button(window, "btnReport")->isVisible());
    QVERIFY(button(window, "btnClose")->isVisible());
    QCOMPARE(fileBytes(dataDir + QStringLiteral("/.report.mp4")), data);

    // Reported again once the service answers.
    if (fault == 4)
        m_fake->useAsApiHost();
    m_fake->enqueueJson(QStringLiteral("setVideoUri"), R"({"result_code":0})");
    QPointer<CqWndVideoDownLoad> guard(window);
    QTest::mouseClick(button(window, "btnReport"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 10000);
}

void TestCqWndVideoDownLoad::onePerFile()
{
    const QByteArray data = pattern(400000);
    FakeServer::FileOptions options;
    options.stallAfterBytes = 100000;
    m_fake->serveFile(QStringLiteral("/v/twice.sys"), data, options);
    const DownloadItem item{12, m_fake->url(QStringLiteral("/v/twice.sys")).toString(), "WORKOUT", "Twice"};
    CqWndVideoDownLoad* first = CqWndVideoDownLoad::open(false, item);
    first->setInactivityTimeout(60000);
    QTRY_VERIFY(m_fake->requestCount(QStringLiteral("/v/twice.sys")) >= 2);
    CqWndVideoDownLoad* second = CqWndVideoDownLoad::open(false, item);
    QCOMPARE(second, first);
    QTest::qWait(100);
    QCOMPARE(m_fake->requestCount(QStringLiteral("/v/twice.sys")), 2); // one HEAD, one GET
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        windows += qobject_cast<CqWndVideoDownLoad*>(widget) ? 1 : 0;
    QCOMPARE(windows, 1);
}

void TestCqWndVideoDownLoad::noAddress()
{
    QPointer<CqWndVideoDownLoad> window = CqWndVideoDownLoad::open(false, {13, QString(), "WORKOUT", "None"});
    QCOMPARE(window->state(), CqWndVideoDownLoad::State::Failed);
    QVERIFY(status(window).contains(QStringLiteral("no download address")));
    QVERIFY(!button(window, "btnRetry")->isVisible());
    QTest::mouseClick(button(window, "btnClose"), Qt::LeftButton);
    QTRY_VERIFY(window.isNull());
}

// olva-server goes away in the middle of the file and comes back on the
// same port; Retry continues the partial file to a byte-identical copy.
void TestCqWndVideoDownLoad::resumesAfterServerRestart()
{
    QTemporaryDir serverDir;
    QVERIFY(serverDir.isValid());
    ServerOptions options;
    options.dbPath = serverDir.filePath(QStringLiteral("olva.db"));
    options.filesDir = serverDir.filePath(QStringLiteral("files"));
    QVERIFY(QDir().mkpath(options.filesDir + QStringLiteral("/videos")));
    const QByteArray data = pattern(24 * 1024 * 1024);
    {
        QFile video(options.filesDir + QStringLiteral("/videos/big.mp4"));
        QVERIFY(video.open(QIODevice::WriteOnly));
        QCOMPARE(video.write(data), qint64(data.size()));
    }

    auto server = std::make_unique<ApiServer>();
    QVERIFY2(server->start(options, QHostAddress::LocalHost, 0), qPrintable(server->errorString()));
    const quint16 port = server->port();
    const QString url = QStringLiteral("http://127.0.0.1:%1/uploadfiles/videos/big.mp4").arg(port);

    m_fake->enqueueJson(QStringLiteral("setVideoUri"), R"({"result_code":0})");
    QPointer<CqWndVideoDownLoad> window = CqWndVideoDownLoad::open(false, {14, url, "WORKOUT", "Big"});
    window->setInactivityTimeout(3000);
    bool killed = false;
    connect(window->downloader(), &DownloadManager::progress, this, [&](int percent) {
        if (!killed && percent >= 5) {
            killed = true;
            server.reset(); // every connection goes with it
        }
    });
    QTRY_COMPARE_WITH_TIMEOUT(window->state(), CqWndVideoDownLoad::State::Failed, 20000);
    QVERIFY(killed);
    const qint64 partial = QFileInfo(dataDir + QStringLiteral("/.big.mp4.part")).size();
    QVERIFY2(partial > 0 && partial < data.size(), QByteArray::number(partial));

    server = std::make_unique<ApiServer>();
    QVERIFY2(server->start(options, QHostAddress::LocalHost, port), qPrintable(server->errorString()));
    QTest::mouseClick(button(window, "btnRetry"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 30000);
    const QByteArray copy = fileBytes(dataDir + QStringLiteral("/.big.mp4"));
    QCOMPARE(copy.size(), data.size());
    QCOMPARE(QCryptographicHash::hash(copy, QCryptographicHash::Sha256),
             QCryptographicHash::hash(data, QCryptographicHash::Sha256));
}

static QJsonObject listEntry(const QJsonObject& reply, const QString& key, const QString& id)
{
    for (const QJsonValue& value : reply.value(key).toArray()) {
        if (value.toObject().value(QStringLiteral("id")).toString() == id)
            return value.toObject();
    }
    return {};
}

// The demo member downloads an owned workout video and a program video
// from olva-server; the library then lists them with their local paths.
void TestCqWndVideoDownLoad::demoMemberDownloads()
{
    ServerFixture demo;
    demo.setSessionFollowsUserId(true); // its own checks of what the server keeps
    QVERIFY(demo.start(true));
    qputenv("OLVA_API_HOST", QStringLiteral("127.0.0.1:%1").arg(demo.port()).toUtf8());
    QVERIFY(signInClientAs(demo, 1));

    const QJsonObject video = listEntry(
        demo.post(QStringLiteral("getVideos"), {{"user_id", "1"}, {"video_type", "WORKOUT"}}), "video_list", "104");
    QCOMPARE(video.value("status").toString(), QStringLiteral("yes"));
    QList<QPair<int, int>> refreshed;
    CqWndVideoDownLoad::setLibraryRefresh([&refreshed](int product, int library) { refreshed.append({product, library}); });
    QPointer<CqWndVideoDownLoad> window = CqWndVideoDownLoad::open(
        false, {104, video.value("video").toString(), QStringLiteral("WORKOUT"), video.value("title").toString()});
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
    QCOMPARE(refreshed, (QList<QPair<int, int>>{{0, 3}}));
    const QJsonObject owned = listEntry(
        demo.post(QStringLiteral("getLocalVideo"), {{"user_id", "1"}, {"type", "WORKOUT"}}), "local_list", "104");
    const QString path = owned.value("uri1").toString();
    QCOMPARE(path, dataDir + QStringLiteral("/.product_104.mp4"));
    QCOMPARE(fileBytes(path), fileBytes(demo.filesDir() + QStringLiteral("/videos/product_104.mp4")));

    const QJsonObject programVideo = listEntry(
        demo.post(QStringLiteral("getProgramVideos"), {{"user_id", "1"}, {"product_id", "201"}}),
        "programvideo_list", "1002");
    QCOMPARE(programVideo.value("status").toString(), QStringLiteral("yes"));
    window = CqWndVideoDownLoad::open(true, {1002, programVideo.value("video").toString(), QStringLiteral("WORKOUT"),
                                             programVideo.value("title").toString()});
    QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
    QCOMPARE(refreshed.last(), (QPair<int, int>{1, 3}));
    const QJsonObject downloaded = listEntry(
        demo.post(QStringLiteral("getProgramVideos"), {{"user_id", "1"}, {"product_id", "201"}}),
        "programvideo_list", "1002");
    QCOMPARE(downloaded.value("status").toString(), QStringLiteral("no"));
    QCOMPARE(downloaded.value("uri1").toString(), dataDir + QStringLiteral("/.program_1002.mp4"));
}

QTEST_MAIN(TestCqWndVideoDownLoad)
#include "tst_cqwndvideodownload.moc"
