#include "app/jsonreply.h"

#include <QTest>

// The one rule every reply reader follows: success is result_code 0 as a
// number or as the text "0", nothing else.
class TestJsonReply final : public QObject
{
    Q_OBJECT

private slots:
    void resultCode_data();
    void resultCode();
};

void TestJsonReply::resultCode_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("success");
    QTest::addColumn<int>("code"); // unreadableCode: no whole number

    const int none = JsonReply::unreadableCode;
    QTest::newRow("number 0") << R"({"result_code":0,"list":[]})" << true << 0;
    QTest::newRow("text 0") << R"({"result_code":"0","list":[]})" << true << 0;
    QTest::newRow("number 0.0") << R"({"result_code":0.0,"list":[]})" << true << 0;
    QTest::newRow("refusal") << R"({"result_code":3,"list":[]})" << false << 3;
    QTest::newRow("refusal as text") << R"({"result_code":"401","list":[]})" << false << 401;
    QTest::newRow("negative text") << R"({"result_code":"-1","list":[]})" << false << -1;
    QTest::newRow("word") << R"({"result_code":"error","list":[]})" << false << none;
    QTest::newRow("empty text") << R"({"result_code":"","list":[]})" << false << none;
    QTest::newRow("padded text") << R"({"result_code":" 0","list":[]})" << false << none;
    QTest::newRow("leading zeros") << R"({"result_code":"00","list":[]})" << false << none;
    QTest::newRow("plus sign") << R"({"result_code":"+0","list":[]})" << false << none;
    QTest::newRow("decimal text") << R"({"result_code":"0.0","list":[]})" << false << none;
    QTest::newRow("fraction") << R"({"result_code":0.5,"list":[]})" << false << none;
    QTest::newRow("huge") << R"({"result_code":1e300,"list":[]})" << false << none;
    QTest::newRow("false") << R"({"result_code":false,"list":[]})" << false << none;
    QTest::newRow("null") << R"({"result_code":null,"list":[]})" << false << none;
    QTest::newRow("object") << R"({"result_code":{},"list":[]})" << false << none;
    QTest::newRow("missing") << R"({"list":[]})" << false << none;
    QTest::newRow("not json") << "<html>502 Bad Gateway</html>" << false << none;
    QTest::newRow("array") << R"([{"result_code":0}])" << false << none;
}

void TestJsonReply::resultCode()
{
    QFETCH(QString, reply);
    QFETCH(bool, success);
    QFETCH(int, code);
    const QJsonObject object = JsonReply::parseObject(reply);
    QCOMPARE(JsonReply::succeeded(object), success);
    QCOMPARE(JsonReply::resultCode(object), code);
    QCOMPARE(JsonReply::listOf(reply, QStringLiteral("list")).has_value(), success);
}

QTEST_GUILESS_MAIN(TestJsonReply)
#include "tst_jsonreply.moc"
