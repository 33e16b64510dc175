#include "demosession.h"

#include "app/accountstate.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "modalhelper.h"
#include "servicecards.h"
#include "services/cqwndservice.h"
#include "services/cqwndserviceitem.h"
#include "testenvironment.h"
#include "urlrecorder.h"
#include "widgets/qtmaterialtabs.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

// The live services driven like a member against olva-server's demo data.
class TstServicesDemo final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void browseScheduleCompleteAndRemove();

private:
    CqWndServiceItem* shownList(int kind);
    void clickTab(const char* bar, int index);

    std::unique_ptr<ServerFixture> m_fixture;
    std::unique_ptr<MainWindow> m_main;
    std::unique_ptr<CqWndService> m_window;
    std::unique_ptr<UrlRecorder> m_urls;
};

void TstServicesDemo::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServicesDemo::init()
{
    m_fixture = std::make_unique<ServerFixture>();
    QVERIFY(m_fixture->start(true));
    qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(m_fixture->port()));
    QVERIFY(signInClientAs(*m_fixture, 1));
    m_main = std::make_unique<MainWindow>();
    m_urls = std::make_unique<UrlRecorder>();
}

void TstServicesDemo::cleanup()
{
    TestEnvironment::closeModals();
    m_window.reset();
    m_main.reset();
    m_urls.reset();
    m_fixture.reset();
    qunsetenv("OLVA_API_HOST");
}

CqWndServiceItem* TstServicesDemo::shownList(int kind)
{
    QMdiSubWindow* sub = m_window->listWindow(kind);
    auto* list = sub ? qobject_cast<CqWndServiceItem*>(sub->widget()) : nullptr;
    if (!list)
        return nullptr;
    // Wait for the reply: the busy overlay ends with it.
    if (!QTest::qWaitFor([] { return !loadingWindow->isLoading(); }, 10000))
        return nullptr;
    QCoreApplication::processEvents(); // the new cards show themselves from the event loop
    return list;
}

void TstServicesDemo::clickTab(const char* bar, int index)
{
    m_window->findChild<QtMaterialTabs*>(QString::fromLatin1(bar))->tab(index)->click();
}

void TstServicesDemo::browseScheduleCompleteAndRemove()
{
    m_window = std::make_unique<CqWndService>();
    m_window->resize(1600, 1000);
    m_window->show();

    // The telehealth store: one bought service to schedule, one with an
    // appointment made already, a free one, the rest for sale.
    CqWndServiceItem* store = shownList(0);
    QVERIFY(store);
    QVERIFY(store->entries().size() >= 5);
    QTRY_VERIFY(cardButton(store, 11, "PURCHASED"));
    QTRY_VERIFY(cardButton(store, 11, "SCHEDULE"));
    QTRY_VERIFY(cardButton(store, 12, "PURCHASED"));
    QTRY_VERIFY(!cardButton(store, 12, "SCHEDULE"));
    QTRY_VERIFY(cardButton(store, 16, "FREE"));
    QTRY_VERIFY(cardButton(store, 15, "BUY - $19.99"));

    // The other two types.
    clickTab("tabProducts", 1);
    CqWndServiceItem* fitness = shownList(1);
    QVERIFY(fitness);
    QTRY_VERIFY(cardButton(fitness, 21, "PURCHASED"));
    clickTab("tabProducts", 2);
    CqWndServiceItem* nutrition = shownList(2);
    QVERIFY(nutrition);
    QTRY_VERIFY(cardButton(nutrition, 31, "PURCHASED"));

    // The purchases hold all three types.
    clickTab("tabCategory", 1);
    CqWndServiceItem* purchases = shownList(3);
    QVERIFY(purchases);
    QCOMPARE(purchases->entries().keys(), (QList<int>{11, 12, 21, 31}));

    // Scheduling from the telehealth store over WhatsApp, then over Skype.
    clickTab("tabCategory", 0);
    clickTab("tabProducts", 0);
    store = shownList(0);
    whenModal("CqDlgServiceInfo", [](QDialog* dialog) {
        dialog->findChild<QPushButton*>("btnWhatsapp")->click();
        clickInModal("CqDlgSkype", "btnOk");
        dialog->findChild<QPushButton*>("btnSkype")->click();
        dialog->findChild<QPushButton*>("btnClose")->click();
    });
    QTest::mouseClick(cardButton(store, 11, "SCHEDULE"), Qt::LeftButton);
    QCOMPARE(m_urls->opened.size(), 2);
    QCOMPARE(m_urls->opened.at(0).path(), QStringLiteral("/12025550111"));
    QCOMPARE(m_urls->opened.at(1).toString(), QStringLiteral("skype:olva.dietitian.mara?chat"));
    QCOMPARE(m_window->currentKind(), 3);

    // The telehealth store now shows the appointment: no more SCHEDULE.
    QTRY_VERIFY(shownList(3));
    clickTab("tabCategory", 0);
    store = shownList(0);
    QVERIFY(store);
    QTRY_VERIFY(!cardButton(store, 11, "SCHEDULE"));

    // Completing closes the purchase.
    clickTab("tabCategory", 1);
    purchases = shownList(3);
    QVERIFY(purchases);
    clickInModal("CqDlgConfirmComplete", "btnOk");
    QTest::mouseClick(cardButton(purchases, 11, "COMPLETED"), Qt::LeftButton);
    QTRY_VERIFY(m_window->listWindow(3) && m_window->listWindow(3)->widget() != purchases);
    purchases = shownList(3);
    QVERIFY(purchases);
    QTRY_COMPARE(purchases->entries().keys(), (QList<int>{12, 21, 31}));

    // The service cart: two entries, then one after removing.
    clickTab("tabCategory", 2);
    CqWndServiceItem* cart = shownList(4);
    QVERIFY(cart);
    QCOMPARE(cart->entries().keys(), (QList<int>{13, 24}));
    QCOMPARE(cart->findChild<QLabel*>("lblSubtotal")->text(), QStringLiteral("SUBTOTAL $72.98"));
    QTest::mouseClick(cardButton(cart, 24, "X"), Qt::LeftButton);
    QTRY_VERIFY(m_window->listWindow(4) && m_window->listWindow(4)->widget() != cart);
    cart = shownList(4);
    QVERIFY(cart);
    QTRY_COMPARE(cart->entries().keys(), (QList<int>{13}));
    QCOMPARE(cart->findChild<QLabel*>("lblSubtotal")->text(), QStringLiteral("SUBTOTAL $44.99"));
    QCOMPARE(m_window->currentKind(), 4);
}

QTEST_MAIN(TstServicesDemo)
#include "tst_servicesdemo.moc"
