#include "serverfixture.h"

#include "app/jsonreply.h"
#include "app/server.h"
#include "tracker/foodrequests.h"

#include "testenvironment.h"

#include <QJsonArray>
#include <QSignalSpy>
#include <QtTest>

// The client's own API class against olva-server: the bytes the client
// really sends, and the replies it really reads.
class TstServerClientWire final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstSignInOnANewComputer();
    void samplesComeBackWithTheirMeal();
    void foodNameWithAmpersandAndPlusSurvives();
    void ownFoodChecksAgree_data();
    void ownFoodChecksAgree();

private:
    // Sends one request through the client's Server and returns the reply.
    QJsonObject call(int index, const QList<QPair<QString, QString>>& fields, const char* signal);
    // The first sign-in on this computer, with the code from the mail; the
    // last sign-in's reply.
    QJsonObject signInOnANewComputer();

    std::unique_ptr<ServerFixture> m_fixture;
    std::unique_ptr<Server> m_client;
};

namespace {
enum Endpoint { signinIndex = 1, registerTokenIndex = 2, verifyDeviceIndex = 3, getFoodListIndex = 7,
                uploadMyCalorieIndex = 22, getSampleListIndex = 24 };
}

void TstServerClientWire::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerClientWire::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    QVERIFY(m_fixture->start(true));
    qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(m_fixture->port()));
    m_client = std::make_unique<Server>();
}

void TstServerClientWire::cleanup()
{
    m_client.reset();
    m_fixture.reset();
    qunsetenv("OLVA_API_HOST");
}

QJsonObject TstServerClientWire::call(int index, const QList<QPair<QString, QString>>& fields, const char* signal)
{
    QUrlQuery query;
    for (const auto& field : fields)
        query.addQueryItem(field.first, field.second);
    QSignalSpy reply(m_client.get(), signal);
    QSignalSpy error(m_client.get(), SIGNAL(sig_net_error(QString)));
    m_client->request(index, query);
    if (!reply.wait(10000) || !error.isEmpty())
        return {};
    return JsonReply::parseObject(reply.first().first().toString());
}

QJsonObject TstServerClientWire::signInOnANewComputer()
{
    const QList<QPair<QString, QString>> signin = {{QStringLiteral("email"), QStringLiteral("demo@olva.local")},
                                                   {QStringLiteral("password"), QStringLiteral("olva-demo-2026")},
                                                   {QStringLiteral("deviceToken"), QStringLiteral("WD-123 ABC")},
                                                   {QStringLiteral("deviceType"), QStringLiteral("windows")}};
    if (JsonReply::resultCode(call(signinIndex, signin, SIGNAL(sig_net_login(QString)))) != 3)
        return {};
    const QJsonObject verify = call(verifyDeviceIndex, {{QStringLiteral("email"), QStringLiteral("demo@olva.local")}},
                                    SIGNAL(sig_net_verify(QString)));
    if (JsonReply::resultCode(verify) != 0 || verify.contains(QStringLiteral("pincode")))
        return {};
    const QString mailed = m_fixture->mailedCode(QStringLiteral("demo@olva.local"));
    const QJsonObject token = call(registerTokenIndex, {{QStringLiteral("email"), QStringLiteral("demo@olva.local")},
                                                        {QStringLiteral("deviceToken"), QStringLiteral("WD-123 ABC")},
                                                        {QStringLiteral("deviceType"), QStringLiteral("windows")},
                                                        {QStringLiteral("pincode"), mailed}},
                                   SIGNAL(sig_net_token(QString)));
    if (JsonReply::resultCode(token) != 0)
        return {};
    return call(signinIndex, signin, SIGNAL(sig_net_login(QString)));
}

void TstServerClientWire::firstSignInOnANewComputer()
{
    const QJsonObject reply = signInOnANewComputer();
    QCOMPARE(JsonReply::resultCode(reply), 0);
    const QJsonObject info = reply.value(QStringLiteral("user_info")).toObject();
    QCOMPARE(JsonReply::integer(info, QStringLiteral("user_id")), 1);
    QCOMPARE(JsonReply::text(info, QStringLiteral("approve")), QStringLiteral("1"));
}

void TstServerClientWire::samplesComeBackWithTheirMeal()
{
    QSignalSpy spy(m_client.get(), SIGNAL(sig_net_sampleList(QString, int)));
    const QStringList tables = {QStringLiteral("tb_samplebreakfast"), QStringLiteral("tb_samplefirstsnack"),
                                QStringLiteral("tb_samplelunch"),     QStringLiteral("tb_samplesecondsnack"),
                                QStringLiteral("tb_sampledinner"),    QStringLiteral("tb_samplethirdsnack")};
    for (int meal = 0; meal < tables.size(); ++meal) {
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("table_name"), tables.at(meal));
        m_client->request(getSampleListIndex, query, meal);
    }
    QTRY_COMPARE_WITH_TIMEOUT(spy.size(), 6, 10000);
    QSet<int> meals;
    for (const QList<QVariant>& signal : std::as_const(spy)) {
        const QJsonObject reply = JsonReply::parseObject(signal.at(0).toString());
        QCOMPARE(JsonReply::resultCode(reply), 0);
        QVERIFY(!reply.value(QStringLiteral("sample_list")).toArray().isEmpty());
        meals.insert(signal.at(1).toInt());
    }
    QCOMPARE(meals.size(), 6);
}

void TstServerClientWire::foodNameWithAmpersandAndPlusSurvives()
{
    // The client's Server keeps the session of its sign-in.
    QCOMPARE(JsonReply::resultCode(signInOnANewComputer()), 0);
    const QString title = QStringLiteral("Mac & cheese + peas");
    const QJsonObject upload = call(uploadMyCalorieIndex,
                                    {{QStringLiteral("user_id"), QStringLiteral("1")},
                                     {QStringLiteral("category_id"), QStringLiteral("4")},
                                     {QStringLiteral("title"), title},
                                     {QStringLiteral("cal"), QStringLiteral("380")},
                                     {QStringLiteral("carbs"), QStringLiteral("45")},
                                     {QStringLiteral("fat"), QStringLiteral("16")},
                                     {QStringLiteral("protein"), QStringLiteral("14")},
                                     {QStringLiteral("fiber"), QStringLiteral("3")}},
                                    SIGNAL(sig_net_uploadCalories(QString)));
    QCOMPARE(JsonReply::resultCode(upload), 0);
    const int id = JsonReply::integer(upload, QStringLiteral("mycalorie_id"));
    QVERIFY(id > 0);
    const QJsonObject list = call(getFoodListIndex, {{QStringLiteral("user_id"), QStringLiteral("1")}},
                                  SIGNAL(sig_net_foodinfo(QString)));
    const QJsonArray grains = list.value(QStringLiteral("food_list")).toArray().at(3).toObject()
                                  .value(QStringLiteral("calorie_list")).toArray();
    const QJsonObject last = grains.last().toObject();
    QCOMPARE(JsonReply::integer(last, QStringLiteral("id")), id);
    QCOMPARE(JsonReply::text(last, QStringLiteral("title")), title);
    QCOMPARE(JsonReply::number(last, QStringLiteral("cal")), 380.0);
}

void TstServerClientWire::ownFoodChecksAgree_data()
{
    QTest::addColumn<QStringList>("typed"); // name, cal, carbs, fat, protein, fiber
    QTest::newRow("plain") << QStringList{"Soup", "120", "1", "2", "3", "4"};
    QTest::newRow("name of spaces") << QStringList{"   ", "120", "1", "2", "3", "4"};
    QTest::newRow("name padded to 200")
        << QStringList{" " + QString(200, 'n') + " ", "120", "1", "2", "3", "4"};
    QTest::newRow("name of 201") << QStringList{QString(201, 'n'), "120", "1", "2", "3", "4"};
    QTest::newRow("100,000 of each")
        << QStringList{"Soup", "100000", "100000", "100000", "100000", "100000"};
    QTest::newRow("calories above") << QStringList{"Soup", "100001", "1", "2", "3", "4"};
    QTest::newRow("fibre of six nines") << QStringList{"Soup", "120", "1", "2", "3", "999999"};
    QTest::newRow("nutrients left empty") << QStringList{"Soup", "120", "", "", "", ""};
}

// What the tracker lets go, the service takes, and what it stops, the
// service would refuse: the member never meets a refusal the form could
// have told.
void TstServerClientWire::ownFoodChecksAgree()
{
    QFETCH(QStringList, typed);
    QCOMPARE(JsonReply::resultCode(signInOnANewComputer()), 0);
    const FoodRequests::TypedFood food{typed.at(0), typed.at(1), typed.at(2),
                                       typed.at(3), typed.at(4), typed.at(5)};
    QList<QPair<QString, QString>> fields;
    for (const auto& item :
         FoodRequests::uploadFood(QStringLiteral("1"), 4, food).queryItems(QUrl::FullyDecoded))
        fields.append(item);
    const QJsonObject reply =
        call(uploadMyCalorieIndex, fields, SIGNAL(sig_net_uploadCalories(QString)));
    QVERIFY(reply.contains(QStringLiteral("result_code")));
    QCOMPARE(JsonReply::resultCode(reply) == 0, FoodRequests::typedFoodProblem(food).isEmpty());
}

QTEST_MAIN(TstServerClientWire)
#include "tst_server_clientwire.moc"
