#include "store/productitem.h"
#include "store/storelistkind.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

class TestProductItem : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryKey();
    void valueForms_data();
    void valueForms();
    void uri1OnlyWithUri_data();
    void uri1OnlyWithUri();
    void listReplies_data();
    void listReplies();
    void hugeListAndTitles();
    void search_data();
    void search();
    void listKinds_data();
    void listKinds();
    void kindOfTabs_data();
    void kindOfTabs();
};

void TestProductItem::readsEveryKey()
{
    const QJsonObject object = QJsonDocument::fromJson(R"({
        "id":"42","title":"T","subtitle":"S","minidescription":"M","fulldescription":"F",
        "price":"19.99","ebookprice":"4.5","ebook":"1","ebook2":"1,0","period":"90",
        "image":"http://x/i.png","video":"http://x/v.mp4","uri":"","uri1":"/data/v.mp4",
        "email":"e@x","phone":"123","name":"N","type":"NUTRITION","status":"yes",
        "endDay":"1718000000000","quantity":"3"})").object();
    const ProductItem item = ProductItem::fromJson(object);
    QCOMPARE(item.id, 42);
    QCOMPARE(item.title, QStringLiteral("T"));
    QCOMPARE(item.subtitle, QStringLiteral("S"));
    QCOMPARE(item.minidescription, QStringLiteral("M"));
    QCOMPARE(item.fulldescription, QStringLiteral("F"));
    QCOMPARE(item.price, 19.99);
    QCOMPARE(item.ebookprice, 4.5);
    QCOMPARE(item.ebook, 1);
    QCOMPARE(item.ebook2, QStringLiteral("1,0"));
    QCOMPARE(item.period, QStringLiteral("90"));
    QCOMPARE(item.image, QStringLiteral("http://x/i.png"));
    QCOMPARE(item.video, QStringLiteral("http://x/v.mp4"));
    QCOMPARE(item.uri1, QStringLiteral("/data/v.mp4"));
    QCOMPARE(item.email, QStringLiteral("e@x"));
    QCOMPARE(item.phone, QStringLiteral("123"));
    QCOMPARE(item.name, QStringLiteral("N"));
    QCOMPARE(item.type, QStringLiteral("NUTRITION"));
    QVERIFY(item.isOwned());
    QVERIFY(item.isPhysical());
    QCOMPARE(item.endDay, Q_INT64_C(1718000000000));
    QCOMPARE(item.quantity, 3);
}

void TestProductItem::valueForms_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("id");
    QTest::addColumn<double>("price");
    QTest::addColumn<QString>("title");
    QTest::addColumn<qint64>("endDay");

    QTest::newRow("numbers as numbers") << QByteArray(R"({"id":7,"price":5.5,"title":"a","endDay":12})")
                                        << 7 << 5.5 << "a" << qint64(12);
    QTest::newRow("price letters") << QByteArray(R"({"id":"7","price":"abc"})") << 7 << 0.0 << "" << qint64(0);
    QTest::newRow("negative price") << QByteArray(R"({"id":"7","price":"-5"})") << 7 << 0.0 << "" << qint64(0);
    QTest::newRow("price 1e308") << QByteArray(R"({"id":"7","price":"1e308"})") << 7 << 0.0 << "" << qint64(0);
    QTest::newRow("price inf") << QByteArray(R"({"id":"7","price":"inf"})") << 7 << 0.0 << "" << qint64(0);
    QTest::newRow("id too big") << QByteArray(R"({"id":"99999999999","price":"1"})") << 0 << 1.0 << "" << qint64(0);
    QTest::newRow("id not a number") << QByteArray(R"({"id":"x1"})") << 0 << 0.0 << "" << qint64(0);
    QTest::newRow("title an object") << QByteArray(R"({"id":"1","title":{"a":1}})") << 1 << 0.0 << "" << qint64(0);
    QTest::newRow("title null") << QByteArray(R"({"id":"1","title":null})") << 1 << 0.0 << "" << qint64(0);
    QTest::newRow("endDay garbage") << QByteArray(R"({"id":"1","endDay":"soon"})") << 1 << 0.0 << "" << qint64(0);
    QTest::newRow("endDay huge number") << QByteArray(R"({"id":"1","endDay":1e300})") << 1 << 0.0 << "" << qint64(0);
}

void TestProductItem::valueForms()
{
    QFETCH(QByteArray, json);
    QFETCH(int, id);
    QFETCH(double, price);
    QFETCH(QString, title);
    QFETCH(qint64, endDay);
    const ProductItem item = ProductItem::fromJson(QJsonDocument::fromJson(json).object());
    QCOMPARE(item.id, id);
    QCOMPARE(item.price, price);
    QCOMPARE(item.title, title);
    QCOMPARE(item.endDay, endDay);
}

void TestProductItem::uri1OnlyWithUri_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("uri1");
    QTest::newRow("uri and uri1") << QByteArray(R"({"uri":"x","uri1":"/a"})") << "/a";
    QTest::newRow("uri1 alone is ignored") << QByteArray(R"({"uri1":"/a"})") << "";
    QTest::newRow("uri alone") << QByteArray(R"({"uri":"/a"})") << "";
}

void TestProductItem::uri1OnlyWithUri()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, uri1);
    QCOMPARE(ProductItem::fromJson(QJsonDocument::fromJson(json).object()).uri1, uri1);
}

void TestProductItem::listReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QList<int>>("ids");

    QTest::newRow("video list") << QByteArray(R"({"result_code":0,"video_list":[{"id":"3"},{"id":"1"}]})")
                                << QList<int>{3, 1};
    QTest::newRow("checkout list") << QByteArray(R"({"result_code":"0","checkout_list":[{"id":"5"}]})")
                                   << QList<int>{5};
    QTest::newRow("local list") << QByteArray(R"({"result_code":0,"local_list":[{"id":"8"}]})") << QList<int>{8};
    QTest::newRow("program list") << QByteArray(R"({"result_code":0,"programvideo_list":[{"id":"9"}]})")
                                  << QList<int>{9};
    QTest::newRow("first key wins") << QByteArray(R"({"result_code":0,"local_list":[{"id":"8"}],"video_list":[{"id":"1"}]})")
                                    << QList<int>{1};
    QTest::newRow("failure code") << QByteArray(R"({"result_code":1,"video_list":[{"id":"3"}]})") << QList<int>{};
    QTest::newRow("no list key") << QByteArray(R"({"result_code":0})") << QList<int>{};
    QTest::newRow("list not an array") << QByteArray(R"({"result_code":0,"video_list":"x"})") << QList<int>{};
    QTest::newRow("entries not objects") << QByteArray(R"({"result_code":0,"video_list":[1,"a",{"id":"2"}]})")
                                         << QList<int>{2};
    QTest::newRow("not json") << QByteArray("<html>502</html>") << QList<int>{};
    QTest::newRow("repeated ids kept in order") << QByteArray(R"({"result_code":0,"video_list":[{"id":"2"},{"id":"2"}]})")
                                                << QList<int>{2, 2};
}

void TestProductItem::listReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QList<int>, ids);
    const ProductListReply parsed = ProductListReply::parse(QString::fromUtf8(reply));
    QList<int> got;
    for (const ProductItem& item : parsed.items)
        got.append(item.id);
    QCOMPARE(got, ids);
}

void TestProductItem::hugeListAndTitles()
{
    QJsonArray list;
    const QString longTitle(5000, QLatin1Char('t'));
    for (int i = 1; i <= 2000; ++i)
        list.append(QJsonObject{{QStringLiteral("id"), QString::number(i)}, {QStringLiteral("title"), longTitle}});
    const QByteArray text = QJsonDocument(QJsonObject{{QStringLiteral("result_code"), 0},
                                                      {QStringLiteral("video_list"), list}}).toJson();
    const ProductListReply parsed = ProductListReply::parse(QString::fromUtf8(text));
    QCOMPARE(parsed.items.size(), 2000);
    QCOMPARE(parsed.items.last().title.size(), 5000);
}

void TestProductItem::search_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("match");
    QTest::newRow("title, upper-case search") << "title" << "CORE" << true;
    QTest::newRow("subtitle") << "subtitle" << "mat" << true;
    QTest::newRow("mini") << "mini" << "planks" << true;
    QTest::newRow("full") << "full" << "every level" << true;
    QTest::newRow("nothing") << "title" << "yoga" << false;
}

void TestProductItem::search()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, match);
    ProductItem item;
    const QString value = field == QLatin1String("title") ? QStringLiteral("Twenty-Minute Core Burner")
                        : field == QLatin1String("subtitle") ? QStringLiteral("20 minutes, Mat")
                        : field == QLatin1String("mini") ? QStringLiteral("Planks and crunches")
                                                           : QStringLiteral("Made for members of EVERY LEVEL");
    if (field == QLatin1String("title"))
        item.title = value;
    else if (field == QLatin1String("subtitle"))
        item.subtitle = value;
    else if (field == QLatin1String("mini"))
        item.minidescription = value;
    else
        item.fulldescription = value;
    QCOMPARE(item.matches(text.toLower()), match);
}

void TestProductItem::listKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    const char* const rows[17][3] = {
        {"getVideos", "video_type", "WORKOUT"},      {"getVideos", "video_type", "PROGRAM"},
        {"getVideos", "video_type", "SEARCH1"},      {"getLocalVideo", "type", "WORKOUT"},
        {"getCheckout", "product_type", "WORKOUT"},  {"getVideos", "video_type", "NUTRITION"},
        {"getVideos", "video_type", "NUTRITION_VIDEO"}, {"getVideos", "video_type", "SEARCH2"},
        {"getLocalVideo", "type", "NUTRITION"},      {"getCheckout", "product_type", "NUTRITION"},
        {"getVideos", "video_type", "COACHING"},     {"getVideos", "video_type", "COACHING_VIDEO"},
        {"getVideos", "video_type", "SEARCH3"},      {"getLocalVideo", "type", "COACHING"},
        {"getCheckout", "product_type", "COACHING"}, {"getProgramVideos", "product_id", "77"},
        {"getProgramVideos", "product_id", "77"},
    };
    for (int kind = 0; kind < 17; ++kind) {
        QTest::addRow("kind %d", kind) << kind << QString::fromLatin1(rows[kind][0])
                                       << QString::fromLatin1(rows[kind][1]) << QString::fromLatin1(rows[kind][2]);
    }
}

void TestProductItem::listKinds()
{
    QFETCH(int, kind);
    QFETCH(QString, endpoint);
    QFETCH(QString, field);
    QFETCH(QString, value);
    const StoreListKind::Request request = StoreListKind::request(kind, 77);
    QCOMPARE(request.endpoint, endpoint);
    QCOMPARE(request.field, field);
    QCOMPARE(request.value, value);
}

void TestProductItem::kindOfTabs_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("categoryTab");
    QTest::addColumn<int>("productTab");
    QTest::addColumn<int>("kind");
    QTest::newRow("workout individual") << 0 << 0 << 0 << 0;
    QTest::newRow("workout search") << 0 << 0 << 2 << 2;
    QTest::newRow("nutrition videos") << 1 << 0 << 1 << 6;
    QTest::newRow("nutrition library ignores product tab") << 1 << 1 << 2 << 8;
    QTest::newRow("coaching cart") << 2 << 2 << 0 << 14;
}

void TestProductItem::kindOfTabs()
{
    QFETCH(int, category);
    QFETCH(int, categoryTab);
    QFETCH(int, productTab);
    QFETCH(int, kind);
    QCOMPARE(StoreListKind::kindFor(category, categoryTab, productTab), kind);
}

QTEST_GUILESS_MAIN(TestProductItem)
#include "tst_productitem.moc"
