#include "app/apiconfig.h"
#include "app/server.h"
#include "services/appointmentlinks.h"
#include "services/servicecardrules.h"
#include "services/serviceentries.h"
#include "services/servicelistkind.h"
#include "services/servicemoney.h"
#include "store/money.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

// The widget-free rules of the live-service lists: the request of each list,
// reading replies, the buttons of a card, cart money and appointment links.
class TstServiceRules final : public QObject
{
    Q_OBJECT

private slots:
    void listRequests_data();
    void listRequests();
    void kindFromTabs_data();
    void kindFromTabs();

    void parseList_data();
    void parseList();
    void entryValues_data();
    void entryValues();

    void cardButtons_data();
    void cardButtons();

    void cents_data();
    void cents();
    void subtotal_data();
    void subtotal();

    void skypeLink_data();
    void skypeLink();
    void whatsappLink_data();
    void whatsappLink();
};

void TstServiceRules::listRequests_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("telehealth") << 0 << "getService" << QByteArray("user_id=7&service_type=TELEHEALTH");
    QTest::newRow("live fitness") << 1 << "getService" << QByteArray("user_id=7&service_type=LIVEFITNESS");
    QTest::newRow("live nutrition") << 2 << "getService" << QByteArray("user_id=7&service_type=LIVENUTRITION");
    QTest::newRow("purchases always telehealth") << 3 << "getLocalService" << QByteArray("user_id=7&type=TELEHEALTH");
    QTest::newRow("cart sends no empty pair") << 4 << "getServiceCheckout" << QByteArray("user_id=7");
}

void TstServiceRules::listRequests()
{
    QFETCH(int, kind);
    QFETCH(QString, endpoint);
    QFETCH(QByteArray, body);
    QCOMPARE(ServiceListKind::endpoint(kind), endpoint);
    QCOMPARE(Server::encodeBody(ServiceListKind::requestFields(kind, QStringLiteral("7"))), body);
}

void TstServiceRules::kindFromTabs_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("service");
    QTest::addColumn<int>("kind");

    QTest::newRow("store telehealth") << 0 << 0 << 0;
    QTest::newRow("store fitness") << 0 << 1 << 1;
    QTest::newRow("store nutrition") << 0 << 2 << 2;
    QTest::newRow("purchases ignore service tab") << 1 << 2 << 3;
    QTest::newRow("cart ignores service tab") << 2 << 1 << 4;
    QTest::newRow("unknown service tab") << 0 << 7 << 0;
}

void TstServiceRules::kindFromTabs()
{
    QFETCH(int, top);
    QFETCH(int, service);
    QFETCH(int, kind);
    QCOMPARE(ServiceListKind::fromTabs(top, service), kind);
}

void TstServiceRules::parseList_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("titles"); // "id:title" in order

    QTest::newRow("store list") << QByteArray(R"({"result_code":0,"service_list":[{"id":"11","title":"A"},{"id":"12","title":"B"}]})")
                                << true << QStringList{"11:A", "12:B"};
    QTest::newRow("purchases") << QByteArray(R"({"result_code":"0","local_list":[{"id":"21","title":"F"}]})")
                               << true << QStringList{"21:F"};
    QTest::newRow("cart") << QByteArray(R"({"result_code":0,"checkout_list":[{"id":"3","title":"C"}]})") << true
                          << QStringList{"3:C"};
    QTest::newRow("service_list wins") << QByteArray(R"({"result_code":0,"local_list":[{"id":"1"}],"service_list":[]})")
                                       << true << QStringList{};
    QTest::newRow("no array") << QByteArray(R"({"result_code":0})") << true << QStringList{};
    QTest::newRow("array is a text") << QByteArray(R"({"result_code":0,"service_list":"none"})") << true << QStringList{};
    QTest::newRow("error code") << QByteArray(R"({"result_code":4,"service_list":[{"id":"1"}]})") << false
                                << QStringList{};
    QTest::newRow("not json") << QByteArray("<html>502 Bad Gateway</html>") << false << QStringList{};
    QTest::newRow("json array") << QByteArray(R"([{"id":"1"}])") << false << QStringList{};
    QTest::newRow("elements not objects skipped")
        << QByteArray(R"({"result_code":0,"service_list":[1,"x",null,{"id":"5","title":"E"}]})") << true
        << QStringList{"5:E"};
    QTest::newRow("repeated id keeps first place, later object")
        << QByteArray(R"({"result_code":0,"service_list":[{"id":"1","title":"old"},{"id":"2","title":"two"},{"id":"1","title":"new"}]})")
        << true << QStringList{"1:new", "2:two"};
    QTest::newRow("numbers where strings belong")
        << QByteArray(R"({"result_code":0,"service_list":[{"id":7,"title":12.5}]})") << true << QStringList{"7:12.5"};
    QTest::newRow("id too big reads 0") << QByteArray(R"({"result_code":0,"service_list":[{"id":"99999999999","title":"T"}]})")
                                        << true << QStringList{"0:T"};
}

void TstServiceRules::parseList()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    QFETCH(QStringList, titles);
    const ServiceEntries::ListReply list = ServiceEntries::parseList(QString::fromUtf8(reply));
    QCOMPARE(list.ok, ok);
    QStringList seen;
    for (const QJsonObject& entry : list.entries)
        seen << QStringLiteral("%1:%2").arg(ServiceEntries::id(entry)).arg(ServiceEntries::field(entry, "title"));
    QCOMPARE(seen, titles);
}

void TstServiceRules::entryValues_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<bool>("purchased");
    QTest::addColumn<int>("appointments");
    QTest::addColumn<bool>("free");

    QTest::newRow("bought, no appointment") << QByteArray(R"({"status":"yes","appoint":"0","price":"20"})") << true << 0 << false;
    QTest::newRow("appointments") << QByteArray(R"({"status":"yes","appoint":"12","price":"19.99"})") << true << 12 << false;
    QTest::newRow("not bought") << QByteArray(R"({"status":"no","price":"0"})") << false << 0 << true;
    QTest::newRow("status YES is not yes") << QByteArray(R"({"status":"YES","price":"0.00"})") << false << 0 << true;
    QTest::newRow("empty price free") << QByteArray(R"({"price":""})") << false << 0 << true;
    QTest::newRow("missing price free") << QByteArray(R"({})") << false << 0 << true;
    QTest::newRow("unreadable price free") << QByteArray(R"({"price":"abc","appoint":"x"})") << false << 0 << true;
    QTest::newRow("huge price is a price") << QByteArray(R"({"price":"1e308"})") << false << 0 << false;
    QTest::newRow("numeric price") << QByteArray(R"({"price":0,"appoint":3})") << false << 3 << true;
}

void TstServiceRules::entryValues()
{
    QFETCH(QByteArray, entry);
    QFETCH(bool, purchased);
    QFETCH(int, appointments);
    QFETCH(bool, free);
    const QJsonObject object = QJsonDocument::fromJson(entry).object();
    QCOMPARE(ServiceEntries::isPurchased(object), purchased);
    QCOMPARE(ServiceEntries::appointments(object), appointments);
    QCOMPARE(ServiceEntries::isFree(ServiceEntries::field(object, "price")), free);
}

void TstServiceRules::cardButtons_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<QString>("buyText");
    QTest::addColumn<bool>("blue");
    QTest::addColumn<bool>("clickable");
    QTest::addColumn<bool>("schedule");
    QTest::addColumn<bool>("appoint");

    QTest::newRow("store, for sale") << 0 << QByteArray(R"({"price":"49.99","status":"no"})") << "BUY - $49.99" << false << true << false << false;
    QTest::newRow("store, two decimals kept") << 1 << QByteArray(R"({"price":"20.50"})") << "BUY - $20.50" << false << true << false << false;
    QTest::newRow("store, cents as money") << 1 << QByteArray(R"({"price":"20.5"})") << "BUY - $20.50" << false << true << false << false;
    QTest::newRow("store, whole stays whole") << 1 << QByteArray(R"({"price":"20.00"})") << "BUY - $20" << false << true << false << false;
    QTest::newRow("store, no exponent") << 0 << QByteArray(R"({"price":"1234567.8"})") << "BUY - $1234567.80" << false << true << false << false;
    QTest::newRow("store, beyond any price: as sent") << 0 << QByteArray(R"({"price":"1e308"})") << "BUY - $1e308" << false << true << false << false;
    QTest::newRow("store, free") << 2 << QByteArray(R"({"price":"0"})") << "FREE" << false << true << false << false;
    QTest::newRow("telehealth bought, appoint 0") << 0 << QByteArray(R"({"price":"5","status":"yes","appoint":"0"})")
                                                  << "PURCHASED" << true << false << true << false;
    QTest::newRow("telehealth bought, appoint empty") << 0 << QByteArray(R"({"price":"5","status":"yes","appoint":""})")
                                                      << "PURCHASED" << true << false << true << false;
    QTest::newRow("telehealth bought, appoint 12") << 0 << QByteArray(R"({"price":"5","status":"yes","appoint":"12"})")
                                                   << "PURCHASED" << true << false << false << false;
    QTest::newRow("fitness bought: no schedule") << 1 << QByteArray(R"({"price":"5","status":"yes","appoint":"0"})")
                                                 << "PURCHASED" << true << false << false << false;
    QTest::newRow("purchases: completed") << 3 << QByteArray(R"({"price":"5","status":"yes","appoint":"4"})")
                                          << "COMPLETED" << false << true << true << true;
    QTest::newRow("cart has no buy button") << 4 << QByteArray(R"({"price":"5"})") << QString() << false << false << false << false;
}

void TstServiceRules::cardButtons()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, entry);
    QFETCH(QString, buyText);
    QFETCH(bool, blue);
    QFETCH(bool, clickable);
    QFETCH(bool, schedule);
    QFETCH(bool, appoint);
    const ServiceCardButtons buttons = ServiceCardButtons::forEntry(kind, QJsonDocument::fromJson(entry).object());
    QCOMPARE(buttons.hasBuy, !buyText.isEmpty());
    QCOMPARE(buttons.buyText, buyText);
    QCOMPARE(buttons.buyLook == ServiceCardButtons::Look::Blue, blue);
    QCOMPARE(buttons.buyClickable, clickable);
    QCOMPARE(buttons.showSchedule, schedule);
    QCOMPARE(buttons.showAppoint, appoint);
}

void TstServiceRules::cents_data()
{
    QTest::addColumn<QString>("price");
    QTest::addColumn<qint64>("cents"); // -1: unreadable

    QTest::newRow("whole") << "20" << qint64(2000);
    QTest::newRow("not exact in binary") << "19.99" << qint64(1999);
    QTest::newRow("one decimal") << "0.1" << qint64(10);
    QTest::newRow("spaces") << " 7.5 " << qint64(750);
    QTest::newRow("sub-cent rounds") << "19.995" << qint64(2000);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("text") << "abc" << qint64(-1);
    QTest::newRow("huge") << "1e308" << qint64(-1);
    QTest::newRow("infinite") << "inf" << qint64(-1);
    QTest::newRow("negative") << "-5" << qint64(-1);
}

void TstServiceRules::cents()
{
    QFETCH(QString, price);
    QFETCH(qint64, cents);
    QCOMPARE(ServiceMoney::cents(price).value_or(-1), cents);
}

void TstServiceRules::subtotal_data()
{
    QTest::addColumn<QStringList>("prices");
    QTest::addColumn<QString>("text");

    QTest::newRow("20 + 30") << QStringList{"20", "30"} << "50";
    QTest::newRow("one at 19.99") << QStringList{"19.99"} << "19.99";
    QTest::newRow("cents add up exactly") << QStringList{"0.1", "0.2"} << "0.30";
    QTest::newRow("19.99 + 0.01") << QStringList{"19.99", "0.01"} << "20";
    QTest::newRow("two decimals whenever there are cents") << QStringList{"19.25", "0.25"} << "19.50";
    QTest::newRow("unreadable counts 0") << QStringList{"abc", "1e308", "10"} << "10";
    QTest::newRow("nothing") << QStringList{} << "0";
    QTest::newRow("a thousand at 19.99") << QStringList(1000, QStringLiteral("19.99")) << "19990";
    // Far past any real cart: the sum stops at the largest value, never wraps
    // round to a small or negative one.
    QTest::newRow("a hundred thousand at a trillion")
        << QStringList(100000, QStringLiteral("1000000000000")) << "92233720368547758.07";
}

void TstServiceRules::subtotal()
{
    QFETCH(QStringList, prices);
    QFETCH(QString, text);
    QCOMPARE(Money::amountText(ServiceMoney::totalCents(prices)), text);
}

void TstServiceRules::skypeLink_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");

    QTest::newRow("plain") << "coach.one" << "skype:coach.one?chat";
    QTest::newRow("live name keeps colon") << "live:coach_1" << "skype:live:coach_1?chat";
    QTest::newRow("question mark") << "a?call" << "skype:a%3Fcall?chat";
    QTest::newRow("hash") << "a#b" << "skype:a%23b?chat";
    QTest::newRow("space and quote") << "my \"coach\"" << "skype:my%20%22coach%22?chat";
    QTest::newRow("ampersand and slash") << "a&b/c" << "skype:a%26b%2Fc?chat";
    QTest::newRow("empty") << "" << "skype:?chat";
}

void TstServiceRules::skypeLink()
{
    QFETCH(QString, name);
    QFETCH(QString, url);
    const QUrl link = AppointmentLinks::skypeChat(name);
    QVERIFY(link.isValid());
    QCOMPARE(link.toString(QUrl::FullyEncoded), url);
    QCOMPARE(link.scheme(), QStringLiteral("skype"));
    QCOMPARE(link.query(), QStringLiteral("chat"));
    QCOMPARE(link.fragment(), QString());
}

void TstServiceRules::whatsappLink_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("path");

    QTest::newRow("digits") << "12025550111" << "/12025550111";
    QTest::newRow("spaces and plus") << "+1 202 555" << "/%2B1%20202%20555";
    QTest::newRow("question mark and hash") << "1?text=hi#x" << "/1%3Ftext%3Dhi%23x";
    QTest::newRow("empty") << "" << "/";
}

void TstServiceRules::whatsappLink()
{
    QFETCH(QString, number);
    QFETCH(QString, path);
    const QUrl link = AppointmentLinks::whatsappChat(number);
    const QUrl host(QString::fromLatin1(ApiConfig::whatsappChatHost));
    QVERIFY(link.isValid());
    QCOMPARE(link.scheme(), host.scheme());
    QCOMPARE(link.host(), host.host());
    QCOMPARE(link.path(QUrl::FullyEncoded), path);
    QCOMPARE(link.query(QUrl::FullyEncoded), QStringLiteral("text="));
    QVERIFY(!link.hasFragment());

    // 500 characters go in whole.
    const QString longNumber(500, QLatin1Char('9'));
    QCOMPARE(AppointmentLinks::whatsappChat(longNumber).path(), QLatin1Char('/') + longNumber);
}

QTEST_GUILESS_MAIN(TstServiceRules)
#include "tst_servicerules.moc"
