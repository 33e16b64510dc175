#include "serverfixture.h"
#include "storetestdata.h"

#include "testenvironment.h"

#include <QtTest>

using namespace StoreTestData;
using Fields = ServerFixture::Fields;

// Card payments that arrive twice, and amounts that must be exact.
class TstServerStorePayments final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void identicalPaymentChargesOnce();
    void changedPaymentIsNotARepeat_data();
    void changedPaymentIsNotARepeat();
    void declinedPaymentIsNotRemembered();
    void amountMustBeExact_data();
    void amountMustBeExact();

private:
    Fields payment(const QString& ids, const QString& amount) const;
    int paymentRows();

    std::unique_ptr<ServerFixture> m_fixture;
};

void TstServerStorePayments::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerStorePayments::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    m_fixture->setSessionFollowsUserId(true);
    QVERIFY(m_fixture->start());
    QSqlDatabase db = m_fixture->context().db;
    QVERIFY(addMember(db, 1));
    QVERIFY(addProduct(db, 101, QStringLiteral("WORKOUT"), 1999, 0, QStringLiteral("videos/w.mp4")));
    QVERIFY(addProduct(db, 301, QStringLiteral("NUTRITION"), 1234567, 799));
}

void TstServerStorePayments::cleanup()
{
    m_fixture.reset();
}

Fields TstServerStorePayments::payment(const QString& ids, const QString& amount) const
{
    return {{"pay_type", "manual"}, {"productID", ids}, {"type", "WORKOUT"}, {"user_id", "1"},
            {"country", "Nowhere"}, {"first_name", "Test"}, {"last_name", "Member"}, {"address", "1 Road"},
            {"city", "Town"}, {"state", "ST"}, {"zipcode", "00000"}, {"user_email", "t@test.local"},
            {"user_phone", "555"}, {"cardNumber", goodCard()}, {"expirationDate", nextYearExpiry()},
            {"cardCode", "123"}, {"amount", amount}, {"description", "Title : x, Quantity : 1"}, {"subsebook", "0"}};
}

int TstServerStorePayments::paymentRows()
{
    QSqlQuery query(m_fixture->context().db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM payments")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

void TstServerStorePayments::identicalPaymentChargesOnce()
{
    const Fields fields = payment(QStringLiteral("101"), QStringLiteral("19.99"));
    QCOMPARE(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), 0);
    QCOMPARE(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), 0);
    QCOMPARE(paymentRows(), 1);
    const Fields purchase = {{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", "4102444800000"}, {"status", "yes"}};
    QCOMPARE(code(m_fixture->post(QStringLiteral("setPurchase"), purchase)), 0);
    // One payment, one purchase.
    QCOMPARE(code(m_fixture->post(QStringLiteral("setPurchase"), purchase)), 1);
    // Once recorded, the same request is a new purchase and is charged.
    QCOMPARE(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), 0);
    QCOMPARE(paymentRows(), 2);
}

void TstServerStorePayments::changedPaymentIsNotARepeat_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("another card code") << "cardCode" << "124";
    QTest::newRow("another address") << "address" << "2 Road";
    QTest::newRow("another description") << "description" << "Title : y, Quantity : 1";
    QTest::newRow("another e-mail") << "user_email" << "other@test.local";
}

void TstServerStorePayments::changedPaymentIsNotARepeat()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    Fields fields = payment(QStringLiteral("101"), QStringLiteral("19.99"));
    QCOMPARE(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), 0);
    for (auto& [key, text] : fields) {
        if (key == field)
            text = value;
    }
    QCOMPARE(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), 0);
    QCOMPARE(paymentRows(), 2);
}

void TstServerStorePayments::declinedPaymentIsNotRemembered()
{
    Fields fields = payment(QStringLiteral("101"), QStringLiteral("19.99"));
    for (auto& [key, text] : fields) {
        if (key == QLatin1String("cardNumber"))
            text = QStringLiteral("4000000000000002");
    }
    QCOMPARE(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), 1);
    QCOMPARE(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), 1);
    QCOMPARE(paymentRows(), 0);
}

void TstServerStorePayments::amountMustBeExact_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<int>("result");
    QTest::newRow("to the cent") << "12345.67" << 0;
    QTest::newRow("six significant digits") << "12345.7" << 1;
    QTest::newRow("a cent more") << "12345.68" << 1;
}

void TstServerStorePayments::amountMustBeExact()
{
    QFETCH(QString, amount);
    Fields fields = payment(QStringLiteral("301"), amount);
    fields[2].second = QStringLiteral("NUTRITION");
    QTEST(code(m_fixture->post(QStringLiteral("paymentProcess"), fields)), "result");
}

QTEST_MAIN(TstServerStorePayments)
#include "tst_server_storepayments.moc"
