#include "app/accountstate.h"
#include "app/processlauncher.h"
#include "app/settingsstore.h"
#include "app/utils.h"
#include "fakeserver.h"
#include "testimages.h"
#include "main/cqwndloading.h"
#include "main/cqwndsetting.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "testenvironment.h"
#include "widgets/mylabel.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

// A stand-in feature window that remembers the argument it was built with.
QWidget* makeFeatureWindow(int kind, int argument = -1)
{
    auto* window = new QWidget;
    window->setProperty("kind", kind);
    window->setProperty("argument", argument);
    return window;
}

QByteArray pngBytes()
{
    return TestImages::png(QSize(8, 8), Qt::green);
}

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleCarriesVersion();
    void sizeLayoutFollowsScreen_data();
    void sizeLayoutFollowsScreen();
    void storeButtonKeepsOneWindow();
    void buttonOfMissingWindowDoesNothing();
    void navigationIgnoredWhileLoading();
    void replacedWindowsAreClosed_data();
    void replacedWindowsAreClosed();
    void goHomeRefreshesPlannerHome();
    void keptWindowRefreshedOnReturn_data();
    void keptWindowRefreshedOnReturn();
    void goHomeToStore();
    void firstPaintGreetsAndAsksForOffer();
    void specialOffer_data();
    void specialOffer();
    void offerPictureIsFetched();
    void logoutForgetsEmailAndRestarts();
    void contactCoachShowsMessage();
    void termsEntryOpensTerms();
    void screenChangeRestarts_data();
    void screenChangeRestarts();

private:
    MainWindow* createWindow();
    void showWindow();
    QMdiArea* mdiArea() const { return m_window->findChild<QMdiArea*>(QStringLiteral("mdiArea")); }
    template<typename T>
    T* child(const char* name) const { return m_window->findChild<T*>(QString::fromLatin1(name)); }
    void registerCountingKind(int kind);

    FakeServer m_server;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_launched;
    QList<int> m_quits;
    QHash<int, int> m_created;
};

void TestMainWindow::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    ProcessLauncher::setLauncher([this](const QString& program, const QStringList& arguments, const QString&) {
        m_launched.append(program + QLatin1Char('|') + arguments.join(QLatin1Char(' ')));
        return true;
    });
    ProcessLauncher::setQuitter([this](int code) { m_quits.append(code); });
    loadingWindow = new CqWndLoading;
}

void TestMainWindow::init()
{
    TestEnvironment::resetAccount();
    m_server.clear();
    m_launched.clear();
    m_quits.clear();
    m_created.clear();
    for (int kind = 0; kind < SubWindowKind::Count; ++kind)
        SubWindowFactory::unregisterKind(kind);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    AccountState::recordScreenSize(screen.width(), screen.height());
}

void TestMainWindow::cleanup()
{
    TestEnvironment::closeModals();
    m_window.reset();
    DialogFactory::unregisterRunner(DialogFactory::Kind::VideoPlayer);
    if (loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

MainWindow* TestMainWindow::createWindow()
{
    m_window = std::make_unique<MainWindow>();
    return m_window.get();
}

void TestMainWindow::showWindow()
{
    if (!m_window)
        createWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestMainWindow::registerCountingKind(int kind)
{
    SubWindowFactory::registerKind(kind, [this, kind] {
        ++m_created[kind];
        return makeFeatureWindow(kind);
    });
}

void TestMainWindow::titleCarriesVersion()
{
    createWindow();
    QCOMPARE(child<QLabel>("lblTitle")->text(), QStringLiteral("OLVA WEIGHT LOSS(1.0.3)"));
    QCOMPARE(MainWindow::instance(), m_window.get());
}

void TestMainWindow::sizeLayoutFollowsScreen_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("small");

    QTest::newRow("1920x1080 normal") << 1920 << 1080 << false;
    QTest::newRow("1920x1079 small") << 1920 << 1079 << true;
    QTest::newRow("1600x1200 small") << 1600 << 1200 << true;
}

void TestMainWindow::sizeLayoutFollowsScreen()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, small);

    AccountState::recordScreenSize(width, height);
    createWindow(); // not shown: a size other than the real screen's would restart

    for (const char* link : {"btnAbout", "btnContact", "btnFriend", "btnInvite"})
        QCOMPARE(child<QWidget>(link)->minimumWidth(), small ? 0 : 120);
    QCOMPARE(child<QWidget>("lblProductPicture")->minimumSize(), small ? QSize(100, 70) : QSize(200, 100));
    const int pointSize = small ? 8 : 12;
    QCOMPARE(child<QWidget>("lblProductName")->font().pointSize(), pointSize);
    QCOMPARE(child<QWidget>("lblProductName")->font().weight(), QFont::Medium);
    QCOMPARE(child<QWidget>("lblProductTitle")->font().pointSize(), pointSize);
    QCOMPARE(child<QWidget>("lblProductContent")->font().pointSize(), pointSize);
}

void TestMainWindow::storeButtonKeepsOneWindow()
{
    registerCountingKind(SubWindowKind::StoreWorkout);
    showWindow();
    // The first paint opens the workout store...
    QTRY_COMPARE(m_created.value(SubWindowKind::StoreWorkout), 1);
    QMdiSubWindow* opened = mdiArea()->activeSubWindow();
    QVERIFY(opened);

    // ...and the button shows that same window again, twice.
    registerCountingKind(SubWindowKind::StoreNutrition);
    child<QPushButton>("btnNutrition")->click();
    QVERIFY(mdiArea()->activeSubWindow() != opened);
    child<QPushButton>("btnWork")->click();
    child<QPushButton>("btnWork")->click();
    QCOMPARE(m_created.value(SubWindowKind::StoreWorkout), 1);
    QCOMPARE(mdiArea()->activeSubWindow(), opened);
    QCOMPARE(mdiArea()->subWindowList().size(), 2);
    QVERIFY(opened->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(opened->isMaximized());
}

void TestMainWindow::buttonOfMissingWindowDoesNothing()
{
    showWindow();
    for (const char* button : {"btnWork", "btnFood", "btnNutrition", "btnCoaching", "btnTele",
                               "btnMore", "btnAbout", "btnContact", "btnFriend", "btnInvite", "btnPlus"})
        child<QPushButton>(button)->click();
    QVERIFY(mdiArea()->subWindowList().isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainWindow::navigationIgnoredWhileLoading()
{
    registerCountingKind(SubWindowKind::StoreCoaching);
    int faqRuns = 0;
    DialogFactory::registerRunner(DialogFactory::Kind::Faq, [&faqRuns](const QVariant&) { return ++faqRuns; });
    createWindow();

    loadingWindow->show();
    child<QPushButton>("btnCoaching")->click();
    child<QPushButton>("btnMore")->click();
    QCOMPARE(m_created.value(SubWindowKind::StoreCoaching), 0);
    QCOMPARE(faqRuns, 0);

    loadingWindow->stopLoading();
    child<QPushButton>("btnCoaching")->click();
    child<QPushButton>("btnMore")->click();
    QCOMPARE(m_created.value(SubWindowKind::StoreCoaching), 1);
    QCOMPARE(faqRuns, 1);
    DialogFactory::unregisterRunner(DialogFactory::Kind::Faq);
}

void TestMainWindow::replacedWindowsAreClosed_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("tracker") << int(SubWindowKind::Tracker);
    QTest::newRow("history details") << int(SubWindowKind::HistoryDetails);
}

void TestMainWindow::replacedWindowsAreClosed()
{
    QFETCH(int, kind);
    auto* firstRecord = reinterpret_cast<HistoryModel*>(quintptr(0x1000));
    auto* secondRecord = reinterpret_cast<HistoryModel*>(quintptr(0x2000));
    SubWindowFactory::registerKind(kind, [kind] {
        MainWindow* main = MainWindow::instance();
        const int argument = kind == SubWindowKind::Tracker ? main->trackerMeal()
                                                            : int(quintptr(main->historyDetailsRecord()));
        return makeFeatureWindow(kind, argument);
    });
    showWindow();

    auto open = [&](int meal, HistoryModel* record) {
        if (kind == SubWindowKind::Tracker)
            m_window->showTracker(meal);
        else
            m_window->showHistoryDetails(record);
    };

    open(2, firstRecord);
    QPointer<QMdiSubWindow> first = mdiArea()->activeSubWindow();
    QVERIFY(first);
    QCOMPARE(first->widget()->property("argument").toInt(), kind == SubWindowKind::Tracker ? 2 : 0x1000);

    open(5, secondRecord);
    QMdiSubWindow* second = mdiArea()->activeSubWindow();
    QVERIFY(second && second != first);
    QCOMPARE(second->widget()->property("argument").toInt(), kind == SubWindowKind::Tracker ? 5 : 0x2000);
    QCOMPARE(m_window->subWindow(kind), second);
    QTRY_VERIFY(first.isNull());
    QCOMPARE(mdiArea()->subWindowList().size(), 1);
}

void TestMainWindow::goHomeRefreshesPlannerHome()
{
    int refreshed = 0;
    SubWindowFactory::registerKind(
        SubWindowKind::PlannerHome, [] { return makeFeatureWindow(SubWindowKind::PlannerHome); },
        [&refreshed](QWidget* home) {
            QCOMPARE(home->property("kind").toInt(), int(SubWindowKind::PlannerHome));
            ++refreshed;
        });
    registerCountingKind(SubWindowKind::History);
    showWindow();

    m_window->goHome(true);
    QMdiSubWindow* home = mdiArea()->activeSubWindow();
    QVERIFY(home);
    QCOMPARE(refreshed, 0); // a new home is fresh already

    m_window->showHistory();
    QVERIFY(mdiArea()->activeSubWindow() != home);
    child<QPushButton>("btnFood")->click();
    QCOMPARE(refreshed, 1);
    QCOMPARE(mdiArea()->activeSubWindow(), home);
}

void TestMainWindow::keptWindowRefreshedOnReturn_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("history") << int(SubWindowKind::History);
    QTest::newRow("live services") << int(SubWindowKind::Services);
}

// The refresher is how a kept window that could not load its data asks again
// when the member comes back to it.
void TestMainWindow::keptWindowRefreshedOnReturn()
{
    QFETCH(int, kind);
    QList<QWidget*> refreshed;
    SubWindowFactory::registerKind(
        kind, [kind] { return makeFeatureWindow(kind); }, [&refreshed](QWidget* window) { refreshed.append(window); });
    showWindow();
    auto open = [this, kind] {
        if (kind == SubWindowKind::History)
            m_window->showHistory();
        else
            child<QPushButton>("btnTele")->click();
    };

    open();
    QMdiSubWindow* kept = mdiArea()->activeSubWindow();
    QVERIFY(kept);
    QVERIFY(refreshed.isEmpty()); // a new window is fresh already
    m_window->showSettings();
    open();
    QCOMPARE(mdiArea()->activeSubWindow(), kept);
    QCOMPARE(refreshed, QList<QWidget*>{kept->widget()});
}

void TestMainWindow::goHomeToStore()
{
    registerCountingKind(SubWindowKind::StoreWorkout);
    showWindow();
    m_window->showSettings();
    QVERIFY(qobject_cast<CqWndSetting*>(mdiArea()->activeSubWindow()->widget()));

    loadingWindow->show();
    m_window->goHome(false);
    QCOMPARE(m_created.value(SubWindowKind::StoreWorkout), 0);
    loadingWindow->stopLoading();

    m_window->goHome(false);
    QCOMPARE(m_created.value(SubWindowKind::StoreWorkout), 1);
    QCOMPARE(mdiArea()->activeSubWindow()->widget()->property("kind").toInt(), int(SubWindowKind::StoreWorkout));
}

void TestMainWindow::firstPaintGreetsAndAsksForOffer()
{
    currentUserName = QStringLiteral("Dana Lee");
    currentUserId = QStringLiteral("77");
    showWindow();
    QVERIFY(m_server.waitForRequests(QStringLiteral("/api/specialOffer"), 1));
    QCOMPARE(m_server.lastRequest(QStringLiteral("/api/specialOffer")).field(QStringLiteral("user_id")),
             QStringLiteral("77"));
    QCOMPARE(child<QLabel>("lblName")->text(), QStringLiteral("Hi, Dana Lee"));

    // Later paints do not ask again.
    m_window->repaint();
    QTest::qWait(50);
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/specialOffer")), 1);
}

void TestMainWindow::specialOffer_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("playedUrl");

    QTest::newRow("with video")
        << QByteArray(R"({"result_code":0,"special_offer":{"name":"Summer","title":"Half price",)"
                      R"("content":"All programs","new":"","image":"","url":"http://127.0.0.1:1/v.mp4"}})")
        << "Summer" << "All programs" << "http://127.0.0.1:1/v.mp4";
    QTest::newRow("without video")
        << QByteArray(R"({"result_code":"0","special_offer":{"name":"Spring","title":"t","content":"c","url":""}})")
        << "Spring" << "c" << "";
    QTest::newRow("refused") << QByteArray(R"({"result_code":3,"special_offer":{"name":"x","url":"http://a/b"}})")
                             << "" << "" << "";
    QTest::newRow("not JSON") << QByteArray("<html>502 Bad Gateway</html>") << "" << "" << "";
    QTest::newRow("offer of wrong type")
        << QByteArray(R"({"result_code":0,"special_offer":[1,2,3]})") << "" << "" << "";
    QTest::newRow("numbers for texts")
        << QByteArray(R"({"result_code":0,"special_offer":{"name":12,"content":null,"url":7}})")
        << "12" << "" << "";
    // Only web addresses play: the reply cannot point the player at a local file.
    QTest::newRow("local file")
        << QByteArray(R"({"result_code":0,"special_offer":{"name":"x","url":"file:///etc/passwd"}})") << "x" << ""
        << "";
    QTest::newRow("bare path")
        << QByteArray(R"({"result_code":0,"special_offer":{"name":"x","url":"/home/member/v.mp4"}})") << "x" << ""
        << "";
}

void TestMainWindow::specialOffer()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, name);
    QFETCH(QString, content);
    QFETCH(QString, playedUrl);

    QStringList played;
    DialogFactory::registerRunner(DialogFactory::Kind::VideoPlayer, [&played](const QVariant& url) {
        played.append(url.toUrl().toString());
        return 0;
    });
    m_server.enqueueJson(QStringLiteral("specialOffer"), reply);
    showWindow();
    QVERIFY(m_server.waitForRequests(QStringLiteral("/api/specialOffer"), 1));
    if (!name.isEmpty())
        QTRY_COMPARE(child<QLabel>("lblProductName")->text(), name);
    else
        QTest::qWait(100);
    QCOMPARE(child<QLabel>("lblProductName")->text(), name);
    QCOMPARE(child<QLabel>("lblProductContent")->text(), content);

    QTest::mouseClick(child<MyLabel>("lblProductPicture"), Qt::LeftButton);
    QCOMPARE(played, playedUrl.isEmpty() ? QStringList() : QStringList{playedUrl});
}

void TestMainWindow::offerPictureIsFetched()
{
    m_server.serveFile(QStringLiteral("/pictures/offer.png"), pngBytes());
    m_server.serveFile(QStringLiteral("/pictures/new.png"), pngBytes());
    const QByteArray reply = QByteArray(R"({"result_code":0,"special_offer":{"name":"n","image":")")
                             + m_server.url(QStringLiteral("/pictures/offer.png")).toEncoded()
                             + R"(","new":")" + m_server.url(QStringLiteral("/pictures/new.png")).toEncoded()
                             + R"("}})";
    m_server.enqueueJson(QStringLiteral("specialOffer"), reply);
    showWindow();

    QTRY_VERIFY(!child<QLabel>("lblProductPicture")->pixmap().isNull());
    QTRY_VERIFY(!child<QLabel>("lblNew")->pixmap().isNull());
}

void TestMainWindow::logoutForgetsEmailAndRestarts()
{
    currentEmail = QStringLiteral("member@example.com");
    currentPassword = QStringLiteral("secret");
    Utils::instance()->saveEmail();
    Utils::instance()->savePassword();
    showWindow();
    m_window->showSettings();
    auto* settings = qobject_cast<CqWndSetting*>(mdiArea()->activeSubWindow()->widget());
    QVERIFY(settings);

    QTest::mouseClick(settings->findChild<MyWidget*>(QStringLiteral("wdgLogout")), Qt::LeftButton);

    QVERIFY(currentEmail.isEmpty());
    QCOMPARE(SettingsStore::rememberedEmail(), QString());
    QCOMPARE(m_launched, QStringList{QCoreApplication::applicationFilePath() + QLatin1Char('|')});
    QCOMPARE(m_quits, QList<int>{0});
    // The member's own store is left as it is for the next login.
    currentEmail = QStringLiteral("member@example.com");
    QVERIFY(!SettingsStore::memberContains(QStringLiteral("password")));
}

void TestMainWindow::contactCoachShowsMessage()
{
    showWindow();
    m_window->showSettings();
    auto* settings = qobject_cast<CqWndSetting*>(mdiArea()->activeSubWindow()->widget());
    QVERIFY(settings);

    QTest::mouseClick(settings->findChild<MyWidget*>(QStringLiteral("wdgContact")), Qt::LeftButton);
    QCOMPARE(m_window->messageBar()->messages(),
             QStringList{QStringLiteral("This is not available in Desktop.\n Use mobile version for this function.")});
    QVERIFY(m_launched.isEmpty());
}

void TestMainWindow::termsEntryOpensTerms()
{
    registerFeatureWindows();
    showWindow();
    m_window->showSettings();
    auto* settings = qobject_cast<CqWndSetting*>(mdiArea()->activeSubWindow()->widget());
    QVERIFY(settings);

    QString opened;
    QTimer::singleShot(50, this, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->objectName();
            TestEnvironment::closeModals();
        }
    });
    QTest::mouseClick(settings->findChild<MyWidget*>(QStringLiteral("wdgTerms")), Qt::LeftButton);
    QCOMPARE(opened, QStringLiteral("CqDlgTerms"));
    DialogFactory::unregisterRunner(DialogFactory::Kind::Terms);
}

void TestMainWindow::screenChangeRestarts_data()
{
    QTest::addColumn<int>("widthChange");
    QTest::addColumn<bool>("restarts");
    QTest::newRow("same screen") << 0 << false;
    QTest::newRow("other resolution") << 320 << true;
}

void TestMainWindow::screenChangeRestarts()
{
    QFETCH(int, widthChange);
    QFETCH(bool, restarts);

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    AccountState::recordScreenSize(screen.width() + widthChange, screen.height());
    showWindow();
    m_window->resize(640, 480);
    m_window->resize(700, 500);
    QCoreApplication::processEvents();

    QCOMPARE(m_launched.size(), restarts ? 1 : 0); // asked once, however many resizes follow
    QCOMPARE(m_quits.size(), restarts ? 1 : 0);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
