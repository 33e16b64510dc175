#include "account/accountlook.h"
#include "account/cqdlgforget.h"
#include "app/accountstate.h"
#include "fakeserver.h"
#include "testenvironment.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString forgotPath = QStringLiteral("/api/forgot");

bool controlsEnabled(QWidget* dialog)
{
    return dialog->findChild<QLineEdit*>(QStringLiteral("edtEmail"))->isEnabled()
        && dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))->isEnabled()
        && dialog->findChild<QPushButton*>(QStringLiteral("btnCancel"))->isEnabled();
}

} // namespace

// The dialog reports on a bar it is lent, as the login dialog lends its own.
class TestCqDlgForget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void emptyEmailSendsNothing();
    void forgotReplies_data();
    void forgotReplies();
    void networkErrorReenables();

private:
    void typeAndSend(const QString& email);

    FakeServer* m_fake = nullptr;
    std::unique_ptr<QWidget> m_owner; // stands in for the login dialog
    QtMaterialSnackbar* m_bar = nullptr;
    std::unique_ptr<CqDlgForget> m_dialog;
};

void TestCqDlgForget::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    m_fake->useAsApiHost();
}

void TestCqDlgForget::init()
{
    TestEnvironment::resetAccount();
    m_fake->clear();
    m_owner = std::make_unique<QWidget>();
    m_bar = AccountLook::createMessageBar(m_owner.get());
    m_owner->show();
    m_dialog = std::make_unique<CqDlgForget>(m_bar, m_owner.get());
    m_dialog->show();
}

void TestCqDlgForget::cleanup()
{
    m_dialog.reset();
    m_owner.reset();
}

void TestCqDlgForget::typeAndSend(const QString& email)
{
    QTest::keyClicks(m_dialog->findChild<QLineEdit*>(QStringLiteral("edtEmail")), email);
    QTest::mouseClick(m_dialog->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
}

void TestCqDlgForget::emptyEmailSendsNothing()
{
    typeAndSend(QString());
    QCOMPARE(m_bar->messages(), QStringList{"Insert Email."});
    QTRY_COMPARE(QApplication::focusWidget(), m_dialog->findChild<QLineEdit*>(QStringLiteral("edtEmail")));
    QTest::qWait(50);
    QCOMPARE(m_fake->requestCount(forgotPath), 0);
    QVERIFY(controlsEnabled(m_dialog.get()));
}

void TestCqDlgForget::forgotReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");

    QTest::newRow("sent") << QByteArray(R"({"result_code":0,"pincode":"00042424"})") << true << "00042424"
                          << QString();
    QTest::newRow("unknown email") << QByteArray(R"({"result_code":1})") << false << QString()
                                   << "Email doesn't exist.";
    QTest::newRow("too many attempts") << QByteArray(R"({"result_code":5,"retry_after":600})") << false
                                       << QString() << "Too many attempts. Try again in 10 minutes.";
    QTest::newRow("other code") << QByteArray(R"({"result_code":6})") << false << QString() << "Not send";
    QTest::newRow("not json") << QByteArray("Service Unavailable") << false << QString() << "Not send";
    // A service that keeps the mailed code to itself: the member types it
    // in the next step and the service checks it there.
    QTest::newRow("code kept by the service") << QByteArray(R"({"result_code":0})") << true << QString()
                                              << QString();
}

void TestCqDlgForget::forgotReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    QFETCH(QString, code);
    QFETCH(QString, message);
    m_fake->enqueueJson(QStringLiteral("forgot"), reply, 150);
    currentEmail = QStringLiteral("before@example.com");

    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    typeAndSend(QStringLiteral("lost@example.com"));
    QVERIFY(!controlsEnabled(m_dialog.get()));
    QVERIFY(m_fake->waitForRequests(forgotPath, 1));
    QCOMPARE(m_fake->lastRequest(forgotPath).body, "email=lost@example.com");
    QTRY_VERIFY(controlsEnabled(m_dialog.get()));

    QCOMPARE(finished.count(), accepted ? 1 : 0);
    QCOMPARE(m_dialog->code(), code);
    QCOMPARE(currentEmail, accepted ? "lost@example.com" : "before@example.com");
    QCOMPARE(m_bar->messages(), message.isEmpty() ? QStringList() : QStringList{message});
}

void TestCqDlgForget::networkErrorReenables()
{
    m_fake->enqueue(forgotPath, FakeServer::Reply::error(500));
    currentEmail = QStringLiteral("before@example.com");
    typeAndSend(QStringLiteral("lost@example.com"));
    QVERIFY(!controlsEnabled(m_dialog.get()));
    QTRY_VERIFY(controlsEnabled(m_dialog.get()));
    QVERIFY(m_bar->messages().isEmpty());
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(currentEmail, "before@example.com");

    // Cancel works again and rejects.
    QSignalSpy rejected(m_dialog.get(), &QDialog::rejected);
    QTest::mouseClick(m_dialog->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
}

QTEST_MAIN(TestCqDlgForget)
#include "tst_cqdlgforget.moc"
