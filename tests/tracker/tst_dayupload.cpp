#include "tracker/dayarchive.h"
#include "tracker/dayupload.h"
#include "tracker/dayuploadqueue.h"

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

private:
    FakeServer m_server;
};

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

QTEST_GUILESS_MAIN(TestDayUpload)
#include "tst_dayupload.moc"
