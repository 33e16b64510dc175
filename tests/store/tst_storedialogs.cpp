#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "fakeserver.h"
#include "main/mainwindow.h"
#include "store/cqdlgaddress.h"
#include "store/cqdlgbuy.h"
#include "store/cqdlgbuy1.h"
#include "store/cqdlgcard.h"
#include "store/cqdlgcard1.h"
#include "store/cqdlgcart.h"
#include "store/cqdlgconfirm.h"
#include "store/paymentrecord.h"
#include "storetesthelpers.h"
#include "testenvironment.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

namespace {

const QString paymentPath = QStringLiteral("/api/paymentProcess");
const QString purchasePath = QStringLiteral("/api/setPurchase");
const QString fullCard = QStringLiteral("4242424242424242");

ProductItem item(int id, const char* type, double price, const char* status = "no")
{
    ProductItem product;
    product.id = id;
    product.title = QStringLiteral("Item %1").arg(id);
    product.type = QString::fromLatin1(type);
    product.price = price;
    product.ebookprice = 7.99;
    product.period = QStringLiteral("90");
    product.status = QString::fromLatin1(status);
    product.quantity = 1;
    return product;
}

template <typename T>
T* child(QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QString::fromLatin1(name));
}

QString plain(QWidget* parent, const char* name)
{
    return child<QTextBrowser>(parent, name)->toPlainText();
}

} // namespace

class TestStoreDialogs final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buyTexts_data();
    void buyTexts();
    void buyOkTwiceSendsOnce();
    void buyReplies_data();
    void buyReplies();
    void serviceBuy();
    void cartQuestion();
    void addressChecks_data();
    void addressChecks();
    void addressShippingQuestion_data();
    void addressShippingQuestion();
    void addressLongAndForeignText();
    void confirmTexts_data();
    void confirmTexts();
    void cardTypingAdvances();
    void cardChecks_data();
    void cardChecks();
    void paymentDeclinedKeepsDialog();
    void failedRecordNeverChargesTwice();
    void stalledPaymentCancels();
    void paymentLeavesNoCardAtRest();
    void servicePayment();
    void paymentFaults_data();
    void paymentFaults();
    void unrecordedPaymentCarriesOn();
    void lateRecordIsAccepted();

private:
    void fillCard(QWidget* dialog, const QString& number = QStringLiteral("4242424242424242"),
                  const QString& month = QStringLiteral("07"), const QString& year = QStringLiteral("29"),
                  const QString& cvv = QStringLiteral("123"));

    FakeServer* m_fake = nullptr;
    std::unique_ptr<MessageWatch> m_messages;
};

void TestStoreDialogs::initTestCase()
{
    // Short enough for a record answered late, long enough for a busy machine.
    qputenv("OLVA_REPLY_TIMEOUT_MS", "1500");
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    m_fake->useAsApiHost();
}

void TestStoreDialogs::init()
{
    m_fake->clear();
    TestEnvironment::resetAccount();
    currentUserId = QStringLiteral("1");
    currentEmail = QStringLiteral("demo@olva.local");
    QVERIFY(MessageWatch::drain());
    m_messages = std::make_unique<MessageWatch>();
}

void TestStoreDialogs::cleanup()
{
    TestEnvironment::closeModals();
}

void TestStoreDialogs::buyTexts_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("ebook");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("sub");     // "-" when hidden
    QTest::addColumn<QString>("content"); // start of the text
    QTest::addColumn<int>("ebookAfter");
    QTest::newRow("video subscription") << "WORKOUT" << 1 << "no" << "Price : $9.99" << "BUY \nSUBSCRIPTION"
                                        << "Subscription : 30 days"
                                        << "The subscription has an automatic renewal.The automatic renewal can be "
                                           "cancelled at any time.The cost is deducted in advance in charging intervals of 90 days."
                                        << 0;
    QTest::newRow("e-book of a product") << "NUTRITION" << 1 << "no" << "Price : $7.99" << "BUY \nSUBSCRIPTION"
                                         << "Subscription : 90 days"
                                         << "The subscription has an automatic renewal.The automatic renewal can be "
                                            "cancelled at any time.The cost is deducted in advance in charging intervals of 20 days."
                                         << 1;
    QTest::newRow("physical product") << "COACHING" << 0 << "no" << "Price : $9.99" << "BUY \nPRODUCT" << "-"
                                      << "If you want to purchase, please click \nBUY PRODUCT" << 0;
    QTest::newRow("bought before") << "NUTRITION" << 0 << "yes" << "Price : $9.99" << "BUY \nPRODUCT" << "-"
                                   << "You have purchased this product already.Please check in your email for your "
                                      "purchase receipt.This product will be shipped within 7 business days.If you "
                                      "want to purchase again, please click BUY PRODUCTTo contact us, send a text to "
                                   << 0;
}

void TestStoreDialogs::buyTexts()
{
    QFETCH(QString, type);
    QFETCH(int, ebook);
    QFETCH(QString, status);
    ProductItem product = item(3, "", 9.99);
    product.type = type;
    product.ebook = ebook;
    product.status = status;
    CqDlgBuy dialog(product);
    dialog.show();
    QTEST(child<QLabel>(&dialog, "lblPrice")->text(), "price");
    QTEST(child<QPushButton>(&dialog, "btnOk")->text(), "ok");
    QLabel* sub = child<QLabel>(&dialog, "lblSub");
    QTEST(sub->isVisible() ? sub->text() : QStringLiteral("-"), "sub");
    QFETCH(QString, content);
    QVERIFY2(plain(&dialog, "txtContent").startsWith(content), qPrintable(plain(&dialog, "txtContent")));
    QCOMPARE(plain(&dialog, "txtTitile"), QStringLiteral("Item 3"));
    QTEST(product.ebook, "ebookAfter");
    QCOMPARE(child<QPushButton>(&dialog, "btnCancel")->text(), QStringLiteral("CANCEL"));

    // Read at once: the whole explanation and both lines of the button show.
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* explanation = child<QTextEdit>(&dialog, "txtContent");
    QTRY_VERIFY(explanation->document()->size().height() <= explanation->viewport()->height());
    QPushButton* ok = child<QPushButton>(&dialog, "btnOk");
    QVERIFY2(ok->height() >= ok->sizeHint().height(), qPrintable(QString::number(ok->height())));
}

void TestStoreDialogs::buyOkTwiceSendsOnce()
{
    ProductItem product = item(12, "NUTRITION", 24.99);
    product.ebook = 1;
    m_fake->enqueueJson(QStringLiteral("setCheckout"), R"({"result_code":0})", 300);
    CqDlgBuy dialog(product);
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/setCheckout")), 1);
    QCOMPARE(m_fake->lastRequest(QStringLiteral("/api/setCheckout")).body,
             QByteArray("user_id=1&product_id=12&quantity=1&ebook=1"));
}

void TestStoreDialogs::buyReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("in the cart") << QByteArray(R"({"result_code":0})") << false << int(QDialog::Accepted) << "";
    QTest::newRow("carted already") << QByteArray(R"({"result_code":1})") << false << int(QDialog::Rejected)
                                    << "You have carted already.";
    QTest::newRow("not json stays open") << QByteArray("garbage") << true << -1
                                         << "The store sent an answer that could not be read. Please try again.";
}

void TestStoreDialogs::buyReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, open);
    QFETCH(int, result);
    QFETCH(QString, message);
    ProductItem product = item(12, "WORKOUT", 9.99);
    m_fake->enqueueJson(QStringLiteral("setCheckout"), reply);
    CqDlgBuy dialog(product);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    if (open) {
        QTRY_VERIFY(m_messages->saw(message));
        QVERIFY(dialog.isVisible());
        // The member may try again.
        m_fake->enqueueJson(QStringLiteral("setCheckout"), R"({"result_code":0})");
        QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(m_fake->requestCount(QStringLiteral("/api/setCheckout")), 2);
        return;
    }
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), result);
    if (!message.isEmpty())
        QTRY_VERIFY(m_messages->saw(message));
}

void TestStoreDialogs::serviceBuy()
{
    const QJsonObject service{{QStringLiteral("id"), QStringLiteral("21")}, {QStringLiteral("title"), QStringLiteral("Tele visit")},
                              {QStringLiteral("price"), QStringLiteral("49.5")}};
    m_fake->enqueueJson(QStringLiteral("setServiceCheckout"), R"({"result_code":0})");
    CqDlgBuy1 dialog(service);
    dialog.show();
    QCOMPARE(plain(&dialog, "txtTitile"), QStringLiteral("Tele visit"));
    QCOMPARE(plain(&dialog, "txtContent"), QStringLiteral("If you want to purchase, please click \n BUY SERVICE."));
    QCOMPARE(child<QPushButton>(&dialog, "btnOk")->text(), QStringLiteral("BUY\nSERVICE"));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/setServiceCheckout")), 1);
    QCOMPARE(m_fake->lastRequest(QStringLiteral("/api/setServiceCheckout")).body,
             QByteArray("user_id=1&service_id=21&quantity=1"));
}

void TestStoreDialogs::cartQuestion()
{
    for (const auto& [button, result] : {std::pair{"btnCart", 1}, std::pair{"btnContinue", 0}}) {
        CqDlgCart dialog;
        TestEnvironment::answerNextModal(QString::fromLatin1(button));
        QCOMPARE(dialog.exec(), result);
    }
    CqDlgCart dialog;
    QCOMPARE(child<QPushButton>(&dialog, "btnCart")->text(), QStringLiteral("VIEW CART / CHECKOUT"));
    QCOMPARE(child<QPushButton>(&dialog, "btnContinue")->text(), QStringLiteral("CONTINUE SHOPPING"));
}

void TestStoreDialogs::addressChecks_data()
{
    QTest::addColumn<int>("empty");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("message");
    const char* names[] = {"edtCountry", "edtFirstName", "edtLastName", "edtAddress", "edtCity",
                           "edtState",   "edtCode",      "edtEmail",    "edtPhone"};
    const char* messages[] = {"Insert Country.", "Insert FirstName.", "Insert LastName.", "Insert Address.",
                              "Insert City.",    "Insert Sate.",      "Insert ZIP CODE.", "Insert Email.",
                              "Insert Phone."};
    for (int i = 0; i < 9; ++i)
        QTest::addRow("%s empty", names[i]) << i << QString::fromLatin1(names[i]) << QString::fromLatin1(messages[i]);
}

void TestStoreDialogs::addressChecks()
{
    QFETCH(int, empty);
    QFETCH(QString, focus);
    QFETCH(QString, message);
    CqDlgAddress dialog(9, true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&dialog, "edtCountry"));
    const char* names[] = {"edtCountry", "edtFirstName", "edtLastName", "edtAddress", "edtCity",
                           "edtState",   "edtCode",      "edtEmail",    "edtPhone"};
    for (int i = 0; i < 9; ++i) {
        if (i != empty)
            QTest::keyClicks(child<QLineEdit>(&dialog, names[i]), QStringLiteral("v%1").arg(i));
    }
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTRY_VERIFY(m_messages->saw(message));
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QTest::keyClicks(child<QLineEdit>(&dialog, names[empty]), QStringLiteral("x"));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(PaymentRecord::instance().phone, empty == 8 ? QStringLiteral("x") : QStringLiteral("v8"));
}

void TestStoreDialogs::addressShippingQuestion_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("billing");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("question");
    QTest::newRow("workout cart") << 4 << true << "Billing Address" << false;
    QTest::newRow("nutrition cart") << 9 << true << "Billing Address" << true;
    QTest::newRow("coaching cart") << 14 << true << "Billing Address" << true;
    QTest::newRow("shipping") << 9 << false << "Shipping Address" << false;
}

void TestStoreDialogs::addressShippingQuestion()
{
    QFETCH(int, kind);
    QFETCH(bool, billing);
    CqDlgAddress dialog(kind, billing);
    dialog.show();
    QTEST(child<QLabel>(&dialog, "lblTitle")->text(), "title");
    QTEST(child<QCheckBox>(&dialog, "chkShop")->isVisible(), "question");
    QCOMPARE(child<QCheckBox>(&dialog, "chkShop")->text(), QStringLiteral("Ship to a different address?"));
}

void TestStoreDialogs::addressLongAndForeignText()
{
    CqDlgAddress dialog(9, true);
    dialog.show();
    const QString longText(10000, QLatin1Char('a'));
    const QString foreign = QStringLiteral("Zoë & Ørsted + Straße 12 東京");
    const char* names[] = {"edtCountry", "edtFirstName", "edtLastName", "edtAddress", "edtCity",
                           "edtState",   "edtCode",      "edtEmail",    "edtPhone"};
    for (const char* name : names)
        child<QLineEdit>(&dialog, name)->setText(name == QByteArray("edtAddress") ? longText : foreign);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(PaymentRecord::instance().address, longText);

    // The payment carries both exactly as typed.
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":1})");
    CqDlgCard card({{5, item(5, "NUTRITION", 10)}}, 9);
    card.show();
    fillCard(&card);
    QTest::mouseClick(child<QPushButton>(&card, "btnOk"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(paymentPath, 1));
    const FakeServer::Request request = m_fake->lastRequest(paymentPath);
    QCOMPARE(request.field(QStringLiteral("address")), longText);
    QCOMPARE(request.field(QStringLiteral("city")), foreign);
}

void TestStoreDialogs::confirmTexts_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("content");
    QTest::newRow("video deletion") << 0 << "ARE YOU SURE? \n VIDEO DELETE"
                                    << "Are you sure you want to\ndelete this video and download\na new updated version of this video?";
    QTest::newRow("cancellation") << 1 << "ARE YOU SURE?\nSUBSCRIPTION CANCELLATION"
                                  << "Are you sure you want to\ncancel this subscription?";
}

void TestStoreDialogs::confirmTexts()
{
    QFETCH(int, mode);
    CqDlgConfirm dialog(mode);
    QTEST(child<QLabel>(&dialog, "lblTitle")->text(), "title");
    QTEST(child<QLabel>(&dialog, "lblContent")->text(), "content");
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    QCOMPARE(dialog.exec(), 1);
    CqDlgConfirm other(mode);
    TestEnvironment::answerNextModal(QStringLiteral("btnCancel"));
    QCOMPARE(other.exec(), 0);
}

void TestStoreDialogs::fillCard(QWidget* dialog, const QString& number, const QString& month, const QString& year,
                                const QString& cvv)
{
    for (int part = 0; part < 4; ++part)
        child<QLineEdit>(dialog, QStringLiteral("edtCard%1").arg(part + 1).toLatin1().constData())->setText(number.mid(part * 4, 4));
    child<QLineEdit>(dialog, "edtMoth")->setText(month);
    child<QLineEdit>(dialog, "edtYear")->setText(year);
    child<QLineEdit>(dialog, "edtCvv")->setText(cvv);
}

void TestStoreDialogs::cardTypingAdvances()
{
    CqDlgCard dialog({{1, item(1, "WORKOUT", 9.99)}}, 4);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    for (const QChar digit : QStringLiteral("4242424242424242x07"))
        QTest::keyClick(QApplication::focusWidget(), digit.toLatin1());
    QCOMPARE(child<QLineEdit>(&dialog, "edtCard4")->text(), QStringLiteral("4242"));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edtMoth"));
    QCOMPARE(child<QLineEdit>(&dialog, "edtMoth")->text(), QStringLiteral("07")); // letters are refused
    QCOMPARE(child<QPushButton>(&dialog, "btnOk")->text(), QStringLiteral("PAY"));
}

void TestStoreDialogs::cardChecks_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("cvv");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("message");
    QTest::newRow("short box 2") << "42424242424242" << "07" << "29" << "123" << "edtCard4" << "Insert Card Number.";
    QTest::newRow("month 13") << fullCard << "13" << "29" << "123" << "edtMoth" << "Insert Month Correctly.";
    QTest::newRow("year short") << fullCard << "07" << "2" << "123" << "edtYear" << "Insert Year Correctly.";
    QTest::newRow("cvv short") << fullCard << "07" << "29" << "12" << "edtCvv" << "Insert CVV.";
}

void TestStoreDialogs::cardChecks()
{
    QFETCH(QString, number);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, cvv);
    QFETCH(QString, focus);
    QFETCH(QString, message);
    CqDlgCard dialog({{1, item(1, "WORKOUT", 9.99)}}, 4);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    fillCard(&dialog, number, month, year, cvv);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTRY_VERIFY(m_messages->saw(message));
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QTest::qWait(50);
    QCOMPARE(m_fake->requestCount(paymentPath), 0);
}

void TestStoreDialogs::paymentDeclinedKeepsDialog()
{
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":1,"message":"declined"})", 200);
    CqDlgCard dialog({{1, item(1, "WORKOUT", 9.99)}}, 4);
    dialog.show();
    fillCard(&dialog, QStringLiteral("4000000000000002"), QStringLiteral("00"));
    auto* pay = child<QPushButton>(&dialog, "btnOk");
    QTest::mouseClick(pay, Qt::LeftButton);
    QCOMPARE(pay->text(), QStringLiteral("WAIT"));
    QVERIFY(!pay->isEnabled());
    QTRY_VERIFY(m_messages->saw(QStringLiteral("Payment Error, Something Wrong. Try again.")));
    QCOMPARE(pay->text(), QStringLiteral("PAY"));
    QVERIFY(pay->isEnabled());
    QVERIFY(dialog.isVisible());
    QCOMPARE(m_fake->requestCount(purchasePath), 0);
    QCOMPARE(m_fake->lastRequest(paymentPath).field(QStringLiteral("expirationDate")), QStringLiteral("2029-00"));
}

void TestStoreDialogs::failedRecordNeverChargesTwice()
{
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("setPurchase"), R"({"result_code":5})");
    m_fake->enqueueJson(QStringLiteral("setPurchase"), R"({"result_code":0})");
    CqDlgCard dialog({{12, item(12, "WORKOUT", 9.99)}, {3, item(3, "NUTRITION", 5)}}, 9);
    dialog.show();
    fillCard(&dialog);
    auto* pay = child<QPushButton>(&dialog, "btnOk");
    QTest::mouseClick(pay, Qt::LeftButton);
    QTRY_VERIFY(m_messages->saw(QStringLiteral("Something wrong.")));
    QTRY_VERIFY(m_messages->saw(
        QStringLiteral("Your payment went through; press PAY to record the purchase. Your card will not be charged again.")));
    QVERIFY(pay->isEnabled());
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(pay, Qt::LeftButton);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_fake->requestCount(paymentPath), 1);
    QCOMPARE(m_fake->requestCount(purchasePath), 2);
    const QList<FakeServer::Request> records = m_fake->requests(purchasePath);
    QCOMPARE(records.at(0).field(QStringLiteral("purchase_id")), records.at(1).field(QStringLiteral("purchase_id")));
    QCOMPARE(records.at(1).field(QStringLiteral("purchase_id")), QStringLiteral("3_12"));
    const QStringList ends = records.at(1).field(QStringLiteral("endDay")).split(QLatin1Char('_'));
    QCOMPARE(ends.size(), 2);
    QCOMPARE(ends.at(0), QStringLiteral("0"));
    QVERIFY(ends.at(1).toLongLong() > QDateTime::currentMSecsSinceEpoch() + 29LL * 24 * 3600 * 1000);
}

void TestStoreDialogs::stalledPaymentCancels()
{
    m_fake->enqueue(paymentPath, FakeServer::Reply::json(R"({"result_code":0})", 800));
    auto dialog = std::make_unique<CqDlgCard>(QMap<int, ProductItem>{{1, item(1, "WORKOUT", 9.99)}}, 4);
    dialog->show();
    fillCard(dialog.get());
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnOk"), Qt::LeftButton);
    QCOMPARE(child<QPushButton>(dialog.get(), "btnOk")->text(), QStringLiteral("WAIT"));
    QTest::mouseClick(child<QPushButton>(dialog.get(), "btnCancel"), Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!dialog->isVisible());
    dialog.reset();
    QTest::qWait(1200); // the late approval reaches nobody
    QCOMPARE(m_fake->requestCount(purchasePath), 0);
}

void TestStoreDialogs::paymentLeavesNoCardAtRest()
{
    PaymentRecord::instance().firstName = QStringLiteral("Ann");
    SettingsStore::setMemberText(QStringLiteral("cardCode"), QStringLiteral("999")); // left by an older version
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("setPurchase"), R"({"result_code":0})");
    CqDlgCard dialog({{1, item(1, "WORKOUT", 9.99)}}, 4);
    dialog.show();
    fillCard(&dialog, fullCard, QStringLiteral("07"), QStringLiteral("29"), QStringLiteral("731"));
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("cardNumber")), QStringLiteral("4242"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("cardExpirationDate")), QStringLiteral("2029-07"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("cardFirstName")), QStringLiteral("Ann"));
    QVERIFY(!SettingsStore::memberContains(QStringLiteral("cardCode")));
    // Kept per product too, for renewing the subscription: last four digits, no code.
    QCOMPARE(SettingsStore::memberText(QStringLiteral("WORKOUTcardNumber1")), QStringLiteral("4242"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("WORKOUTcardExpirationDate1")), QStringLiteral("2029-07"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("WORKOUTcardFirstName1")), QStringLiteral("Ann"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("WORKOUTcardCode1")), QString());
    QVERIFY(PaymentRecord::instance().cardNumber.isEmpty());
    QVERIFY(PaymentRecord::instance().cvv.isEmpty());

    QDirIterator files(TestEnvironment::root(), QDir::Files, QDirIterator::Subdirectories);
    int scanned = 0;
    while (files.hasNext()) {
        QFile file(files.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY2(!content.contains(fullCard.toLatin1()), qPrintable(file.fileName()));
        QVERIFY2(!content.contains("cardCode"), qPrintable(file.fileName()));
        QVERIFY2(!content.contains("=731"), qPrintable(file.fileName()));
        ++scanned;
    }
    QVERIFY(scanned > 0);
}

void TestStoreDialogs::servicePayment()
{
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("setServicePurchase"), R"({"result_code":0})");
    const QMap<int, QJsonObject> services{
        {8, QJsonObject{{QStringLiteral("id"), QStringLiteral("8")}, {QStringLiteral("title"), QStringLiteral("Visit")},
                        {QStringLiteral("type"), QStringLiteral("TELEHEALTH")}, {QStringLiteral("price"), QStringLiteral("12345.67")}}}};
    CqDlgCard1 dialog(services, 4);
    dialog.show();
    fillCard(&dialog);
    QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    const FakeServer::Request payment = m_fake->lastRequest(paymentPath);
    QCOMPARE(payment.field(QStringLiteral("type")), QStringLiteral("TELEHEALTH"));
    QCOMPARE(payment.field(QStringLiteral("amount")), QStringLiteral("12345.67"));
    QVERIFY(!payment.form().hasQueryItem(QStringLiteral("subsebook")));
    QCOMPARE(m_fake->lastRequest(QStringLiteral("/api/setServicePurchase")).body, QByteArray("user_id=1&purchase_id=8"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("cardNumber")), QStringLiteral("4242"));
}

void TestStoreDialogs::paymentFaults_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QByteArray>("answer"); // fault 2: what came instead of a readable answer
    QTest::newRow("HTTP 500") << 1 << QByteArray();
    QTest::newRow("not JSON") << 2 << QByteArray("<html/>");
    QTest::newRow("code as text") << 2 << QByteArray(R"({"result_code":"ok"})");
    QTest::newRow("code a fraction") << 2 << QByteArray(R"({"result_code":0.5})");
    QTest::newRow("refused connection") << 0 << QByteArray();
}

// The payment may have gone through: PAY sends the same payment again, which
// the service recognises, never a fresh one from the boxes.
void TestStoreDialogs::paymentFaults()
{
    QFETCH(int, fault);
    QFETCH(QByteArray, answer);
    const QByteArray host = qgetenv("OLVA_API_HOST");
    if (fault == 0)
        qputenv("OLVA_API_HOST", "127.0.0.1:1");
    else if (fault == 1)
        m_fake->enqueue(paymentPath, FakeServer::Reply::error(500));
    else
        m_fake->enqueue(paymentPath, FakeServer::Reply::json(answer));
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("setPurchase"), R"({"result_code":0})");
    CqDlgCard dialog({{1, item(1, "WORKOUT", 9.99)}}, 4);
    dialog.show();
    fillCard(&dialog);
    auto* pay = child<QPushButton>(&dialog, "btnOk");
    QTest::mouseClick(pay, Qt::LeftButton);
    qputenv("OLVA_API_HOST", host);
    QTRY_VERIFY(m_messages->saw(QStringLiteral("Payment Error, Something Wrong. Try again.")));
    QVERIFY(pay->isEnabled());
    QVERIFY(!dialog.paymentApproved());
    QVERIFY(dialog.paymentUnanswered());
    QCOMPARE(m_fake->requestCount(purchasePath), 0);
    QVERIFY(!child<QLineEdit>(&dialog, "edtCard1")->isEnabled());

    const int sent = m_fake->requestCount(paymentPath);
    const QByteArray first = sent > 0 ? m_fake->lastRequest(paymentPath).body : QByteArray();
    child<QLineEdit>(&dialog, "edtCvv")->setText(QStringLiteral("999"));
    QTest::mouseClick(pay, Qt::LeftButton);
    QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_fake->requestCount(paymentPath), sent + 1);
    if (sent > 0)
        QCOMPARE(m_fake->lastRequest(paymentPath).body, first);
    QCOMPARE(m_fake->lastRequest(paymentPath).field(QStringLiteral("cardCode")), QStringLiteral("123"));
}

// The product checkout keeps an approved payment whose record failed, as the
// services do: the next card dialog for the cart only sends the record, the
// same one, with end days counted from the payment.
void TestStoreDialogs::unrecordedPaymentCarriesOn()
{
    const qint64 paidAt = QDateTime::currentMSecsSinceEpoch() - 3LL * 24 * 3600 * 1000;
    m_fake->enqueueJson(QStringLiteral("paymentProcess"),
                        R"({"result_code":0,"payment_time":")" + QByteArray::number(paidAt) + "\"}");
    m_fake->enqueue(purchasePath, FakeServer::Reply::error(500));
    m_fake->enqueueJson(QStringLiteral("setPurchase"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("getPaymentState"), R"({"result_code":0,"state":"waiting"})");
    const QMap<int, ProductItem> cart{{12, item(12, "WORKOUT", 9.99)}, {3, item(3, "NUTRITION", 5)}};
    {
        CqDlgCard dialog(cart, 9);
        dialog.show();
        fillCard(&dialog);
        QTest::mouseClick(child<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
        QTRY_VERIFY(m_messages->saw(QStringLiteral("Something wrong.")));
        QVERIFY(dialog.paymentApproved());
        QTest::mouseClick(child<QPushButton>(&dialog, "btnCancel"), Qt::LeftButton);
    }
    CqDlgCard again(cart, 9);
    again.show();
    QVERIFY(again.paymentApproved());
    QVERIFY(!child<QLineEdit>(&again, "edtCard1")->isEnabled());
    QTest::mouseClick(child<QPushButton>(&again, "btnOk"), Qt::LeftButton);
    QTRY_COMPARE(again.result(), int(QDialog::Accepted));
    QCOMPARE(m_fake->requestCount(paymentPath), 1);
    // The service was asked about that payment before its record went again.
    QCOMPARE(m_fake->lastRequest(QStringLiteral("/api/getPaymentState")).field(QStringLiteral("payment_time")),
             QString::number(paidAt));
    const QList<FakeServer::Request> records = m_fake->requests(purchasePath);
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(1).body, records.at(0).body);
    QCOMPARE(records.at(1).field(QStringLiteral("endDay")),
             QStringLiteral("0_%1").arg(paidAt + 30LL * 24 * 3600 * 1000));
    // Recorded: the cart is paid afresh next time.
    CqDlgCard next(cart, 9);
    QVERIFY(!next.paymentApproved());
    QVERIFY(child<QLineEdit>(&next, "edtCard1")->isEnabled());
}

// The record's answer comes after the dialog stopped waiting: it counts.
void TestStoreDialogs::lateRecordIsAccepted()
{
    m_fake->enqueueJson(QStringLiteral("paymentProcess"), R"({"result_code":0})");
    m_fake->enqueue(purchasePath, FakeServer::Reply::json(R"({"result_code":0})", 3000));
    CqDlgCard dialog({{1, item(1, "WORKOUT", 9.99)}}, 4);
    dialog.show();
    fillCard(&dialog);
    auto* pay = child<QPushButton>(&dialog, "btnOk");
    QTest::mouseClick(pay, Qt::LeftButton);
    QTRY_VERIFY(m_messages->saw(QStringLiteral("Something wrong.")));
    QVERIFY(pay->isEnabled());
    QVERIFY(dialog.isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(dialog.result(), int(QDialog::Accepted), 5000);
    QCOMPARE(m_fake->requestCount(paymentPath), 1);
    QCOMPARE(m_fake->requestCount(purchasePath), 1);
}

QTEST_MAIN(TestStoreDialogs)
#include "tst_storedialogs.moc"
