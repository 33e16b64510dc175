#include "exercise/exercisedays.h"
#include "tracker/dayarchive.h"
#include "tracker/dayupload.h"
#include "tracker/dayuploadqueue.h"
#include "tracker/foodcatalogue.h"

#include "app/accountstate.h"
#include "fakeserver.h"
#include "testenvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

// What each answer to a sent day does to the queue, and what the day says.
class TestDayUpload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answers_data();
    void answers();
    void retryPause_data();
    void retryPause();
    void aDayThatKeepsFailing_data();
    void aDayThatKeepsFailing();
    void catalogue_data();
    void catalogue();
    void aDayChangedOnItsWayGoesAgain_data();
    void aDayChangedOnItsWayGoesAgain();

private:
    // Archives and queues a day of `date` with one cup of food `foodId` (150).
    static void queueDay(const QDate& date, qint32 foodId = 31);
    // Member `userId`; the fake lists foods 31 and 77 and stores every day.
    void serve(const QString& userId);

    FakeServer m_server;
};

namespace {

const QDate monday(2026, 3, 2);

// Category 5 with food 31 and, when asked, food 77.
QByteArray catalogueReply(bool withKefir)
{
    return QByteArray(R"({"result_code":0,"food_list":[{"id":"5","title":"Cereals","recomended":"",
        "calorie_list":[{"id":"31","user_id":"0","title":"Oat flakes","cal":"150","carbs":"20",
        "fat":"3","protein":"5","fiber":"4"})") +
           (withKefir ? R"(,{"id":"77","user_id":"0","title":"Kefir","cal":"150","carbs":"9",)"
                        R"("fat":"3","protein":"8","fiber":"0"})"
                      : "") +
           "]}]}";
}

} // namespace

void TestDayUpload::serve(const QString& userId)
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("days@example.com");
    currentUserId = userId;
    m_server.clear();
    m_server.setDefaultReply(QStringLiteral("/api/getFoodList"),
                             FakeServer::Reply::json(catalogueReply(true)));
    m_server.setDefaultReply(QStringLiteral("/api/uploadDay"),
                             FakeServer::Reply::json(R"({"result_code":0})"));
}

void TestDayUpload::queueDay(const QDate& date, qint32 foodId)
{
    ArchivedDay day;
    day.date = date;
    day.target = 1500;
    day.remaining = 1350;
    day.values = {{QStringLiteral("meal_0_5"), QStringLiteral("%1:150:1").arg(foodId)},
                  {QStringLiteral("details_0_5"), QStringLiteral("20_3_5_4")},
                  {QStringLiteral("Cal_0"), QStringLiteral("150")}};
    DayArchive::store(day);
    DayUploadQueue::add(day.date);
}

void TestDayUpload::initTestCase()
{
    TestEnvironment::isolate();
    m_server.useAsApiHost();
}

void TestDayUpload::answers_data()
{
    QTest::addColumn<FakeServer::Reply>("reply");
    QTest::addColumn<bool>("leavesQueue");
    using Reply = FakeServer::Reply;
    QTest::newRow("stored") << Reply::json(R"({"result_code":0,"history_id":"7"})") << true;
    QTest::newRow("refused as no valid day")
        << Reply::json(R"({"result_code":4,"message":"no"})") << true;
    QTest::newRow("field missing") << Reply::json(R"({"result_code":90})") << true;
    QTest::newRow("session expired") << Reply::json(R"({"result_code":401})") << false;
    QTest::newRow("storage failed") << Reply::json(R"({"result_code":99})") << false;
    QTest::newRow("not JSON") << Reply::json("<html>busy</html>") << false;
    QTest::newRow("empty object") << Reply::json("{}") << false;
    QTest::newRow("array") << Reply::json("[0]") << false;
    QTest::newRow("HTTP 500") << Reply::error(500) << false;
    QTest::newRow("HTTP 413") << Reply::error(413) << false;
    QTest::newRow("unknown e-mail") << Reply::json(R"({"result_code":1})") << false;
    QTest::newRow("result code not a number") << Reply::json(R"({"result_code":"error"})") << false;
}

void TestDayUpload::answers()
{
    QFETCH(FakeServer::Reply, reply);
    QFETCH(bool, leavesQueue);
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("upload@example.com");
    currentUserId = QStringLiteral("3");
    ArchivedDay day;
    day.date = QDate(2026, 3, 2);
    day.target = 1500;
    day.remaining = 1150;
    day.values = {{QStringLiteral("meal_0_5"), QStringLiteral("31:150:1@99:200:2")},
                  {QStringLiteral("details_0_5"), QStringLiteral("32_9_5_4")},
                  {QStringLiteral("Cal_0"), QStringLiteral("350")}};
    DayArchive::store(day);
    DayUploadQueue::add(day.date);
    m_server.clear();
    // Category 5 lists food 31 (a cup of 150 with 20 g carbs); food 99 is gone.
    m_server.setDefaultReply(QStringLiteral("/api/getFoodList"),
                             FakeServer::Reply::json(R"({"result_code":0,"food_list":[
        {"id":"5","title":"Cereals","recomended":"","calorie_list":[
        {"id":"31","user_id":"0","title":"Oat flakes","cal":"150","carbs":"20","fat":"3","protein":"5","fiber":"4"}]}]})"));
    m_server.enqueue(QStringLiteral("/api/uploadDay"), reply);

    DayUpload upload;
    QSignalSpy finished(&upload, &DayUpload::finished);
    upload.start();
    QVERIFY(finished.wait(10000));
    QCOMPARE(DayUploadQueue::dates().isEmpty(), leavesQueue);
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/uploadDay")), 1);

    const FakeServer::Request sent = m_server.lastRequest(QStringLiteral("/api/uploadDay"));
    QCOMPARE(sent.field(QStringLiteral("email")), currentEmail);
    const QJsonObject json =
        QJsonDocument::fromJson(sent.field(QStringLiteral("day")).toUtf8()).object();
    QCOMPARE(json[QStringLiteral("date")].toString(), QStringLiteral("2026-03-02"));
    QCOMPARE(json[QStringLiteral("eaten")].toInt(), 350);
    const QJsonArray foods = json[QStringLiteral("meals")][0][QStringLiteral("foods")].toArray();
    QCOMPARE(foods.size(), 2);
    QCOMPARE(foods[0][QStringLiteral("name")].toString(), QStringLiteral("Oat flakes"));
    QCOMPARE(foods[0][QStringLiteral("category")][QStringLiteral("name")].toString(),
             QStringLiteral("Cereals"));
    QCOMPARE(foods[0][QStringLiteral("carbs")].toDouble(), 20.0);
    // No longer listed: named by its id, with its calories and what the
    // category's stored nutrients hold beyond the listed food.
    QCOMPARE(foods[1][QStringLiteral("name")].toString(), QStringLiteral("Food 99"));
    QCOMPARE(foods[1][QStringLiteral("calories")].toDouble(), 200.0);
    QCOMPARE(foods[1][QStringLiteral("kind")].toInt(), 2);
    QCOMPARE(foods[1][QStringLiteral("carbs")].toDouble(), 12.0);
}

void TestDayUpload::retryPause_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<double>("spread");
    QTest::addColumn<int>("pauseMs");
    QTest::newRow("first, least") << 1 << 0.0 << 15000;
    QTest::newRow("first, most") << 1 << 0.999 << 44970;
    QTest::newRow("third") << 3 << 0.25 << 90000;
    QTest::newRow("tenth: 30 min at most") << 10 << 1.0 << 2700000;
}

void TestDayUpload::retryPause()
{
    QFETCH(int, failures);
    QFETCH(double, spread);
    QFETCH(int, pauseMs);
    QCOMPARE(DayUpload::retryDelayMs(failures, spread), pauseMs);
}

void TestDayUpload::aDayThatKeepsFailing_data()
{
    QTest::addColumn<FakeServer::Reply>("reply");
    QTest::addColumn<bool>("setAside");
    using Reply = FakeServer::Reply;
    QTest::newRow("HTTP 413") << Reply::error(413) << true;
    QTest::newRow("code 1") << Reply::json(R"({"result_code":1})") << true;
    QTest::newRow("HTTP 503: waits") << Reply::error(503) << false;
    QTest::newRow("storage failed: waits") << Reply::json(R"({"result_code":99})") << false;
}

void TestDayUpload::aDayThatKeepsFailing()
{
    QFETCH(FakeServer::Reply, reply);
    QFETCH(bool, setAside);
    serve(QStringLiteral("4"));
    queueDay(monday);
    queueDay(monday.addDays(1));
    for (int i = 0; i < DayUpload::triesBeforeSetAside; ++i)
        m_server.enqueue(QStringLiteral("/api/uploadDay"), reply);

    DayUpload upload;
    upload.setRandomSource([] { return 0.0; });
    QSignalSpy failed(&upload, &DayUpload::sendFailed);
    // Each try as the retry timer would start it.
    for (int i = 0; i < DayUpload::triesBeforeSetAside; ++i) {
        upload.start();
        QTRY_COMPARE(failed.size(), i + 1);
        QTRY_VERIFY(!upload.isBusy());
    }
    // Set aside, it stays queued for the next start and the next day goes
    // at once; otherwise it waits, spread by the random source.
    QCOMPARE(upload.setAside(), setAside ? QList<QDate>{monday} : QList<QDate>{});
    QCOMPARE(DayUploadQueue::dates().size(), setAside ? 1 : 2);
    QCOMPARE(upload.retryPauseMs(),
             setAside ? 0 : DayUpload::retryDelayMs(DayUpload::triesBeforeSetAside, 0.0));

    DayUpload next; // the next start of the program
    next.start();
    QTRY_VERIFY(DayUploadQueue::dates().isEmpty());
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/uploadDay")),
             DayUpload::triesBeforeSetAside + 2);
}

void TestDayUpload::catalogue_data()
{
    QTest::addColumn<QString>("userId");
    QTest::addColumn<bool>("trackerHoldsOne");
    QTest::addColumn<qint32>("secondDaysFood");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QString>("name");
    QTest::newRow("asked once, kept for the next run") << "11" << false << 31 << 1 << "Oat flakes";
    QTest::newRow("the tracker's catalogue") << "12" << true << 31 << 0 << "Oat flakes";
    QTest::newRow("a food the tracker's catalogue lacks") << "13" << true << 77 << 1 << "Kefir";
    QTest::newRow("a food no catalogue lists: asked once a run")
        << "14" << false << 99 << 2 << "Food 99";
}

void TestDayUpload::catalogue()
{
    QFETCH(QString, userId);
    QFETCH(bool, trackerHoldsOne);
    QFETCH(qint32, secondDaysFood);
    QFETCH(int, asked);
    QFETCH(QString, name);
    serve(userId); // one member per row: the catalogue held is that member's
    FoodCatalogue tracker;
    if (trackerHoldsOne)
        tracker.load(QString::fromUtf8(catalogueReply(false)));

    DayUpload upload;
    queueDay(monday);
    upload.start();
    QTRY_VERIFY(DayUploadQueue::dates().isEmpty());
    QTRY_VERIFY(!upload.isBusy());
    queueDay(monday.addDays(1), secondDaysFood);
    upload.start();
    QTRY_VERIFY(DayUploadQueue::dates().isEmpty());

    QCOMPARE(m_server.requestCount(QStringLiteral("/api/getFoodList")), asked);
    const QJsonObject sent = QJsonDocument::fromJson(
        m_server.lastRequest(QStringLiteral("/api/uploadDay")).field(QStringLiteral("day")).toUtf8())
                                 .object();
    QCOMPARE(sent["meals"][0]["foods"][0]["name"].toString(), name);
}

void TestDayUpload::aDayChangedOnItsWayGoesAgain_data()
{
    QTest::addColumn<QByteArray>("firstAnswer");
    QTest::newRow("stored") << QByteArray(R"({"result_code":0})");
    QTest::newRow("refused") << QByteArray(R"({"result_code":4,"message":"no"})");
}

// Exercise logged for a closed day while it is on its way: the answer to
// the first send does not take the day off the queue, so the change goes too.
void TestDayUpload::aDayChangedOnItsWayGoesAgain()
{
    QFETCH(QByteArray, firstAnswer);
    serve(QStringLiteral("4"));
    const QDate date(2026, 3, 5);
    queueDay(date);
    m_server.enqueueJson(QStringLiteral("uploadDay"), firstAnswer, 300);
    QObject whileSending;
    connect(&m_server, &FakeServer::requestReceived, &whileSending, [date](const QByteArray&, const QByteArray& path) {
        if (path.endsWith("/uploadDay") && DayArchive::day(date)->exercise.isEmpty())
            QVERIFY(ExerciseDays::add(date, date.addDays(1), {"17200", "Walking", 30, 172}));
    });

    DayUpload upload;
    QSignalSpy finished(&upload, &DayUpload::finished);
    upload.start();
    QVERIFY(finished.wait(10000));
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/uploadDay")), 2);
    QVERIFY(DayUploadQueue::dates().isEmpty());
    const QJsonObject sent = QJsonDocument::fromJson(
        m_server.lastRequest(QStringLiteral("/api/uploadDay")).field(QStringLiteral("day")).toUtf8()).object();
    QCOMPARE(sent[QStringLiteral("exercise")].toArray().size(), 1);
}

QTEST_GUILESS_MAIN(TestDayUpload)
#include "tst_dayupload.moc"
