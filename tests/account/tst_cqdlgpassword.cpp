#include "account/accountlook.h"
#include "account/cqdlgpassword.h"
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
const QString passwordPath = QStringLiteral("/api/setPassword");
const QString expectedCode = QStringLiteral("55554444");
} // namespace

class TestCqDlgPassword : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void checksBeforeSending_data();
    void checksBeforeSending();
    void passwordReplies_data();
    void passwordReplies();
    void fieldEchoModes();

private:
    void type(const QString& pin, const QString& password, const QString& confirm);

    FakeServer* m_fake = nullptr;
    std::unique_ptr<QWidget> m_owner;
    QtMaterialSnackbar* m_bar = nullptr;
    std::unique_ptr<CqDlgPassword> m_dialog;
};

void TestCqDlgPassword::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    m_fake->useAsApiHost();
}

void TestCqDlgPassword::init()
{
    TestEnvironment::resetAccount();
    m_fake->clear();
    currentEmail = QStringLiteral("lost@example.com");
    m_owner = std::make_unique<QWidget>();
    m_bar = AccountLook::createMessageBar(m_owner.get());
    m_owner->show();
    m_dialog = std::make_unique<CqDlgPassword>(m_bar, expectedCode, m_owner.get());
    m_dialog->show();
}

void TestCqDlgPassword::cleanup()
{
    m_dialog.reset();
    m_owner.reset();
}

void TestCqDlgPassword::type(const QString& pin, const QString& password, const QString& confirm)
{
    QTest::keyClicks(m_dialog->findChild<QLineEdit*>(QStringLiteral("edtPin")), pin);
    QTest::keyClicks(m_dialog->findChild<QLineEdit*>(QStringLiteral("edtPassword")), password);
    QTest::keyClicks(m_dialog->findChild<QLineEdit*>(QStringLiteral("edtConfirm")), confirm);
    QTest::mouseClick(m_dialog->findChild<QPushButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
}

void TestCqDlgPassword::checksBeforeSending_data()
{
    QTest::addColumn<QString>("pin");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");

    QTest::newRow("no code") << "" << "pw" << "pw" << "Insert Pincode.";
    QTest::newRow("wrong code, no passwords") << "11112222" << "" << "" << "Insert Pincode Correctly.";
    QTest::newRow("code with trailing space") << "55554444 " << "pw" << "pw" << "Insert Pincode Correctly.";
    QTest::newRow("no password") << "55554444" << "" << "pw" << "Insert Password.";
    QTest::newRow("no confirmation") << "55554444" << "pw" << "" << "Insert Confirm.";
    QTest::newRow("confirmation differs") << "55554444" << "pw" << "pw2" << "Confirm Incorrect.";
}

void TestCqDlgPassword::checksBeforeSending()
{
    QFETCH(QString, pin);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    type(pin, password, confirm);
    QCOMPARE(m_bar->messages(), QStringList{message});
    QVERIFY(m_dialog->isVisible());
    QTest::qWait(50);
    QCOMPARE(m_fake->requestCount(passwordPath), 0);
}

void TestCqDlgPassword::passwordReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::newRow("updated") << QByteArray(R"({"result_code":0})") << true << "Updated your password!";
    QTest::newRow("refused") << QByteArray(R"({"result_code":2})") << false << "Network issue.";
    QTest::newRow("too many attempts") << QByteArray(R"({"result_code":5,"retry_after":61})") << false
                                       << "Too many attempts. Try again in 2 minutes.";
    // Garbage must not be reported as an updated password.
    QTest::newRow("not json") << QByteArray("<h1>502</h1>") << false << "Network issue.";
}

void TestCqDlgPassword::passwordReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    m_fake->enqueueJson(QStringLiteral("setPassword"), reply);

    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    type(expectedCode, QStringLiteral("new pw"), QStringLiteral("new pw"));
    QVERIFY(m_fake->waitForRequests(passwordPath, 1));
    // The typed code goes along, last, for the service to check.
    QCOMPARE(m_fake->lastRequest(passwordPath).body,
             "email=lost@example.com&password=new pw&pincode=" + expectedCode.toUtf8());
    QTRY_COMPARE(m_bar->messages(), QStringList{message});
    QCOMPARE(finished.count(), accepted ? 1 : 0);
    QCOMPARE(m_dialog->isVisible(), !accepted);
}

void TestCqDlgPassword::fieldEchoModes()
{
    QCOMPARE(m_dialog->findChild<QLineEdit*>(QStringLiteral("edtPassword"))->echoMode(), QLineEdit::Password);
    QCOMPARE(m_dialog->findChild<QLineEdit*>(QStringLiteral("edtConfirm"))->echoMode(), QLineEdit::Normal);
}

QTEST_MAIN(TestCqDlgPassword)
#include "tst_cqdlgpassword.moc"
