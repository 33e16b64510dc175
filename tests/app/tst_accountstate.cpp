#include "app/accountstate.h"
#include "app/jsonreply.h"
#include "app/settingsstore.h"
#include "testenvironment.h"

#include <QJsonDocument>
#include <QTest>

class TestAccountState : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }
    void init() { TestEnvironment::resetAccount(); }

    void smallScreen_data();
    void smallScreen();
    void backgroundsFromReply_data();
    void backgroundsFromReply();
    void laterBackgroundReplacesEarlier();
    void jsonText_data();
    void jsonText();
    void jsonInteger_data();
    void jsonInteger();
    void notJsonReadsAsEmptyObject_data();
    void notJsonReadsAsEmptyObject();
    void absentMemberKeysReadEmpty();
    void memberStoreFollowsCurrentEmail();
    void memberIntIgnoresText();
    void rememberedEmailSurvivesMemberSwitch();
};

void TestAccountState::smallScreen_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("small");
    QTest::newRow("1920x1080") << 1920 << 1080 << false;
    QTest::newRow("2560x1440") << 2560 << 1440 << false;
    QTest::newRow("1919x1200") << 1919 << 1200 << true;
    QTest::newRow("2560x1079") << 2560 << 1079 << true;
    QTest::newRow("1920x1079") << 1920 << 1079 << true;
    QTest::newRow("1600x1200") << 1600 << 1200 << true;
}

void TestAccountState::smallScreen()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, small);
    AccountState::recordScreenSize(width, height);
    QCOMPARE(isSmallScreen, small);
    QCOMPARE(screenWidth, width);
    QCOMPARE(screenHeight, height);
}

void TestAccountState::backgroundsFromReply_data()
{
    QTest::addColumn<QByteArray>("backgrounds");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("url");

    QTest::newRow("text key") << QByteArray(R"([{"url":"http://h/a.png","platform":"3"}])") << 3
                              << QStringLiteral("http://h/a.png");
    QTest::newRow("number key") << QByteArray(R"([{"url":"http://h/b.png","platform":2}])") << 2
                                << QStringLiteral("http://h/b.png");
    QTest::newRow("not a number is key 0") << QByteArray(R"([{"url":"u","platform":"main"}])") << 0
                                           << QStringLiteral("u");
    QTest::newRow("missing platform is key 0") << QByteArray(R"([{"url":"u"}])") << 0 << QStringLiteral("u");
    QTest::newRow("beyond 32 bits is key 0") << QByteArray(R"([{"url":"u","platform":"99999999999"}])") << 0
                                             << QStringLiteral("u");
    QTest::newRow("missing url is empty") << QByteArray(R"([{"platform":"1"}])") << 1 << QString();
}

void TestAccountState::backgroundsFromReply()
{
    QFETCH(QByteArray, backgrounds);
    QFETCH(int, key);
    QFETCH(QString, url);

    AccountState::fillBackgrounds(QJsonDocument::fromJson(backgrounds).array());
    QVERIFY(backgroundTable.contains(key));
    QCOMPARE(backgroundTable.value(key).url, url);
    QVERIFY(!backgroundTable.value(key).stored);
    QVERIFY(backgroundTable.value(key).localPath.isEmpty());
}

void TestAccountState::laterBackgroundReplacesEarlier()
{
    backgroundTable.insert(9, BackgroundEntry{QStringLiteral("kept"), QString(), false});
    AccountState::fillBackgrounds(QJsonDocument::fromJson(
        R"([{"url":"first","platform":"1"},{"url":"second","platform":"1"},"junk",17])").array());
    QCOMPARE(backgroundTable.value(1).url, QStringLiteral("second"));
    // Keys the reply no longer lists stay.
    QCOMPARE(backgroundTable.value(9).url, QStringLiteral("kept"));
}

void TestAccountState::jsonText_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("text");
    QTest::newRow("string") << QByteArray(R"({"v":"abc"})") << QStringLiteral("abc");
    QTest::newRow("integer") << QByteArray(R"({"v":42})") << QStringLiteral("42");
    QTest::newRow("decimal") << QByteArray(R"({"v":2.5})") << QStringLiteral("2.5");
    QTest::newRow("bool") << QByteArray(R"({"v":true})") << QStringLiteral("true");
    QTest::newRow("null") << QByteArray(R"({"v":null})") << QString();
    QTest::newRow("object") << QByteArray(R"({"v":{}})") << QString();
    QTest::newRow("missing") << QByteArray(R"({})") << QString();
}

void TestAccountState::jsonText()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, text);
    QCOMPARE(JsonReply::text(JsonReply::parseObject(QString::fromUtf8(json)), QStringLiteral("v")), text);
}

void TestAccountState::jsonInteger_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << QByteArray(R"({"result_code":3})") << 3;
    QTest::newRow("text") << QByteArray(R"({"result_code":"2"})") << 2;
    QTest::newRow("negative text") << QByteArray(R"({"result_code":"-1"})") << -1;
    QTest::newRow("garbage text") << QByteArray(R"({"result_code":"two"})") << 0;
    QTest::newRow("missing") << QByteArray(R"({})") << 0;
    QTest::newRow("huge") << QByteArray(R"({"result_code":1e300})") << 0;
    QTest::newRow("array") << QByteArray(R"({"result_code":[1]})") << 0;
}

void TestAccountState::jsonInteger()
{
    QFETCH(QByteArray, json);
    QFETCH(int, value);
    QCOMPARE(JsonReply::integer(JsonReply::parseObject(QString::fromUtf8(json)), QStringLiteral("result_code")),
             value);
}

void TestAccountState::notJsonReadsAsEmptyObject_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("html") << QStringLiteral("<html>502 Bad Gateway</html>");
    QTest::newRow("array") << QStringLiteral("[1,2,3]");
    QTest::newRow("truncated") << QStringLiteral(R"({"result_code":1,"user_info":{)");
}

void TestAccountState::notJsonReadsAsEmptyObject()
{
    QFETCH(QString, text);
    const QJsonObject object = JsonReply::parseObject(text);
    QVERIFY(object.isEmpty());
    QVERIFY(!JsonReply::succeeded(object));
}

void TestAccountState::absentMemberKeysReadEmpty()
{
    currentEmail = QStringLiteral("nobody@example.com");
    QCOMPARE(SettingsStore::memberText(QStringLiteral("never_written")), QString());
    QCOMPARE(SettingsStore::memberInt(QStringLiteral("never_written")), 0);
    QCOMPARE(SettingsStore::rememberedEmail(), QString());
}

void TestAccountState::memberStoreFollowsCurrentEmail()
{
    currentEmail = QStringLiteral("ann@example.com");
    SettingsStore::setMemberText(QStringLiteral("password"), QStringLiteral("ann-secret"));
    currentEmail = QStringLiteral("bob@example.com");
    QCOMPARE(SettingsStore::memberText(QStringLiteral("password")), QString());
    SettingsStore::setMemberText(QStringLiteral("password"), QStringLiteral("bob-secret"));
    currentEmail = QStringLiteral("ann@example.com");
    QCOMPARE(SettingsStore::memberText(QStringLiteral("password")), QStringLiteral("ann-secret"));
}

void TestAccountState::memberIntIgnoresText()
{
    currentEmail = QStringLiteral("carol@example.com");
    SettingsStore::setMemberText(QStringLiteral("totalcalories"), QStringLiteral("lots"));
    QCOMPARE(SettingsStore::memberInt(QStringLiteral("totalcalories")), 0);
    SettingsStore::setMemberInt(QStringLiteral("totalcalories"), 1800);
    QCOMPARE(SettingsStore::memberInt(QStringLiteral("totalcalories")), 1800);
}

void TestAccountState::rememberedEmailSurvivesMemberSwitch()
{
    SettingsStore::setRememberedEmail(QStringLiteral("dan@example.com"));
    currentEmail = QStringLiteral("someone@else.com");
    QCOMPARE(SettingsStore::rememberedEmail(), QStringLiteral("dan@example.com"));
    SettingsStore::setRememberedEmail(QString());
    QCOMPARE(SettingsStore::rememberedEmail(), QString());
}

QTEST_GUILESS_MAIN(TestAccountState)
#include "tst_accountstate.moc"
