#include "serverfixture.h"
#include "storetestdata.h"

#include "server/storage/storage.h"
#include "testenvironment.h"

#include "server/demo/demolibrary.h"

#include <QDateTime>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace StoreTestData;

// Renewals charged to the card kept at the first payment, once per period,
// and the demo member's library.
class TstServerLibrary final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_demo.reset(); }
    void init();
    void cleanup();
    void cardOnFileKeepsNoNumber();
    void autoRenewalOncePerPeriod();
    void autoRenewalDeclined_data();
    void autoRenewalDeclined();
    void stillRunningIsNotCharged();
    void programVideosShowDownloaded();
    void paddedVideoKeepsItsStart();
    void demoLibrary();
    void demoWorkoutActivities_data();
    void demoWorkoutActivities();

private:
    using Fields = ServerFixture::Fields;
    QJsonObject post(const QString& endpoint, const Fields& fields) { return m_fixture->post(endpoint, fields); }
    QJsonObject pay(const QString& id, const QString& amount, const QString& card, const QString& payType);
    bool buy(const QString& id, const QString& amount, const QString& endDay);
    qint64 scalar(const QString& sql);

    std::unique_ptr<ServerFixture> m_fixture;
    std::unique_ptr<ServerFixture> m_demo; // one demo database for the data rows
};

void TstServerLibrary::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerLibrary::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    // Each call runs in the session of the member it names.
    m_fixture->setSessionFollowsUserId(true);
    QVERIFY(m_fixture->start());
    QSqlDatabase db = m_fixture->context().db;
    QVERIFY(addMember(db, 1));
    QVERIFY(addProduct(db, 101, QStringLiteral("WORKOUT"), 1999, 0, QStringLiteral("videos/w.mp4")));
    QVERIFY(addProduct(db, 201, QStringLiteral("PROGRAM"), 4999));
    QVERIFY(addProgramVideo(db, 1001, 201));
    QVERIFY(addProgramVideo(db, 1002, 201));
}

void TstServerLibrary::cleanup()
{
    m_fixture.reset();
}

QJsonObject TstServerLibrary::pay(const QString& id, const QString& amount, const QString& card, const QString& payType)
{
    return post(QStringLiteral("paymentProcess"),
                {{"pay_type", payType}, {"productID", id}, {"type", "WORKOUT"}, {"user_id", "1"},
                 {"country", "US"}, {"first_name", "Ada"}, {"last_name", "L"}, {"address", "1 Road"},
                 {"city", "Town"}, {"state", "ST"}, {"zipcode", "00000"}, {"user_email", "a@test.local"},
                 {"user_phone", "555"}, {"cardNumber", card}, {"expirationDate", nextYearExpiry()},
                 {"cardCode", payType == QLatin1String("auto") ? QString() : QStringLiteral("123")},
                 {"amount", amount}, {"description", "Title: x, Price: $1, Quantity: 1"}, {"subsebook", "0"}});
}

bool TstServerLibrary::buy(const QString& id, const QString& amount, const QString& endDay)
{
    return code(post(QStringLiteral("setCheckout"), {{"user_id", "1"}, {"product_id", id}, {"quantity", "1"}, {"ebook", "0"}})) == 0
        && code(pay(id, amount, goodCard(), QStringLiteral("manual"))) == 0
        && code(post(QStringLiteral("setPurchase"),
                     {{"user_id", "1"}, {"purchase_id", id}, {"endDay", endDay}, {"status", "yes"}})) == 0;
}

qint64 TstServerLibrary::scalar(const QString& sql)
{
    QSqlQuery query(m_fixture->context().db);
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

void TstServerLibrary::cardOnFileKeepsNoNumber()
{
    QVERIFY(buy("101", "19.99", "1000"));
    QSqlQuery query(m_fixture->context().db);
    QVERIFY(query.exec(QStringLiteral("SELECT reference, last_four, expiry FROM cards_on_file WHERE user_id = 1 AND product_id = 101")));
    QVERIFY(query.next());
    QVERIFY(query.value(0).toString().size() >= 32);
    QCOMPARE(query.value(1).toString(), QStringLiteral("4242"));
    QCOMPARE(query.value(2).toString(), nextYearExpiry());
    // Nowhere in the database is the full number or the code.
    QSqlDatabase& database = m_fixture->context().db;
    if (Storage::backendOf(database) == Storage::Backend::Postgres) {
        QSqlQuery tables(database);
        QVERIFY(tables.exec(QStringLiteral("SELECT tablename FROM pg_tables WHERE schemaname = current_schema()")));
        while (tables.next()) {
            const QString table = tables.value(0).toString();
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM %1 t WHERE t::text LIKE '%%2%'").arg(table, goodCard())), 0);
        }
        return;
    }
    QFile db(database.databaseName());
    QVERIFY(db.open(QIODevice::ReadOnly));
    QVERIFY(!db.readAll().contains(goodCard().toLatin1()));
}

void TstServerLibrary::autoRenewalOncePerPeriod()
{
    QVERIFY(buy("101", "19.99", "1000"));
    // Two lists renew the same lapsed item: one charge, the same answer twice.
    const QJsonObject first = pay("101", "19.99", "4242", QStringLiteral("auto"));
    const QJsonObject second = pay("101", "19.99", "4242", QStringLiteral("auto"));
    QCOMPARE(code(first), 0);
    QCOMPARE(code(second), 0);
    QCOMPARE(first.value("productID").toString(), QStringLiteral("101"));
    QCOMPARE(second.value("productID").toString(), QStringLiteral("101"));
    // The record of the renewal failed: the next try is answered with the
    // same payment, and still nothing more is charged.
    const QString paidAt = first.value("payment_time").toString();
    QVERIFY(!paidAt.isEmpty());
    QCOMPARE(second.value("payment_time").toString(), paidAt);
    QCOMPARE(pay("101", "19.99", "4242", QStringLiteral("auto")).value("payment_time").toString(), paidAt);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM payments WHERE pay_type = 'auto'")), 1);

    // Its end day counts from the payment, whenever the record comes, and
    // lies within the product's period (60 days) and a day.
    const qint64 newEnd = paidAt.toLongLong() + 30LL * 86400000;
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101"},
                                       {"endDay", QString::number(paidAt.toLongLong() + 62LL * 86400000)},
                                       {"status", "yes"}})), 1);
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", QString::number(newEnd)},
                                       {"status", "yes"}})), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT end_day FROM purchases WHERE product_id = 101")), newEnd);

    // The next period is charged again.
    QVERIFY(insert(m_fixture->context().db, QStringLiteral("UPDATE purchases SET end_day = 2000 WHERE product_id = 101"), {}));
    QCOMPARE(code(pay("101", "19.99", "4242", QStringLiteral("auto"))), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM payments WHERE pay_type = 'auto'")), 2);
}

void TstServerLibrary::autoRenewalDeclined_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("expected"); // 4 only for a decline: the client cancels on it
    QTest::newRow("no card on file") << "DELETE FROM cards_on_file" << "No card on file for this subscription." << 1;
    QTest::newRow("card expired") << "UPDATE cards_on_file SET expiry = '2001-01'" << "The card on file has expired." << 4;
    QTest::newRow("not owned") << "DELETE FROM purchases" << "You have no subscription of this product." << 1;
}

void TstServerLibrary::autoRenewalDeclined()
{
    QFETCH(QString, setup);
    QFETCH(QString, message);
    QVERIFY(buy("101", "19.99", "1000"));
    QVERIFY(insert(m_fixture->context().db, setup, {}));
    const QJsonObject reply = pay("101", "19.99", "", QStringLiteral("auto"));
    QTEST(code(reply), "expected");
    QCOMPARE(reply.value("message").toString(), message);
    QCOMPARE(reply.value("productID").toString(), QStringLiteral("101"));
    const QJsonObject again = pay("101", "19.99", "", QStringLiteral("auto"));
    QCOMPARE(code(again), code(reply));
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM payments WHERE pay_type = 'auto'")), 0);
}

void TstServerLibrary::stillRunningIsNotCharged()
{
    const qint64 future = QDateTime::currentMSecsSinceEpoch() + 86400000;
    QVERIFY(buy("101", "19.99", QString::number(future)));
    const QJsonObject reply = pay("101", "19.99", "4242", QStringLiteral("auto"));
    // Not declined (that would cancel the member's subscription), not charged.
    QCOMPARE(code(reply), 0);
    QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM payments WHERE pay_type = 'auto'")), 0);
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", "1"}, {"status", "yes"}})), 1);
    QCOMPARE(scalar(QStringLiteral("SELECT end_day FROM purchases WHERE product_id = 101")), future);
}

void TstServerLibrary::programVideosShowDownloaded()
{
    QVERIFY(buy("201", "49.99", QString::number(QDateTime::currentMSecsSinceEpoch() + 86400000)));
    QCOMPARE(code(post("setProgramVideoUri", {{"user_id", "1"}, {"program_id", "1002_desktop"}, {"uri1", "/d/.p.mp4"}})), 0);
    const QJsonObject videos = post("getProgramVideos", {{"user_id", "1"}, {"product_id", "201"}});
    const QJsonObject downloaded = entry(videos, "programvideo_list", "1002");
    const QJsonObject other = entry(videos, "programvideo_list", "1001");
    QCOMPARE(downloaded.value("status").toString(), QStringLiteral("no"));
    QCOMPARE(downloaded.value("uri1").toString(), QStringLiteral("/d/.p.mp4"));
    QVERIFY(downloaded.contains("uri"));
    QCOMPARE(other.value("status").toString(), QStringLiteral("yes"));
    QVERIFY(!other.contains("uri"));
}

void TstServerLibrary::paddedVideoKeepsItsStart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("v.mp4"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("0123456789");
    file.close();
    QVERIFY(DemoLibrary::padVideo(path, 3 * 1024 * 1024));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 3 * 1024 * 1024);
    QVERIFY(bytes.startsWith("0123456789"));
    QCOMPARE(bytes.mid(14, 4), QByteArray("free"));
    QVERIFY(!DemoLibrary::padVideo(dir.filePath(QStringLiteral("missing.mp4")), 100));
}

void TstServerLibrary::demoLibrary()
{
    ServerFixture demo;
    demo.setSessionFollowsUserId(true);
    QVERIFY(demo.start(true));
    const auto list = [&demo](const QString& type) {
        return demo.post(QStringLiteral("getLocalVideo"), {{"user_id", "1"}, {"type", type}});
    };
    const QJsonObject library = list(QStringLiteral("WORKOUT"));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QJsonObject renews = entry(library, "local_list", "202");
    const QJsonObject declines = entry(library, "local_list", "203");
    QCOMPARE(renews.value("status").toString(), QStringLiteral("yes"));
    QVERIFY(renews.value("endDay").toString().toLongLong() < now);
    QCOMPARE(declines.value("status").toString(), QStringLiteral("yes"));

    const auto renew = [&demo](const QString& id, const QString& amount) {
        return demo.post(QStringLiteral("paymentProcess"),
                         {{"pay_type", "auto"}, {"productID", id}, {"type", "PROGRAM"}, {"user_id", "1"},
                          {"amount", amount}, {"subsebook", "0"}});
    };
    QCOMPARE(code(renew("202", "59.99")), 0);
    QCOMPARE(code(renew("203", "39.99")), 4); // its card on file has expired

    const QJsonObject videos = demo.post(QStringLiteral("getProgramVideos"), {{"user_id", "1"}, {"product_id", "201"}});
    QCOMPARE(entry(videos, "programvideo_list", "1001").value("status").toString(), QStringLiteral("no"));
    QVERIFY(QFile::exists(entry(videos, "programvideo_list", "1001").value("uri1").toString()));
    QCOMPARE(entry(videos, "programvideo_list", "1002").value("status").toString(), QStringLiteral("yes"));
    QVERIFY(QFileInfo(demo.filesDir() + QStringLiteral("/videos/program_1002.mp4")).size() >= 6LL * 1024 * 1024);
}

void TstServerLibrary::demoWorkoutActivities_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("activityCode"); // empty: no activity fields at all
    QTest::addColumn<QString>("minutes");
    QTest::newRow("walking video") << "getVideos" << "video_type" << "WORKOUT" << "video_list" << "103" << "17200" << "30";
    QTest::newRow("yoga video") << "getVideos" << "video_type" << "WORKOUT" << "video_list" << "101" << "02150" << "15";
    QTest::newRow("program") << "getVideos" << "video_type" << "PROGRAM" << "video_list" << "204" << "03015" << "25";
    QTest::newRow("program video") << "getProgramVideos" << "product_id" << "201" << "programvideo_list" << "1002" << "03020" << "30";
    QTest::newRow("library") << "getLocalVideo" << "type" << "WORKOUT" << "local_list" << "104" << "02054" << "25";
    QTest::newRow("nutrition video") << "getVideos" << "video_type" << "NUTRITION_VIDEO" << "video_list" << "401" << "" << "";
}

void TstServerLibrary::demoWorkoutActivities()
{
    QFETCH(QString, endpoint);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, list);
    QFETCH(QString, id);
    QFETCH(QString, activityCode);
    QFETCH(QString, minutes);
    if (!m_demo) {
        m_demo = std::make_unique<ServerFixture>();
        m_demo->setSessionFollowsUserId(true);
        QVERIFY(m_demo->start(true));
    }
    const QJsonObject item = entry(m_demo->post(endpoint, {{"user_id", "1"}, {field, value}}), list, id);
    QVERIFY(!item.isEmpty());
    QCOMPARE(item.contains("activity_code"), !activityCode.isEmpty());
    QCOMPARE(item.value("activity_code").toString(), activityCode);
    QCOMPARE(item.value("activity_minutes").toString(), minutes);
}

QTEST_MAIN(TstServerLibrary)
#include "tst_server_library.moc"
