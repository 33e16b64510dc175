#include "app/accountstate.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "demosession.h"
#include "store/cqwnditems.h"
#include "store/subscriptionrenewal.h"
#include "storetesthelpers.h"
#include "testenvironment.h"
#include "video/cqwndvideodownload.h"
#include "video/cqwndvideoplay.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace StoreJson;

class ViewerCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

// The library and program-video lists driven like a member: rows, play,
// read, download, delete, cancel and renewal.
class TestLibrary final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void libraryRows_data();
    void libraryRows();
    void readOpensTheViewer();
    void playOpensThePlayer();
    void programListFromStore();
    void removeProgramVideo();
    void removeLocalStaysInside_data();
    void removeLocalStaysInside();
    void declinedConfirmationSendsNothing();
    void cancelProgram_data();
    void cancelProgram();
    void renewalOncePerProduct();
    void declinedRenewalIsNotRetried();
    void removalFaults_data();
    void removalFaults();
    void demoMemberLibrary();

private:
    CqWndItems* open(int kind, const QByteArray& reply, const char* endpoint, int id = 0);
    QList<QPushButton*> rowButtons(CqWndItems* window, int id) const;
    QPushButton* button(CqWndItems* window, int id, const QString& text) const;
    QString writeFile(const QString& path) const;

    FakeServer* m_fake = nullptr;
    std::vector<std::unique_ptr<CqWndItems>> m_windows;
    std::unique_ptr<MessageWatch> m_messages;
    ViewerCatcher m_urls;
    QTemporaryDir m_outside;
};

void TestLibrary::initTestCase()
{
    qputenv("OLVA_REPLY_TIMEOUT_MS", "1000");
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_urls, "open");
    // A loaded machine may take a while to answer from the same process.
    CqWndItems::setReplyTimeout(5000);
    QVERIFY(m_outside.isValid());
}

void TestLibrary::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestLibrary::init()
{
    m_fake->clear();
    m_fake->useAsApiHost();
    currentUserId = QStringLiteral("7");
    QDir().mkpath(dataDir);
    QVERIFY(MessageWatch::drain());
    m_messages = std::make_unique<MessageWatch>();
    m_urls.urls.clear();
}

void TestLibrary::cleanup()
{
    m_windows.clear();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<CqWndItems*>(widget) || qobject_cast<CqWndVideoDownLoad*>(widget))
            delete widget;
    }
    if (CqWndVideoPlay::hasInstance())
        CqWndVideoPlay::instance()->stop();
    if (loadingWindow && loadingWindow->isLoading())
        loadingWindow->stopLoading();
    TestEnvironment::closeModals();
}

CqWndItems* TestLibrary::open(int kind, const QByteArray& reply, const char* endpoint, int id)
{
    m_fake->enqueueJson(QString::fromLatin1(endpoint), reply);
    m_windows.push_back(std::make_unique<CqWndItems>(kind, id));
    CqWndItems* window = m_windows.back().get();
    window->resize(1200, 800);
    window->show();
    if (!QTest::qWaitFor([window] { return window->isFinished(); }, 10000))
        return nullptr;
    return window;
}

QList<QPushButton*> TestLibrary::rowButtons(CqWndItems* window, int id) const
{
    QList<QPushButton*> found;
    for (QPushButton* b : window->findChildren<QPushButton*>(QStringLiteral("item_%1").arg(id))) {
        if (b->isVisibleTo(window) && b->text() != QLatin1String("Product Details"))
            found.append(b);
    }
    return found;
}

QPushButton* TestLibrary::button(CqWndItems* window, int id, const QString& text) const
{
    for (QPushButton* b : rowButtons(window, id)) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

QString TestLibrary::writeFile(const QString& path) const
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("video");
    return path;
}

static QJsonObject downloaded(QJsonObject item, const QString& path)
{
    item.insert(QStringLiteral("uri"), QString());
    item.insert(QStringLiteral("uri1"), path);
    return item;
}

void TestLibrary::libraryRows_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QJsonObject>("entry");
    QTest::addColumn<QStringList>("buttons"); // visible texts in order; empty: no card
    QTest::addColumn<int>("playWidth");
    const QJsonObject video = product(11, "WORKOUT", "9.99", "yes");
    QJsonObject ebook = product(14, "NUTRITION", "19.99", "yes");
    ebook.insert("ebook", "1");
    QTest::newRow("downloaded video") << 3 << downloaded(video, "/d/.v.mp4") << QStringList{"PLAY", "X", "XS"} << 80;
    QTest::newRow("video not downloaded") << 3 << video << QStringList{} << 0;
    QTest::newRow("program, nothing downloaded") << 3 << product(13, "PROGRAM", "49.99", "yes")
                                                 << QStringList{"PROGRAM VIDEOS", "XS"} << 240;
    // The service names where an e-book is read in its uri1.
    QTest::newRow("e-book") << 8 << downloaded(ebook, "http://127.0.0.1:1/ebooks/ebook_14.html") << QStringList{"Read", "XS"} << 80;
    QTest::newRow("program video from the library") << 16 << downloaded(video, "/d/.p.mp4") << QStringList{"PLAY", "X"} << 80;
}

void TestLibrary::libraryRows()
{
    QFETCH(int, kind);
    QFETCH(QJsonObject, entry);
    QFETCH(QStringList, buttons);
    QFETCH(int, playWidth);
    const char* endpoint = kind == 16 ? "getProgramVideos" : "getLocalVideo";
    const char* key = kind == 16 ? "programvideo_list" : "local_list";
    CqWndItems* window = open(kind, list(key, {entry}), endpoint, 5);
    QVERIFY(window);
    const int id = entry.value("id").toString().toInt();
    QStringList texts;
    for (QPushButton* b : rowButtons(window, id))
        texts.append(b->text());
    QCOMPARE(texts, buttons);
    if (!buttons.isEmpty()) {
        QCOMPARE(button(window, id, buttons.first())->width(), playWidth);
        for (QPushButton* b : rowButtons(window, id))
            QVERIFY(!b->accessibleName().isEmpty());
    }
}

void TestLibrary::readOpensTheViewer()
{
    QJsonObject ebook = downloaded(product(14, "NUTRITION", "19.99", "yes"), "http://127.0.0.1:1/ebooks/ebook_14.html");
    ebook.insert("ebook", "1");
    CqWndItems* window = open(8, list("local_list", {ebook}), "getLocalVideo");
    QVERIFY(window);
    QTest::mouseClick(button(window, 14, "Read"), Qt::LeftButton);
    QCOMPARE(m_urls.urls.size(), 1);
    QVERIFY(m_urls.urls.first().toString().endsWith(QStringLiteral("?view=14")));
}

void TestLibrary::playOpensThePlayer()
{
    const QString path = writeFile(dataDir + QStringLiteral("/.play.mp4"));
    CqWndItems* window = open(3, list("local_list", {downloaded(product(11, "WORKOUT", "9.99", "yes"), path)}),
                              "getLocalVideo");
    QVERIFY(window);
    QTest::mouseClick(button(window, 11, "PLAY"), Qt::LeftButton);
    QVERIFY(CqWndVideoPlay::hasInstance());
    QCOMPARE(CqWndVideoPlay::instance()->source(), path);
    QVERIFY(CqWndVideoPlay::instance()->isVisible());
    CqWndVideoPlay::instance()->close();

    // A program opens its videos as a window of its own, for the library.
    m_fake->setDefaultReply("/api/getProgramVideos", FakeServer::Reply::json(list("programvideo_list", {})));
    window = open(3, list("local_list", {product(13, "PROGRAM", "49.99", "yes")}), "getLocalVideo");
    QVERIFY(window && button(window, 13, "PROGRAM VIDEOS"));
    QTest::mouseClick(button(window, 13, "PROGRAM VIDEOS"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests("/api/getProgramVideos", 1));
    QCOMPARE(m_fake->lastRequest("/api/getProgramVideos").field("product_id"), QStringLiteral("13"));
    CqWndItems* programs = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* list = qobject_cast<CqWndItems*>(widget);
        if (list && list->kind() == 16)
            programs = list;
    }
    QVERIFY(programs);
    QCOMPARE(programs->programId(), 13);
    QCOMPARE(programs->width(), 1080);
}

void TestLibrary::programListFromStore()
{
    QJsonObject done = downloaded(product(21, "WORKOUT", "0", "no"), dataDir + "/.p21.mp4");
    done.insert("video", m_fake->url("/v/p21.mp4").toString());
    QJsonObject fresh = product(22, "WORKOUT", "0", "yes");
    fresh.insert("video", m_fake->url("/v/p22.mp4").toString());
    FakeServer::FileOptions hold;
    hold.stallAfterBytes = 10;
    m_fake->serveFile("/v/p22.mp4", QByteArray(5000, 'x'), hold);
    CqWndItems* window = open(15, list("programvideo_list", {done, fresh}), "getProgramVideos", 7);
    QVERIFY(window);
    QPushButton* downloadedButton = button(window, 21, "DOWNLOADED");
    QVERIFY(downloadedButton);
    QTest::mouseClick(downloadedButton, Qt::LeftButton);
    QVERIFY(!CqWndVideoDownLoad::windowFor(dataDir + "/.p21.mp4"));

    QTest::mouseClick(button(window, 22, "DOWNLOAD NOW!"), Qt::LeftButton);
    CqWndVideoDownLoad* download = CqWndVideoDownLoad::windowFor(dataDir + "/.p22.mp4");
    QVERIFY(download);
    QVERIFY(download->isProgramVideo());
    // Asked again: the same window comes forward.
    QTest::mouseClick(button(window, 22, "DOWNLOAD NOW!"), Qt::LeftButton);
    QCOMPARE(CqWndVideoDownLoad::windowFor(dataDir + "/.p22.mp4"), download);
}

void TestLibrary::removeProgramVideo()
{
    const QString path = writeFile(dataDir + "/.pv7.mp4");
    m_fake->enqueueJson("removeProgramVideo1", R"({"result_code":0})");
    CqWndItems* window = open(16, list("programvideo_list", {downloaded(product(7, "WORKOUT", "0", "no"), path)}),
                              "getProgramVideos", 3);
    QVERIFY(window);
    QPointer<CqWndItems> guard(window);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QTest::mouseClick(button(window, 7, "X"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests("/api/removeProgramVideo1", 1));
    QCOMPARE(m_fake->lastRequest("/api/removeProgramVideo1").field("program_id"), QStringLiteral("7_desktop"));
    QVERIFY(!QFile::exists(path)); // gone before the request, whatever it answers
    QTRY_VERIFY(!window->isVisible()); // a kind-16 list closes itself
}

void TestLibrary::removeLocalStaysInside_data()
{
    QTest::addColumn<QString>("uri1");
    QTest::addColumn<QString>("victim");
    const QString outside = m_outside.filePath("victim.txt");
    QTest::newRow("climbs out") << "../../etc/passwd" << "/etc/passwd";
    QTest::newRow("absolute outside") << outside << outside;
    QTest::newRow("symlink pointing out") << "LINK" << outside;
}

void TestLibrary::removeLocalStaysInside()
{
    QFETCH(QString, uri1);
    QFETCH(QString, victim);
    if (victim != QLatin1String("/etc/passwd"))
        writeFile(victim);
    const QByteArray before = [&] {
        QFile f(victim);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    if (uri1 == QLatin1String("LINK")) {
        uri1 = dataDir + "/.link.mp4";
        QFile::remove(uri1);
        QVERIFY(QFile::link(victim, uri1));
    }
    m_fake->enqueueJson("removeVideo", R"({"result_code":0})");
    CqWndItems* window = open(3, list("local_list", {downloaded(product(31, "WORKOUT", "9.99", "yes"), uri1)}),
                              "getLocalVideo");
    QVERIFY(window);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QTest::mouseClick(button(window, 31, "X"), Qt::LeftButton);
    // The service's record goes; nothing outside the data directory changes.
    QVERIFY(m_fake->waitForRequests("/api/removeVideo", 1));
    QCOMPARE(m_fake->lastRequest("/api/removeVideo").field("product_id"), QStringLiteral("31_desktop"));
    QVERIFY(QFile::exists(victim));
    QFile f(victim);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
}

void TestLibrary::declinedConfirmationSendsNothing()
{
    const QString path = writeFile(dataDir + "/.keep.mp4");
    CqWndItems* window = open(3, list("local_list", {downloaded(product(32, "WORKOUT", "9.99", "yes"), path)}),
                              "getLocalVideo");
    QVERIFY(window);
    TestEnvironment::answerNextModal(QStringLiteral("btnCancel"));
    QTest::mouseClick(button(window, 32, "X"), Qt::LeftButton);
    TestEnvironment::answerNextModal(QStringLiteral("btnCancel"));
    QTest::mouseClick(button(window, 32, "XS"), Qt::LeftButton);
    QTest::qWait(100);
    QVERIFY(QFile::exists(path));
    QCOMPARE(m_fake->requestCount("/api/removeVideo") + m_fake->requestCount("/api/removeSubscription"), 0);
}

void TestLibrary::cancelProgram_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("cancels");
    QTest::newRow("files listed") << QByteArray("OK") << true;
    // An answer about another program deletes none of its files, cancels nothing.
    QTest::newRow("another program named") << QByteArray("OTHER") << false;
    QTest::newRow("refused") << QByteArray(R"({"result_code":1,"message":"no"})") << false;
    QTest::newRow("no product_id") << QByteArray(R"({"result_code":0,"programs":[]})") << false;
    QTest::newRow("not JSON") << QByteArray("<html>") << false;
}

void TestLibrary::cancelProgram()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, cancels);
    const QString inside = writeFile(dataDir + "/.prog_a.mp4");
    const QString outside = writeFile(m_outside.filePath("prog_b.mp4"));
    if (reply == "OK" || reply == "OTHER") {
        const QString named = reply == "OK" ? QStringLiteral("9") : QStringLiteral("77");
        reply = QJsonDocument(QJsonObject{{"result_code", 0}, {"product_id", named},
                                          {"programs", QJsonArray{QJsonObject{{"id", "1"}, {"uri1", inside}},
                                                                  QJsonObject{{"id", "2"}, {"uri1", outside}},
                                                                  QJsonObject{{"id", "3"}, {"uri1", 5}}}}})
                    .toJson(QJsonDocument::Compact);
    }
    m_fake->enqueueJson("removeAllProgramVideo", reply);
    m_fake->enqueueJson("removeSubscription", R"({"result_code":0})");
    CqWndItems* window = open(3, list("local_list", {product(9, "PROGRAM", "49.99", "yes")}), "getLocalVideo");
    QVERIFY(window);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QTest::mouseClick(button(window, 9, "XS"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests("/api/removeAllProgramVideo", 1));
    QCOMPARE(m_fake->lastRequest("/api/removeAllProgramVideo").field("product_id"), QStringLiteral("9"));
    if (cancels) {
        QVERIFY(m_fake->waitForRequests("/api/removeSubscription", 1));
        QCOMPARE(m_fake->lastRequest("/api/removeSubscription").field("product_id"), QStringLiteral("9"));
        QVERIFY(!QFile::exists(inside));
    } else {
        QTRY_VERIFY(m_messages->saw(QStringLiteral("The subscription could not be cancelled. Please try again later.")));
        QCOMPARE(m_fake->requestCount("/api/removeSubscription"), 0);
        QVERIFY(QFile::exists(inside));
    }
    QVERIFY(QFile::exists(outside));
}

void TestLibrary::renewalOncePerProduct()
{
    const QString past = QString::number(QDateTime::currentMSecsSinceEpoch() - 1000);
    QJsonObject lapsed = product(41, "PROGRAM", "49.99", "yes");
    lapsed.insert("endDay", past);
    QJsonObject nutrition = product(42, "NUTRITION", "9.99", "yes");
    nutrition.insert("endDay", past);
    QJsonObject noEnd = product(43, "WORKOUT", "9.99", "yes");
    m_fake->setDefaultReply("/api/paymentProcess", FakeServer::Reply::json(R"({"result_code":0,"productID":"41"})", 2000));
    m_fake->setDefaultReply("/api/setPurchase", FakeServer::Reply::json(R"({"result_code":0})"));
    QSignalSpy renewed(SubscriptionRenewal::instance(), &SubscriptionRenewal::renewed);
    // Two lists show the same lapsed program while its payment is on its way.
    QVERIFY(open(3, list("local_list", {lapsed, nutrition, noEnd}), "getLocalVideo"));
    QVERIFY(open(3, list("local_list", {lapsed, nutrition, noEnd}), "getLocalVideo"));
    QTRY_COMPARE_WITH_TIMEOUT(renewed.size(), 1, 10000);
    QCOMPARE(m_fake->requestCount("/api/paymentProcess"), 1);
    const FakeServer::Request payment = m_fake->lastRequest("/api/paymentProcess");
    QCOMPARE(payment.field("productID"), QStringLiteral("41"));
    QCOMPARE(payment.field("pay_type"), QStringLiteral("auto"));
    QCOMPARE(m_fake->lastRequest("/api/setPurchase").field("purchase_id"), QStringLiteral("41"));
}

// The card was declined and the cancellation failed: the next library still
// lists the lapsed program, but its card is not charged again.
void TestLibrary::declinedRenewalIsNotRetried()
{
    QJsonObject lapsed = product(44, "PROGRAM", "19.99", "yes");
    lapsed.insert("endDay", QString::number(QDateTime::currentMSecsSinceEpoch() - 1000));
    m_fake->setDefaultReply("/api/paymentProcess", FakeServer::Reply::json(R"({"result_code":4,"productID":"44"})"));
    m_fake->setDefaultReply("/api/removeSubscription", FakeServer::Reply::error(500));
    QSignalSpy cancelled(SubscriptionRenewal::instance(), &SubscriptionRenewal::cancelled);
    const int payments = m_fake->requestCount("/api/paymentProcess");
    QVERIFY(open(3, list("local_list", {lapsed}), "getLocalVideo"));
    QTRY_COMPARE(cancelled.size(), 1);
    QVERIFY(open(3, list("local_list", {lapsed}), "getLocalVideo"));
    QTest::qWait(300);
    QCOMPARE(m_fake->requestCount("/api/paymentProcess"), payments + 1);
    QVERIFY(!SubscriptionRenewal::instance()->renew({44, "PROGRAM", "Lapsed", 19.99, 1, 0}));
}

void TestLibrary::removalFaults_data()
{
    QTest::addColumn<int>("fault"); // 0 refused code, 1 HTTP 500, 2 not JSON, 3 stall
    QTest::addColumn<bool>("told");  // an answer is not read; no answer at all is told
    QTest::newRow("refused") << 0 << false;
    QTest::newRow("HTTP 500") << 1 << true;
    QTest::newRow("not JSON") << 2 << false;
    QTest::newRow("stall") << 3 << true;
}

void TestLibrary::removalFaults()
{
    QFETCH(int, fault);
    QFETCH(bool, told);
    const FakeServer::Reply replies[] = {FakeServer::Reply::json(R"({"result_code":1})"), FakeServer::Reply::error(500),
                                         FakeServer::Reply::json("<html>"), FakeServer::Reply::hang()};
    m_fake->enqueue("/api/removeVideo", replies[fault]);
    m_fake->enqueue("/api/removeSubscription", replies[fault]);
    CqWndItems* window = open(3, list("local_list", {downloaded(product(51, "WORKOUT", "9.99", "yes"), "/nowhere/.x.mp4")}),
                              "getLocalVideo");
    QVERIFY(window);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QTest::mouseClick(button(window, 51, "X"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests("/api/removeVideo", 1));
    // A removal without an answer is told; either way the next one can go.
    const QString deleteFailed = QStringLiteral("The video could not be deleted. Please try again later.");
    if (told)
        QTRY_VERIFY(m_messages->saw(deleteFailed));
    else
        QTest::qWait(300); // an answer is not read: nothing shows that it came
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QTRY_VERIFY(button(window, 51, "XS"));
    QTest::mouseClick(button(window, 51, "XS"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests("/api/removeSubscription", 1));
    const QString cancelFailed = QStringLiteral("The subscription could not be cancelled. Please try again later.");
    if (told) {
        QTRY_VERIFY(m_messages->saw(cancelFailed));
    } else {
        QTest::qWait(200);
        QVERIFY(!m_messages->saw(deleteFailed) && !m_messages->saw(cancelFailed));
    }
    // The list stays usable and the busy overlay does not come back.
    QVERIFY(button(window, 51, "PLAY")->isEnabled());
    QVERIFY(!loadingWindow || !loadingWindow->isLoading());
}

// The demo member's library against olva-server: the lapsed program with a
// card on file is renewed once, the one without is cancelled.
void TestLibrary::demoMemberLibrary()
{
    ServerFixture demo;
    QVERIFY(demo.start(true));
    qputenv("OLVA_API_HOST", QStringLiteral("127.0.0.1:%1").arg(demo.port()).toUtf8());
    QVERIFY(signInClientAs(demo, 1));
    QSignalSpy renewed(SubscriptionRenewal::instance(), &SubscriptionRenewal::renewed);
    QSignalSpy cancelled(SubscriptionRenewal::instance(), &SubscriptionRenewal::cancelled);
    m_windows.push_back(std::make_unique<CqWndItems>(3, 0));
    m_windows.push_back(std::make_unique<CqWndItems>(3, 0));
    QTRY_VERIFY_WITH_TIMEOUT(renewed.size() >= 1 && cancelled.size() >= 1, 20000);
    QCOMPARE(renewed.first().first().toInt(), 202);
    QCOMPARE(cancelled.first().first().toInt(), 203);
    QTRY_VERIFY(m_windows.front()->isFinished() && m_windows.back()->isFinished());
    QTest::qWait(300);
    QSqlQuery query(demo.context().db);
    QVERIFY(query.exec("SELECT COUNT(*) FROM payments WHERE pay_type = 'auto'") && query.next());
    QCOMPARE(query.value(0).toInt(), 1);
    QVERIFY(query.exec("SELECT end_day FROM purchases WHERE user_id = 1 AND product_id = 202") && query.next());
    QVERIFY(query.value(0).toLongLong() > QDateTime::currentMSecsSinceEpoch() + 29LL * 86400000);
    QVERIFY(query.exec("SELECT COUNT(*) FROM purchases WHERE user_id = 1 AND product_id = 203") && query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    // The owned program is listed with its row.
    CqWndItems* window = m_windows.back().get();
    QTRY_VERIFY(window->isFinished());
    QVERIFY(button(window, 201, "PROGRAM VIDEOS"));
}

QTEST_MAIN(TestLibrary)
#include "tst_library.moc"
