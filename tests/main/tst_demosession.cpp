#include "app/accountstate.h"
#include "app/server.h"
#include "app/sessioncookies.h"
#include "app/settingsstore.h"
#include "app/startup.h"
#include "app/processlauncher.h"
#include "demosession.h"
#include "main/mainwindow.h"
#include "testenvironment.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The result code of one member-scoped call sent the way every window sends
// it; -1 when no readable reply came.
int memberCallResult(const QString& endpoint)
{
    int index = 0;
    while (index < Server::endpointCount() && Server::endpointName(index) != endpoint)
        ++index;
    Server server;
    const QByteArray signal = "2" + Server::signalName(index) + "(QString)";
    QSignalSpy replies(&server, signal.constData());
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), currentUserId);
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    server.request(index, fields);
    if (!replies.wait(10000))
        return -1;
    const QJsonDocument reply = QJsonDocument::fromJson(replies.first().first().toString().toUtf8());
    return reply.isObject() ? reply.object().value(QStringLiteral("result_code")).toInt(-1) : -1;
}

} // namespace

// The shared demo sign-in that feature tests build on: both ways end with
// the demo member's account state, and the login way with the main window.
class TestDemoSession final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestEnvironment::isolate(); }

    void quickSignInRegistersThisComputer()
    {
        QVERIFY(m_demo.start());
        QVERIFY(m_demo.signInQuick());
        QCOMPARE(currentUserId, QStringLiteral("1"));
        QVERIFY(!currentUserName.isEmpty());
        QCOMPARE(SettingsStore::rememberedEmail(), DemoSession::email());
        // The code went by mail, so this computer is known now: a second
        // sign-in needs no code.
        TestEnvironment::resetAccount();
        QVERIFY(m_demo.signInQuick());
        QCOMPARE(currentUserId, QStringLiteral("1"));
    }

    void loginDialogThenMainWindow()
    {
        TestEnvironment::resetAccount();
        QVERIFY(m_demo.start()); // a fresh database: this computer is unknown again
        QVERIFY(m_demo.signInThroughLogin());
        QCOMPARE(currentUserId, QStringLiteral("1"));
        QCOMPARE(SettingsStore::rememberedEmail(), DemoSession::email());
        QVERIFY(!m_demo.mailedCode(DemoSession::email()).isEmpty());

        MainWindow* window = m_demo.showMainWindow();
        QVERIFY(window->isVisible());
        QVERIFY(window->findChild<QPushButton*>(QStringLiteral("btnFood")));
    }

    // A new process has no session: the automatic sign-in at start-up
    // (getMyDetails with the remembered e-mail and this computer) must give
    // it one, or every window after it would be refused.
    void automaticSignInGivesWindowsASession_data()
    {
        QTest::addColumn<QString>("endpoint");
        QTest::newRow("food catalogue") << QStringLiteral("getFoodList");
        QTest::newRow("history") << QStringLiteral("getHistory");
        QTest::newRow("service cart") << QStringLiteral("getServiceCheckout");
    }
    void automaticSignInGivesWindowsASession()
    {
        QFETCH(QString, endpoint);
        TestEnvironment::resetAccount();
        QVERIFY(m_demo.start());
        QVERIFY(m_demo.signInQuick());
        QCOMPARE(memberCallResult(endpoint), 0);

        SessionCookies::forget(); // as a new process starts
        QVERIFY(memberCallResult(endpoint) != 0);

        ProcessLauncher::setQuitter([](int) {});
        MainWindow::instance()->hide();
        QStringList loginModes;
        Startup startup;
        startup.setTiming({/*replyTimeoutMs*/ 10000, /*splashPauseMs*/ 0});
        startup.setLoginRunner([&loginModes](const QString& mode) {
            loginModes.append(mode);
            return false;
        });
        QVERIFY(startup.begin());
        QTRY_VERIFY_WITH_TIMEOUT(MainWindow::instance()->isVisible(), 15000);
        QCOMPARE(loginModes, QStringList()); // signed in without the login dialog
        QCOMPARE(currentUserId, QStringLiteral("1"));
        QCOMPARE(memberCallResult(endpoint), 0);
        MainWindow::instance()->hide();
    }

private:
    DemoSession m_demo;
};

QTEST_MAIN(TestDemoSession)
#include "tst_demosession.moc"
