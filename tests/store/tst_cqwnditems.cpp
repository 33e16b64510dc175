#include "app/accountstate.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "store/cqwnditems.h"
#include "store/paymentkeeper.h"
#include "storetesthelpers.h"
#include "testenvironment.h"
#include "tests/account/modalscript.h"
#include "widgets/mylabel.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <memory>

using namespace StoreJson;

// Records the addresses the list window hands to the desktop.
class UrlCatcher final : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestCqWndItems final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void requestsItsList_data();
    void requestsItsList();
    void cartFooterAddsToTheCent_data();
    void cartFooterAddsToTheCent();
    void emptyCartHasNoFooter();
    void freeProductCannotBeBought();
    void ownedVideoIsNotBoughtAgain();
    void searchShowsNothingUntilText();
    void repeatedIdsGiveTwoCardsOneItem();
    void badLists_data();
    void badLists();
    void faults_data();
    void faults();
    void lateReplyAfterStallIsIgnored();
    void ebookViewerOpensOnTheApiHost();
    void removingFromCartSendsTheNamedId();
    void cartChangeAsksOrWaits_data();
    void cartChangeAsksOrWaits();
    void everyButtonIsNamed();
    void detailsShowTheWholeProduct();

private:
    CqWndItems* open(int kind, const QByteArray& reply, const char* endpoint = "getVideos");
    QList<QPushButton*> buttonsNamed(const QString& text) const;

    FakeServer* m_fake = nullptr;
    std::unique_ptr<CqWndItems> m_window;
    std::unique_ptr<MessageWatch> m_messages;
    UrlCatcher m_urls;
};

void TestCqWndItems::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    m_fake->useAsApiHost();
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_urls, "open");
    CqWndItems::setReplyTimeout(400);
}

void TestCqWndItems::init()
{
    m_fake->clear();
    currentUserId = QStringLiteral("7");
    QVERIFY(MessageWatch::drain());
    m_messages = std::make_unique<MessageWatch>();
    m_urls.urls.clear();
}

void TestCqWndItems::cleanup()
{
    m_window.reset();
    if (loadingWindow && loadingWindow->isLoading())
        loadingWindow->stopLoading();
    TestEnvironment::closeModals();
}

CqWndItems* TestCqWndItems::open(int kind, const QByteArray& reply, const char* endpoint)
{
    if (!reply.isNull())
        m_fake->enqueueJson(QString::fromLatin1(endpoint), reply);
    m_window = std::make_unique<CqWndItems>(kind, 0);
    m_window->resize(1200, 800);
    m_window->show();
    if (!reply.isNull() && !QTest::qWaitFor([this] { return m_window->isFinished(); }, 10000))
        return nullptr;
    return m_window.get();
}

QList<QPushButton*> TestCqWndItems::buttonsNamed(const QString& text) const
{
    QList<QPushButton*> found;
    for (QPushButton* button : m_window->findChildren<QPushButton*>()) {
        if (button->text() == text && button->isVisibleTo(m_window.get()))
            found.append(button);
    }
    return found;
}

void TestCqWndItems::requestsItsList_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::newRow("complete programs") << 1 << "/api/getVideos" << "video_type" << "PROGRAM";
    QTest::newRow("nutrition search") << 7 << "/api/getVideos" << "video_type" << "SEARCH2";
    QTest::newRow("coaching cart") << 14 << "/api/getCheckout" << "product_type" << "COACHING";
    QTest::newRow("workout library") << 3 << "/api/getLocalVideo" << "type" << "WORKOUT";
}

void TestCqWndItems::requestsItsList()
{
    QFETCH(int, kind);
    QFETCH(QString, path);
    QFETCH(QString, field);
    QFETCH(QString, value);
    m_fake->setDefaultReply(path, FakeServer::Reply::json(R"({"result_code":0})"));
    open(kind, QByteArray());
    QVERIFY(m_fake->waitForRequests(path, 1));
    const FakeServer::Request request = m_fake->lastRequest(path);
    QCOMPARE(request.form().queryItems().size(), 2);
    QCOMPARE(request.form().queryItems().at(0), qMakePair(QStringLiteral("user_id"), QStringLiteral("7")));
    QCOMPARE(request.form().queryItems().at(1), qMakePair(field, value));
    QVERIFY(loadingWindow && loadingWindow->isVisible());
    QTRY_VERIFY(m_window->isFinished());
    QVERIFY(!loadingWindow->isLoading());
}

void TestCqWndItems::cartFooterAddsToTheCent_data()
{
    QTest::addColumn<QStringList>("prices");
    QTest::addColumn<QString>("subtotal");
    QTest::addColumn<QString>("firstPrice");
    QTest::newRow("10 + 5.5") << QStringList{"10", "5.5"} << "SUBTOTAL $15.50" << "PRICE - $10";
    QTest::newRow("19.99 + 0.01") << QStringList{"19.99", "0.01"} << "SUBTOTAL $20" << "PRICE - $19.99";
    QTest::newRow("12,345.67 keeps its cents") << QStringList{"12345.67"} << "SUBTOTAL $12345.67"
                                               << "PRICE - $12345.67";
    QTest::newRow("millions, no exponent") << QStringList{"1234567.5"} << "SUBTOTAL $1234567.50"
                                           << "PRICE - $1234567.50";
}

void TestCqWndItems::cartFooterAddsToTheCent()
{
    QFETCH(QStringList, prices);
    QFETCH(QString, subtotal);
    QFETCH(QString, firstPrice);
    QJsonArray entries;
    for (int i = 0; i < prices.size(); ++i) {
        QJsonObject entry = product(i + 1, QStringLiteral("NUTRITION"), prices.at(i));
        entry.insert(QStringLiteral("quantity"), QStringLiteral("4"));
        entries.append(entry);
    }
    QVERIFY(open(9, list("checkout_list", entries), "getCheckout"));
    auto* label = m_window->findChild<QLabel*>(QStringLiteral("lblSubtotal"));
    QVERIFY(label);
    QCOMPARE(label->text(), subtotal);
    QVERIFY(m_window->findChild<QPushButton*>(QStringLiteral("btnCheckout"))->isVisible());
    // Whatever the reply's quantity, each entry shows 1.
    const QList<QLineEdit*> quantities = m_window->findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^quantity_")));
    QCOMPARE(quantities.size(), prices.size());
    for (QLineEdit* quantity : quantities)
        QCOMPARE(quantity->text(), QStringLiteral("1"));
    QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("price_1"))->text(), firstPrice);
}

void TestCqWndItems::emptyCartHasNoFooter()
{
    QVERIFY(open(4, list("checkout_list", {}), "getCheckout"));
    QVERIFY(!m_window->findChild<QLabel*>(QStringLiteral("lblSubtotal")));
    QVERIFY(!m_window->findChild<QPushButton*>(QStringLiteral("btnCheckout")));
}

void TestCqWndItems::freeProductCannotBeBought()
{
    QVERIFY(open(0, list("video_list", {product(5, QStringLiteral("WORKOUT"), QStringLiteral("0"))})));
    const QList<QPushButton*> free = buttonsNamed(QStringLiteral("FREE"));
    QCOMPARE(free.size(), 1);
    QTest::mouseClick(free.first(), Qt::LeftButton);
    QTRY_VERIFY(m_messages->saw(
        QStringLiteral("This is not available in Desktop.\n Use mobile version for this function.")));
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/setCheckout")), 0);
}

void TestCqWndItems::ownedVideoIsNotBoughtAgain()
{
    QJsonObject owned = product(5, QStringLiteral("WORKOUT"), QStringLiteral("9.99"), QStringLiteral("yes"));
    owned.insert(QStringLiteral("ebook2"), QStringLiteral("0,1"));
    QVERIFY(open(0, list("video_list", {owned})));
    const QList<QPushButton*> buy = buttonsNamed(QStringLiteral("BUY - $9.99"));
    QCOMPARE(buy.size(), 1);
    QTest::mouseClick(buy.first(), Qt::LeftButton);
    QTest::qWait(100);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(m_fake->requestCount(QStringLiteral("/api/setCheckout")), 0);
}

void TestCqWndItems::searchShowsNothingUntilText()
{
    QVERIFY(open(2, list("video_list", {product(1, QStringLiteral("WORKOUT"), QStringLiteral("1"), QStringLiteral("no"),
                                                QStringLiteral("Twenty-Minute core Burner")),
                                        product(2, QStringLiteral("PROGRAM"), QStringLiteral("2"), QStringLiteral("no"),
                                                QStringLiteral("Cardio Builder"))})));
    auto* search = m_window->findChild<QLineEdit*>(QStringLiteral("search"));
    QVERIFY(search && search->isVisible());
    const auto visibleCards = [this] {
        QList<int> ids;
        for (QWidget* card : m_window->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^card_")))) {
            if (card->isVisible())
                ids.append(card->objectName().section(QLatin1Char('_'), 1).toInt());
        }
        return ids;
    };
    QCOMPARE(visibleCards(), QList<int>{});
    QTest::keyClicks(search, QStringLiteral("CORE"));
    QCOMPARE(visibleCards(), QList<int>{}); // only on editing finished
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(visibleCards(), QList<int>{1});
    search->selectAll();
    QTest::keyClicks(search, QStringLiteral("mini"));
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(visibleCards().size(), 2);
    search->clear();
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(visibleCards(), QList<int>{});
}

void TestCqWndItems::repeatedIdsGiveTwoCardsOneItem()
{
    QVERIFY(open(0, list("video_list", {product(4, QStringLiteral("WORKOUT"), QStringLiteral("1")),
                                        product(4, QStringLiteral("WORKOUT"), QStringLiteral("0"))})));
    QCOMPARE(m_window->findChildren<QWidget*>(QStringLiteral("card_4")).size(), 2);
    QCOMPARE(m_window->items().size(), 1);
    // Every button acts on the later entry: this one is free.
    QTest::mouseClick(buttonsNamed(QStringLiteral("BUY - $1")).first(), Qt::LeftButton);
    QTRY_VERIFY(m_messages->saw(
        QStringLiteral("This is not available in Desktop.\n Use mobile version for this function.")));
}

void TestCqWndItems::badLists_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("cards");
    QJsonArray weird;
    weird.append(QJsonObject{{QStringLiteral("id"), 1}, {QStringLiteral("title"), 12},
                             {QStringLiteral("price"), QStringLiteral("abc")}});
    weird.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("2")}, {QStringLiteral("price"), QStringLiteral("-5")}});
    weird.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("3")}, {QStringLiteral("price"), QStringLiteral("1e308")}});
    weird.append(QJsonObject{{QStringLiteral("id"), QStringLiteral("4")},
                             {QStringLiteral("title"), QString(5000, QLatin1Char('x'))}});
    weird.append(QStringLiteral("not an object"));
    QTest::newRow("odd values") << list("video_list", weird) << 4;
    QJsonArray many;
    for (int i = 1; i <= 2000; ++i)
        many.append(product(i, QStringLiteral("WORKOUT"), QStringLiteral("1.5")));
    QTest::newRow("2,000 entries") << list("video_list", many) << 2000;
    QTest::newRow("no list key") << QByteArray(R"({"result_code":0})") << 0;
}

void TestCqWndItems::badLists()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, cards);
    QVERIFY(open(0, reply));
    QVERIFY(!loadingWindow->isLoading());
    QCOMPARE(m_window->items().size(), cards);
    // A long list shows its first cards at once; the next follow when the
    // member scrolls to the end, in the list's order.
    const auto builtCards = [this] {
        return m_window->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^card_")));
    };
    QCOMPARE(builtCards().size(), qMin(cards, 24));
    if (cards > 24) {
        QVERIFY(m_window->hasPendingCards());
        auto* area = m_window->findChild<QScrollArea*>(QStringLiteral("scrollArea"));
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        QTRY_COMPARE(builtCards().size(), 48);
        const QList<QWidget*> built = builtCards();
        QLayout* layout = area->widget()->layout();
        for (int i = 1; i < built.size(); ++i)
            QVERIFY(layout->indexOf(built.at(i - 1)) < layout->indexOf(built.at(i)));
    }
    if (cards == 4)
        QCOMPARE(buttonsNamed(QStringLiteral("FREE")).size(), 4); // unreadable, negative and absurd prices read 0
}

void TestCqWndItems::faults_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("message");
    const QString unreachable = QStringLiteral("The store could not be reached. Please try again later.");
    const QString unreadable = QStringLiteral("The store could not load this list. Please try again.");
    QTest::newRow("connection refused") << 0 << unreachable;
    QTest::newRow("HTTP 500") << 1 << unreachable;
    QTest::newRow("not JSON") << 2 << unreadable;
    QTest::newRow("stall") << 3 << unreachable;
    QTest::newRow("refused by the server") << 4 << unreadable;
}

void TestCqWndItems::faults()
{
    QFETCH(int, fault);
    QFETCH(QString, message);
    const QByteArray host = qgetenv("OLVA_API_HOST");
    if (fault == 0)
        qputenv("OLVA_API_HOST", "127.0.0.1:1");
    else if (fault == 1)
        m_fake->enqueue(QStringLiteral("/api/getVideos"), FakeServer::Reply::error(500));
    else if (fault == 2)
        m_fake->enqueue(QStringLiteral("/api/getVideos"), FakeServer::Reply::json("<html>oops</html>"));
    else if (fault == 3)
        m_fake->enqueue(QStringLiteral("/api/getVideos"), FakeServer::Reply::hang());
    else
        m_fake->enqueue(QStringLiteral("/api/getVideos"), FakeServer::Reply::json(R"({"result_code":2})"));
    open(0, QByteArray());
    qputenv("OLVA_API_HOST", host);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->isFinished(), 10000);
    QVERIFY(!loadingWindow->isLoading());
    QTRY_VERIFY(m_messages->saw(message));
    QVERIFY(!isBusyLoading()); // navigation works again
}

void TestCqWndItems::lateReplyAfterStallIsIgnored()
{
    m_fake->enqueue(QStringLiteral("/api/getVideos"),
                    FakeServer::Reply::json(list("video_list", {product(1, QStringLiteral("WORKOUT"), QStringLiteral("1"))}),
                                            1500));
    open(0, QByteArray());
    QTRY_VERIFY_WITH_TIMEOUT(m_window->isFinished(), 5000);
    QTest::qWait(1800);
    QVERIFY(m_window->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^card_"))).isEmpty());
}

void TestCqWndItems::ebookViewerOpensOnTheApiHost()
{
    QJsonObject entry = product(301, QStringLiteral("NUTRITION"), QStringLiteral("24.99"), QStringLiteral("yes"));
    entry.insert(QStringLiteral("ebookprice"), QStringLiteral("7.99"));
    entry.insert(QStringLiteral("ebook2"), QStringLiteral("1,0"));
    QVERIFY(open(5, list("video_list", {entry})));
    const QList<QPushButton*> view = buttonsNamed(QStringLiteral("PURCHASED - VIEW EBOOK"));
    QCOMPARE(view.size(), 1);
    QTest::mouseClick(view.first(), Qt::LeftButton);
    QCOMPARE(m_urls.urls.size(), 1);
    QCOMPARE(m_urls.urls.first(),
             QUrl(QStringLiteral("http://") + m_fake->hostAndPort() + QStringLiteral("/uploadfiles/ebooks/viewer.html?view=301")));
    QCOMPARE(buttonsNamed(QStringLiteral("PURCHASED")).size(), 1);
}

void TestCqWndItems::removingFromCartSendsTheNamedId()
{
    QVERIFY(open(9, list("checkout_list", {product(33, QStringLiteral("NUTRITION"), QStringLiteral("5"))}), "getCheckout"));
    m_fake->enqueueJson(QStringLiteral("removeCheckout"), R"({"result_code":0})");
    QTest::mouseClick(buttonsNamed(QStringLiteral("X")).first(), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(QStringLiteral("/api/removeCheckout"), 1));
    const QUrlQuery form = m_fake->lastRequest(QStringLiteral("/api/removeCheckout")).form();
    QCOMPARE(form.queryItems(), (QList<QPair<QString, QString>>{{"user_id", "7"}, {"product_id", "33"}}));
}

void TestCqWndItems::cartChangeAsksOrWaits_data()
{
    QTest::addColumn<QString>("keptIds"); // ids of a kept, approved payment of $21.98; empty: none
    QTest::addColumn<bool>("yes");        // the answer to the question, when asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("removals");
    QTest::newRow("kept, yes") << "33_34" << true << true << 1;
    QTest::newRow("kept, no") << "33_34" << false << true << 0;
    QTest::newRow("kept for another cart") << "34_35" << false << false << 1;
    QTest::newRow("nothing kept") << QString() << false << false << 1;
}

// Removing from a cart whose payment is kept asks first; CHECKOUT pressed
// while the removal is on its way starts in the next cart the service
// answers, not with what was on the screen.
void TestCqWndItems::cartChangeAsksOrWaits()
{
    QFETCH(QString, keptIds);
    QFETCH(bool, yes);
    QFETCH(bool, asked);
    QFETCH(int, removals);
    PaymentKeeper::instance().clear();
    if (!keptIds.isEmpty()) {
        const QString key = PaymentKeeper::key(currentUserId, QStringLiteral("product"), keptIds.split('_'));
        QUrlQuery paid;
        paid.addQueryItem(QStringLiteral("productID"), keptIds);
        paid.addQueryItem(QStringLiteral("amount"), QStringLiteral("21.98"));
        PaymentKeeper::instance().sent(key, paid);
        PaymentKeeper::instance().approved(key, QStringLiteral("setPurchase"), {}, 1700000000000);
    }
    QVERIFY(open(9, list("checkout_list", {product(33, QStringLiteral("NUTRITION"), QStringLiteral("12.99")),
                                           product(34, QStringLiteral("NUTRITION"), QStringLiteral("8.99"))}),
                 "getCheckout"));
    m_fake->enqueueJson(QStringLiteral("removeCheckout"), R"({"result_code":0})", 300);
    QString question;
    onModal(m_window.get(), QStringLiteral("CqDlgConfirm"), [&](QDialog* confirm) {
        question = confirm->findChild<QLabel*>(QStringLiteral("lblContent"))->text();
        confirm->findChild<QPushButton*>(QString::fromLatin1(yes ? "btnOk" : "btnCancel"))->click();
    }, 1000);
    QTest::mouseClick(buttonsNamed(QStringLiteral("X")).first(), Qt::LeftButton); // product 33
    QCOMPARE(question, asked ? QStringLiteral("Your card was charged $21.98 for these items. Changing the cart "
                                              "refunds that payment and you pay again for what stays.")
                             : QString());

    bool addressAsked = false;
    onModal(m_window.get(), QStringLiteral("CqDlgAddress"), [&](QDialog* address) {
        addressAsked = true;
        address->reject();
    });
    m_window->findChild<QPushButton*>(QStringLiteral("btnCheckout"))->click();
    if (removals == 0) {
        // Nothing on its way: the checkout starts at once.
        QVERIFY(addressAsked);
        QCOMPARE(m_fake->requestCount(QStringLiteral("/api/removeCheckout")), 0);
        return;
    }
    QVERIFY(!addressAsked);
    QVERIFY(m_messages->saw(QStringLiteral("The cart is being updated. The checkout starts once it is.")));
    QVERIFY(m_window->checkoutWaiting());
    QVERIFY(m_fake->waitForRequests(QStringLiteral("/api/removeCheckout"), 1));
    QTRY_VERIFY(!m_window->checkoutWaiting());
    QVERIFY(!addressAsked);

    // The cart the service answers after the removal starts the checkout.
    m_fake->enqueueJson(QStringLiteral("getCheckout"),
                        list("checkout_list", {product(34, QStringLiteral("NUTRITION"), QStringLiteral("8.99"))}));
    CqWndItems fresh(9, 0);
    fresh.show();
    QTRY_VERIFY(addressAsked);
}

void TestCqWndItems::everyButtonIsNamed()
{
    QJsonObject entry = product(301, QStringLiteral("NUTRITION"), QStringLiteral("24.99"));
    entry.insert(QStringLiteral("ebookprice"), QStringLiteral("7.99"));
    QVERIFY(open(5, list("video_list", {entry})));
    for (QPushButton* button : m_window->findChildren<QPushButton*>()) {
        QVERIFY2(!button->text().isEmpty() || !button->accessibleName().isEmpty(), qPrintable(button->objectName()));
    }
    for (MyLabel* image : m_window->findChildren<MyLabel*>(QStringLiteral("item_301")))
        QCOMPARE(image->accessibleName(), QStringLiteral("Product 301"));
}

void TestCqWndItems::detailsShowTheWholeProduct()
{
    QVERIFY(open(0, list("video_list", {product(8, QStringLiteral("WORKOUT"), QStringLiteral("3"))})));
    QStringList seen;
    onModal(m_window.get(), QStringLiteral("CqDlgDetails"), [&seen](QDialog* dialog) {
        for (const char* name : {"lblTitle", "lblSubTitle", "lblMini", "lblFull"})
            seen.append(dialog->findChild<QLabel*>(QString::fromLatin1(name))->text());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    });
    QTest::mouseClick(buttonsNamed(QStringLiteral("Product Details")).first(), Qt::LeftButton);
    QCOMPARE(seen, (QStringList{"Product 8", "Subtitle 8", "Mini 8", "Full 8"}));
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestCqWndItems)
#include "tst_cqwnditems.moc"
