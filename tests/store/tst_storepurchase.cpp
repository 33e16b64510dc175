#include "app/accountstate.h"
#include "main/cqwndloading.h"
#include "main/featurewindows.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "demosession.h"
#include "store/cqwnditems.h"
#include "store/cqwndproduct.h"
#include "storetesthelpers.h"
#include "testenvironment.h"
#include "tests/account/modalscript.h"
#include "widgets/qtmaterialtabs.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

// A member shops in the demo store of olva-server like a person would:
// buttons, dialogs and typing, with the server's own prices and card checks.
class TestStorePurchase final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buyVideoWithTheAcceptedCard();
    void nutritionWithShippingAddress();
    void declinedCardSaysSo();
    void demoCardStates();

private:
    CqWndProduct* store(const char* button);
    QPushButton* button(CqWndItems* list, int id, const QString& text) const;
    void fillAddress(QDialog* dialog, const QString& prefix);
    void payWith(QDialog* dialog, const QString& number);
    void waitForList(CqWndProduct* store);

    std::unique_ptr<ServerFixture> m_server;
    std::unique_ptr<MessageWatch> m_messages;
};

void TestStorePurchase::initTestCase()
{
    TestEnvironment::isolate();
    registerStoreWindows();
    MainWindow::instance()->resize(1400, 900);
    MainWindow::instance()->show();
}

void TestStorePurchase::init()
{
    m_server = std::make_unique<ServerFixture>();
    QVERIFY(m_server->start(true));
    qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(m_server->port()));
    QVERIFY(signInClientAs(*m_server, 1));
    currentEmail = QStringLiteral("demo@olva.local");
    QVERIFY(MessageWatch::drain());
    m_messages = std::make_unique<MessageWatch>();
}

void TestStorePurchase::cleanup()
{
    TestEnvironment::closeModals();
    QTRY_VERIFY(!isBusyLoading());
    m_server.reset();
}

void TestStorePurchase::waitForList(CqWndProduct* store)
{
    QVERIFY(QTest::qWaitFor([store] { return store->currentList() && store->currentList()->isFinished(); }, 10000));
}

CqWndProduct* TestStorePurchase::store(const char* buttonName)
{
    MainWindow* main = MainWindow::instance();
    if (!QTest::qWaitFor([] { return !isBusyLoading(); }, 10000))
        return nullptr;
    QTest::mouseClick(main->findChild<QAbstractButton*>(QString::fromLatin1(buttonName)), Qt::LeftButton);
    QMdiSubWindow* current = main->findChild<QMdiArea*>(QStringLiteral("mdiArea"))->currentSubWindow();
    auto* window = current ? qobject_cast<CqWndProduct*>(current->widget()) : nullptr;
    if (window) {
        window->showStore(); // fresh data from this test's server
        waitForList(window);
    }
    return window;
}

QPushButton* TestStorePurchase::button(CqWndItems* list, int id, const QString& text) const
{
    for (QPushButton* candidate : list->findChildren<QPushButton*>(QStringLiteral("item_%1").arg(id))) {
        if (candidate->text() == text && candidate->isVisibleTo(list))
            return candidate;
    }
    return nullptr;
}

void TestStorePurchase::fillAddress(QDialog* dialog, const QString& prefix)
{
    const char* names[] = {"edtCountry", "edtFirstName", "edtLastName", "edtAddress", "edtCity",
                           "edtState",   "edtCode",      "edtEmail",    "edtPhone"};
    for (const char* name : names) {
        auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
        edit->insert(prefix); // typed through the input method: may be any text
        QTest::keyClicks(edit, QString::fromLatin1(name).mid(3));
    }
}

void TestStorePurchase::payWith(QDialog* dialog, const QString& number)
{
    for (int part = 0; part < 4; ++part)
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtCard%1").arg(part + 1)), number.mid(part * 4, 4));
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtMoth")), QStringLiteral("12"));
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtYear")),
                     QString::number((QDate::currentDate().year() + 1) % 100).rightJustified(2, QLatin1Char('0')));
    QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("edtCvv")), QStringLiteral("123"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
}

void TestStorePurchase::buyVideoWithTheAcceptedCard()
{
    CqWndProduct* workout = store("btnWork");
    QVERIFY(workout);
    CqWndItems* videos = workout->currentList();
    QCOMPARE(videos->kind(), 0);
    QPushButton* buy = button(videos, 103, QStringLiteral("BUY - $8.99"));
    QVERIFY(buy);

    onModal(videos, QStringLiteral("CqDlgBuy"), [this](QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
        onModal(dialog->parentWidget(), QStringLiteral("CqDlgCart"), [](QDialog* question) {
            QTest::mouseClick(question->findChild<QPushButton*>(QStringLiteral("btnCart")), Qt::LeftButton);
        });
    });
    QTest::mouseClick(buy, Qt::LeftButton);
    QTRY_VERIFY(workout->currentList() != videos);
    waitForList(workout);
    CqWndItems* cart = workout->currentList();
    QCOMPARE(cart->kind(), 4);
    QCOMPARE(cart->items().keys(), (QList<int>{102, 103}));
    auto* checkout = cart->findChild<QPushButton*>(QStringLiteral("btnCheckout"));
    QVERIFY(checkout && checkout->isVisible());

    bool shippingAsked = true;
    onModal(cart, QStringLiteral("CqDlgAddress"), [&](QDialog* dialog) {
        shippingAsked = dialog->findChild<QCheckBox*>(QStringLiteral("chkShop"))->isVisible();
        fillAddress(dialog, QStringLiteral("Zoë "));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
        onModal(dialog->parentWidget(), QStringLiteral("CqDlgCard"), [this](QDialog* card) {
            payWith(card, QStringLiteral("4242424242424242"));
        });
    });
    QTest::mouseClick(checkout, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(workout->currentList() != cart, 10000);
    waitForList(workout);
    QVERIFY(!shippingAsked);
    QCOMPARE(workout->categoryTabs()->currentIndex(), 0);
    // Bought: the card now offers the download, and the library has it.
    QVERIFY(button(workout->currentList(), 103, QStringLiteral("DOWNLOAD NOW!")));
    workout->showLibrary();
    waitForList(workout);
    QVERIFY(workout->currentList()->items().contains(103));
    workout->showCart();
    waitForList(workout);
    QVERIFY(workout->currentList()->items().isEmpty());
    workout->showStore();
    waitForList(workout);
}

void TestStorePurchase::nutritionWithShippingAddress()
{
    CqWndProduct* nutrition = store("btnNutrition");
    QVERIFY(nutrition);
    CqWndItems* products = nutrition->currentList();
    QPushButton* buy = button(products, 305, QStringLiteral("BUY - $19.99"));
    QVERIFY(buy);
    onModal(products, QStringLiteral("CqDlgBuy"), [](QDialog* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
        onModal(dialog->parentWidget(), QStringLiteral("CqDlgCart"), [](QDialog* question) {
            QTest::mouseClick(question->findChild<QPushButton*>(QStringLiteral("btnCart")), Qt::LeftButton);
        });
    });
    QTest::mouseClick(buy, Qt::LeftButton);
    QTRY_VERIFY(nutrition->currentList() != products);
    waitForList(nutrition);
    CqWndItems* cart = nutrition->currentList();
    QCOMPARE(cart->items().keys(), (QList<int>{303, 304, 305}));
    // 6.99 (the e-book of 303) + 29.99 + 19.99
    QCOMPARE(cart->findChild<QLabel*>(QStringLiteral("lblSubtotal"))->text(), QStringLiteral("SUBTOTAL $56.97"));

    int addressDialogs = 0;
    onModal(cart, QStringLiteral("CqDlgAddress"), [&](QDialog* billing) {
        ++addressDialogs;
        fillAddress(billing, QStringLiteral("Bill "));
        billing->findChild<QCheckBox*>(QStringLiteral("chkShop"))->setChecked(true);
        QTest::mouseClick(billing->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
        onModal(billing->parentWidget(), QStringLiteral("CqDlgAddress"), [&](QDialog* shipping) {
            ++addressDialogs;
            fillAddress(shipping, QStringLiteral("Ship "));
            QTest::mouseClick(shipping->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
            onModal(shipping->parentWidget(), QStringLiteral("CqDlgCard"), [this](QDialog* card) {
                payWith(card, QStringLiteral("4242424242424242"));
            });
        });
    });
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(nutrition->currentList() != cart, 10000);
    waitForList(nutrition);
    QCOMPARE(addressDialogs, 2);
    QCOMPARE(nutrition->currentList()->kind(), 5);
    QVERIFY(button(nutrition->currentList(), 305, QStringLiteral("PURCHASED")));
    QVERIFY(button(nutrition->currentList(), 303, QStringLiteral("PURCHASED - VIEW EBOOK")));
}

void TestStorePurchase::declinedCardSaysSo()
{
    CqWndProduct* workout = store("btnWork");
    QVERIFY(workout);
    workout->showCart();
    waitForList(workout);
    CqWndItems* cart = workout->currentList();
    QCOMPARE(cart->items().keys(), QList<int>{102});
    bool stillOpen = false;
    onModal(cart, QStringLiteral("CqDlgAddress"), [&](QDialog* dialog) {
        fillAddress(dialog, QString());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
        onModal(dialog->parentWidget(), QStringLiteral("CqDlgCard"), [&](QDialog* card) {
            payWith(card, QStringLiteral("4000000000000002"));
            QTRY_VERIFY(m_messages->saw(QStringLiteral("Payment Error, Something Wrong. Try again.")));
            stillOpen = card->isVisible() && card->findChild<QPushButton*>(QStringLiteral("btnOk"))->isEnabled();
            QTest::mouseClick(card->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
        });
    });
    QTest::mouseClick(cart->findChild<QPushButton*>(QStringLiteral("btnCheckout")), Qt::LeftButton);
    QTRY_VERIFY(stillOpen);
    QCOMPARE(workout->currentList(), cart); // nothing bought, still the cart
    workout->showStore();
    waitForList(workout);
}

void TestStorePurchase::demoCardStates()
{
    CqWndProduct* nutrition = store("btnNutrition");
    QVERIFY(nutrition);
    CqWndItems* list = nutrition->currentList();
    QVERIFY(button(list, 301, QStringLiteral("PURCHASED")));               // "1,0"
    QVERIFY(button(list, 301, QStringLiteral("PURCHASED - VIEW EBOOK")));
    QVERIFY(button(list, 302, QStringLiteral("PURCHASED")));               // "0,0"
    QVERIFY(button(list, 302, QStringLiteral("BUY Ebook - $5.99")));
    QVERIFY(button(list, 306, QStringLiteral("BUY - $27.99")));            // "1,1"
    QVERIFY(button(list, 306, QStringLiteral("PURCHASED - VIEW EBOOK")));
    QVERIFY(button(list, 305, QStringLiteral("BUY Ebook - $4.99")));       // "0,1"
    QVERIFY(!button(list, 304, QStringLiteral("FREE")));                    // no e-book: hidden

    CqWndProduct* workout = store("btnWork");
    QVERIFY(button(workout->currentList(), 101, QStringLiteral("DOWNLOAD NOW!")));
    QVERIFY(button(workout->currentList(), 106, QStringLiteral("FREE")));
    workout->productTabs()->setCurrentTab(1);
    waitForList(workout);
    QVERIFY(button(workout->currentList(), 201, QStringLiteral("PROGRAM VIDEOS!")));
    workout->productTabs()->setCurrentTab(0);
    waitForList(workout);
}

QTEST_MAIN(TestStorePurchase)
#include "tst_storepurchase.moc"
