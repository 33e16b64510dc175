#include "serverfixture.h"
#include "storetestdata.h"

#include "testenvironment.h"

#include <QtTest>

using namespace StoreTestData;
using Fields = ServerFixture::Fields;

namespace {
constexpr qint64 dayMs = 24LL * 60 * 60 * 1000;
}

// Card payments that arrive again before their purchase is recorded, records
// that arrive again, the end days a record may give, and amounts that must
// be exact.
class TstServerStorePayments final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void unrecordedPaymentIsThePayment_data();
    void unrecordedPaymentIsThePayment();
    void recordSentAgain_data();
    void recordSentAgain();
    void endDayWithinPaidPeriod_data();
    void endDayWithinPaidPeriod();
    void declineHasItsOwnCode_data();
    void declineHasItsOwnCode();
    void amountMustBeExact_data();
    void amountMustBeExact();

private:
    Fields payment(const QString& ids, const QString& amount, const QString& type = QStringLiteral("WORKOUT")) const;
    static void change(Fields& fields, const QString& field, const QString& value);
    QJsonObject post(const QString& endpoint, const Fields& fields) { return m_fixture->post(endpoint, fields); }
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
    // Every product's period is 60 days (see addProduct).
    QVERIFY(addProduct(db, 101, QStringLiteral("WORKOUT"), 1999, 0, QStringLiteral("videos/w.mp4")));
    QVERIFY(addProduct(db, 301, QStringLiteral("NUTRITION"), 1234567, 799));
    QVERIFY(addService(db, 11, QStringLiteral("TELEHEALTH"), 2000));
}

void TstServerStorePayments::cleanup()
{
    m_fixture.reset();
}

Fields TstServerStorePayments::payment(const QString& ids, const QString& amount, const QString& type) const
{
    return {{"pay_type", "manual"}, {"productID", ids}, {"type", type}, {"user_id", "1"},
            {"country", "Nowhere"}, {"first_name", "Test"}, {"last_name", "Member"}, {"address", "1 Road"},
            {"city", "Town"}, {"state", "ST"}, {"zipcode", "00000"}, {"user_email", "t@test.local"},
            {"user_phone", "555"}, {"cardNumber", goodCard()}, {"expirationDate", nextYearExpiry()},
            {"cardCode", "123"}, {"amount", amount}, {"description", "Title : x, Quantity : 1"}, {"subsebook", "0"}};
}

void TstServerStorePayments::change(Fields& fields, const QString& field, const QString& value)
{
    for (auto& [key, text] : fields) {
        if (key == field)
            text = value;
    }
}

int TstServerStorePayments::paymentRows()
{
    QSqlQuery query(m_fixture->context().db);
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM payments")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

void TstServerStorePayments::unrecordedPaymentIsThePayment_data()
{
    QTest::addColumn<QString>("field"); // changed in the second request; empty: none
    QTest::addColumn<QString>("value");
    QTest::addColumn<qint64>("agedMs");  // how long ago the first payment was made
    QTest::addColumn<bool>("restart");   // the server restarts in between

    QTest::newRow("identical, at once") << QString() << QString() << qint64(0) << false;
    QTest::newRow("a week later") << QString() << QString() << 7 * dayMs << false;
    QTest::newRow("after a restart") << QString() << QString() << qint64(0) << true;
    QTest::newRow("another card code") << "cardCode" << "124" << qint64(0) << false;
    QTest::newRow("another address") << "address" << "2 Road" << qint64(0) << false;
}

// Approved, then the purchase record never came (a lost reply, a crash, a
// refusal): paying for the same items again answers with that payment.
void TstServerStorePayments::unrecordedPaymentIsThePayment()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(qint64, agedMs);
    QFETCH(bool, restart);
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", "101"}, {"quantity", "1"}, {"ebook", "0"}})), 0);
    Fields fields = payment(QStringLiteral("101"), QStringLiteral("19.99"));
    const QJsonObject first = post(QStringLiteral("paymentProcess"), fields);
    QCOMPARE(code(first), 0);
    QVERIFY(insert(m_fixture->context().db, QStringLiteral("UPDATE payments SET created_ms = created_ms - ?"), {agedMs}));
    if (restart)
        QVERIFY(m_fixture->restart());
    if (!field.isEmpty())
        change(fields, field, value);

    const QJsonObject second = post(QStringLiteral("paymentProcess"), fields);
    QCOMPARE(code(second), 0);
    QCOMPARE(paymentRows(), 1);
    QCOMPARE(second.value("productID").toString(), QStringLiteral("101"));
    // Both answers name the one payment's time.
    const qint64 paidAt = first.value("payment_time").toString().toLongLong();
    QVERIFY(qAbs(paidAt - QDateTime::currentMSecsSinceEpoch()) < 60000);
    QCOMPARE(second.value("payment_time").toString().toLongLong(), paidAt - agedMs);

    // Recorded, with end days counted from the payment: buying again is a
    // new purchase and is charged.
    const QString endDay = QString::number(paidAt - agedMs + 30 * dayMs);
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", "101"}, {"endDay", endDay}, {"status", "yes"}})), 0);
    QCOMPARE(code(post(QStringLiteral("paymentProcess"), fields)), 0);
    QCOMPARE(paymentRows(), 2);
}

void TstServerStorePayments::recordSentAgain_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("againEndDay"); // "same", or another end day
    QTest::addColumn<int>("expected");
    QTest::newRow("products, the same record") << "setPurchase" << "same" << 0;
    QTest::newRow("products, another end day") << "setPurchase" << "1000" << 1;
    QTest::newRow("services, the same record") << "setServicePurchase" << "" << 0;
}

// The record went through and its answer was lost: sending it again is safe.
void TstServerStorePayments::recordSentAgain()
{
    QFETCH(QString, endpoint);
    QFETCH(QString, againEndDay);
    QFETCH(int, expected);
    const bool products = endpoint == QLatin1String("setPurchase");
    const QString id = products ? QStringLiteral("101") : QStringLiteral("11");
    QCOMPARE(code(post(QStringLiteral("paymentProcess"),
                       payment(id, products ? QStringLiteral("19.99") : QStringLiteral("20"),
                               products ? QStringLiteral("WORKOUT") : QStringLiteral("TELEHEALTH")))), 0);
    Fields record = {{"user_id", "1"}, {"purchase_id", id}};
    if (products)
        record << qMakePair(QStringLiteral("endDay"), monthAhead()) << qMakePair(QStringLiteral("status"), QStringLiteral("yes"));
    QCOMPARE(code(post(endpoint, record)), 0);
    if (products && againEndDay != QLatin1String("same"))
        record[2].second = againEndDay;
    QCOMPARE(code(post(endpoint, record)), expected);

    // Nothing changed: one payment, one purchase, the first end day.
    QCOMPARE(paymentRows(), 1);
    QSqlQuery query(m_fixture->context().db);
    if (products) {
        QVERIFY(query.exec(QStringLiteral("SELECT end_day FROM purchases WHERE user_id = 1 AND product_id = 101")));
        QVERIFY(query.next());
        QVERIFY(query.value(0).toLongLong() > QDateTime::currentMSecsSinceEpoch());
    } else {
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM service_purchases WHERE user_id = 1")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), 1);
    }
}

void TstServerStorePayments::endDayWithinPaidPeriod_data()
{
    QTest::addColumn<QString>("productId");
    QTest::addColumn<QString>("ebook");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<qint64>("endAfterMs"); // after the payment; -1: end day 0
    QTest::addColumn<int>("expected");

    // Video 101 and nutrition 301 have a 60-day period; one day to spare.
    QTest::newRow("video, 30 days") << "101" << "0" << "19.99" << 30 * dayMs << 0;
    QTest::newRow("video, its period and a day") << "101" << "0" << "19.99" << 61 * dayMs - 60000 << 0;
    QTest::newRow("video, two days past its period") << "101" << "0" << "19.99" << 62 * dayMs << 1;
    QTest::newRow("video, until 2100") << "101" << "0" << "19.99" << 4102444800000 - QDateTime::currentMSecsSinceEpoch() << 1;
    QTest::newRow("video, no end") << "101" << "0" << "19.99" << qint64(-1) << 1;
    QTest::newRow("nutrition product, no end") << "301" << "0" << "12345.67" << qint64(-1) << 0;
    QTest::newRow("e-book, its period") << "301" << "1" << "7.99" << 60 * dayMs << 0;
    QTest::newRow("e-book, 90 days") << "301" << "1" << "7.99" << 90 * dayMs << 1;
    QTest::newRow("e-book, no end") << "301" << "1" << "7.99" << qint64(-1) << 1;
}

void TstServerStorePayments::endDayWithinPaidPeriod()
{
    QFETCH(QString, productId);
    QFETCH(QString, ebook);
    QFETCH(QString, amount);
    QFETCH(qint64, endAfterMs);
    QFETCH(int, expected);
    QCOMPARE(code(post("setCheckout", {{"user_id", "1"}, {"product_id", productId}, {"quantity", "1"}, {"ebook", ebook}})), 0);
    const QString type = productId == QLatin1String("101") ? QStringLiteral("WORKOUT") : QStringLiteral("NUTRITION");
    const QJsonObject paid = post(QStringLiteral("paymentProcess"), payment(productId, amount, type));
    QCOMPARE(code(paid), 0);
    const qint64 paidAt = paid.value("payment_time").toString().toLongLong();
    const QString endDay = endAfterMs < 0 ? QStringLiteral("0") : QString::number(paidAt + endAfterMs);
    QCOMPARE(code(post("setPurchase", {{"user_id", "1"}, {"purchase_id", productId}, {"endDay", endDay}, {"status", "yes"}})),
             expected);
}

void TstServerStorePayments::declineHasItsOwnCode_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("declined card") << "cardNumber" << "4000000000000002" << 4;
    QTest::newRow("expired card") << "expirationDate" << QDate::currentDate().addMonths(-1).toString("yyyy-MM") << 4;
    QTest::newRow("malformed number") << "cardNumber" << "4242424242424241" << 1;
    QTest::newRow("amount not the price") << "amount" << "19.98" << 1;
}

// Only a decline cancels a subscription: it is the one answer with code 4.
void TstServerStorePayments::declineHasItsOwnCode()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    Fields fields = payment(QStringLiteral("101"), QStringLiteral("19.99"));
    change(fields, field, value);
    const QJsonObject reply = post(QStringLiteral("paymentProcess"), fields);
    QTEST(code(reply), "expected");
    QCOMPARE(reply.value("productID").toString(), QStringLiteral("101"));
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
    QTEST(code(post(QStringLiteral("paymentProcess"), payment(QStringLiteral("301"), amount, QStringLiteral("NUTRITION")))),
          "result");
}

QTEST_MAIN(TstServerStorePayments)
#include "tst_server_storepayments.moc"
