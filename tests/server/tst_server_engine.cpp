#include "serverfixture.h"

#include "testenvironment.h"

#include <QtTest>

class TstServerEngine final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsAndAnswersUnknownEndpoint();
};

void TstServerEngine::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerEngine::startsAndAnswersUnknownEndpoint()
{
    ServerFixture fixture;
    QVERIFY(fixture.start());
    int status = 0;
    const QJsonObject reply = fixture.post(QStringLiteral("noSuchEndpoint"), {}, &status);
    QCOMPARE(status, 404);
    QVERIFY(reply.value(QStringLiteral("result_code")).toInt() != 0);
}

QTEST_MAIN(TstServerEngine)
#include "tst_server_engine.moc"
