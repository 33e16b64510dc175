#include "serverfixture.h"
#include "storetestdata.h"

#include "testenvironment.h"

#include <QtTest>

using namespace StoreTestData;
using Fields = ServerFixture::Fields;

// The store endpoints over HTTP: lists, cart, card payment, purchases,
// downloads and cancellations, and what bad input gets back.
class TstServerStore final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsSelectByType_data();
    void listsSelectByType();
    void listEntryCarriesEveryKeyAsText();
    void cartRefusesDuplicates();
    void cartRefusals_data();
    void cartRefusals();
    void removingFromCart();
    void cardChecks_data();
    void cardChecks();
    void paymentRefusesWrongAmount();
    void purchaseOwnsAndEmptiesCart();
    void purchaseNeedsUnusedPayment();
    void ebookPurchaseShowsInLibrary();
    void downloadedVideoFlow();
    void programVideosAndCancellation();
    void declinedRenewalCanCancel();
    void renewalMovesEndDay();
    void badInput_data();
    void badInput();
    void bodyThatIsNotAFormIsRefused();
    void demoCatalogueIsComplete();

private:
    QJsonObject post(const QString& endpoint, const Fields& fields) { return m_fixture->post(endpoint, fields); }
    QJsonObject pay(const QString& ids, const QString& amount, const QString& card = goodCard(),
                    const QString& expiry = nextYearExpiry(), const QString& cvv = QStringLiteral("123"),
                    const QString& type = QStringLiteral("WORKOUT"), const QString& payType = QStringLiteral("manual"));
    bool buy(const QString& productId, const QString& ebook, const QString& amount, const QString& endDay);

    std::unique_ptr<ServerFixture> m_fixture;
};

void TstServerStore::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerStore::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    // These cases are about the area's rules: each call runs in the
    // session of the member it names (sessions have tests of their own).
    m_fixture->setSessionFollowsUserId(true);
    QVERIFY(m_fixture->start());
    QSqlDatabase db = m_fixture->context().db;
    QVERIFY(addMember(db, 1));
    QVERIFY(addMember(db, 2));
    QVERIFY(addProduct(db, 101, QStringLiteral("WORKOUT"), 1999, 0, QStringLiteral("videos/w.mp4")));
    QVERIFY(addProduct(db, 102, QStringLiteral("WORKOUT"), 550, 0, QStringLiteral("videos/w2.mp4")));
    QVERIFY(addProduct(db, 201, QStringLiteral("PROGRAM"), 4999));
    QVERIFY(addProduct(db, 301, QStringLiteral("NUTRITION"), 2500, 799));
    QVERIFY(addProduct(db, 302, QStringLiteral("NUTRITION"), 1000));
    QVERIFY(addProduct(db, 401, QStringLiteral("NUTRITION_VIDEO"), 700, 0, QStringLiteral("videos/n.mp4")));
    QVERIFY(addProduct(db, 501, QStringLiteral("COACHING"), 3000, 500));
    QVERIFY(addProgramVideo(db, 1001, 201));
    QVERIFY(addProgramVideo(db, 1002, 201));
}

void TstServerStore::cleanup()
{
    m_fixture.reset();
}

QJsonObject TstServerStore::pay(const QString& ids, const QString& amount, const QString& card, const QString& expiry,
                                const QString& cvv, const QString& type, const QString& payType)
{
    return post(QStringLiteral("paymentProcess"),
                {{"pay_type", payType}, {"productID", ids}, {"type", type}, {"user_id", "1"},
                 {"country", "Nowhere"}, {"first_name", "Test"}, {"last_name", "Member"}, {"address", "1 Road"},
                 {"city", "Town"}, {"state", "ST"}, {"zipcode", "00000"}, {"user_email", "t@test.local"},
                 {"user_phone", "555"}, {"cardNumber", card}, {"expirationDate", expiry}, {"cardCode", cvv},
                 {"amount", amount}, {"description", "Title : x, Quantity : 1"}, {"subsebook", "0"}});
}

bool TstServerStore::buy(const QString& productId, const QString& ebook, const QString& amount, const QString& endDay)
{
    return code(post(QStringLiteral("setCheckout"),
                     {{"user_id", "1"}, {"product_id", productId}, {"quantity", "1"}, {"ebook", ebook}})) == 0
        && code(pay(productId, amount)) == 0
        && code(post(QStringLiteral("setPurchase"),
                     {{"user_id", "1"}, {"purchase_id", productId}, {"endDay", endDay}, {"status", "yes"}})) == 0;
}

void TstServerStore::listsSelectByType_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("listKey");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("workout videos") << "getVideos" << "video_type" << "WORKOUT" << "video_list" << QStringList{"101", "102"};
    QTest::newRow("programs") << "getVideos" << "video_type" << "PROGRAM" << "video_list" << QStringList{"201"};
    QTest::newRow("workout search covers programs") << "getVideos" << "video_type" << "SEARCH1" << "video_list"
                                                    << QStringList{"101", "102", "201"};
    QTest::newRow("nutrition search") << "getVideos" << "video_type" << "SEARCH2" << "video_list"
                                      << QStringList{"301", "302", "401"};
    QTest::newRow("coaching search") << "getVideos" << "video_type" << "SEARCH3" << "video_list" << QStringList{"501"};
    QTest::newRow("empty library") << "getLocalVideo" << "type" << "WORKOUT" << "local_list" << QStringList{};
    QTest::newRow("empty cart") << "getCheckout" << "product_type" << "COACHING" << "checkout_list" << QStringList{};
}

void TstServerStore::listsSelectByType()
{
    QFETCH(QString, endpoint);
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, listKey);
    QFETCH(QStringList, expected);
    const QJsonObject reply = post(endpoint, {{"user_id", "1"}, {field, value}});
    QCOMPARE(code(reply), 0);
    QVERIFY(reply.value(listKey).isArray());
    QCOMPARE(ids(reply, listKey), expected);
}

void TstServerStore::listEntryCarriesEveryKeyAsText()
{
    const QJsonObject reply = post(QStringLiteral("getVideos"), {{"user_id", "1"}, {"video_type", "NUTRITION"}});
    const QJsonObject item = entry(reply, QStringLiteral("video_list"), QStringLiteral("301"));
    const QStringList keys = {"id", "title", "subtitle", "minidescription", "fulldescription", "price", "ebookprice",
                              "ebook", "ebook2", "period", "image", "video", "email", "phone", "name", "type",
                              "status", "endDay", "quantity"};
    for (const QString& key : keys) {
        QVERIFY2(item.value(key).isString(), qPrintable(key));
    }
    QCOMPARE(item.value("price").toString().toDouble(), 25.0);
    QCOMPARE(item.value("ebookprice").toString(), QStringLiteral("7.99"));
    QCOMPARE(item.value("status").toString(), QStringLiteral("no"));
    QVERIFY(item.value("image").toString().startsWith(m_fixture->baseUrl() + "/uploadfiles/"));
    // Not downloaded: no "uri", so the client leaves uri1 empty.
    QVERIFY(!item.contains("uri"));
}

void TstServerStore::cartRefusesDuplicates()
{
    const Fields fields = {{"user_id", "1"}, {"product_id", "101"}, {"quantity", "1"}, {"ebook", "0"}};
    QCOMPARE(code(post("setCheckout", fields)), 0);
    QCOMPARE(code(post("setCheckout", fields)), 1);
    // The e-book of a product in the cart is the same entry.
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "301"}, {"quantity", "1"}, {"ebook", "1"}})), 0);
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "301"}, {"quantity", "1"}, {"ebook", "0"}})), 1);
    // Another member's cart is separate.
    QCOMPARE(code(post("setCheckout", {{"user_id", "2"}, {"product_id", "101"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    const QJsonObject cart = post("getCheckout", {{"user_id", "1"}, {"product_type", "WORKOUT"}});
    QCOMPARE(ids(cart, "checkout_list"), QStringList{"101"});
}

void TstServerStore::cartRefusals_data()
{
    QTest::addColumn<QString>("productId");
    QTest::addColumn<QString>("ebook");
    QTest::addColumn<int>("expectedCode");

    QTest::newRow("unknown product") << "999" << "0" << 3;
    QTest::newRow("e-book of a product without one") << "302" << "1" << 1;
    QTest::newRow("e-book of a video") << "101" << "1" << 1;
    QTest::newRow("owned subscription") << "201" << "0" << 1;
    QTest::newRow("owned physical product may be bought again") << "302" << "0" << 0;
}

void TstServerStore::cartRefusals()
{
    QFETCH(QString, productId);
    QFETCH(QString, ebook);
    QFETCH(int, expectedCode);
    QVERIFY(buy("201", "0", "49.99", monthAhead()));
    QVERIFY(buy("302", "0", "10", "0"));
    const QJsonObject reply = post("setCheckout", {{"user_id", "1"}, {"product_id", productId}, {"quantity", "1"}, {"ebook", ebook}});
    QCOMPARE(code(reply), expectedCode);
}

void TstServerStore::removingFromCart()
{
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "102"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    QCOMPARE(code(post("removeCheckout", {{"user_id", "2"}, {"product_id", "102"}})), 1);
    QCOMPARE(code(post("removeCheckout", {{"user_id", "1"}, {"product_id", "102"}})), 0);
    QCOMPARE(code(post("removeCheckout", {{"user_id", "1"}, {"product_id", "102"}})), 1);
    QCOMPARE(ids(post("getCheckout", {{"user_id", "1"}, {"product_type", "WORKOUT"}}), "checkout_list"), QStringList{});
}

void TstServerStore::cardChecks_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<QString>("expiry");
    QTest::addColumn<QString>("cvv");
    QTest::addColumn<bool>("approved");

    const QDate today = QDate::currentDate();
    const QString thisMonth = today.toString("yyyy-MM");
    const QString lastMonth = today.addMonths(-1).toString("yyyy-MM");
    const QString future = nextYearExpiry();

    QTest::newRow("good card") << goodCard() << future << "123" << true;
    QTest::newRow("good card in groups") << "4242 4242 4242 4242" << future << "123" << true;
    QTest::newRow("expires this month") << goodCard() << thisMonth << "123" << true;
    QTest::newRow("other good card") << "5555555555554444" << future << "000" << true;
    QTest::newRow("check digit wrong") << "4242424242424241" << future << "123" << false;
    QTest::newRow("15 digits") << "424242424242424" << future << "123" << false;
    QTest::newRow("17 digits") << "42424242424242420" << future << "123" << false;
    QTest::newRow("letters") << "4242abcd42424242" << future << "123" << false;
    QTest::newRow("no number") << "" << future << "123" << false;
    QTest::newRow("expired last month") << goodCard() << lastMonth << "123" << false;
    QTest::newRow("month 13") << goodCard() << QString::number(today.year() + 1) + "-13" << "123" << false;
    QTest::newRow("month 00") << goodCard() << QString::number(today.year() + 1) + "-00" << "123" << false;
    QTest::newRow("expiry not a date") << goodCard() << "soon" << "123" << false;
    QTest::newRow("code too short") << goodCard() << future << "12" << false;
    QTest::newRow("code too long") << goodCard() << future << "1234" << false;
    QTest::newRow("code not digits") << goodCard() << future << "1a3" << false;
    QTest::newRow("declined test card") << "4000000000000002" << future << "123" << false;
    QTest::newRow("declined test card in groups") << "4000 0000 0000 0002" << future << "123" << false;
}

void TstServerStore::cardChecks()
{
    QFETCH(QString, card);
    QFETCH(QString, expiry);
    QFETCH(QString, cvv);
    QFETCH(bool, approved);
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "101"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    const QJsonObject reply = pay("101", "19.99", card, expiry, cvv);
    QCOMPARE(code(reply) == 0, approved);
    // Both answers name the products: a declined renewal is cancelled by them.
    QCOMPARE(reply.value("productID").toString(), QStringLiteral("101"));
    if (!approved)
        QVERIFY(!reply.value("message").toString().isEmpty());
}

void TstServerStore::paymentRefusesWrongAmount()
{
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "101"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "102"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    QCOMPARE(code(pay("101_102", "0.01")), 1);
    QCOMPARE(code(pay("101_102", "abc")), 1);
    QCOMPARE(code(pay("101_102", "25.49")), 0);
    // Nothing was recorded for the refused attempts: one payment, one purchase.
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101_102"}, {"endDay", "5_6"}, {"status", "yes"}})), 0);
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", "7"}, {"status", "yes"}})), 1);
}

void TstServerStore::purchaseOwnsAndEmptiesCart()
{
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "101"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "201"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "102"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    QCOMPARE(code(pay("101_201", "69.98")), 0);
    const QString videoEnd = monthAhead();
    const QString programEnd = QString::number(videoEnd.toLongLong() + 1000);
    const QString endDays = videoEnd + "_" + programEnd;
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101_201"}, {"endDay", endDays}, {"status", "yes"}})), 0);

    // Only the bought entries leave the cart.
    QCOMPARE(ids(post("getCheckout", {{"user_id", "1"}, {"product_type", "WORKOUT"}}), "checkout_list"), QStringList{"102"});
    const QJsonObject videos = post("getVideos", {{"user_id", "1"}, {"video_type", "SEARCH1"}});
    const QJsonObject video = entry(videos, "video_list", "101");
    QCOMPARE(video.value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(video.value("ebook2").toString(), QStringLiteral("0,0"));
    QCOMPARE(video.value("endDay").toString(), videoEnd);
    QCOMPARE(entry(videos, "video_list", "201").value("endDay").toString(), programEnd);
    QCOMPARE(entry(videos, "video_list", "102").value("status").toString(), QStringLiteral("no"));
    // The other member owns nothing.
    const QJsonObject other = post("getVideos", {{"user_id", "2"}, {"video_type", "WORKOUT"}});
    QCOMPARE(entry(other, "video_list", "101").value("status").toString(), QStringLiteral("no"));
    // Library: the program at once, the video only once downloaded.
    QCOMPARE(ids(post("getLocalVideo", {{"user_id", "1"}, {"type", "WORKOUT"}}), "local_list"),
             (QStringList{"101", "201"}));
}

void TstServerStore::purchaseNeedsUnusedPayment()
{
    const Fields purchase = {{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", monthAhead()}, {"status", "yes"}};
    QCOMPARE(code(post("setPurchase", purchase)), 1);
    QCOMPARE(code(pay("101", "19.99")), 0);
    // Another member cannot use this payment.
    QCOMPARE(code(post("setPurchase", {{"user_id", "2"}, {"purchase_id", "101"}, {"endDay", "1"}, {"status", "yes"}})), 1);
    // One unpaid id refuses the whole purchase.
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101_102"}, {"endDay", "1_2"}, {"status", "yes"}})), 1);
    QCOMPARE(entry(post("getVideos", {{"user_id", "1"}, {"video_type", "WORKOUT"}}), "video_list", "101")
                 .value("status").toString(), QStringLiteral("no"));
    QCOMPARE(code(post("setPurchase", purchase)), 0);
    // The same record again went through already; another one has no payment.
    QCOMPARE(code(post("setPurchase", purchase)), 0);
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", "1"}, {"status", "yes"}})), 1);
}

void TstServerStore::ebookPurchaseShowsInLibrary()
{
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "301"}, {"quantity", "1"}, {"ebook", "1"}})), 0);
    const QJsonObject cart = post("getCheckout", {{"user_id", "1"}, {"product_type", "NUTRITION"}});
    const QJsonObject cartEntry = entry(cart, "checkout_list", "301");
    QCOMPARE(cartEntry.value("ebook").toString(), QStringLiteral("1"));
    QCOMPARE(cartEntry.value("price").toString(), QStringLiteral("7.99"));
    QCOMPARE(cartEntry.value("period").toString(), QStringLiteral("60"));

    QCOMPARE(code(pay("301", "25", goodCard(), nextYearExpiry(), "123", "NUTRITION")), 1);
    QCOMPARE(code(pay("301", "7.99", goodCard(), nextYearExpiry(), "123", "NUTRITION")), 0);
    const QString endDay = QString::number(QDateTime::currentMSecsSinceEpoch() + 60LL * 86400000);
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "301"}, {"endDay", endDay}, {"status", "yes"}})), 0);

    const QJsonObject item = entry(post("getVideos", {{"user_id", "1"}, {"video_type", "NUTRITION"}}), "video_list", "301");
    QCOMPARE(item.value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(item.value("ebook2").toString(), QStringLiteral("1,1"));
    const QJsonObject library = post("getLocalVideo", {{"user_id", "1"}, {"type", "NUTRITION"}});
    const QJsonObject book = entry(library, "local_list", "301");
    QCOMPARE(book.value("ebook").toString(), QStringLiteral("1"));
    QVERIFY(book.contains("uri"));
    QVERIFY(!book.value("uri1").toString().isEmpty());
    QCOMPARE(book.value("endDay").toString(), endDay);

    // Cancelling the e-book keeps the bought product.
    QCOMPARE(code(post("removeSubscription", {{"user_id", "1"}, {"product_id", "301"}})), 0);
    QCOMPARE(ids(post("getLocalVideo", {{"user_id", "1"}, {"type", "NUTRITION"}}), "local_list"), QStringList{});
    QCOMPARE(code(post("removeSubscription", {{"user_id", "1"}, {"product_id", "301"}})), 1);
    QVERIFY(buy("301", "0", "25", "0"));
    QVERIFY(buy("301", "1", "7.99", endDay));
    QCOMPARE(code(post("removeSubscription", {{"user_id", "1"}, {"product_id", "301"}})), 0);
    const QJsonObject kept = entry(post("getVideos", {{"user_id", "1"}, {"video_type", "NUTRITION"}}), "video_list", "301");
    QCOMPARE(kept.value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(kept.value("ebook2").toString(), QStringLiteral("0,0"));
}

void TstServerStore::downloadedVideoFlow()
{
    const Fields report = {{"user_id", "1"}, {"video_id", "101"}, {"uri", ""}, {"uri1", "C:/ProgramData/.Olva/.w.mp4"}};
    QCOMPARE(code(post("setVideoUri", report)), 1); // not owned yet
    QVERIFY(buy("101", "0", "19.99", monthAhead()));
    QCOMPARE(code(post("setVideoUri", report)), 0);

    const QJsonObject item = entry(post("getVideos", {{"user_id", "1"}, {"video_type", "WORKOUT"}}), "video_list", "101");
    QCOMPARE(item.value("uri").toString(), QString());
    QCOMPARE(item.value("uri1").toString(), QStringLiteral("C:/ProgramData/.Olva/.w.mp4"));
    QCOMPARE(ids(post("getLocalVideo", {{"user_id", "1"}, {"type", "WORKOUT"}}), "local_list"), QStringList{"101"});

    QCOMPARE(code(post("removeVideo", {{"user_id", "1"}, {"product_id", "101_desktop"}})), 0);
    QVERIFY(!entry(post("getVideos", {{"user_id", "1"}, {"video_type", "WORKOUT"}}), "video_list", "101").contains("uri"));
    QCOMPARE(code(post("removeVideo", {{"user_id", "1"}, {"product_id", "101_desktop"}})), 1);
    // Still owned after the local copy is gone.
    QCOMPARE(ids(post("getLocalVideo", {{"user_id", "1"}, {"type", "WORKOUT"}}), "local_list"), QStringList{"101"});
}

void TstServerStore::programVideosAndCancellation()
{
    QCOMPARE(code(post("getProgramVideos", {{"user_id", "1"}, {"product_id", "101"}})), 3);
    QJsonObject videos = post("getProgramVideos", {{"user_id", "1"}, {"product_id", "201"}});
    QCOMPARE(ids(videos, "programvideo_list"), (QStringList{"1001", "1002"}));
    QCOMPARE(entry(videos, "programvideo_list", "1001").value("status").toString(), QStringLiteral("no"));
    QCOMPARE(code(post("setProgramVideoUri", {{"user_id", "1"}, {"program_id", "1001_desktop"}, {"uri1", "/v/a.mp4"}})), 1);

    QVERIFY(buy("201", "0", "49.99", QString::number(QDateTime::currentMSecsSinceEpoch() + 30LL * 86400000)));
    QCOMPARE(code(post("setProgramVideoUri", {{"user_id", "1"}, {"program_id", "1001_desktop"}, {"uri1", "/v/a.mp4"}})), 0);
    QCOMPARE(code(post("setProgramVideoUri", {{"user_id", "1"}, {"program_id", "9999_desktop"}, {"uri1", "/v/b.mp4"}})), 3);
    videos = post("getProgramVideos", {{"user_id", "1"}, {"product_id", "201"}});
    const QJsonObject first = entry(videos, "programvideo_list", "1001");
    // Downloaded: "no", so the store's program list shows DOWNLOADED; the
    // others keep their download button.
    QCOMPARE(first.value("status").toString(), QStringLiteral("no"));
    QCOMPARE(entry(videos, "programvideo_list", "1002").value("status").toString(), QStringLiteral("yes"));
    // Not "PROGRAM": the library plays it instead of opening another list.
    QCOMPARE(first.value("type").toString(), QStringLiteral("WORKOUT"));
    QCOMPARE(first.value("uri1").toString(), QStringLiteral("/v/a.mp4"));
    QVERIFY(first.value("endDay").toString().toLongLong() > QDateTime::currentMSecsSinceEpoch());
    QVERIFY(!entry(videos, "programvideo_list", "1002").contains("uri"));

    const QJsonObject all = post("removeAllProgramVideo", {{"user_id", "1"}, {"product_id", "201"}});
    QCOMPARE(code(all), 0);
    QCOMPARE(all.value("product_id").toString(), QStringLiteral("201"));
    const QJsonArray programs = all.value("programs").toArray();
    QCOMPARE(programs.size(), 1);
    QCOMPARE(programs.at(0).toObject().value("uri1").toString(), QStringLiteral("/v/a.mp4"));
    QCOMPARE(code(post("removeSubscription", {{"user_id", "1"}, {"product_id", "201"}})), 0);
    QCOMPARE(ids(post("getLocalVideo", {{"user_id", "1"}, {"type", "WORKOUT"}}), "local_list"), QStringList{});
    QCOMPARE(code(post("removeSubscription", {{"user_id", "1"}, {"product_id", "201"}})), 1);
    QCOMPARE(code(post("removeAllProgramVideo", {{"user_id", "1"}, {"product_id", "201"}})), 1);
    QCOMPARE(code(post("removeAllProgramVideo", {{"user_id", "1"}, {"product_id", "101"}})), 3);
}

void TstServerStore::declinedRenewalCanCancel()
{
    QVERIFY(buy("101", "0", "19.99", "1000"));
    // Renewal without a card on file.
    QVERIFY(StoreTestData::insert(m_fixture->context().db, QStringLiteral("DELETE FROM cards_on_file"), {}));
    const QJsonObject reply = pay("101", "19.99", "", "", "", "WORKOUT", "auto");
    QVERIFY(code(reply) != 0);
    QCOMPARE(code(post("removeSubscription", {{"user_id", "1"}, {"product_id", reply.value("productID").toString()}})), 0);
    QCOMPARE(entry(post("getVideos", {{"user_id", "1"}, {"video_type", "WORKOUT"}}), "video_list", "101")
                 .value("status").toString(), QStringLiteral("no"));
}

void TstServerStore::renewalMovesEndDay()
{
    QVERIFY(buy("101", "0", "19.99", "1000"));
    // A lapsed subscription still reads as owned, so the client renews it.
    QJsonObject item = entry(post("getVideos", {{"user_id", "1"}, {"video_type", "WORKOUT"}}), "video_list", "101");
    QCOMPARE(item.value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(item.value("endDay").toString(), QStringLiteral("1000"));

    const QJsonObject paid = pay("101", "19.99", goodCard(), nextYearExpiry(), "123", "WORKOUT", "auto");
    QCOMPARE(code(paid), 0);
    const QString renewedEnd = monthAhead();
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", paid.value("productID").toString()},
                                       {"endDay", renewedEnd}, {"status", "yes"}})), 0);
    item = entry(post("getVideos", {{"user_id", "1"}, {"video_type", "WORKOUT"}}), "video_list", "101");
    QCOMPARE(item.value("endDay").toString(), renewedEnd);
    QCOMPARE(item.value("ebook2").toString(), QStringLiteral("0,0"));
}

void TstServerStore::badInput_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<int>("expectedCode");

    QTest::newRow("no user_id") << "getVideos" << Fields{{"video_type", "WORKOUT"}} << 90;
    QTest::newRow("user_id text") << "getVideos" << Fields{{"user_id", "abc"}, {"video_type", "WORKOUT"}} << 90;
    QTest::newRow("user_id negative") << "getCheckout" << Fields{{"user_id", "-1"}, {"product_type", "WORKOUT"}} << 90;
    QTest::newRow("unknown member") << "getVideos" << Fields{{"user_id", "999"}, {"video_type", "WORKOUT"}} << 2;
    QTest::newRow("unknown video_type") << "getVideos" << Fields{{"user_id", "1"}, {"video_type", "SEARCH9"}} << 90;
    QTest::newRow("library of a product type") << "getLocalVideo" << Fields{{"user_id", "1"}, {"type", "PROGRAM"}} << 90;
    QTest::newRow("cart type missing") << "getCheckout" << Fields{{"user_id", "1"}} << 90;
    QTest::newRow("product_id text") << "setCheckout"
                                     << Fields{{"user_id", "1"}, {"product_id", "12x"}, {"quantity", "1"}, {"ebook", "0"}} << 90;
    QTest::newRow("quantity text") << "setCheckout"
                                   << Fields{{"user_id", "1"}, {"product_id", "101"}, {"quantity", "one"}, {"ebook", "0"}} << 90;
    QTest::newRow("quantity zero") << "setCheckout"
                                   << Fields{{"user_id", "1"}, {"product_id", "101"}, {"quantity", "0"}, {"ebook", "0"}} << 90;
    QTest::newRow("ebook missing") << "setCheckout" << Fields{{"user_id", "1"}, {"product_id", "101"}, {"quantity", "1"}} << 90;
    QTest::newRow("remove without id") << "removeCheckout" << Fields{{"user_id", "1"}} << 90;
    QTest::newRow("payment ids malformed") << "paymentProcess"
                                           << Fields{{"pay_type", "manual"}, {"productID", "3__4"}, {"type", "WORKOUT"}, {"user_id", "1"}} << 90;
    QTest::newRow("payment repeated id") << "paymentProcess"
                                         << Fields{{"pay_type", "manual"}, {"productID", "101_101"}, {"type", "WORKOUT"}, {"user_id", "1"}} << 90;
    QTest::newRow("payment unknown type") << "paymentProcess"
                                          << Fields{{"pay_type", "manual"}, {"productID", "101"}, {"type", "GADGET"}, {"user_id", "1"}} << 90;
    QTest::newRow("payment unknown product") << "paymentProcess"
                                             << Fields{{"pay_type", "manual"}, {"productID", "999"}, {"type", "WORKOUT"}, {"user_id", "1"}} << 3;
    QTest::newRow("purchase end days miscounted") << "setPurchase"
                                                  << Fields{{"user_id", "1"}, {"purchase_id", "101_102"}, {"endDay", "5"}, {"status", "yes"}} << 90;
    QTest::newRow("purchase end day text") << "setPurchase"
                                           << Fields{{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", "soon"}, {"status", "yes"}} << 90;
    QTest::newRow("purchase status no") << "setPurchase"
                                        << Fields{{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", "5"}, {"status", "no"}} << 90;
    QTest::newRow("purchase unknown product") << "setPurchase"
                                              << Fields{{"user_id", "1"}, {"purchase_id", "999"}, {"endDay", "5"}, {"status", "yes"}} << 3;
    QTest::newRow("video path missing") << "setVideoUri" << Fields{{"user_id", "1"}, {"video_id", "101"}, {"uri", ""}} << 90;
    QTest::newRow("video of a product without one") << "setVideoUri"
                                                    << Fields{{"user_id", "1"}, {"video_id", "301"}, {"uri", ""}, {"uri1", "/a"}} << 3;
    QTest::newRow("program video id malformed") << "setProgramVideoUri"
                                                << Fields{{"user_id", "1"}, {"program_id", "7_"}, {"uri1", "/a"}} << 90;
    QTest::newRow("remove video id malformed") << "removeVideo" << Fields{{"user_id", "1"}, {"product_id", "desktop"}} << 90;
    QTest::newRow("remove program video missing") << "removeProgramVideo1" << Fields{{"user_id", "1"}} << 90;
    QTest::newRow("cancel without id") << "removeSubscription" << Fields{{"user_id", "1"}} << 90;
    QTest::newRow("program videos id text") << "getProgramVideos" << Fields{{"user_id", "1"}, {"product_id", "x"}} << 90;
    QTest::newRow("huge id") << "getProgramVideos" << Fields{{"user_id", "1"}, {"product_id", "99999999999999999999999"}} << 90;
}

void TstServerStore::badInput()
{
    QFETCH(QString, endpoint);
    QFETCH(Fields, fields);
    QFETCH(int, expectedCode);
    const QJsonObject reply = post(endpoint, fields);
    QCOMPARE(code(reply), expectedCode);
    QVERIFY(!reply.value("message").toString().isEmpty());
    // Nothing half-done: the cart of member 1 is still empty.
    QCOMPARE(ids(post("getCheckout", {{"user_id", "1"}, {"product_type", "WORKOUT"}}), "checkout_list"), QStringList{});
}

void TstServerStore::bodyThatIsNotAFormIsRefused()
{
    const ServerFixture::Headers json = {{"Content-Type", "application/json"}};
    ServerFixture::Reply reply = m_fixture->send("POST", "/api/setCheckout",
                                                 R"({"user_id":"1","product_id":"101","quantity":"1","ebook":"0"})", json);
    QVERIFY(reply.status != 0);
    QVERIFY(QJsonDocument::fromJson(reply.body).object().value("result_code").toInt(0) != 0);

    reply = m_fixture->send("POST", "/api/setCheckout", QByteArray(2 * 1024 * 1024, 'a'),
                            {{"Content-Type", "application/x-www-form-urlencoded"}}, 30000);
    QVERIFY(!reply.timedOut);
    QVERIFY(reply.status == 413 || QJsonDocument::fromJson(reply.body).object().value("result_code").toInt(0) != 0);
    QCOMPARE(ids(post("getCheckout", {{"user_id", "1"}, {"product_type", "WORKOUT"}}), "checkout_list"), QStringList{});
}

void TstServerStore::demoCatalogueIsComplete()
{
    ServerFixture demo;
    QVERIFY(demo.start(true));
    QVERIFY(demo.signIn("demo@olva.local", "olva-demo-2026"));
    const QString filesPrefix = demo.baseUrl() + "/uploadfiles/";
    const auto servedFileExists = [&](const QString& url) {
        return url.startsWith(filesPrefix) && QFileInfo::exists(demo.filesDir() + "/" + url.mid(filesPrefix.size()));
    };

    const QStringList types = {"WORKOUT", "PROGRAM", "NUTRITION", "NUTRITION_VIDEO", "COACHING", "COACHING_VIDEO"};
    for (const QString& type : types) {
        const QJsonArray list = demo.post("getVideos", {{"user_id", "1"}, {"video_type", type}}).value("video_list").toArray();
        QVERIFY2(list.size() >= 5, qPrintable(type));
        for (const QJsonValue& value : list) {
            const QJsonObject item = value.toObject();
            QVERIFY2(servedFileExists(item.value("image").toString()), qPrintable(item.value("image").toString()));
            if (type.endsWith("VIDEO") || type == "WORKOUT")
                QVERIFY2(servedFileExists(item.value("video").toString()), qPrintable(item.value("id").toString()));
            if (type == "PROGRAM") {
                const QJsonArray videos = demo.post("getProgramVideos", {{"user_id", "1"}, {"product_id", item.value("id").toString()}})
                                              .value("programvideo_list").toArray();
                QVERIFY(!videos.isEmpty());
                QVERIFY(servedFileExists(videos.at(0).toObject().value("video").toString()));
            }
        }
    }
    // Every video has a file of its own: the client names downloads after the address.
    QStringList videoUrls;
    for (const QString& type : {QStringLiteral("WORKOUT"), QStringLiteral("NUTRITION_VIDEO"), QStringLiteral("COACHING_VIDEO")}) {
        for (const QJsonValue& value : demo.post("getVideos", {{"user_id", "1"}, {"video_type", type}}).value("video_list").toArray())
            videoUrls.append(value.toObject().value("video").toString());
    }
    QCOMPARE(QSet<QString>(videoUrls.begin(), videoUrls.end()).size(), videoUrls.size());

    // The demo member's library shows the owned program and e-book.
    QVERIFY(!ids(demo.post("getLocalVideo", {{"user_id", "1"}, {"type", "WORKOUT"}}), "local_list").isEmpty());
    const QJsonArray books = demo.post("getLocalVideo", {{"user_id", "1"}, {"type", "NUTRITION"}}).value("local_list").toArray();
    QVERIFY(!books.isEmpty());
    QVERIFY(servedFileExists(books.at(0).toObject().value("uri1").toString()));
    QVERIFY(QFileInfo::exists(demo.filesDir() + "/ebooks/viewer.html"));
    for (const QString& type : {QStringLiteral("TELEHEALTH"), QStringLiteral("LIVEFITNESS"), QStringLiteral("LIVENUTRITION")}) {
        const QJsonArray list = demo.post("getService", {{"user_id", "1"}, {"service_type", type}}).value("service_list").toArray();
        QVERIFY2(list.size() >= 3, qPrintable(type));
        QVERIFY(servedFileExists(list.at(0).toObject().value("image").toString()));
    }
}

QTEST_MAIN(TstServerStore)
#include "tst_server_store.moc"
