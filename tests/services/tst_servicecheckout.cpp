#include "app/accountstate.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "modalhelper.h"
#include "servicecards.h"
#include "services/cqwndservice.h"
#include "services/cqwndserviceitem.h"
#include "store/paymentrecord.h"
#include "testenvironment.h"
#include "widgets/qtmaterialsnackbar.h"
#include "widgets/qtmaterialtabs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTcpServer>
#include <QTextEdit>
#include <QtTest>

namespace {

const QString getServicePath = QStringLiteral("/api/getService");
const QString getCartPath = QStringLiteral("/api/getServiceCheckout");
const QString setCartPath = QStringLiteral("/api/setServiceCheckout");
const QString paymentPath = QStringLiteral("/api/paymentProcess");
const QString recordPath = QStringLiteral("/api/setServicePurchase");
const QString statePath = QStringLiteral("/api/getPaymentState");
const QString checkFailed = QStringLiteral(
    "The store could not tell what became of your earlier payment. Press PAY to try again; your card will not be "
    "charged again.");
const QString unreachable = QStringLiteral("The store could not be reached. Please try again.");
const QString unreadable = QStringLiteral("The store sent an answer that could not be read. Please try again.");
const QString paymentError = QStringLiteral("Payment Error, Something Wrong. Try again.");
const QString paymentPending = QStringLiteral(
    "The payment has not been answered yet. Please wait here: if it goes through, the purchase is recorded and "
    "your card will not be charged twice.");
const QString recordError = QStringLiteral("Something wrong.");
const QByteArray ok = R"({"result_code":0})";

QJsonObject entry(int id, const QString& price, const QString& title = QString())
{
    return QJsonObject{{"id", QString::number(id)},
                       {"type", "TELEHEALTH"},
                       {"title", title.isEmpty() ? QStringLiteral("Service %1").arg(id) : title},
                       {"fulldescription", QStringLiteral("All about service %1.").arg(id)},
                       {"price", price},
                       {"status", "no"},
                       {"appoint", "0"}};
}

QByteArray listReply(const QString& key, const QList<QJsonObject>& entries)
{
    QJsonArray array;
    for (const QJsonObject& object : entries)
        array.append(object);
    return QJsonDocument(QJsonObject{{"result_code", 0}, {key, array}}).toJson(QJsonDocument::Compact);
}

QPushButton* button(QDialog* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

void fillAddress(QDialog* dialog)
{
    for (const char* name : {"edtCountry", "edtFirstName", "edtLastName", "edtAddress", "edtCity", "edtState",
                             "edtCode", "edtEmail", "edtPhone"})
        dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QStringLiteral("x"));
}

void fillCard(QDialog* dialog)
{
    const QList<QPair<const char*, const char*>> boxes = {{"edtCard1", "4242"}, {"edtCard2", "4242"},
                                                          {"edtCard3", "4242"}, {"edtCard4", "4242"},
                                                          {"edtMoth", "07"},    {"edtYear", "29"},
                                                          {"edtCvv", "123"}};
    for (const auto& [name, text] : boxes)
        dialog->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
}

// What a fault does to one request.
enum class Fault { Refused, Http500, NotJson, Stall, Answer };

} // namespace

Q_DECLARE_METATYPE(Fault)

// Buying and checking out from the service lists against the fake server:
// the buying dialogs the lists run, the payment's fields and exact amount,
// where the member lands afterwards, and every way the new requests can fail.
class TstServiceCheckout final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buyThenCartQuestion_data();
    void buyThenCartQuestion();
    void detailsShowTheEntry();
    void checkoutPaysShownSubtotal_data();
    void checkoutPaysShownSubtotal();
    void checkoutCancelledStaysOnCart();
    void buyFaults_data();
    void buyFaults();
    void paymentFaults_data();
    void paymentFaults();
    void unrecordedPaymentIsNotChargedAgain();
    void keptPaymentAskedFirst_data();
    void keptPaymentAskedFirst();

private:
    void startWindow();
    CqWndServiceItem* list(int kind) const;
    CqWndServiceItem* openCart(const QList<QJsonObject>& entries);
    void applyFault(const QString& path, Fault fault);
    CqWndServiceItem* cartWithKeptPayment(const QList<QJsonObject>& entries);
    QPushButton* removeButton(CqWndServiceItem* cart, int id) const;
    bool saw(const QString& text) const { return m_main->messageBar()->messages().contains(text); }

    FakeServer* m_fake = nullptr;
    QByteArray m_closedHost;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<CqWndService> m_window;
};

void TstServiceCheckout::initTestCase()
{
    // Long enough for a busy machine, short enough for the stalls.
    qputenv("OLVA_REPLY_TIMEOUT_MS", "2000");
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    m_closedHost = "127.0.0.1:" + QByteArray::number(closed.serverPort());
}

void TstServiceCheckout::init()
{
    TestEnvironment::resetAccount();
    m_fake->useAsApiHost();
    currentUserId = QStringLiteral("1");
    m_fake->clear();
    for (const QString& path : {getServicePath, getCartPath, setCartPath, paymentPath, recordPath})
        m_fake->setDefaultReply(path, FakeServer::Reply::json(ok));
    m_fake->setDefaultReply(getServicePath,
                            FakeServer::Reply::json(listReply("service_list", {entry(5, "49.99", "Sleep Talk")})));
    m_main = std::make_unique<MainWindow>();
}

void TstServiceCheckout::cleanup()
{
    TestEnvironment::closeModals();
    m_window.reset();
    m_main.reset();
    if (loadingWindow && loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

void TstServiceCheckout::startWindow()
{
    m_window = std::make_unique<CqWndService>();
    m_window->resize(1600, 1000);
    m_window->show();
    QTRY_VERIFY(list(0) && !list(0)->entries().isEmpty());
    QTRY_VERIFY(!loadingWindow->isLoading());
}

CqWndServiceItem* TstServiceCheckout::list(int kind) const
{
    QMdiSubWindow* sub = m_window ? m_window->listWindow(kind) : nullptr;
    return sub ? qobject_cast<CqWndServiceItem*>(sub->widget()) : nullptr;
}

CqWndServiceItem* TstServiceCheckout::openCart(const QList<QJsonObject>& entries)
{
    m_fake->setDefaultReply(getCartPath, FakeServer::Reply::json(listReply("checkout_list", entries)));
    startWindow();
    m_window->findChild<QtMaterialTabs*>(QStringLiteral("tabCategory"))->tab(2)->click();
    if (!QTest::qWaitFor([this, &entries] { return list(4) && list(4)->entries().size() == entries.size(); }, 5000))
        return nullptr;
    return list(4);
}

void TstServiceCheckout::applyFault(const QString& path, Fault fault)
{
    switch (fault) {
    case Fault::Refused:
        qputenv("OLVA_API_HOST", m_closedHost);
        return;
    case Fault::Http500:
        m_fake->enqueue(path, FakeServer::Reply::error(500));
        return;
    case Fault::NotJson:
        m_fake->enqueue(path, FakeServer::Reply::json("<html>Bad Gateway</html>"));
        return;
    case Fault::Stall:
        m_fake->enqueue(path, FakeServer::Reply::hang());
        return;
    case Fault::Answer:
        return;
    }
}

void TstServiceCheckout::buyThenCartQuestion_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("kindAfter");
    QTest::newRow("VIEW CART / CHECKOUT") << "btnCart" << 4;
    QTest::newRow("CONTINUE SHOPPING") << "btnContinue" << 0;
}

void TstServiceCheckout::buyThenCartQuestion()
{
    QFETCH(QString, answer);
    QFETCH(int, kindAfter);
    m_fake->setDefaultReply(getCartPath, FakeServer::Reply::json(listReply("checkout_list", {entry(3, "5")})));
    startWindow();
    m_window->findChild<QtMaterialTabs*>(QStringLiteral("tabCategory"))->tab(2)->click();
    QTRY_VERIFY(list(4) && list(4)->entries().size() == 1);
    QPointer<QMdiSubWindow> oldCart = m_window->listWindow(4);
    m_window->findChild<QtMaterialTabs*>(QStringLiteral("tabCategory"))->tab(0)->click();
    m_fake->setDefaultReply(getCartPath,
                            FakeServer::Reply::json(listReply("checkout_list", {entry(3, "5"), entry(5, "49.99")})));

    QString title;
    QString price;
    whenModal(QStringLiteral("CqDlgBuy1"), [&](QDialog* dialog) {
        title = dialog->findChild<QTextEdit*>(QStringLiteral("txtTitile"))->toPlainText();
        price = dialog->findChild<QLabel*>(QStringLiteral("lblPrice"))->text();
        clickInModal(QStringLiteral("CqDlgCart"), answer);
        button(dialog, "btnOk")->click();
        button(dialog, "btnOk")->click(); // a second press sends nothing more
    });
    QTest::mouseClick(cardButton(list(0), 5, QStringLiteral("BUY - $49.99")), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Sleep Talk"));
    QCOMPARE(price, QStringLiteral("Price : $49.99"));
    QCOMPARE(m_fake->requestCount(setCartPath), 1);
    QCOMPARE(m_fake->lastRequest(setCartPath).body, QByteArray("user_id=1&service_id=5&quantity=1"));
    QCOMPARE(m_window->currentKind(), kindAfter);
    // The old cart is gone either way; the cart tab asks again.
    QTRY_VERIFY(!oldCart);
    if (kindAfter == 0)
        m_window->findChild<QtMaterialTabs*>(QStringLiteral("tabCategory"))->tab(2)->click();
    QTRY_VERIFY(list(4) && list(4)->entries().size() == 2);
    QTRY_COMPARE(list(4)->findChild<QLabel*>(QStringLiteral("lblSubtotal"))->text(), QStringLiteral("SUBTOTAL $54.99"));
}

void TstServiceCheckout::detailsShowTheEntry()
{
    startWindow();
    for (const bool picture : {false, true}) {
        QString title;
        QString full;
        whenModal(QStringLiteral("CqDlgDetails"), [&](QDialog* dialog) {
            title = dialog->findChild<QLabel*>(QStringLiteral("lblTitle"))->text();
            full = dialog->findChild<QLabel*>(QStringLiteral("lblFull"))->text();
            button(dialog, "btnClose")->click();
        });
        if (picture) {
            auto* label = list(0)->findChild<QLabel*>(QStringLiteral("item_5"));
            label->setFocus();
            QTest::keyClick(label, Qt::Key_Space);
        } else {
            QTest::mouseClick(cardButton(list(0), 5, QStringLiteral("Product Details")), Qt::LeftButton);
        }
        QCOMPARE(title, QStringLiteral("Sleep Talk"));
        QCOMPARE(full, QStringLiteral("All about service 5."));
    }
    QCOMPARE(m_fake->requests().size(), 1); // details send nothing
}

void TstServiceCheckout::checkoutPaysShownSubtotal_data()
{
    QTest::addColumn<QStringList>("prices");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole dollars") << QStringList{"20", "30"} << "50" << "50";
    QTest::newRow("cents add up exactly") << QStringList{"19.99", "0.01"} << "20" << "20";
    QTest::newRow("single 19.99") << QStringList{"19.99"} << "19.99" << "19.99";
    QTest::newRow("unreadable and negative count 0") << QStringList{"abc", "-5", "12.5"} << "12.5" << "12.50";
}

void TstServiceCheckout::checkoutPaysShownSubtotal()
{
    QFETCH(QStringList, prices);
    QFETCH(QString, amount);
    QFETCH(QString, shown);
    QList<QJsonObject> entries;
    for (int i = 0; i < prices.size(); ++i)
        entries << entry(20 - i, prices.at(i)); // ids descending: the payment sorts them
    CqWndServiceItem* cart = openCart(entries);
    QVERIFY(cart);
    QCOMPARE(cart->findChild<QLabel*>(QStringLiteral("lblSubtotal"))->text(), QStringLiteral("SUBTOTAL $") + shown);
    QPointer<QMdiSubWindow> oldStore = m_window->listWindow(0);

    bool shippingAsked = true;
    whenModal(QStringLiteral("CqDlgAddress"), [&](QDialog* address) {
        shippingAsked = address->findChild<QWidget*>(QStringLiteral("chkShop"))->isVisible();
        fillAddress(address);
        whenModal(QStringLiteral("CqDlgCard1"), [](QDialog* card) {
            fillCard(card);
            button(card, "btnOk")->click();
        });
        button(address, "btnOk")->click();
    });
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QVERIFY(!shippingAsked);
    const FakeServer::Request payment = m_fake->lastRequest(paymentPath);
    QCOMPARE(payment.field(QStringLiteral("amount")), amount);
    QCOMPARE(payment.field(QStringLiteral("type")), QStringLiteral("TELEHEALTH"));
    QVERIFY(!payment.form().hasQueryItem(QStringLiteral("subsebook")));
    QStringList ids;
    QString description;
    for (int i = prices.size() - 1; i >= 0; --i) {
        ids << QString::number(20 - i);
        description += QStringLiteral("Title : Service %1, Type : TELEHEALTH, Price : $%2").arg(20 - i).arg(prices.at(i));
    }
    QCOMPARE(payment.field(QStringLiteral("productID")), ids.join('_'));
    QCOMPARE(payment.field(QStringLiteral("description")), description);
    QCOMPARE(m_fake->lastRequest(recordPath).field(QStringLiteral("purchase_id")), ids.join('_'));
    // Paid: the store tab, every list asked again.
    QCOMPARE(m_window->currentKind(), 0);
    QTRY_VERIFY(!oldStore);
    QVERIFY(m_fake->waitForRequests(getServicePath, 2));
}

void TstServiceCheckout::checkoutCancelledStaysOnCart()
{
    CqWndServiceItem* cart = openCart({entry(3, "5")});
    QVERIFY(cart);
    for (const char* step : {"CqDlgAddress", "CqDlgCard1"}) {
        const bool atCard = QByteArray(step) == "CqDlgCard1";
        whenModal(QStringLiteral("CqDlgAddress"), [atCard](QDialog* address) {
            fillAddress(address);
            if (!atCard) {
                button(address, "btnCancel")->click();
                return;
            }
            clickInModal(QStringLiteral("CqDlgCard1"), QStringLiteral("btnCancel"));
            button(address, "btnOk")->click();
        });
        QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
        QCOMPARE(m_window->currentKind(), 4);
        QCOMPARE(list(4), cart);
    }
    QCOMPARE(m_fake->requestCount(paymentPath), 0);
}

void TstServiceCheckout::buyFaults_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message");
    QTest::newRow("refused") << Fault::Refused << unreachable;
    QTest::newRow("HTTP 500") << Fault::Http500 << unreachable;
    QTest::newRow("not JSON") << Fault::NotJson << unreadable;
    QTest::newRow("stall") << Fault::Stall << unreachable;
}

void TstServiceCheckout::buyFaults()
{
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    startWindow();
    applyFault(setCartPath, fault);
    bool toldWhileOpen = false;
    bool okAgain = false;
    whenModal(QStringLiteral("CqDlgBuy1"), [&](QDialog* dialog) {
        button(dialog, "btnOk")->click();
        toldWhileOpen = QTest::qWaitFor([&] { return saw(message); }, 5000) && dialog->isVisible();
        // The member may try again once the server is back.
        m_fake->useAsApiHost();
        clickInModal(QStringLiteral("CqDlgCart"), QStringLiteral("btnContinue"));
        button(dialog, "btnOk")->click();
        okAgain = true;
    });
    QTest::mouseClick(cardButton(list(0), 5, QStringLiteral("BUY - $49.99")), Qt::LeftButton);
    QVERIFY(toldWhileOpen);
    QVERIFY(okAgain);
    QVERIFY(!loadingWindow->isLoading());
    QCOMPARE(m_window->currentKind(), 0);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_fake->requestCount(setCartPath), fault == Fault::Refused ? 1 : 2);
}

void TstServiceCheckout::paymentFaults_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("payAgain"); // PAY usable afterwards
    QTest::addColumn<int>("payments");  // payment requests that reached the server

    QTest::newRow("payment refused") << paymentPath << Fault::Refused << paymentError << true << 1;
    QTest::newRow("payment HTTP 500") << paymentPath << Fault::Http500 << paymentError << true << 2;
    QTest::newRow("payment not JSON") << paymentPath << Fault::NotJson << paymentError << true << 2;
    // Perhaps charged: PAY stays closed, the member is told and may leave.
    QTest::newRow("payment stall") << paymentPath << Fault::Stall << paymentPending << false << 1;
    QTest::newRow("record HTTP 500") << recordPath << Fault::Http500 << recordError << true << 1;
    QTest::newRow("record not JSON") << recordPath << Fault::NotJson << recordError << true << 1;
    QTest::newRow("record stall") << recordPath << Fault::Stall << recordError << true << 1;
}

void TstServiceCheckout::paymentFaults()
{
    QFETCH(QString, path);
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    QFETCH(bool, payAgain);
    QFETCH(int, payments);
    CqWndServiceItem* cart = openCart({entry(3, "20"), entry(7, "30")});
    QVERIFY(cart);
    applyFault(path, fault);

    bool told = false;
    bool payEnabled = !payAgain;
    whenModal(QStringLiteral("CqDlgAddress"), [&](QDialog* address) {
        fillAddress(address);
        whenModal(QStringLiteral("CqDlgCard1"), [&](QDialog* card) {
            fillCard(card);
            QPushButton* pay = button(card, "btnOk");
            pay->click();
            told = QTest::qWaitFor([&] { return saw(message); }, 5000);
            payEnabled = pay->isEnabled();
            m_fake->useAsApiHost();
            if (payAgain)
                pay->click();
            else
                button(card, "btnCancel")->click();
        });
        button(address, "btnOk")->click();
    });
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QVERIFY(told);
    QCOMPARE(payEnabled, payAgain);
    QTRY_VERIFY(!loadingWindow->isLoading());
    // Once approved, a second PAY only records: the card is charged once.
    QCOMPARE(m_fake->requestCount(paymentPath), payments);
    if (payAgain) {
        QCOMPARE(m_fake->lastRequest(paymentPath).field(QStringLiteral("amount")), QStringLiteral("50"));
        QCOMPARE(m_window->currentKind(), 0); // paid and recorded in the end
    } else {
        // Perhaps charged: the lists are asked again for the server's view.
        QCOMPARE(m_window->currentKind(), 0);
        QCOMPARE(m_fake->requestCount(recordPath), 0);
    }
}

void TstServiceCheckout::unrecordedPaymentIsNotChargedAgain()
{
    QPointer<CqWndServiceItem> cart = openCart({entry(3, "20")});
    QVERIFY(cart);
    m_fake->enqueue(recordPath, FakeServer::Reply::error(500));
    whenModal(QStringLiteral("CqDlgAddress"), [this](QDialog* address) {
        fillAddress(address);
        whenModal(QStringLiteral("CqDlgCard1"), [this](QDialog* card) {
            fillCard(card);
            button(card, "btnOk")->click();
            (void)QTest::qWaitFor([this] { return saw(recordError); }, 5000);
            button(card, "btnCancel")->click();
        });
        button(address, "btnOk")->click();
    });
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QTRY_VERIFY(saw(recordError));
    QCOMPARE(m_fake->requestCount(paymentPath), 1);
    // The lists show the server's view; the cart still holds the service.
    QCOMPARE(m_window->currentKind(), 0);
    m_window->findChild<QtMaterialTabs*>(QStringLiteral("tabCategory"))->tab(2)->click();
    QTRY_VERIFY(!cart && list(4) && list(4)->entries().size() == 1);

    // Checking the same cart out again records it without a new charge.
    bool boxesOff = false;
    whenModal(QStringLiteral("CqDlgAddress"), [&boxesOff](QDialog* address) {
        fillAddress(address);
        whenModal(QStringLiteral("CqDlgCard1"), [&boxesOff](QDialog* card) {
            boxesOff = !card->findChild<QLineEdit*>(QStringLiteral("edtCard1"))->isEnabled();
            button(card, "btnOk")->click();
        });
        button(address, "btnOk")->click();
    });
    QTest::mouseClick(list(4)->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QVERIFY(boxesOff);
    QCOMPARE(m_fake->requestCount(paymentPath), 1);
    QCOMPARE(m_fake->requestCount(recordPath), 2);
    QCOMPARE(m_window->currentKind(), 0);
}

// A cart paid for whose record failed, opened again: the payment is kept.
CqWndServiceItem* TstServiceCheckout::cartWithKeptPayment(const QList<QJsonObject>& entries)
{
    if (!openCart(entries))
        return nullptr;
    m_fake->enqueue(paymentPath, FakeServer::Reply::json(R"({"result_code":0,"payment_time":"1700000000000"})"));
    m_fake->enqueue(recordPath, FakeServer::Reply::error(500));
    whenModal(QStringLiteral("CqDlgAddress"), [this](QDialog* address) {
        fillAddress(address);
        whenModal(QStringLiteral("CqDlgCard1"), [this](QDialog* card) {
            fillCard(card);
            button(card, "btnOk")->click();
            (void)QTest::qWaitFor([this] { return saw(recordError); }, 5000);
            button(card, "btnCancel")->click();
        });
        button(address, "btnOk")->click();
    });
    QTest::mouseClick(list(4)->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    m_window->findChild<QtMaterialTabs*>(QStringLiteral("tabCategory"))->tab(2)->click();
    if (!QTest::qWaitFor([this, &entries] { return list(4) && list(4)->entries().size() == entries.size(); }, 5000))
        return nullptr;
    return list(4);
}

QPushButton* TstServiceCheckout::removeButton(CqWndServiceItem* cart, int id) const
{
    for (QPushButton* button : cart->findChildren<QPushButton*>(QStringLiteral("item_%1").arg(id))) {
        if (button->text() == QLatin1String("X"))
            return button;
    }
    return nullptr;
}

void TstServiceCheckout::keptPaymentAskedFirst_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QByteArray>("answer"); // with Fault::Answer
    QTest::addColumn<QString>("message");   // what the member is told; empty: nothing
    QTest::addColumn<int>("records");       // records sent in all, the failed first one included
    QTest::addColumn<bool>("cardOpen");     // the member may type a card again
    QTest::addColumn<bool>("closes");       // the dialog closes as paid

    const QString refunded = QStringLiteral("Your earlier payment for this cart was refunded. Enter your card to pay again.");
    QTest::newRow("waiting for its record") << Fault::Answer << QByteArray(R"({"result_code":0,"state":"waiting"})")
                                            << QString() << 2 << false << true;
    QTest::newRow("recorded late") << Fault::Answer << QByteArray(R"({"result_code":0,"state":"recorded"})")
                                   << "Your earlier payment for this cart has been recorded." << 1 << false << true;
    QTest::newRow("voided") << Fault::Answer << QByteArray(R"({"result_code":0,"state":"voided"})") << refunded << 1 << true << false;
    QTest::newRow("refused") << Fault::Answer << QByteArray(R"({"result_code":1})") << checkFailed << 1 << false << false;
    QTest::newRow("a state it does not know") << Fault::Answer << QByteArray(R"({"result_code":0,"state":7})") << checkFailed << 1 << false << false;
    QTest::newRow("connection refused") << Fault::Refused << QByteArray() << checkFailed << 1 << false << false;
    QTest::newRow("HTTP 500") << Fault::Http500 << QByteArray() << checkFailed << 1 << false << false;
    QTest::newRow("not JSON") << Fault::NotJson << QByteArray() << checkFailed << 1 << false << false;
    QTest::newRow("stall") << Fault::Stall << QByteArray() << checkFailed << 1 << false << false;
}

// A cart whose payment is kept: a removal asks first, and before the kept
// approval is recorded the service is asked what became of it (recorded
// late, refunded since, or still waiting).
void TstServiceCheckout::keptPaymentAskedFirst()
{
    QFETCH(Fault, fault);
    QFETCH(QByteArray, answer);
    QFETCH(QString, message);
    QFETCH(int, records);
    QFETCH(bool, cardOpen);
    QFETCH(bool, closes);
    CqWndServiceItem* cart = cartWithKeptPayment({entry(3, "20"), entry(7, "1.98")});
    QVERIFY(cart);
    // Removing from the cart first says what a change costs; "no" keeps it.
    QString asked;
    whenModal(QStringLiteral("CqDlgConfirm"), [&asked](QDialog* confirm) {
        asked = confirm->findChild<QLabel*>(QStringLiteral("lblContent"))->text();
        button(confirm, "btnCancel")->click();
    });
    removeButton(cart, 3)->click();
    QCOMPARE(asked, QStringLiteral("Your card was charged $21.98 for these items. Changing the cart refunds that "
                                   "payment and you pay again for what stays."));
    QVERIFY(removeButton(cart, 3)->isEnabled()); // no removal on its way
    if (fault == Fault::Answer)
        m_fake->enqueue(statePath, FakeServer::Reply::json(answer));
    applyFault(statePath, fault);

    bool closed = false;
    bool boxesOn = false;
    whenModal(QStringLiteral("CqDlgAddress"), [&](QDialog* address) {
        fillAddress(address);
        whenModal(QStringLiteral("CqDlgCard1"), [&](QDialog* card) {
            button(card, "btnOk")->click();
            closed = QTest::qWaitFor([&] { return !card->isVisible() || (!message.isEmpty() && saw(message)); }, 8000)
                && !card->isVisible();
            boxesOn = card->findChild<QLineEdit*>(QStringLiteral("edtCard1"))->isEnabled();
            if (!closed)
                button(card, "btnCancel")->click();
        });
        button(address, "btnOk")->click();
    });
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    m_fake->useAsApiHost();
    QCOMPARE(closed, closes);
    if (!message.isEmpty())
        QVERIFY(saw(message));
    QCOMPARE(boxesOn, cardOpen);
    QCOMPARE(m_fake->requestCount(statePath), fault == Fault::Refused ? 0 : 1);
    QCOMPARE(m_fake->lastRequest(statePath).field(QStringLiteral("payment_time")),
             fault == Fault::Refused ? QString() : QStringLiteral("1700000000000"));
    QCOMPARE(m_fake->requestCount(recordPath), records);
    QCOMPARE(m_fake->requestCount(paymentPath), 1);
    QTRY_VERIFY(!loadingWindow->isLoading());
}

QTEST_MAIN(TstServiceCheckout)
#include "tst_servicecheckout.moc"
