#include "account/cqdlglogin.h"
#include "widgets/qtmaterialsnackbar.h"

#include "demosession.h"
#include "testenvironment.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Somebody guesses the demo member's password in the login dialog against
// olva-server: after ten wrong ones the service stops listening, and even
// the right password is then answered with the wait.
class TestLoginLimitDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void guessesThenTheRightPassword();

private:
    DemoSession m_demo;
};

void TestLoginLimitDemo::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_demo.start());
}

void TestLoginLimitDemo::guessesThenTheRightPassword()
{
    CqDlgLogin dialog(QString{});
    dialog.show();
    auto* email = dialog.findChild<QLineEdit*>(QStringLiteral("edtEmail"));
    auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("edtPassword"));
    auto* login = dialog.findChild<QPushButton*>(QStringLiteral("btnLogin"));
    QTest::keyClicks(email, DemoSession::email());
    const auto attempt = [&](const QString& typed) {
        password->clear();
        QTest::keyClicks(password, typed);
        QTest::mouseClick(login, Qt::LeftButton);
        // Busy until the answer; its message is then the newest.
        QVERIFY(!login->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(login->isEnabled(), 20000);
    };
    const QString locked = QStringLiteral("Too many attempts. Try again in 15 minutes.");
    for (int i = 0; i < 12; ++i) {
        attempt(QStringLiteral("guess %1").arg(i));
        QCOMPARE(dialog.messageBar()->messages().last(), i < 10 ? QStringLiteral("Password incorrect") : locked);
    }
    attempt(DemoSession::password());
    QCOMPARE(dialog.messageBar()->messages().last(), locked);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
}

QTEST_MAIN(TestLoginLimitDemo)
#include "tst_loginlimitdemo.moc"
