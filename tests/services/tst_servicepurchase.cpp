#include "demosession.h"

#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "modalhelper.h"
#include "servicecards.h"
#include "services/cqwndservice.h"
#include "services/cqwndserviceitem.h"
#include "testenvironment.h"
#include "urlrecorder.h"
#include "widgets/qtmaterialsnackbar.h"
#include "widgets/qtmaterialtabs.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

namespace {

QStringList cardButtonTexts(QWidget* list, int id)
{
    QStringList texts;
    for (QPushButton* button : list->findChildren<QPushButton*>(QStringLiteral("item_%1").arg(id))) {
        if (button->text() != QLatin1String("Product Details"))
            texts << button->text();
    }
    texts.sort();
    return texts;
}

void typeInto(QDialog* dialog, const char* name, const QString& text)
{
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    QVERIFY2(edit, name);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

} // namespace

// A member buys a telehealth service from the main window against
// olva-server's demo data, pays for it, schedules it, completes it, and
// tidies the service cart, seeing on screen what happens at each step.
class TstServicePurchase final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void buyPayScheduleComplete();

private:
    CqWndServiceItem* shownList(int kind);
    void clickTab(const char* bar, int index);
    int paymentsOf(qint64 userId);
    int openAppointments(qint64 serviceId);
    bool sawMessage(const QString& text) const;

    DemoSession m_demo;
    MainWindow* m_main = nullptr;
    CqWndService* m_services = nullptr;
    std::unique_ptr<UrlRecorder> m_urls;
};

void TstServicePurchase::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_demo.start());
    QVERIFY(m_demo.signInThroughLogin());
    // The friends reminder comes up by itself on the first run: NO.
    bool reminded = false;
    whenModal(QStringLiteral("CqDlgCheckInvite"), [&reminded](QDialog* dialog) {
        reminded = true;
        dialog->findChild<QPushButton*>(QStringLiteral("btnNo"))->click();
    }, 15000);
    m_main = m_demo.showMainWindow();
    QVERIFY(m_main);
    QTRY_VERIFY_WITH_TIMEOUT(reminded, 15000);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    m_urls = std::make_unique<UrlRecorder>();
}

void TstServicePurchase::cleanupTestCase()
{
    TestEnvironment::closeModals();
    m_urls.reset();
}

CqWndServiceItem* TstServicePurchase::shownList(int kind)
{
    if (!QTest::qWaitFor([&] { return m_services->listWindow(kind) != nullptr; }, 5000))
        return nullptr;
    auto* list = qobject_cast<CqWndServiceItem*>(m_services->listWindow(kind)->widget());
    if (!list || !QTest::qWaitFor([] { return !loadingWindow->isLoading(); }, 10000))
        return nullptr;
    QCoreApplication::processEvents();
    return list;
}

void TstServicePurchase::clickTab(const char* bar, int index)
{
    QTest::mouseClick(m_services->findChild<QtMaterialTabs*>(QString::fromLatin1(bar))->tab(index), Qt::LeftButton);
}

int TstServicePurchase::paymentsOf(qint64 userId)
{
    QSqlQuery query(m_demo.server().context().db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM payments WHERE user_id = ?"));
    query.addBindValue(userId);
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

int TstServicePurchase::openAppointments(qint64 serviceId)
{
    QSqlQuery query(m_demo.server().context().db);
    query.prepare(QStringLiteral(
        "SELECT appoint FROM service_purchases WHERE user_id = 1 AND service_id = ? AND completed = 0"));
    query.addBindValue(serviceId);
    return query.exec() && query.next() ? query.value(0).toInt() : -1;
}

bool TstServicePurchase::sawMessage(const QString& text) const
{
    return m_main->messageBar()->messages().contains(text);
}

void TstServicePurchase::buyPayScheduleComplete()
{
    // The main window's TELE HEALTH button opens the live services on the
    // telehealth store.
    auto* tele = m_main->findChild<QPushButton*>(QStringLiteral("btnTele"));
    QVERIFY(tele);
    QCOMPARE(tele->accessibleName(), QStringLiteral("Telehealth"));
    bool captioned = false;
    for (const QLabel* label : m_main->findChildren<QLabel*>())
        captioned = captioned || (label->text() == QStringLiteral("TELE \nHEALTH") && label->isVisible());
    QVERIFY(captioned);
    QTest::mouseClick(tele, Qt::LeftButton);
    QTRY_VERIFY((m_services = m_main->findChild<CqWndService*>()));
    QTRY_VERIFY(m_services->isVisible());
    CqWndServiceItem* store = shownList(0);
    QVERIFY(store);
    QTRY_VERIFY(cardButton(store, 14, QStringLiteral("BUY - $29.99")));

    // The details of the service, then close them.
    QString detailsTitle;
    whenModal(QStringLiteral("CqDlgDetails"), [&detailsTitle](QDialog* dialog) {
        detailsTitle = dialog->findChild<QLabel*>(QStringLiteral("lblTitle"))->text();
        dialog->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
    });
    QTest::mouseClick(cardButton(store, 14, QStringLiteral("Product Details")), Qt::LeftButton);
    QCOMPARE(detailsTitle, QStringLiteral("Sleep Habits Consultation"));

    // BUY, then VIEW CART / CHECKOUT: the cart holds it next to the demo's.
    whenModal(QStringLiteral("CqDlgBuy1"), [](QDialog* dialog) {
        clickInModal(QStringLiteral("CqDlgCart"), QStringLiteral("btnCart"));
        dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
    });
    QTest::mouseClick(cardButton(store, 14, QStringLiteral("BUY - $29.99")), Qt::LeftButton);
    QCOMPARE(m_services->currentKind(), 4);
    CqWndServiceItem* cart = shownList(4);
    QVERIFY(cart);
    QTRY_COMPARE(cart->entries().keys(), (QList<int>{13, 14, 24}));
    QCOMPARE(cart->findChild<QLabel*>(QStringLiteral("lblSubtotal"))->text(), QStringLiteral("SUBTOTAL $102.97"));

    // Two entries out: the cart keeps the new service alone.
    for (int id : {13, 24}) {
        QPointer<CqWndServiceItem> before = cart;
        QTest::mouseClick(cardButton(cart, id, QStringLiteral("X")), Qt::LeftButton);
        QTRY_VERIFY(!before);
        cart = shownList(4);
        QVERIFY(cart);
    }
    QTRY_COMPARE(cart->entries().keys(), QList<int>{14});
    QCOMPARE(cart->findChild<QLabel*>(QStringLiteral("lblSubtotal"))->text(), QStringLiteral("SUBTOTAL $29.99"));
    QCOMPARE(m_services->currentKind(), 4);

    // CHECKOUT NOW: the billing address (no shipping question), then the
    // accepted test card.
    const int paymentsBefore = paymentsOf(1);
    bool shippingAsked = true;
    QString payWhileWaiting;
    whenModal(QStringLiteral("CqDlgAddress"), [&](QDialog* address) {
        shippingAsked = address->findChild<QWidget*>(QStringLiteral("chkShop"))->isVisible();
        typeInto(address, "edtCountry", QStringLiteral("United States"));
        typeInto(address, "edtFirstName", QStringLiteral("Dana"));
        typeInto(address, "edtLastName", QStringLiteral("Demo"));
        typeInto(address, "edtAddress", QStringLiteral("1 Main Street"));
        typeInto(address, "edtCity", QStringLiteral("Springfield"));
        typeInto(address, "edtState", QStringLiteral("IL"));
        typeInto(address, "edtCode", QStringLiteral("62701"));
        typeInto(address, "edtEmail", DemoSession::email());
        typeInto(address, "edtPhone", QStringLiteral("2025550100"));
        whenModal(QStringLiteral("CqDlgCard1"), [&](QDialog* card) {
            auto* first = card->findChild<QLineEdit*>(QStringLiteral("edtCard1"));
            first->setFocus();
            // Typed in one go: the boxes hand the focus on to the month.
            for (const QChar digit : QStringLiteral("424242424242424207"))
                QTest::keyClick(card->focusWidget(), digit.toLatin1());
            typeInto(card, "edtYear", QStringLiteral("29"));
            typeInto(card, "edtCvv", QStringLiteral("123"));
            auto* pay = card->findChild<QPushButton*>(QStringLiteral("btnOk"));
            QTest::mouseClick(pay, Qt::LeftButton);
            payWhileWaiting = pay->text();
            QTest::mouseClick(pay, Qt::LeftButton); // a second press while waiting charges nothing
            if (!QTest::qWaitFor([card] { return !card->isVisible(); }, 10000)) {
                qWarning() << "payment not accepted:" << m_main->messageBar()->messages();
                card->reject();
            }
        });
        QTest::mouseClick(address->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
    });
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QVERIFY(!shippingAsked);
    QCOMPARE(payWhileWaiting, QStringLiteral("WAIT"));
    QCOMPARE(paymentsOf(1), paymentsBefore + 1);

    // Paid: back on the store with every list asked again; bought, not yet
    // scheduled.
    QCOMPARE(m_services->currentKind(), 0);
    store = shownList(0);
    QVERIFY(store);
    QTRY_COMPARE(cardButtonTexts(store, 14), (QStringList{"PURCHASED", "SCHEDULE"}));
    clickTab("tabCategory", 2);
    cart = shownList(4);
    QVERIFY(cart);
    QTRY_VERIFY(cart->entries().isEmpty());
    QVERIFY(!cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")));

    // The purchases: schedule over WhatsApp and over Skype (not installed
    // first, then installed).
    clickTab("tabCategory", 1);
    CqWndServiceItem* purchases = shownList(3);
    QVERIFY(purchases);
    QTRY_COMPARE(cardButtonTexts(purchases, 14), (QStringList{"APPOINT", "COMPLETED", "SCHEDULE"}));
    QString content;
    whenModal(QStringLiteral("CqDlgServiceInfo"), [&content](QDialog* dialog) {
        content = dialog->findChild<QLabel*>(QStringLiteral("lblContent"))->text();
        dialog->findChild<QPushButton*>(QStringLiteral("btnWhatsapp"))->click();
        clickInModal(QStringLiteral("CqDlgSkype"), QStringLiteral("btnCancel"));
        dialog->findChild<QPushButton*>(QStringLiteral("btnSkype"))->click();
        clickInModal(QStringLiteral("CqDlgSkype"), QStringLiteral("btnOk"));
        dialog->findChild<QPushButton*>(QStringLiteral("btnSkype"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
    });
    QTest::mouseClick(cardButton(purchases, 14, QStringLiteral("SCHEDULE")), Qt::LeftButton);
    QVERIFY(content.contains(QStringLiteral("schedule your appointment")));
    QCOMPARE(m_urls->opened.size(), 3);
    QCOMPARE(m_urls->opened.at(0).path(), QStringLiteral("/12025550114"));
    QCOMPARE(m_urls->opened.at(0).query(), QStringLiteral("text="));
    QVERIFY(m_urls->opened.at(1).scheme().startsWith(QStringLiteral("http")));
    QCOMPARE(m_urls->opened.at(2).toString(), QStringLiteral("skype:olva.sleep.omar?chat"));
    // Scheduling from the purchases stays there; WhatsApp and Skype's YES
    // each made an appointment, the download page none.
    QCOMPARE(m_services->currentKind(), 3);
    QTRY_COMPARE(openAppointments(14), 2);

    // COMPLETED, then OK: the purchases are asked again without it.
    QPointer<CqWndServiceItem> oldPurchases = purchases;
    clickInModal(QStringLiteral("CqDlgConfirmComplete"), QStringLiteral("btnOk"));
    QTest::mouseClick(cardButton(purchases, 14, QStringLiteral("COMPLETED")), Qt::LeftButton);
    QTRY_VERIFY(!oldPurchases);
    purchases = shownList(3);
    QVERIFY(purchases);
    QTRY_VERIFY(!purchases->entries().contains(14));
    QVERIFY(cardButtonTexts(purchases, 14).isEmpty());
    QCOMPARE(m_services->currentKind(), 3);

    // Completed: the store sells it again.
    clickTab("tabCategory", 0);
    store = shownList(0);
    QVERIFY(store);
    QTRY_COMPARE(cardButtonTexts(store, 14), QStringList{"BUY - $29.99"});
    QCOMPARE(paymentsOf(1), paymentsBefore + 1);
    QVERIFY(!sawMessage(QStringLiteral("Payment Error, Something Wrong. Try again.")));
}

QTEST_MAIN(TstServicePurchase)
#include "tst_servicepurchase.moc"
