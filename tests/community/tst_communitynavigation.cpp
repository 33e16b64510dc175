#include "app/accountstate.h"
#include "app/processlauncher.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/dialogfactory.h"
#include "main/mainwindow.h"
#include "testenvironment.h"

#include <QDate>
#include <QDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

using Kind = DialogFactory::Kind;

// What a recording runner saw: which dialog, with which argument.
struct Opened
{
    Kind kind;
    QVariant argument;
};

const Kind recordedKinds[] = {Kind::Faq, Kind::AboutUs, Kind::Invite, Kind::Specials, Kind::CheckInvite,
                              Kind::ConfirmInvite};

QByteArray realFriendsReply(int count)
{
    QJsonArray list;
    for (int index = 0; index < count; ++index)
        list.append(QJsonObject{{QStringLiteral("first_name"), QStringLiteral("F%1").arg(index)},
                                {QStringLiteral("state"), QStringLiteral("1")}});
    return QJsonDocument(QJsonObject{{QStringLiteral("result_code"), 0}, {QStringLiteral("friend_lst"), list}})
        .toJson(QJsonDocument::Compact);
}

QString day(int fromToday)
{
    return QDate::currentDate().addDays(fromToday).toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

// Which community dialog each main-window button opens, and the friends
// check that runs when the main window first shows after sign-in.
class TstCommunityNavigation final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void buttonsOpenTheirDialogs_data();
    void buttonsOpenTheirDialogs();
    void busyOverlayHoldsOnlyMoreAndPlus_data();
    void busyOverlayHoldsOnlyMoreAndPlus();
    void friendsCheck_data();
    void friendsCheck();
    void friendsCheckOncePerRun();
    void friendsCheckWithoutReminderWindow();

private:
    void showWindow();
    QPushButton* button(const QString& name) const { return m_window->findChild<QPushButton*>(name); }

    FakeServer m_server;
    std::unique_ptr<MainWindow> m_window;
    QList<Opened> m_opened;
    int m_checkAnswer = QDialog::Rejected;
};

void TstCommunityNavigation::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    ProcessLauncher::setLauncher([](const QString&, const QStringList&, const QString&) { return true; });
    ProcessLauncher::setQuitter([](int) {});
    loadingWindow = new CqWndLoading;
}

void TstCommunityNavigation::init()
{
    TestEnvironment::resetAccount();
    m_server.clear();
    m_opened.clear();
    m_checkAnswer = QDialog::Rejected;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    AccountState::recordScreenSize(screen.width(), screen.height());
    for (Kind kind : recordedKinds) {
        DialogFactory::registerRunner(kind, [this, kind](const QVariant& argument) {
            m_opened.append({kind, argument});
            return kind == Kind::CheckInvite ? m_checkAnswer : int(QDialog::Accepted);
        });
    }
}

void TstCommunityNavigation::cleanup()
{
    TestEnvironment::closeModals();
    m_window.reset();
    for (Kind kind : recordedKinds)
        DialogFactory::unregisterRunner(kind);
    if (loadingWindow->isLoading())
        loadingWindow->stopLoading();
}

void TstCommunityNavigation::showWindow()
{
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TstCommunityNavigation::buttonsOpenTheirDialogs_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QVariant>("argument");
    QTest::newRow("About Us") << "btnAbout" << int(Kind::AboutUs) << QVariant();
    QTest::newRow("Contact Us opens About too") << "btnContact" << int(Kind::AboutUs) << QVariant();
    QTest::newRow("My Friends: friends list") << "btnFriend" << int(Kind::Invite) << QVariant(1);
    QTest::newRow("My Invites: invitation list") << "btnInvite" << int(Kind::Invite) << QVariant(0);
    QTest::newRow("MORE: FAQ") << "btnMore" << int(Kind::Faq) << QVariant();
    QTest::newRow("+: special offers") << "btnPlus" << int(Kind::Specials) << QVariant();
}

void TstCommunityNavigation::buttonsOpenTheirDialogs()
{
    QFETCH(QString, buttonName);
    QFETCH(int, kind);
    QFETCH(QVariant, argument);
    showWindow();
    QTest::qWait(20); // let the first paint's work run
    m_opened.clear();

    QPushButton* clicked = button(buttonName);
    QVERIFY(clicked);
    QTest::mouseClick(clicked, Qt::LeftButton);
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(int(m_opened.first().kind), kind);
    QCOMPARE(m_opened.first().argument, argument);
}

void TstCommunityNavigation::busyOverlayHoldsOnlyMoreAndPlus_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<bool>("opensWhileLoading");
    QTest::newRow("MORE") << "btnMore" << false;
    QTest::newRow("+") << "btnPlus" << false;
    QTest::newRow("About Us") << "btnAbout" << true;
    QTest::newRow("Contact Us") << "btnContact" << true;
    QTest::newRow("My Friends") << "btnFriend" << true;
    QTest::newRow("My Invites") << "btnInvite" << true;
}

void TstCommunityNavigation::busyOverlayHoldsOnlyMoreAndPlus()
{
    QFETCH(QString, buttonName);
    QFETCH(bool, opensWhileLoading);
    showWindow();
    QTest::qWait(20);
    m_opened.clear();

    loadingWindow->show();
    button(buttonName)->click();
    QCOMPARE(m_opened.size(), opensWhileLoading ? 1 : 0);
    loadingWindow->stopLoading();
    button(buttonName)->click();
    QCOMPARE(m_opened.size(), opensWhileLoading ? 2 : 1);
}

void TstCommunityNavigation::friendsCheck_data()
{
    QTest::addColumn<QString>("checkDay");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asks");       // getRealFriends sent
    QTest::addColumn<int>("reminder");    // count shown, -1 none
    QTest::addColumn<bool>("confirms");   // CqDlgConfirmInvite after YES

    const int yes = QDialog::Accepted;
    const int no = QDialog::Rejected;
    QTest::newRow("due today, 0 friends, YES") << day(0) << realFriendsReply(0) << yes << true << 0 << true;
    QTest::newRow("due today, 0 friends, NO") << day(0) << realFriendsReply(0) << no << true << 0 << false;
    QTest::newRow("overdue, 9 friends, YES") << day(-3) << realFriendsReply(9) << yes << true << 9 << true;
    QTest::newRow("overdue, 9 friends, NO") << day(-3) << realFriendsReply(9) << no << true << 9 << false;
    QTest::newRow("due, 10 friends") << day(0) << realFriendsReply(10) << yes << true << -1 << false;
    QTest::newRow("empty day counts as due") << QString() << realFriendsReply(3) << no << true << 3 << false;
    QTest::newRow("unreadable day counts as due") << QStringLiteral("soon") << realFriendsReply(3) << no << true << 3
                                                  << false;
    QTest::newRow("not due: tomorrow") << day(1) << realFriendsReply(0) << yes << false << -1 << false;
    QTest::newRow("not due: next week") << day(7) << realFriendsReply(0) << yes << false << -1 << false;
    QTest::newRow("refused reply") << day(0) << QByteArray(R"({"result_code":1})") << yes << true << -1 << false;
    QTest::newRow("not JSON") << day(0) << QByteArray("<html>oops</html>") << yes << true << -1 << false;
    QTest::newRow("no list") << day(0) << QByteArray(R"({"result_code":0})") << yes << true << -1 << false;
}

void TstCommunityNavigation::friendsCheck()
{
    QFETCH(QString, checkDay);
    QFETCH(QByteArray, reply);
    QFETCH(int, answer);
    QFETCH(bool, asks);
    QFETCH(int, reminder);
    QFETCH(bool, confirms);

    currentUserId = QStringLiteral("41");
    currentCheckDay = checkDay;
    m_checkAnswer = answer;
    m_server.enqueueJson(QStringLiteral("getRealFriends"), reply);
    m_server.enqueueJson(QStringLiteral("setCheckingDay"), R"({"result_code":0})");
    showWindow();

    const QString realFriends = QStringLiteral("/api/getRealFriends");
    const QString checkingDay = QStringLiteral("/api/setCheckingDay");
    if (!asks) {
        QVERIFY(m_server.waitForRequests(QStringLiteral("/api/specialOffer"), 1));
        QTest::qWait(100);
        QCOMPARE(m_server.requestCount(realFriends), 0);
        QVERIFY(m_opened.isEmpty());
        return;
    }
    QVERIFY(m_server.waitForRequests(realFriends, 1));
    QCOMPARE(m_server.lastRequest(realFriends).field(QStringLiteral("user_id")), QStringLiteral("41"));

    if (reminder < 0) {
        QTest::qWait(150);
        QVERIFY(m_opened.isEmpty());
        QCOMPARE(m_server.requestCount(checkingDay), 0);
        return;
    }
    QTRY_VERIFY(!m_opened.isEmpty());
    QCOMPARE(m_opened.first().kind, Kind::CheckInvite);
    QCOMPARE(m_opened.first().argument.toInt(), reminder);
    // Whatever the answer, the check day moves on.
    QVERIFY(m_server.waitForRequests(checkingDay, 1));
    QCOMPARE(m_server.lastRequest(checkingDay).field(QStringLiteral("user_id")), QStringLiteral("41"));
    QCOMPARE(m_opened.size(), confirms ? 2 : 1);
    if (confirms)
        QCOMPARE(m_opened.at(1).kind, Kind::ConfirmInvite);
}

void TstCommunityNavigation::friendsCheckOncePerRun()
{
    currentUserId = QStringLiteral("41");
    currentCheckDay = day(0);
    m_checkAnswer = QDialog::Accepted;
    m_server.setDefaultReply(QStringLiteral("/api/getRealFriends"), FakeServer::Reply::json(realFriendsReply(2)));
    showWindow();
    QTRY_COMPARE(m_opened.size(), 2);

    // Later paints, hiding and showing again do not remind again.
    m_window->hide();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->repaint();
    QTest::qWait(150);
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/getRealFriends")), 1);
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/setCheckingDay")), 1);
    QCOMPARE(m_opened.size(), 2);
}

void TstCommunityNavigation::friendsCheckWithoutReminderWindow()
{
    // Nobody registered the reminder: the member saw nothing, so the day
    // is not moved on.
    DialogFactory::unregisterRunner(Kind::CheckInvite);
    currentUserId = QStringLiteral("41");
    currentCheckDay = day(0);
    m_server.enqueueJson(QStringLiteral("getRealFriends"), realFriendsReply(1));
    showWindow();
    QVERIFY(m_server.waitForRequests(QStringLiteral("/api/getRealFriends"), 1));
    QTest::qWait(150);
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/setCheckingDay")), 0);
    QVERIFY(m_opened.isEmpty());
}

QTEST_MAIN(TstCommunityNavigation)
#include "tst_communitynavigation.moc"
