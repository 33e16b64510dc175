#include "app/accountstate.h"
#include "app/server.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "modalhelper.h"
#include "servicecards.h"
#include "services/cqwndservice.h"
#include "services/cqwndserviceitem.h"
#include "testenvironment.h"
#include "urlrecorder.h"
#include "widgets/mylabel.h"
#include "widgets/qtmaterialsnackbar.h"
#include "widgets/qtmaterialtabs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTcpServer>
#include <QtTest>

namespace {

const QString getServicePath = QStringLiteral("/api/getService");
const QString getLocalPath = QStringLiteral("/api/getLocalService");
const QString getCartPath = QStringLiteral("/api/getServiceCheckout");
const QString removePath = QStringLiteral("/api/removeServiceCheckout");
const QString completePath = QStringLiteral("/api/completeAppoint");
const QString makeAppointPath = QStringLiteral("/api/makeAppoint");
const QString couldNotLoad = QStringLiteral(
    "The services could not be loaded. Check your connection and try again. Return to this tab to try again.");

QJsonObject entry(int id, const QString& price, const QString& status = QStringLiteral("no"),
                  const QString& appoint = QStringLiteral("0"))
{
    return QJsonObject{{"id", QString::number(id)},
                       {"title", QStringLiteral("Service %1").arg(id)},
                       {"subtitle", "30 minutes"},
                       {"minidescription", "A short text."},
                       {"fulldescription", "A long text."},
                       {"price", price},
                       {"status", status},
                       {"appoint", appoint},
                       {"skype", QStringLiteral("coach.%1").arg(id)},
                       {"whatsapp", QStringLiteral("1202555%1").arg(id)}};
}

QByteArray listReply(const QString& key, const QList<QJsonObject>& entries)
{
    QJsonArray array;
    for (const QJsonObject& object : entries)
        array.append(object);
    return QJsonDocument(QJsonObject{{"result_code", 0}, {key, array}}).toJson(QJsonDocument::Compact);
}

// The visible buttons of the card with `id`, in row order.
QStringList buttonTexts(QWidget* list, int id)
{
    QList<QPushButton*> buttons = list->findChildren<QPushButton*>(QStringLiteral("item_%1").arg(id));
    std::sort(buttons.begin(), buttons.end(), [](QPushButton* a, QPushButton* b) {
        return a->mapTo(a->window(), QPoint()).x() < b->mapTo(b->window(), QPoint()).x();
    });
    QStringList texts;
    for (QPushButton* button : buttons) {
        if (button->isVisibleTo(list) && button->text() != QLatin1String("Product Details"))
            texts << button->text();
    }
    return texts;
}

} // namespace

// The live-services window and its lists against the fake server: which
// list each tab shows and asks for, the cards' buttons, the cart, the
// operations that rebuild lists, and failing replies.
class TstCqWndService final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensOnTelehealthAndAsksOnce();
    void purchasesTabHidesServiceTypes();
    void cardButtons_data();
    void cardButtons();
    void purchasedInStoreDoesNothing();
    void cartSubtotal_data();
    void cartSubtotal();
    void removingRebuildsCart();
    void twoQuickRemovalsBothTakeEffect();
    void cartDroppedUnderItsCheckoutOutlivesIt();
    void completeCancelSendsNothing();
    void completeOkShowsNewPurchases();
    void scheduleCloseMovesToPurchases_data();
    void scheduleCloseMovesToPurchases();
    void appointOpensAppointmentMode();
    void failedListTellsMember_data();
    void failedListTellsMember();
    void failedListIsAskedAgainOnReturn_data();
    void failedListIsAskedAgainOnReturn();
    void badReplies_data();
    void badReplies();
    void smallScreenPictures();
    void contactCoach();

private:
    void startWindow();
    CqWndServiceItem* list(int kind) const;
    QtMaterialTabs* tabs(const char* name) const;
    QStringList messages() const { return m_main->messageBar()->messages(); }

    FakeServer* m_fake = nullptr;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<CqWndService> m_window;
    std::unique_ptr<UrlRecorder> m_urls;
};

void TstCqWndService::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    CqWndServiceItem::setListTimeout(800);
}

void TstCqWndService::init()
{
    TestEnvironment::resetAccount();
    m_fake->useAsApiHost();
    currentUserId = QStringLiteral("1");
    isSmallScreen = false;
    m_fake->clear();
    const QByteArray empty = R"({"result_code":0})";
    for (const QString& path : {getServicePath, getLocalPath, getCartPath, removePath, completePath, makeAppointPath})
        m_fake->setDefaultReply(path, FakeServer::Reply::json(empty));
    m_main = std::make_unique<MainWindow>(); // a fresh message bar per case
    m_urls = std::make_unique<UrlRecorder>();
}

void TstCqWndService::cleanup()
{
    TestEnvironment::closeModals();
    m_window.reset();
    m_main.reset();
    m_urls.reset();
    if (loadingWindow && loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

void TstCqWndService::startWindow()
{
    m_window = std::make_unique<CqWndService>();
    m_window->resize(1600, 1000);
    m_window->show();
}

CqWndServiceItem* TstCqWndService::list(int kind) const
{
    QMdiSubWindow* sub = m_window->listWindow(kind);
    return sub ? qobject_cast<CqWndServiceItem*>(sub->widget()) : nullptr;
}

QtMaterialTabs* TstCqWndService::tabs(const char* name) const
{
    return m_window->findChild<QtMaterialTabs*>(QString::fromLatin1(name));
}

void TstCqWndService::opensOnTelehealthAndAsksOnce()
{
    startWindow();
    QVERIFY(m_fake->waitForRequests(getServicePath, 1));
    QCOMPARE(m_fake->lastRequest(getServicePath).body, QByteArray("user_id=1&service_type=TELEHEALTH"));
    QVERIFY(loadingWindow);
    QTRY_VERIFY(!loadingWindow->isLoading());
    QCOMPARE(m_window->currentKind(), 0);
    QVERIFY(m_window->findChild<QWidget*>("wdgProducts")->isVisible());

    tabs("tabProducts")->tab(1)->click();
    QVERIFY(m_fake->waitForRequests(getServicePath, 2));
    QCOMPARE(m_fake->lastRequest(getServicePath).body, QByteArray("user_id=1&service_type=LIVEFITNESS"));
    QTRY_VERIFY(!loadingWindow->isLoading());
    tabs("tabProducts")->tab(0)->click();
    QCOMPARE(m_window->currentKind(), 0);
    QTest::qWait(100);
    QCOMPARE(m_fake->requestCount(getServicePath), 2);
}

void TstCqWndService::purchasesTabHidesServiceTypes()
{
    startWindow();
    QVERIFY(m_fake->waitForRequests(getServicePath, 1));
    tabs("tabCategory")->tab(1)->click();
    QVERIFY(!m_window->findChild<QWidget*>("wdgProducts")->isVisible());
    QVERIFY(m_fake->waitForRequests(getLocalPath, 1));
    QCOMPARE(m_fake->lastRequest(getLocalPath).body, QByteArray("user_id=1&type=TELEHEALTH"));
    tabs("tabCategory")->tab(2)->click();
    QVERIFY(m_fake->waitForRequests(getCartPath, 1));
    QCOMPARE(m_fake->lastRequest(getCartPath).body, QByteArray("user_id=1"));
    tabs("tabCategory")->tab(0)->click();
    QVERIFY(m_window->findChild<QWidget*>("wdgProducts")->isVisible());
}

void TstCqWndService::cardButtons_data()
{
    QTest::addColumn<int>("topTab");
    QTest::addColumn<int>("serviceTab");
    QTest::addColumn<QJsonObject>("service");
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("for sale") << 0 << 0 << entry(5, "49.99") << QStringList{"BUY - $49.99"};
    QTest::newRow("cents as money") << 0 << 1 << entry(5, "19.5") << QStringList{"BUY - $19.50"};
    QTest::newRow("millions in full") << 0 << 0 << entry(5, "2500000") << QStringList{"BUY - $2500000"};
    QTest::newRow("free") << 0 << 2 << entry(5, "") << QStringList{"FREE"};
    QTest::newRow("telehealth bought, appoint 0") << 0 << 0 << entry(5, "20", "yes", "0")
                                                  << QStringList{"SCHEDULE", "PURCHASED"};
    QTest::newRow("telehealth bought, appoint 12") << 0 << 0 << entry(5, "20", "yes", "12") << QStringList{"PURCHASED"};
    QTest::newRow("fitness bought") << 0 << 1 << entry(5, "20", "yes", "0") << QStringList{"PURCHASED"};
    QTest::newRow("purchases") << 1 << 0 << entry(5, "20", "yes", "3")
                               << QStringList{"SCHEDULE", "APPOINT", "COMPLETED"};
    QTest::newRow("cart") << 2 << 0 << entry(5, "20") << QStringList{"X"};
}

void TstCqWndService::cardButtons()
{
    QFETCH(int, topTab);
    QFETCH(int, serviceTab);
    QFETCH(QJsonObject, service);
    QFETCH(QStringList, buttons);
    const QString key = topTab == 1 ? "local_list" : topTab == 2 ? "checkout_list" : "service_list";
    const QString path = topTab == 1 ? getLocalPath : topTab == 2 ? getCartPath : getServicePath;
    m_fake->setDefaultReply(path, FakeServer::Reply::json(listReply(key, {service})));
    startWindow();
    tabs("tabCategory")->setCurrentTab(topTab);
    tabs("tabProducts")->setCurrentTab(serviceTab);
    CqWndServiceItem* shown = list(m_window->currentKind());
    QVERIFY(shown);
    QTRY_COMPARE(shown->entries().size(), 1);
    QTRY_COMPARE(buttonTexts(shown, 5), buttons);
    // Every card shows its title, and the picture is named after the entry.
    QVERIFY(shown->findChild<MyLabel*>("item_5"));
}

void TstCqWndService::purchasedInStoreDoesNothing()
{
    m_fake->setDefaultReply(getServicePath,
                            FakeServer::Reply::json(listReply("service_list", {entry(5, "20", "yes", "12")})));
    startWindow();
    QTRY_COMPARE(list(0)->entries().size(), 1);
    QPushButton* purchased = cardButton(list(0), 5, "PURCHASED");
    QVERIFY(purchased);
    QTest::mouseClick(purchased, Qt::LeftButton);
    QTest::qWait(100);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_fake->requests().size(), 1);
}

void TstCqWndService::cartSubtotal_data()
{
    QTest::addColumn<QStringList>("prices");
    QTest::addColumn<QStringList>("shown"); // the entries' "PRICE - $" texts
    QTest::addColumn<QString>("subtotal"); // empty: no footer

    QTest::newRow("20 and 30") << QStringList{"20", "30"} << QStringList{"20", "30"} << "SUBTOTAL $50";
    QTest::newRow("19.99") << QStringList{"19.99"} << QStringList{"19.99"} << "SUBTOTAL $19.99";
    QTest::newRow("cents exact") << QStringList{"0.1", "0.2"} << QStringList{"0.10", "0.20"} << "SUBTOTAL $0.30";
    QTest::newRow("two decimals") << QStringList{"9.75", "9.75"} << QStringList{"9.75", "9.75"} << "SUBTOTAL $19.50";
    QTest::newRow("millions, no exponent") << QStringList{"1234567.5"} << QStringList{"1234567.50"}
                                           << "SUBTOTAL $1234567.50";
    QTest::newRow("unreadable price") << QStringList{"abc", "10"} << QStringList{"abc", "10"} << "SUBTOTAL $10";
    QTest::newRow("empty cart") << QStringList{} << QStringList{} << QString();
}

void TstCqWndService::cartSubtotal()
{
    QFETCH(QStringList, prices);
    QFETCH(QStringList, shown);
    QFETCH(QString, subtotal);
    QList<QJsonObject> entries;
    for (int i = 0; i < prices.size(); ++i)
        entries << entry(i + 1, prices.at(i));
    m_fake->setDefaultReply(getCartPath, FakeServer::Reply::json(listReply("checkout_list", entries)));
    startWindow();
    tabs("tabCategory")->tab(2)->click();
    QVERIFY(m_fake->waitForRequests(getCartPath, 1));
    QTRY_VERIFY(!loadingWindow->isLoading());
    CqWndServiceItem* cart = list(4);
    QCOMPARE(cart->entries().size(), prices.size());
    QCOMPARE(cart->cartCents() > 0, !prices.isEmpty());
    auto* label = cart->findChild<QLabel*>("lblSubtotal");
    auto* checkout = cart->findChild<QPushButton*>("btnCheckout");
    if (subtotal.isEmpty()) {
        QVERIFY(!label);
        QVERIFY(!checkout);
        return;
    }
    QVERIFY(label && checkout);
    QCOMPARE(label->text(), subtotal);
    QCOMPARE(checkout->text(), QStringLiteral("CHECKOUT NOW"));
    QTRY_VERIFY(checkout->isVisible());
    for (const QString& price : std::as_const(shown)) {
        bool found = false;
        for (QLabel* text : cart->findChildren<QLabel*>())
            found = found || text->text() == QStringLiteral("PRICE - $") + price;
        QVERIFY2(found, qPrintable(price));
    }
}

void TstCqWndService::removingRebuildsCart()
{
    m_fake->enqueueJson("getServiceCheckout", listReply("checkout_list", {entry(3, "20"), entry(7, "30")}));
    m_fake->enqueueJson("getServiceCheckout", listReply("checkout_list", {entry(7, "30")}));
    startWindow();
    tabs("tabCategory")->tab(2)->click();
    QTRY_COMPARE(list(4) ? list(4)->entries().size() : 0, 2);
    QPointer<QMdiSubWindow> oldCart = m_window->listWindow(4);

    QPushButton* remove = cardButton(list(4), 3, "X");
    QVERIFY(remove);
    QCOMPARE(remove->accessibleName(), QStringLiteral("Remove Service 3 from the cart"));
    QTest::mouseClick(remove, Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(removePath, 1));
    QCOMPARE(m_fake->lastRequest(removePath).body, QByteArray("user_id=1&service_id=3"));
    QVERIFY(m_fake->waitForRequests(getCartPath, 2));
    QTRY_VERIFY(!oldCart); // the replaced list is gone
    QCOMPARE(m_window->currentKind(), 4);
    QTRY_COMPARE(list(4)->entries().size(), 1);
    QCOMPARE(list(4)->findChild<QLabel*>("lblSubtotal")->text(), QStringLiteral("SUBTOTAL $30"));
}

void TstCqWndService::twoQuickRemovalsBothTakeEffect()
{
    m_fake->enqueueJson("getServiceCheckout", listReply("checkout_list", {entry(3, "20"), entry(7, "30")}));
    m_fake->enqueueJson("getServiceCheckout", listReply("checkout_list", {}));
    m_fake->enqueueJson("removeServiceCheckout", R"({"result_code":0})");
    m_fake->enqueueJson("removeServiceCheckout", R"({"result_code":0})", 600);
    startWindow();
    tabs("tabCategory")->tab(2)->click();
    QTRY_COMPARE(list(4) ? list(4)->entries().size() : 0, 2);
    QPointer<CqWndServiceItem> cart = list(4);
    QSignalSpy answered(cart->findChild<Server*>(), SIGNAL(sig_net_removeservicecart(QString)));
    // How many removals the old cart had heard back on when the new one was asked for.
    int answeredWhenRebuilt = -1;
    connect(m_fake, &FakeServer::requestReceived, this, [&](const QByteArray&, const QByteArray& path) {
        if (path == getCartPath.toUtf8() && answeredWhenRebuilt < 0)
            answeredWhenRebuilt = int(answered.count());
    });

    QTest::mouseClick(cardButton(cart, 3, "X"), Qt::LeftButton);
    QTest::mouseClick(cardButton(cart, 7, "X"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(removePath, 2));
    QStringList removed;
    for (const FakeServer::Request& request : m_fake->requests(removePath))
        removed << request.field("service_id");
    removed.sort();
    QCOMPARE(removed, (QStringList{"3", "7"}));
    QVERIFY(m_fake->waitForRequests(getCartPath, 2, 5000));
    QCOMPARE(answeredWhenRebuilt, 2);
    QTRY_VERIFY(!cart);
    QTRY_VERIFY(list(4) && list(4)->findChild<QLabel*>("lblSubtotal") == nullptr);
    QCOMPARE(m_window->currentKind(), 4);
    QVERIFY(!messages().contains(QStringLiteral("The service could not be removed from the cart. Try again.")));
}

// CHECKOUT pressed while a removal is on its way: the checkout waits, the
// cart is dropped once the removal answers, and the checkout opens over the
// cart the service answers then.
void TstCqWndService::cartDroppedUnderItsCheckoutOutlivesIt()
{
    m_fake->enqueueJson("getServiceCheckout", listReply("checkout_list", {entry(3, "20"), entry(7, "30")}));
    m_fake->enqueueJson("getServiceCheckout", listReply("checkout_list", {entry(7, "30")}));
    m_fake->enqueue(removePath, FakeServer::Reply::json(R"({"result_code":0})", 300));
    startWindow();
    tabs("tabCategory")->tab(2)->click();
    QTRY_COMPARE(list(4) ? list(4)->entries().size() : 0, 2);
    QPointer<CqWndServiceItem> cart = list(4);

    int entriesUnderDialog = 0;
    auto* poller = new QTimer(this);
    connect(poller, &QTimer::timeout, this, [&, poller] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poller->stop();
        poller->deleteLater();
        entriesUnderDialog = list(4) ? int(list(4)->entries().size()) : -1;
        dialog->reject();
    });
    poller->start(10);
    QTest::mouseClick(cardButton(cart, 3, "X"), Qt::LeftButton);
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QCOMPARE(entriesUnderDialog, 0); // not yet: the removal is on its way
    QTRY_COMPARE(entriesUnderDialog, 1);
    QTRY_VERIFY(!cart);
    QTRY_VERIFY(list(4) && list(4) != cart);
}

void TstCqWndService::completeCancelSendsNothing()
{
    m_fake->setDefaultReply(getLocalPath, FakeServer::Reply::json(listReply("local_list", {entry(11, "20", "yes")})));
    startWindow();
    tabs("tabCategory")->tab(1)->click();
    QTRY_COMPARE(list(3) ? list(3)->entries().size() : 0, 1);
    clickInModal("CqDlgConfirmComplete", "btnCancel");
    QTest::mouseClick(cardButton(list(3), 11, "COMPLETED"), Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(m_fake->requestCount(completePath), 0);
    QCOMPARE(m_fake->requestCount(getLocalPath), 1);
}

void TstCqWndService::completeOkShowsNewPurchases()
{
    m_fake->enqueueJson("getLocalService", listReply("local_list", {entry(11, "20", "yes"), entry(21, "5", "yes")}));
    m_fake->enqueueJson("getLocalService", listReply("local_list", {entry(21, "5", "yes")}));
    startWindow();
    QVERIFY(m_fake->waitForRequests(getServicePath, 1));
    tabs("tabCategory")->tab(1)->click();
    QTRY_COMPARE(list(3) ? list(3)->entries().size() : 0, 2);
    QPointer<QMdiSubWindow> storeList = m_window->listWindow(0);
    clickInModal("CqDlgConfirmComplete", "btnOk");
    QTest::mouseClick(cardButton(list(3), 11, "COMPLETED"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(completePath, 1));
    QCOMPARE(m_fake->lastRequest(completePath).body, QByteArray("user_id=1&service_id=11"));
    QVERIFY(m_fake->waitForRequests(getLocalPath, 2));
    QTRY_COMPARE(list(3)->entries().size(), 1);
    QCOMPARE(m_window->currentKind(), 3);
    QTRY_VERIFY(!storeList); // the store lists are rebuilt on the next visit
}

void TstCqWndService::scheduleCloseMovesToPurchases_data()
{
    QTest::addColumn<bool>("close");
    QTest::newRow("CLOSE") << true;
    QTest::newRow("Escape") << false;
}

void TstCqWndService::scheduleCloseMovesToPurchases()
{
    QFETCH(bool, close);
    m_fake->setDefaultReply(getServicePath,
                            FakeServer::Reply::json(listReply("service_list", {entry(11, "20", "yes", "0")})));
    startWindow();
    QTRY_COMPARE(list(0)->entries().size(), 1);
    QPointer<QMdiSubWindow> storeList = m_window->listWindow(0);
    whenModal("CqDlgServiceInfo", [close](QDialog* dialog) {
        if (close)
            dialog->findChild<QPushButton*>("btnClose")->click();
        else
            QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QTest::mouseClick(cardButton(list(0), 11, "SCHEDULE"), Qt::LeftButton);
    if (close) {
        QCOMPARE(m_window->currentKind(), 3);
        QVERIFY(m_fake->waitForRequests(getLocalPath, 1));
        QTRY_VERIFY(!storeList);
    } else {
        QCOMPARE(m_window->currentKind(), 0);
        QTest::qWait(100);
        QVERIFY(storeList);
        QCOMPARE(m_fake->requestCount(getLocalPath), 0);
    }
}

void TstCqWndService::appointOpensAppointmentMode()
{
    m_fake->setDefaultReply(getLocalPath, FakeServer::Reply::json(listReply("local_list", {entry(12, "20", "yes", "2")})));
    startWindow();
    tabs("tabCategory")->tab(1)->click();
    QTRY_COMPARE(list(3) ? list(3)->entries().size() : 0, 1);
    bool warningHidden = false;
    whenModal("CqDlgServiceInfo", [&warningHidden](QDialog* dialog) {
        warningHidden = !dialog->findChild<QWidget*>("lblWarning")->isVisible();
        dialog->findChild<QPushButton*>("btnWhatsapp")->click();
        dialog->findChild<QPushButton*>("btnClose")->click();
    });
    QTest::mouseClick(cardButton(list(3), 12, "APPOINT"), Qt::LeftButton);
    QVERIFY(warningHidden);
    QCOMPARE(m_urls->opened.size(), 1);
    QVERIFY(m_urls->opened.first().toString().endsWith(QStringLiteral("/120255512?text=")));
    QVERIFY(m_fake->waitForRequests(makeAppointPath, 1));
    QCOMPARE(m_fake->lastRequest(makeAppointPath).body, QByteArray("user_id=1&service_id=12"));
    // Appointment mode does not move the member anywhere.
    QCOMPARE(m_window->currentKind(), 3);
}

void TstCqWndService::failedListTellsMember_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("refused") << "refused";
    QTest::newRow("HTTP 500") << "500";
    QTest::newRow("not JSON") << "text";
    QTest::newRow("error code") << "code";
    QTest::newRow("stall") << "stall";
}

void TstCqWndService::failedListTellsMember()
{
    QFETCH(QString, fault);
    if (fault == QLatin1String("refused")) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        qputenv("OLVA_API_HOST", "127.0.0.1:" + QByteArray::number(port));
    } else if (fault == QLatin1String("500")) {
        m_fake->setDefaultReply(getServicePath, FakeServer::Reply::error(500));
    } else if (fault == QLatin1String("text")) {
        m_fake->setDefaultReply(getServicePath, FakeServer::Reply::json("<html>Service Unavailable</html>"));
    } else if (fault == QLatin1String("code")) {
        m_fake->setDefaultReply(getServicePath, FakeServer::Reply::json(R"({"result_code":9})"));
    } else {
        m_fake->setDefaultReply(getServicePath, FakeServer::Reply::hang());
    }

    startWindow();
    QVERIFY(loadingWindow->isLoading());
    QTRY_VERIFY(!loadingWindow->isLoading());
    QTRY_VERIFY(messages().contains(couldNotLoad));
    QVERIFY(list(0)->entries().isEmpty());

    // The window stays usable: another tab asks again.
    m_fake->useAsApiHost();
    m_fake->setDefaultReply(getServicePath,
                            FakeServer::Reply::json(listReply("service_list", {entry(21, "20")})));
    tabs("tabProducts")->tab(1)->click();
    QTRY_COMPARE(list(1)->entries().size(), 1);
    QTRY_VERIFY(!loadingWindow->isLoading());
}

void TstCqWndService::failedListIsAskedAgainOnReturn_data()
{
    QTest::addColumn<QString>("back");
    QTest::newRow("the same tab again") << "same tab";
    QTest::newRow("another tab and back") << "other tab";
    QTest::newRow("back to the window") << "window";
}

void TstCqWndService::failedListIsAskedAgainOnReturn()
{
    QFETCH(QString, back);
    m_fake->enqueue(getServicePath, FakeServer::Reply::error(500));
    m_fake->setDefaultReply(getServicePath, FakeServer::Reply::json(listReply("service_list", {entry(21, "20")})));
    startWindow();
    QTRY_VERIFY(messages().contains(couldNotLoad));
    QPointer<CqWndServiceItem> failed = list(0);
    QVERIFY(failed && failed->entries().isEmpty());

    if (back == QLatin1String("same tab")) {
        tabs("tabProducts")->tab(0)->click();
    } else if (back == QLatin1String("other tab")) {
        tabs("tabProducts")->tab(1)->click();
        QTRY_COMPARE(list(1) ? list(1)->entries().size() : 0, 1);
        tabs("tabProducts")->tab(0)->click();
    } else {
        m_window->retryFailedList();
    }
    QTRY_VERIFY(list(0) && list(0)->entries().size() == 1);
    QTRY_VERIFY(!failed);
    int telehealth = 0;
    for (const FakeServer::Request& request : m_fake->requests(getServicePath))
        telehealth += request.field("service_type") == QLatin1String("TELEHEALTH") ? 1 : 0;
    QCOMPARE(telehealth, 2);
    QCOMPARE(messages().count(couldNotLoad), 1);

    // Loaded now: a return keeps it.
    CqWndServiceItem* loaded = list(0);
    tabs("tabProducts")->tab(0)->click();
    m_window->retryFailedList();
    QCOMPARE(list(0), loaded);
}

void TstCqWndService::badReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("cards");

    QList<QJsonObject> many;
    for (int id = 1; id <= 1000; ++id)
        many << entry(id, "1.5");
    QTest::newRow("1000 entries") << listReply("service_list", many) << 1000;
    QTest::newRow("repeated ids") << listReply("service_list", {entry(4, "1"), entry(4, "2"), entry(5, "3")}) << 2;
    QTest::newRow("numbers where strings belong")
        << QByteArray(R"({"result_code":0,"service_list":[{"id":4,"title":7,"price":12.5,"status":true,"appoint":0}]})") << 1;
    QTest::newRow("odd prices") << listReply("service_list", {entry(1, "abc"), entry(2, "1e308")}) << 2;
    QTest::newRow("no array") << QByteArray(R"({"result_code":0})") << 0;
    QTest::newRow("array of junk") << QByteArray(R"({"result_code":0,"service_list":[1,[2],"three",null]})") << 0;
    const QString longText(500, QLatin1Char('"'));
    QJsonObject odd = entry(9, "5");
    odd.insert("skype", QString(QStringLiteral("a b?c#d") + longText));
    odd.insert("title", longText);
    QTest::newRow("500 quotes") << listReply("service_list", {odd}) << 1;
}

void TstCqWndService::badReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, cards);
    m_fake->setDefaultReply(getServicePath, FakeServer::Reply::json(reply));
    startWindow();
    QVERIFY(m_fake->waitForRequests(getServicePath, 1));
    QTRY_VERIFY(!loadingWindow->isLoading());
    CqWndServiceItem* shown = list(0);
    QCOMPARE(shown->entries().size(), cards);
    QCOMPARE(shown->findChildren<MyLabel*>(QRegularExpression("^item_\\d+$")).size(), cards);
    if (QTest::currentDataTag() == QByteArrayLiteral("odd prices")) {
        QTRY_COMPARE(buttonTexts(shown, 1), QStringList{"FREE"});
        QTRY_COMPARE(buttonTexts(shown, 2), QStringList{"BUY - $1e308"});
    }
    if (QTest::currentDataTag() == QByteArrayLiteral("repeated ids"))
        QTRY_COMPARE(buttonTexts(shown, 4), QStringList{"BUY - $2"});
}

void TstCqWndService::smallScreenPictures()
{
    isSmallScreen = true;
    m_fake->setDefaultReply(getServicePath, FakeServer::Reply::json(listReply("service_list", {entry(1, "5")})));
    m_fake->setDefaultReply(getCartPath, FakeServer::Reply::json(listReply("checkout_list", {entry(2, "5")})));
    startWindow();
    QTRY_COMPARE(list(0)->entries().size(), 1);
    QCOMPARE(list(0)->findChild<MyLabel*>("item_1")->size(), QSize(300, 200));
    tabs("tabCategory")->tab(2)->click();
    QTRY_COMPARE(list(4)->entries().size(), 1);
    QCOMPARE(list(4)->findChild<MyLabel*>("item_2")->size(), QSize(300, 200));
    isSmallScreen = false;
}

void TstCqWndService::contactCoach()
{
    startWindow();
    auto* contact = m_window->findChild<QPushButton*>("btnContact");
    QCOMPARE(contact->text(), QStringLiteral("CONTACT COACH"));
    QTest::mouseClick(contact, Qt::LeftButton);
    QTRY_VERIFY(messages().contains(
        QStringLiteral("This is not available in Desktop.\n Use mobile version for this function.")));
}

QTEST_MAIN(TstCqWndService)
#include "tst_cqwndservice.moc"
