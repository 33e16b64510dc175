#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "demosession.h"
#include "main/mainwindow.h"
#include "testenvironment.h"

#include <QPushButton>
#include <QtTest>

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

private:
    DemoSession m_demo;
};

QTEST_MAIN(TestDemoSession)
#include "tst_demosession.moc"
