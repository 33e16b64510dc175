#include "account/accountreplies.h"

#include <QTest>

#include <optional>

class TestAccountReplies : public QObject
{
    Q_OBJECT

private slots:
    void resultCode_data();
    void resultCode();
    void signIn_data();
    void signIn();
    void pincode_data();
    void pincode();
    void hugeArrayOfBackgrounds();
    void tooManyAttempts_data();
    void tooManyAttempts();
};

void TestAccountReplies::resultCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<int>("code");

    QTest::newRow("number") << R"({"result_code":2})" << true << 2;
    QTest::newRow("text") << R"({"result_code":"3"})" << true << 3;
    QTest::newRow("not a whole number") << R"({"result_code":"x"})" << false << 0;
    QTest::newRow("missing") << R"({"pincode":"1"})" << false << 0;
    QTest::newRow("empty text") << "" << false << 0;
    QTest::newRow("html") << "<html><body>502</body></html>" << false << 0;
    QTest::newRow("array") << "[{\"result_code\":0}]" << false << 0;
    QTest::newRow("truncated") << R"({"result_code":0,"user_info":{)" << false << 0;
}

void TestAccountReplies::resultCode()
{
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(int, code);
    const std::optional<int> result = AccountReplies::resultCode(text);
    QCOMPARE(result.has_value(), readable);
    if (readable)
        QCOMPARE(*result, code);
}

void TestAccountReplies::signIn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("approved");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("checkDay");
    QTest::addColumn<int>("backgrounds");

    QTest::newRow("complete")
        << R"({"result_code":0,"user_info":{"approve":"1","user_id":"12","username":"Ann","checkDay":"2"},"backgrounds":[{"platform":"1","url":"u"}]})"
        << true << "12" << "Ann" << "2" << 1;
    QTest::newRow("refused") << R"({"result_code":0,"user_info":{"approve":"0"}})" << false << "" << "" << "" << 0;
    QTest::newRow("refused as number") << R"({"result_code":0,"user_info":{"approve":0}})" << false << "" << ""
                                       << "" << 0;
    QTest::newRow("approve with space is not a refusal")
        << R"({"result_code":0,"user_info":{"approve":"0 "}})" << true << "" << "" << "" << 0;
    QTest::newRow("numbers as texts")
        << R"({"result_code":0,"user_info":{"user_id":12,"username":3.5,"checkDay":true}})" << true << "12"
        << "3.5" << "true" << 0;
    QTest::newRow("user_info a string") << R"({"result_code":0,"user_info":"none","backgrounds":{}})" << true
                                        << "" << "" << "" << 0;
    QTest::newRow("nested objects where texts belong")
        << R"({"result_code":0,"user_info":{"user_id":{"a":1},"username":[1]}})" << true << "" << "" << ""
        << 0;
}

void TestAccountReplies::signIn()
{
    QFETCH(QString, text);
    QFETCH(bool, approved);
    QFETCH(QString, userId);
    QFETCH(QString, userName);
    QFETCH(QString, checkDay);
    QFETCH(int, backgrounds);

    const AccountReplies::SignIn reply = AccountReplies::parseSignIn(text);
    QVERIFY(reply.readable);
    QCOMPARE(reply.approved(), approved);
    QCOMPARE(reply.userId, userId);
    QCOMPARE(reply.userName, userName);
    QCOMPARE(reply.checkDay, checkDay);
    QCOMPARE(reply.backgrounds.size(), backgrounds);
}

void TestAccountReplies::pincode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("pincode");

    QTest::newRow("text") << R"({"result_code":0,"pincode":"00123456"})" << true << "00123456";
    QTest::newRow("number") << R"({"result_code":0,"pincode":12345678})" << true << "12345678";
    QTest::newRow("missing") << R"({"result_code":0})" << true << "";
    QTest::newRow("object") << R"({"result_code":0,"pincode":{}})" << true << "";
    QTest::newRow("not json") << "pincode=1" << false << "";
}

void TestAccountReplies::pincode()
{
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(QString, pincode);
    const AccountReplies::Pincode reply = AccountReplies::parsePincode(text);
    QCOMPARE(reply.readable, readable);
    QCOMPARE(reply.pincode, pincode);
}

void TestAccountReplies::hugeArrayOfBackgrounds()
{
    QString text = QStringLiteral(R"({"result_code":0,"backgrounds":[)");
    for (int i = 0; i < 100000; ++i)
        text += QStringLiteral(R"({"platform":"%1","url":"u"},)").arg(i % 10);
    text += QStringLiteral(R"("tail"]})");
    const AccountReplies::SignIn reply = AccountReplies::parseSignIn(text);
    QVERIFY(reply.readable);
    QCOMPARE(reply.backgrounds.size(), 100001);
}

void TestAccountReplies::tooManyAttempts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString wait = QStringLiteral("Too many attempts. Try again in %1 minutes.");
    QTest::newRow("whole minutes") << R"({"result_code":5,"retry_after":900})" << wait.arg(15);
    QTest::newRow("rounded up") << R"({"result_code":5,"retry_after":"901"})" << wait.arg(16);
    QTest::newRow("last seconds") << R"({"result_code":5,"retry_after":1})" << wait.arg(1);
    QTest::newRow("no wait given") << R"({"result_code":5})" << "Too many attempts. Please try again later.";
    QTest::newRow("wait not a number") << R"({"result_code":5,"retry_after":[]})"
                                       << "Too many attempts. Please try again later.";
    QTest::newRow("other code") << R"({"result_code":4,"retry_after":900})" << QString();
    QTest::newRow("not json") << "Too many attempts" << QString();
}

void TestAccountReplies::tooManyAttempts()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(AccountReplies::tooManyAttemptsMessage(text), message);
}

QTEST_APPLESS_MAIN(TestAccountReplies)
#include "tst_accountreplies.moc"
