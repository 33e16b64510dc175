#include "serverfixture.h"
#include "storetestdata.h"

#include "testenvironment.h"

#include <QtTest>

using namespace StoreTestData;
using Fields = ServerFixture::Fields;

// The live-service endpoints over HTTP: lists, cart, paid purchases and
// the appointment counter.
class TstServerServices final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void serviceListsByType_data();
    void serviceListsByType();
    void entryCarriesEveryKeyAsText();
    void cartRefusesDuplicates();
    void removingFromCart();
    void purchaseFlow();
    void purchaseNeedsPayment();
    void appointmentsCountAndComplete();
    void badInput_data();
    void badInput();
    void demoShowsEveryCardState();

private:
    QJsonObject post(const QString& endpoint, const Fields& fields) { return m_fixture->post(endpoint, fields); }
    QJsonObject pay(const QString& ids, const QString& amount, const QString& card = goodCard());
    bool buy(const QString& serviceId, const QString& amount);

    std::unique_ptr<ServerFixture> m_fixture;
};

void TstServerServices::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerServices::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    // These cases are about the area's rules: each call runs in the
    // session of the member it names (sessions have tests of their own).
    m_fixture->setSessionFollowsUserId(true);
    QVERIFY(m_fixture->start());
    QSqlDatabase db = m_fixture->context().db;
    QVERIFY(addMember(db, 1));
    QVERIFY(addMember(db, 2));
    QVERIFY(addService(db, 11, QStringLiteral("TELEHEALTH"), 2000));
    QVERIFY(addService(db, 12, QStringLiteral("TELEHEALTH"), 1999));
    QVERIFY(addService(db, 21, QStringLiteral("LIVEFITNESS"), 3000));
    QVERIFY(addService(db, 31, QStringLiteral("LIVENUTRITION"), 0));
}

void TstServerServices::cleanup()
{
    m_fixture.reset();
}

QJsonObject TstServerServices::pay(const QString& ids, const QString& amount, const QString& card)
{
    return post(QStringLiteral("paymentProcess"),
                {{"pay_type", "manual"}, {"productID", ids}, {"type", "TELEHEALTH"}, {"user_id", "1"},
                 {"country", "Nowhere"}, {"first_name", "Test"}, {"last_name", "Member"}, {"address", "1 Road"},
                 {"city", "Town"}, {"state", "ST"}, {"zipcode", "00000"}, {"user_email", "t@test.local"},
                 {"user_phone", "555"}, {"cardNumber", card}, {"expirationDate", nextYearExpiry()},
                 {"cardCode", "123"}, {"amount", amount}, {"description", "Title : x, Type : TELEHEALTH, Price : $20"}});
}

bool TstServerServices::buy(const QString& serviceId, const QString& amount)
{
    return code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", serviceId}, {"quantity", "1"}})) == 0
        && code(pay(serviceId, amount)) == 0
        && code(post("setServicePurchase", {{"user_id", "1"}, {"purchase_id", serviceId}})) == 0;
}

void TstServerServices::serviceListsByType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("telehealth") << "TELEHEALTH" << QStringList{"11", "12"};
    QTest::newRow("live fitness") << "LIVEFITNESS" << QStringList{"21"};
    QTest::newRow("live nutrition") << "LIVENUTRITION" << QStringList{"31"};
}

void TstServerServices::serviceListsByType()
{
    QFETCH(QString, type);
    QFETCH(QStringList, expected);
    const QJsonObject reply = post("getService", {{"user_id", "1"}, {"service_type", type}});
    QCOMPARE(code(reply), 0);
    QCOMPARE(ids(reply, "service_list"), expected);
}

void TstServerServices::entryCarriesEveryKeyAsText()
{
    const QJsonObject item = entry(post("getService", {{"user_id", "1"}, {"service_type", "TELEHEALTH"}}),
                                   "service_list", "12");
    const QStringList keys = {"id", "title", "image", "subtitle", "minidescription", "fulldescription", "price",
                              "status", "appoint", "skype", "whatsapp"};
    for (const QString& key : keys) {
        QVERIFY2(item.value(key).isString(), qPrintable(key));
    }
    QCOMPARE(item.value("price").toString(), QStringLiteral("19.99"));
    QCOMPARE(item.value("status").toString(), QStringLiteral("no"));
    QCOMPARE(item.value("appoint").toString(), QStringLiteral("0"));
    QCOMPARE(item.value("skype").toString(), QStringLiteral("coach.one"));
    const QJsonObject free = entry(post("getService", {{"user_id", "1"}, {"service_type", "LIVENUTRITION"}}),
                                   "service_list", "31");
    QCOMPARE(free.value("price").toString().toFloat(), 0.0f);
}

void TstServerServices::cartRefusesDuplicates()
{
    const Fields fields = {{"user_id", "1"}, {"service_id", "11"}, {"quantity", "1"}};
    QCOMPARE(code(post("setServiceCheckout", fields)), 0);
    QCOMPARE(code(post("setServiceCheckout", fields)), 1);
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", "21"}, {"quantity", "1"}})), 0);
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "2"}, {"service_id", "11"}, {"quantity", "1"}})), 0);
    const QJsonObject cart = post("getServiceCheckout", {{"user_id", "1"}});
    QCOMPARE(ids(cart, "checkout_list"), (QStringList{"11", "21"}));
    QCOMPARE(entry(cart, "checkout_list", "21").value("price").toString(), QStringLiteral("30"));
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", "99"}, {"quantity", "1"}})), 3);
}

void TstServerServices::removingFromCart()
{
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", "11"}, {"quantity", "1"}})), 0);
    QCOMPARE(code(post("removeServiceCheckout", {{"user_id", "2"}, {"service_id", "11"}})), 1);
    QCOMPARE(code(post("removeServiceCheckout", {{"user_id", "1"}, {"service_id", "11"}})), 0);
    QCOMPARE(code(post("removeServiceCheckout", {{"user_id", "1"}, {"service_id", "11"}})), 1);
    QCOMPARE(ids(post("getServiceCheckout", {{"user_id", "1"}}), "checkout_list"), QStringList{});
}

void TstServerServices::purchaseFlow()
{
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", "11"}, {"quantity", "1"}})), 0);
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", "12"}, {"quantity", "1"}})), 0);
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", "21"}, {"quantity", "1"}})), 0);
    QCOMPARE(code(pay("11_12", "39.99", "4000000000000002")), 4);
    // The client adds the prices as single-precision floats.
    QCOMPARE(code(pay("11_12", QString::number(double(20.0f + 19.99f), 'g', 6))), 0);
    QCOMPARE(code(post("setServicePurchase", {{"user_id", "1"}, {"purchase_id", "11_12"}})), 0);

    QCOMPARE(ids(post("getServiceCheckout", {{"user_id", "1"}}), "checkout_list"), QStringList{"21"});
    const QJsonObject store = post("getService", {{"user_id", "1"}, {"service_type", "TELEHEALTH"}});
    QCOMPARE(entry(store, "service_list", "11").value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(entry(store, "service_list", "11").value("appoint").toString(), QStringLiteral("0"));
    QCOMPARE(entry(post("getService", {{"user_id", "2"}, {"service_type", "TELEHEALTH"}}), "service_list", "11")
                 .value("status").toString(), QStringLiteral("no"));
    QCOMPARE(ids(post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list"),
             (QStringList{"11", "12"}));
    // A bought service is not put in the cart again until it is completed.
    QCOMPARE(code(post("setServiceCheckout", {{"user_id", "1"}, {"service_id", "11"}, {"quantity", "1"}})), 1);
}

void TstServerServices::purchaseNeedsPayment()
{
    QCOMPARE(code(post("setServicePurchase", {{"user_id", "1"}, {"purchase_id", "21"}})), 1);
    QCOMPARE(code(pay("21", "30")), 0);
    QCOMPARE(code(post("setServicePurchase", {{"user_id", "2"}, {"purchase_id", "21"}})), 1);
    QCOMPARE(code(post("setServicePurchase", {{"user_id", "1"}, {"purchase_id", "21_11"}})), 1);
    QCOMPARE(ids(post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list"), QStringList{});
    QCOMPARE(code(post("setServicePurchase", {{"user_id", "1"}, {"purchase_id", "21"}})), 0);
    // The same record again went through already: answered, nothing added.
    QCOMPARE(code(post("setServicePurchase", {{"user_id", "1"}, {"purchase_id", "21"}})), 0);
    // Live fitness purchases show in the purchases list too.
    QCOMPARE(ids(post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list"), QStringList{"21"});
}

void TstServerServices::appointmentsCountAndComplete()
{
    const Fields appoint = {{"user_id", "1"}, {"service_id", "11"}};
    QCOMPARE(code(post("makeAppoint", appoint)), 1);
    QCOMPARE(code(post("completeAppoint", appoint)), 1);
    QVERIFY(buy("11", "20"));
    QCOMPARE(code(post("makeAppoint", appoint)), 0);
    QCOMPARE(code(post("makeAppoint", appoint)), 0);
    QCOMPARE(entry(post("getService", {{"user_id", "1"}, {"service_type", "TELEHEALTH"}}), "service_list", "11")
                 .value("appoint").toString(), QStringLiteral("2"));

    QCOMPARE(code(post("completeAppoint", appoint)), 0);
    QCOMPARE(ids(post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list"), QStringList{});
    QCOMPARE(entry(post("getService", {{"user_id", "1"}, {"service_type", "TELEHEALTH"}}), "service_list", "11")
                 .value("status").toString(), QStringLiteral("no"));
    QCOMPARE(code(post("completeAppoint", appoint)), 1);

    // Bought again after completion: a fresh purchase with no appointments.
    QVERIFY(buy("11", "20"));
    const QJsonObject again = entry(post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list", "11");
    QCOMPARE(again.value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(again.value("appoint").toString(), QStringLiteral("0"));
}

void TstServerServices::badInput_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<int>("expectedCode");

    QTest::newRow("list without user") << "getService" << Fields{{"service_type", "TELEHEALTH"}} << 90;
    QTest::newRow("list user text") << "getService" << Fields{{"user_id", "one"}, {"service_type", "TELEHEALTH"}} << 90;
    QTest::newRow("list unknown member") << "getService" << Fields{{"user_id", "77"}, {"service_type", "TELEHEALTH"}} << 2;
    QTest::newRow("list unknown type") << "getService" << Fields{{"user_id", "1"}, {"service_type", "WORKOUT"}} << 90;
    QTest::newRow("purchases type missing") << "getLocalService" << Fields{{"user_id", "1"}} << 90;
    QTest::newRow("cart with empty pair") << "getServiceCheckout" << Fields{{"user_id", "1"}, {"", ""}} << 0;
    QTest::newRow("cart unknown member") << "getServiceCheckout" << Fields{{"user_id", "5"}} << 2;
    QTest::newRow("checkout id text") << "setServiceCheckout"
                                      << Fields{{"user_id", "1"}, {"service_id", "eleven"}, {"quantity", "1"}} << 90;
    QTest::newRow("checkout quantity missing") << "setServiceCheckout" << Fields{{"user_id", "1"}, {"service_id", "11"}} << 90;
    QTest::newRow("remove id missing") << "removeServiceCheckout" << Fields{{"user_id", "1"}} << 90;
    QTest::newRow("purchase ids malformed") << "setServicePurchase" << Fields{{"user_id", "1"}, {"purchase_id", "_11"}} << 90;
    QTest::newRow("purchase unknown service") << "setServicePurchase" << Fields{{"user_id", "1"}, {"purchase_id", "99"}} << 3;
    QTest::newRow("appoint id text") << "makeAppoint" << Fields{{"user_id", "1"}, {"service_id", "1.5"}} << 90;
    QTest::newRow("complete id missing") << "completeAppoint" << Fields{{"user_id", "1"}} << 90;
    QTest::newRow("payment unknown service") << "paymentProcess"
                                             << Fields{{"pay_type", "manual"}, {"productID", "99"}, {"type", "TELEHEALTH"}, {"user_id", "1"}} << 3;
}

void TstServerServices::badInput()
{
    QFETCH(QString, endpoint);
    QFETCH(Fields, fields);
    QFETCH(int, expectedCode);
    const QJsonObject reply = post(endpoint, fields);
    QCOMPARE(code(reply), expectedCode);
    if (expectedCode != 0)
        QVERIFY(!reply.value("message").toString().isEmpty());
    QCOMPARE(ids(post("getServiceCheckout", {{"user_id", "1"}}), "checkout_list"), QStringList{});
}

void TstServerServices::demoShowsEveryCardState()
{
    ServerFixture demo;
    demo.setSessionFollowsUserId(true);
    QVERIFY(demo.start(true));
    const auto list = [&demo](const QString& type) {
        return demo.post("getService", {{"user_id", "1"}, {"service_type", type}});
    };
    const QJsonObject telehealth = list("TELEHEALTH");
    QCOMPARE(entry(telehealth, "service_list", "11").value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(entry(telehealth, "service_list", "11").value("appoint").toString(), QStringLiteral("0"));
    QCOMPARE(entry(telehealth, "service_list", "12").value("appoint").toString(), QStringLiteral("2"));
    QCOMPARE(entry(telehealth, "service_list", "15").value("status").toString(), QStringLiteral("no"));
    QCOMPARE(entry(telehealth, "service_list", "16").value("price").toString().toFloat(), 0.0f);
    QCOMPARE(entry(list("LIVEFITNESS"), "service_list", "21").value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(entry(list("LIVENUTRITION"), "service_list", "31").value("status").toString(), QStringLiteral("yes"));
    QCOMPARE(ids(demo.post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list"),
             (QStringList{"11", "12", "21", "31"}));
    QCOMPARE(ids(demo.post("getServiceCheckout", {{"user_id", "1"}}), "checkout_list"), (QStringList{"13", "24"}));

    // Appointments and completion change what the purchases list answers.
    QCOMPARE(code(demo.post("makeAppoint", {{"user_id", "1"}, {"service_id", "11"}})), 0);
    QCOMPARE(entry(demo.post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list", "11")
                 .value("appoint").toString(), QStringLiteral("1"));
    QCOMPARE(code(demo.post("completeAppoint", {{"user_id", "1"}, {"service_id", "11"}})), 0);
    QCOMPARE(ids(demo.post("getLocalService", {{"user_id", "1"}, {"type", "TELEHEALTH"}}), "local_list"),
             (QStringList{"12", "21", "31"}));
}

QTEST_MAIN(TstServerServices)
#include "tst_server_services.moc"
