#include "app/server.h"
#include "store/checkoutchecks.h"
#include "store/money.h"
#include "store/paymentrecord.h"
#include "store/paymentrequest.h"
#include "store/subscriptionrenewal.h"

#include <QTest>

namespace {

constexpr qint64 dayMs = 24LL * 60 * 60 * 1000;
constexpr qint64 now = 1700000000000;

ProductItem entry(int id, const char* type, double price, int ebook = 0, const char* period = "30",
                  const char* title = "T")
{
    ProductItem item;
    item.id = id;
    item.type = QString::fromLatin1(type);
    item.price = price;
    item.ebook = ebook;
    item.period = QString::fromLatin1(period);
    item.title = QString::fromUtf8(title);
    item.quantity = 1;
    return item;
}

PaymentRecord filledRecord()
{
    PaymentRecord record;
    record.country = QStringLiteral("US");
    record.firstName = QStringLiteral("Ann");
    record.lastName = QStringLiteral("Lee");
    record.address = QStringLiteral("1 Main St");
    record.city = QStringLiteral("Austin");
    record.state = QStringLiteral("TX");
    record.zipCode = QStringLiteral("78701");
    record.email = QStringLiteral("ann@example.com");
    record.phone = QStringLiteral("555");
    record.month = QStringLiteral("07");
    record.year = QStringLiteral("29");
    record.cvv = QStringLiteral("123");
    record.cardNumber = QStringLiteral("4242424242424242");
    return record;
}

} // namespace

class TestPaymentRequest : public QObject
{
    Q_OBJECT

private slots:
    void productCartBytes();
    void serviceCartBytes();
    void cartType_data();
    void cartType();
    void amountsToTheCent_data();
    void amountsToTheCent();
    void serviceAmountIsTheSubtotal_data();
    void serviceAmountIsTheSubtotal();
    void endDays_data();
    void endDays();
    void purchaseIdsAndEndDaysInOrder();
    void rememberedValuesKeepNoCard();
    void addressChecks_data();
    void addressChecks();
    void cardChecks_data();
    void cardChecks();
};

void TestPaymentRequest::productCartBytes()
{
    QMap<int, ProductItem> cart;
    cart.insert(12, entry(12, "NUTRITION", 24.99, 0, "30", "Box & Guide"));
    cart.insert(3, entry(3, "NUTRITION", 7.99, 1, "90", "Ebook"));
    const QUrlQuery fields = PaymentRequest::products(cart, 9, filledRecord(), QStringLiteral("1"));
    QCOMPARE(Server::encodeBody(fields),
             QByteArray("pay_type=manual&productID=3_12&type=NUTRITION&user_id=1&country=US&first_name=Ann"
                        "&last_name=Lee&address=1 Main St&city=Austin&state=TX&zipcode=78701"
                        "&user_email=ann@example.com&user_phone=555&cardNumber=4242424242424242"
                        "&expirationDate=2029-07&cardCode=123&amount=32.98"
                        "&description=Title : Ebook, Quantity : 1Title : Box %26 Guide, Quantity : 1"
                        "&subsebook=0"));
}

void TestPaymentRequest::serviceCartBytes()
{
    QMap<int, QJsonObject> cart;
    cart.insert(9, QJsonObject{{QStringLiteral("id"), QStringLiteral("9")},
                               {QStringLiteral("title"), QStringLiteral("Live")},
                               {QStringLiteral("type"), QStringLiteral("LIVEFITNESS")},
                               {QStringLiteral("price"), QStringLiteral("12345.67")}});
    cart.insert(2, QJsonObject{{QStringLiteral("id"), QStringLiteral("2")},
                               {QStringLiteral("title"), QStringLiteral("Doc")},
                               {QStringLiteral("type"), QStringLiteral("TELEHEALTH")},
                               {QStringLiteral("price"), QStringLiteral("0.01")}});
    const QUrlQuery fields = PaymentRequest::services(cart, 4, filledRecord(), QStringLiteral("1"));
    QCOMPARE(Server::encodeBody(fields),
             QByteArray("pay_type=manual&productID=2_9&type=TELEHEALTH&user_id=1&country=US&first_name=Ann"
                        "&last_name=Lee&address=1 Main St&city=Austin&state=TX&zipcode=78701"
                        "&user_email=ann@example.com&user_phone=555&cardNumber=4242424242424242"
                        "&expirationDate=2029-07&cardCode=123&amount=12345.68"
                        "&description=Title : Doc, Type : TELEHEALTH, Price : $0.01"
                        "Title : Live, Type : LIVEFITNESS, Price : $12345.67"));
    QCOMPARE(PaymentRequest::services(cart, 1, filledRecord(), QStringLiteral("1"))
                 .queryItemValue(QStringLiteral("type")),
             QString());
    QCOMPARE(Server::encodeBody(PaymentRequest::servicePurchase(cart, QStringLiteral("1"))),
             QByteArray("user_id=1&purchase_id=2_9"));
}

void TestPaymentRequest::cartType_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("type");
    QTest::newRow("workout cart") << 4 << "WORKOUT";
    QTest::newRow("nutrition cart") << 9 << "NUTRITION";
    QTest::newRow("coaching cart") << 14 << "COACHING";
    QTest::newRow("anything else") << 0 << "COACHING";
}

void TestPaymentRequest::cartType()
{
    QFETCH(int, kind);
    QMap<int, ProductItem> cart{{1, entry(1, "WORKOUT", 1)}};
    QTEST(PaymentRequest::products(cart, kind, filledRecord(), QStringLiteral("1")).queryItemValue(QStringLiteral("type")),
          "type");
}

void TestPaymentRequest::amountsToTheCent_data()
{
    QTest::addColumn<QList<double>>("prices");
    QTest::addColumn<QString>("amount");
    QTest::newRow("12,345.67 keeps its cents") << QList<double>{12345.67} << "12345.67";
    QTest::newRow("19.99 + 0.01") << QList<double>{19.99, 0.01} << "20";
    QTest::newRow("10 + 5.5") << QList<double>{10, 5.5} << "15.5";
    QTest::newRow("0.1 + 0.2") << QList<double>{0.1, 0.2} << "0.3";
    QTest::newRow("three times 33.33") << QList<double>{33.33, 33.33, 33.33} << "99.99";
    QTest::newRow("over a million") << QList<double>{999999.99, 0.02} << "1000000.01";
    QTest::newRow("free") << QList<double>{0} << "0";
    QTest::newRow("over a million, one price") << QList<double>{1234567.89} << "1234567.89";
}

void TestPaymentRequest::serviceAmountIsTheSubtotal_data()
{
    QTest::addColumn<QStringList>("prices");
    QTest::addColumn<QString>("amount");
    QTest::newRow("plain") << QStringList{"44.99", "27.99"} << "72.98";
    // The cart shows a negative price as 0; paying less than it shows would
    // be a discount nobody granted.
    QTest::newRow("negative price") << QStringList{"20", "-15"} << "20";
    QTest::newRow("unreadable price") << QStringList{"abc", "10"} << "10";
    QTest::newRow("absurd price") << QStringList{"1e15", "10"} << "10";
    // Enough huge prices to pass 64 bits of cents once read as 1e15 each.
    QTest::newRow("hundred absurd prices") << QStringList(100, QStringLiteral("1e15")) << "0";
    QTest::newRow("empty cart") << QStringList{} << "0";
}

// What is charged for a service cart is the subtotal the cart showed.
void TestPaymentRequest::serviceAmountIsTheSubtotal()
{
    QFETCH(QStringList, prices);
    QFETCH(QString, amount);
    QMap<int, QJsonObject> cart;
    for (int i = 0; i < prices.size(); ++i)
        cart.insert(i + 1, QJsonObject{{QStringLiteral("id"), QString::number(i + 1)},
                                       {QStringLiteral("price"), prices.at(i)}});
    const QUrlQuery fields = PaymentRequest::services(cart, 4, filledRecord(), QStringLiteral("1"));
    QCOMPARE(fields.queryItemValue(QStringLiteral("amount")), amount);
}

void TestPaymentRequest::amountsToTheCent()
{
    QFETCH(QList<double>, prices);
    QMap<int, ProductItem> cart;
    for (int i = 0; i < prices.size(); ++i)
        cart.insert(i + 1, entry(i + 1, "WORKOUT", prices.at(i)));
    QTEST(PaymentRequest::products(cart, 4, filledRecord(), QStringLiteral("1")).queryItemValue(QStringLiteral("amount")),
          "amount");
    QTEST(Money::centsText(PaymentRequest::productTotalCents(cart)), "amount");
    // A renewal charges one price, written the same way.
    if (prices.size() == 1)
        QTEST(SubscriptionRenewal::amountText(prices.first()), "amount");
}

void TestPaymentRequest::endDays_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("ebook");
    QTest::addColumn<QString>("period");
    QTest::addColumn<qint64>("endDay");
    QTest::newRow("e-book, 90 days") << "NUTRITION" << 1 << "90" << now + 90 * dayMs;
    QTest::newRow("e-book of coaching, 60 days") << "COACHING" << 1 << "60" << now + 60 * dayMs;
    QTest::newRow("nutrition product") << "NUTRITION" << 0 << "90" << qint64(0);
    QTest::newRow("coaching product") << "COACHING" << 0 << "30" << qint64(0);
    QTest::newRow("workout video") << "WORKOUT" << 0 << "90" << now + 30 * dayMs;
    QTest::newRow("program") << "PROGRAM" << 0 << "" << now + 30 * dayMs;
    QTest::newRow("e-book, unreadable period") << "NUTRITION" << 1 << "x" << now;
}

void TestPaymentRequest::endDays()
{
    QFETCH(QString, type);
    QFETCH(int, ebook);
    QFETCH(QString, period);
    ProductItem item = entry(1, "", 1, ebook);
    item.type = type;
    item.period = period;
    QTEST(PaymentRequest::endDay(item, now), "endDay");
}

void TestPaymentRequest::purchaseIdsAndEndDaysInOrder()
{
    QMap<int, ProductItem> cart;
    cart.insert(12, entry(12, "WORKOUT", 1));
    cart.insert(3, entry(3, "NUTRITION", 1));
    cart.insert(7, entry(7, "NUTRITION", 1, 1, "90"));
    const QUrlQuery fields = PaymentRequest::productPurchase(cart, QStringLiteral("5"), now);
    QCOMPARE(Server::encodeBody(fields),
             QByteArray("user_id=5&purchase_id=3_7_12&endDay=0_") + QByteArray::number(now + 90 * dayMs) + "_"
                 + QByteArray::number(now + 30 * dayMs) + "&status=yes");
    QCOMPARE(PaymentRequest::products(cart, 9, filledRecord(), QStringLiteral("5"))
                 .queryItemValue(QStringLiteral("subsebook")),
             QStringLiteral("0")); // from id 12, the last in id order
}

void TestPaymentRequest::rememberedValuesKeepNoCard()
{
    PaymentRecord record = filledRecord();
    const auto values = record.rememberedValues();
    QStringList keys;
    for (const auto& [key, value] : values) {
        keys.append(key);
        QVERIFY2(!value.contains(QLatin1String("4242424242424242")), qPrintable(key));
        QVERIFY2(key == QLatin1String("cardZipCode") || value != QLatin1String("123"), qPrintable(key));
    }
    QCOMPARE(keys, (QStringList{"cardFirstName", "cardLastName", "cardEmail", "cardPhone", "cardCounntry",
                                "cardCity", "cardState", "cardZipCode", "cardAddress", "cardNumber",
                                "cardExpirationDate"}));
    QVERIFY(!keys.contains(PaymentRecord::codeKey()));
    QCOMPARE(values.at(9).second, QStringLiteral("4242"));
    QCOMPARE(values.at(10).second, QStringLiteral("2029-07"));
    record.forgetCard();
    QVERIFY(record.cardNumber.isEmpty());
    QVERIFY(record.cvv.isEmpty());
}

void TestPaymentRequest::addressChecks_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("failedField");
    QTest::addColumn<QString>("message");
    const QStringList full = {"US", "Ann", "Lee", "1 Main", "Austin", "TX", "78701", "a@b", "555"};
    const char* const messages[] = {"Insert Country.", "Insert FirstName.", "Insert LastName.", "Insert Address.",
                                    "Insert City.", "Insert Sate.", "Insert ZIP CODE.", "Insert Email.",
                                    "Insert Phone."};
    for (int i = 0; i < 9; ++i) {
        QStringList fields = full;
        fields[i].clear();
        QTest::addRow("field %d empty", i) << fields << i << QString::fromLatin1(messages[i]);
    }
    QTest::newRow("all filled") << full << -1 << "";
    QTest::newRow("one space counts as filled") << QStringList{" ", " ", " ", " ", " ", " ", " ", " ", " "} << -1 << "";
}

void TestPaymentRequest::addressChecks()
{
    QFETCH(QStringList, fields);
    PaymentRecord record;
    const auto failure = CheckoutChecks::checkAddress(fields, record);
    QTEST(failure.field, "failedField");
    QTEST(failure.message, "message");
    if (failure.field > 0)
        QCOMPARE(record.country, fields.at(0)); // copied up to the failure
}

void TestPaymentRequest::cardChecks_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("failedField");
    QTest::addColumn<QString>("message");
    QTest::newRow("box 3 short") << QStringList{"4242", "4242", "424", "4242", "07", "29", "123"} << 2
                                 << "Insert Card Number.";
    QTest::newRow("month 13") << QStringList{"4242", "4242", "4242", "4242", "13", "29", "123"} << 4
                              << "Insert Month Correctly.";
    QTest::newRow("month 1 digit") << QStringList{"4242", "4242", "4242", "4242", "7", "29", "123"} << 4
                                   << "Insert Month Correctly.";
    QTest::newRow("month 00 passes") << QStringList{"4242", "4242", "4242", "4242", "00", "29", "123"} << -1 << "";
    QTest::newRow("year short") << QStringList{"4242", "4242", "4242", "4242", "12", "2", "123"} << 5
                                << "Insert Year Correctly.";
    QTest::newRow("cvv short") << QStringList{"4242", "4242", "4242", "4242", "12", "29", "12"} << 6 << "Insert CVV.";
    QTest::newRow("good") << QStringList{"4242", "4242", "4242", "4242", "12", "29", "123"} << -1 << "";
}

void TestPaymentRequest::cardChecks()
{
    QFETCH(QStringList, boxes);
    QFETCH(int, failedField);
    PaymentRecord record;
    const auto failure = CheckoutChecks::checkCard(boxes, record);
    QCOMPARE(failure.field, failedField);
    QTEST(failure.message, "message");
    QCOMPARE(record.cardNumber.isEmpty(), failedField >= 0);
    if (failedField < 0)
        QCOMPARE(record.cardNumber, boxes.mid(0, 4).join(QString()));
}

QTEST_GUILESS_MAIN(TestPaymentRequest)
#include "tst_paymentrequest.moc"
