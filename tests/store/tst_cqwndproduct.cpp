#include "app/accountstate.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/featurewindows.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "store/cqwnditems.h"
#include "store/cqwndproduct.h"
#include "storetesthelpers.h"
#include "testenvironment.h"
#include "widgets/qtmaterialtabs.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

using namespace StoreJson;

class TestCqWndProduct final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void texts_data();
    void texts();
    void smallScreenBreaksTheTab();
    void tabsSelectTheListKind_data();
    void tabsSelectTheListKind();
    void productRowOnlyWithTheStoreTab();
    void contactCoachOpensNothing();
    void passThroughsReloadTheCurrentTab();
    void removedCartEntryShowsAFreshCart();
    void mainWindowButtonsOpenTheStores();
    void replacedListsAreDeleted();
    void listReplacedUnderItsDialogOutlivesIt();
    void listClosedWhileLoadingEndsTheOverlay();

private:
    CqWndProduct* openStore(int category);
    QMdiSubWindow* activeList(CqWndProduct* store) const;

    FakeServer* m_fake = nullptr;
    std::unique_ptr<MessageWatch> m_messages;
};

void TestCqWndProduct::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    m_fake->useAsApiHost();
    registerStoreWindows();
    CqWndItems::setReplyTimeout(2000);
    for (const char* path : {"/api/getVideos", "/api/getCheckout", "/api/getLocalVideo"})
        m_fake->setDefaultReply(QString::fromLatin1(path), FakeServer::Reply::json(R"({"result_code":0})"));
    MainWindow::instance()->resize(1400, 900);
    MainWindow::instance()->show();
}

void TestCqWndProduct::init()
{
    m_fake->clear();
    for (const char* path : {"/api/getVideos", "/api/getCheckout", "/api/getLocalVideo"})
        m_fake->setDefaultReply(QString::fromLatin1(path), FakeServer::Reply::json(R"({"result_code":0})"));
    currentUserId = QStringLiteral("3");
    QVERIFY(MessageWatch::drain());
    m_messages = std::make_unique<MessageWatch>();
}

void TestCqWndProduct::cleanup()
{
    TestEnvironment::closeModals();
    QTRY_VERIFY(!isBusyLoading());
}

CqWndProduct* TestCqWndProduct::openStore(int category)
{
    MainWindow* main = MainWindow::instance();
    main->showSubWindow(SubWindowKind::StoreWorkout + category, main->subWindow(SubWindowKind::StoreWorkout + category));
    QMdiSubWindow* sub = main->subWindow(SubWindowKind::StoreWorkout + category);
    if (sub->mdiArea() == nullptr)
        main->showSubWindow(SubWindowKind::StoreWorkout + category, nullptr);
    auto* store = qobject_cast<CqWndProduct*>(sub->widget());
    if (store)
        (void)QTest::qWaitFor([store] { return store->currentList() && store->currentList()->isFinished(); }, 5000);
    return store;
}

void TestCqWndProduct::texts_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QStringList>("categoryTabs");
    QTest::addColumn<QStringList>("productTabs");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("subtitle");
    QTest::newRow("workout") << 0 << QStringList{"MY VIDEO STORE", "MY LIBRARY", "VIEW CART"}
                             << QStringList{"INDIVIDUAL VIDEOS", "COMPLETE PROGRAMS", "SEARCH"}
                             << "WORKOUT ANYWHERE ANY DEVICE\nOnline - Offline" << "";
    QTest::newRow("nutrition") << 1 << QStringList{"NUTRITION PRODUCTS", "MY LIBRARY", "VIEW CART"}
                               << QStringList{"NUTRITION PRODUCTS", "NUTRITION VIDEOS", "SEARCH"}
                               << "DIETTTIAN DESIGNED NUTRITION"
                               << "For weight loss, fitness, diabetes, meat eaters, vegetarian, gluten, diary and food sensitivities.";
    QTest::newRow("coaching") << 2 << QStringList{"COACHING SERVICES", "MY LIBRARY", "VIEW CART"}
                              << QStringList{"COACHING PRODUCTS", "COACHING VIDEOS", "SEARCH"}
                              << "ONE-ON-ONE HEALTH COACHING"
                              << "Get one-on-one personalized health coaching, Let us help you maxmize your results.";
}

void TestCqWndProduct::texts()
{
    QFETCH(int, category);
    QFETCH(QStringList, categoryTabs);
    QFETCH(QStringList, productTabs);
    QFETCH(QString, subtitle);
    CqWndProduct* store = openStore(category);
    QVERIFY(store);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(store->categoryTabs()->tab(i)->text(), categoryTabs.at(i));
        QCOMPARE(store->productTabs()->tab(i)->text(), productTabs.at(i));
    }
    QTEST(store->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), "title");
    QLabel* sub = store->findChild<QLabel*>(QStringLiteral("lblSubTitle"));
    QCOMPARE(sub->isVisible() ? sub->text() : QString(), subtitle);
    QVERIFY(!store->findChild<QAbstractButton*>(QStringLiteral("btnHome"))->accessibleName().isEmpty());
}

void TestCqWndProduct::smallScreenBreaksTheTab()
{
    const bool wasSmall = isSmallScreen;
    isSmallScreen = true;
    CqWndProduct store(1);
    isSmallScreen = wasSmall;
    QCOMPARE(store.categoryTabs()->tab(0)->text(), QStringLiteral("NUTRITION\nPRODUCTS"));
    QTRY_VERIFY(store.currentList() && store.currentList()->isFinished());
}

void TestCqWndProduct::tabsSelectTheListKind_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("categoryTab");
    QTest::addColumn<int>("productTab");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("path");
    QTest::newRow("coaching cart") << 2 << 2 << 0 << 14 << "/api/getCheckout";
    QTest::newRow("workout search") << 0 << 0 << 2 << 2 << "/api/getVideos";
    QTest::newRow("nutrition videos") << 1 << 0 << 1 << 6 << "/api/getVideos";
    QTest::newRow("workout library") << 0 << 1 << 0 << 3 << "/api/getLocalVideo";
}

void TestCqWndProduct::tabsSelectTheListKind()
{
    QFETCH(int, category);
    QFETCH(int, categoryTab);
    QFETCH(int, productTab);
    QFETCH(int, kind);
    QFETCH(QString, path);
    CqWndProduct* store = openStore(category);
    QVERIFY(store);
    store->categoryTabs()->setCurrentTab(0);
    store->productTabs()->setCurrentTab(productTab);
    store->categoryTabs()->setCurrentTab(categoryTab);
    QTRY_VERIFY(store->currentList() && store->currentList()->isFinished());
    QCOMPARE(store->currentList()->kind(), kind);
    QCOMPARE(store->currentKind(), kind);
    QVERIFY(m_fake->requestCount(path) >= 1);
    if (kind == 2) {
        auto* search = store->currentList()->findChild<QLineEdit*>(QStringLiteral("search"));
        QVERIFY(search && search->isVisible());
    }
    store->productTabs()->setCurrentTab(0);
    store->categoryTabs()->setCurrentTab(0);
    QTRY_VERIFY(store->currentList()->isFinished());
}

void TestCqWndProduct::productRowOnlyWithTheStoreTab()
{
    CqWndProduct* store = openStore(0);
    QWidget* row = store->findChild<QWidget*>(QStringLiteral("wdgProducts"));
    store->productTabs()->setCurrentTab(1);
    store->categoryTabs()->setCurrentTab(2);
    QVERIFY(!row->isVisible());
    store->categoryTabs()->setCurrentTab(1);
    QVERIFY(!row->isVisible());
    store->categoryTabs()->setCurrentTab(0);
    QVERIFY(row->isVisible());
    QCOMPARE(store->productTabs()->currentIndex(), 1); // kept its product tab
    QTRY_VERIFY(store->currentList()->isFinished());
    QCOMPARE(store->currentList()->kind(), 1);
    store->productTabs()->setCurrentTab(0);
    QTRY_VERIFY(store->currentList()->isFinished());
}

void TestCqWndProduct::contactCoachOpensNothing()
{
    CqWndProduct* store = openStore(0);
    QTest::mouseClick(store->findChild<QAbstractButton*>(QStringLiteral("btnContact")), Qt::LeftButton);
    QTRY_VERIFY(m_messages->saw(QStringLiteral("This is not available in Desktop.\n Use mobile version for this function.")));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestCqWndProduct::passThroughsReloadTheCurrentTab()
{
    CqWndProduct* store = openStore(1);
    MainWindow* main = MainWindow::instance();
    const int before = m_fake->requestCount(QStringLiteral("/api/getCheckout"));
    main->showCart();
    QCOMPARE(store->categoryTabs()->currentIndex(), 2);
    QTRY_VERIFY(store->currentList()->isFinished());
    main->showCart(); // again: a fresh cart
    QTRY_VERIFY(store->currentList()->isFinished());
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/getCheckout")), before + 2);
    QCOMPARE(store->currentList()->kind(), 9);
    main->showLibrary();
    QTRY_VERIFY(store->currentList()->isFinished());
    QCOMPARE(store->currentList()->kind(), 8);
    main->showStore();
    QTRY_VERIFY(store->currentList()->isFinished());
    QCOMPARE(store->currentList()->kind(), 5);
}

void TestCqWndProduct::removedCartEntryShowsAFreshCart()
{
    CqWndProduct* store = openStore(2);
    m_fake->enqueueJson(QStringLiteral("getCheckout"), list("checkout_list", {product(504, QStringLiteral("COACHING"), QStringLiteral("5.99"))}));
    store->showCart();
    QTRY_VERIFY(store->currentList()->isFinished());
    CqWndItems* cart = store->currentList();
    QCOMPARE(cart->items().size(), 1);
    m_fake->enqueueJson(QStringLiteral("removeCheckout"), R"({"result_code":0})");
    QPushButton* remove = nullptr;
    for (QPushButton* button : cart->findChildren<QPushButton*>(QStringLiteral("item_504"))) {
        if (button->text() == QLatin1String("X"))
            remove = button;
    }
    QVERIFY(remove);
    QTest::mouseClick(remove, Qt::LeftButton);
    QTRY_VERIFY(store->currentList() != cart);
    QTRY_VERIFY(store->currentList()->isFinished());
    QCOMPARE(store->currentList()->kind(), 14);
    QVERIFY(store->currentList()->items().isEmpty());
    store->showStore();
    QTRY_VERIFY(store->currentList()->isFinished());
}

void TestCqWndProduct::mainWindowButtonsOpenTheStores()
{
    MainWindow* main = MainWindow::instance();
    QTRY_VERIFY(!isBusyLoading());
    for (const auto& [button, category] : {std::pair{"btnWork", 0}, std::pair{"btnNutrition", 1}, std::pair{"btnCoaching", 2}}) {
        QTest::mouseClick(main->findChild<QAbstractButton*>(QString::fromLatin1(button)), Qt::LeftButton);
        QMdiSubWindow* current = main->findChild<QMdiArea*>(QStringLiteral("mdiArea"))->currentSubWindow();
        QVERIFY(current);
        auto* store = qobject_cast<CqWndProduct*>(current->widget());
        QVERIFY(store);
        QCOMPARE(store->category(), category);
        QTRY_VERIFY(!isBusyLoading());
    }
}

void TestCqWndProduct::replacedListsAreDeleted()
{
    CqWndProduct* store = openStore(0);
    QPointer<CqWndItems> first = store->currentList();
    QList<QPointer<CqWndItems>> replaced;
    for (int i = 0; i < 20; ++i) {
        replaced.append(store->currentList());
        store->productTabs()->setCurrentTab(i % 3);
    }
    QTRY_VERIFY(store->currentList()->isFinished());
    QTRY_VERIFY(!first);
    for (const QPointer<CqWndItems>& list : replaced)
        QTRY_VERIFY(!list);
    QCOMPARE(store->findChild<QMdiArea*>(QStringLiteral("mdiArea"))->subWindowList().size(), 1);
    store->productTabs()->setCurrentTab(0);
    QTRY_VERIFY(store->currentList()->isFinished());
}

// A download's report or a renewal may show the library while a dialog of
// the current list (buy, cart, payment) is still open.
void TestCqWndProduct::listReplacedUnderItsDialogOutlivesIt()
{
    CqWndProduct* store = openStore(0);
    QPointer<CqWndItems> list = store->currentList();
    QVERIFY(list);
    bool aliveUnderDialog = false;
    {
        // As the list's own dialogs are: on the stack, with the list as parent.
        QDialog dialog(list);
        QTimer::singleShot(0, &dialog, [&] {
            store->showLibrary();
            QTest::qWait(300); // deferred deletions run in this loop too
            aliveUnderDialog = !list.isNull();
            dialog.reject();
        });
        dialog.exec();
    }
    QVERIFY(aliveUnderDialog);
    QVERIFY(list);
    QCOMPARE(store->currentList()->kind(), 3);
    // Gone once no dialog is open.
    QTRY_VERIFY(!list);
    QTRY_VERIFY(store->currentList()->isFinished());
}

// The member leaves (the store window closes) while a list still waits for
// its answer: the busy overlay must not stay up for ever.
void TestCqWndProduct::listClosedWhileLoadingEndsTheOverlay()
{
    QTRY_VERIFY(!isBusyLoading());
    m_fake->enqueue(QStringLiteral("/api/getLocalVideo"), FakeServer::Reply::hang());
    auto list = std::make_unique<CqWndItems>(3, 0);
    QVERIFY(isBusyLoading());
    list.reset();
    QVERIFY(!isBusyLoading());
}

QTEST_MAIN(TestCqWndProduct)
#include "tst_cqwndproduct.moc"
