#include "account/cqdlgsignup.h"
#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "fakeserver.h"
#include "modalscript.h"
#include "testenvironment.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString signupPath = QStringLiteral("/api/signup");

template<typename T>
T* child(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QLatin1String(name));
}

QLineEdit* edit(QWidget* dialog, const char* name) { return child<QLineEdit>(dialog, name); }
QPushButton* button(QWidget* dialog, const char* name) { return child<QPushButton>(dialog, name); }

const char* const busyControls[] = {"btnClose", "btnLogin", "btnSignUp", "chkPolicy",
                                    "edtName", "edtEmail", "edtPassword", "edtConfirm"};

bool isBusy(QWidget* dialog)
{
    for (const char* name : busyControls) {
        if (child<QWidget>(dialog, name)->isEnabled())
            return false;
    }
    return child<QWidget>(dialog, "widgetLoading")->isVisible() && !child<QWidget>(dialog, "lblLogo")->isVisible()
        && button(dialog, "btnTerms")->isEnabled(); // the terms stay readable
}

bool isIdle(QWidget* dialog)
{
    for (const char* name : busyControls) {
        if (!child<QWidget>(dialog, name)->isEnabled())
            return false;
    }
    return !child<QWidget>(dialog, "widgetLoading")->isVisible() && child<QWidget>(dialog, "lblLogo")->isVisible();
}

} // namespace

class TestCqDlgSignUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formTexts_data();
    void formTexts();
    void checksStopTheSignUp_data();
    void checksStopTheSignUp();
    void signupReplies_data();
    void signupReplies();
    void fieldsInOrder();
    void networkErrorReturnsToIdle();
    void loginAcceptsAndCloseRejects();
    void termsOpenWhileBusy();

private:
    std::unique_ptr<CqDlgSignUp> openSignUp();
    void fill(QWidget* dialog, const QString& name, const QString& email, const QString& password,
              const QString& confirm, bool agreed);

    FakeServer* m_fake = nullptr;
};

void TestCqDlgSignUp::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QVERIFY(m_fake->isListening());
    m_fake->useAsApiHost();
}

void TestCqDlgSignUp::init()
{
    TestEnvironment::resetAccount();
    m_fake->clear();
}

void TestCqDlgSignUp::cleanup()
{
    TestEnvironment::closeModals();
}

std::unique_ptr<CqDlgSignUp> TestCqDlgSignUp::openSignUp()
{
    auto dialog = std::make_unique<CqDlgSignUp>();
    dialog->show();
    return dialog;
}

void TestCqDlgSignUp::fill(QWidget* dialog, const QString& name, const QString& email,
                           const QString& password, const QString& confirm, bool agreed)
{
    QTest::keyClicks(edit(dialog, "edtName"), name);
    QTest::keyClicks(edit(dialog, "edtEmail"), email);
    QTest::keyClicks(edit(dialog, "edtPassword"), password);
    QTest::keyClicks(edit(dialog, "edtConfirm"), confirm);
    child<QCheckBox>(dialog, "chkPolicy")->setChecked(agreed);
}

void TestCqDlgSignUp::formTexts_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("text");
    // Leading and trailing spaces and the line break are part of the texts.
    QTest::newRow("policy box") << "chkPolicy" << "    I agree to the ";
    QTest::newRow("terms") << "btnTerms" << "Terms & Conditions \n& Privacy Policy";
    QTest::newRow("sign up") << "btnSignUp" << "SIGNUP HERE";
    QTest::newRow("login") << "btnLogin" << "Login";
}

void TestCqDlgSignUp::formTexts()
{
    QFETCH(QString, objectName);
    QFETCH(QString, text);
    auto dialog = openSignUp();
    auto* widget = dialog->findChild<QAbstractButton*>(objectName);
    QVERIFY(widget);
    QCOMPARE(widget->text(), text);
    // Every field shows what is typed.
    for (const char* name : {"edtName", "edtEmail", "edtPassword", "edtConfirm"})
        QCOMPARE(edit(dialog.get(), name)->echoMode(), QLineEdit::Normal);
}

void TestCqDlgSignUp::checksStopTheSignUp_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus"); // empty: focus stays where it was

    QTest::newRow("name") << "" << "a@b.c" << "pw" << "pw" << true << "Insert Name" << "edtName";
    QTest::newRow("email") << "Ann" << "" << "pw" << "pw" << true << "Insert Email" << "edtEmail";
    QTest::newRow("password") << "Ann" << "a@b.c" << "" << "" << true << "Insert Password" << "edtPassword";
    QTest::newRow("empty confirmation") << "Ann" << "a@b.c" << "a" << "" << true
                                        << "Password Confirm Incorrect" << "edtConfirm";
    QTest::newRow("not agreed") << "Ann" << "a@b.c" << "pw" << "pw" << false << "Don't agree?" << "";
}

void TestCqDlgSignUp::checksStopTheSignUp()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(bool, agreed);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    auto dialog = openSignUp();
    dialog->activateWindow();
    fill(dialog.get(), name, email, password, confirm, agreed);
    edit(dialog.get(), "edtEmail")->setFocus();
    QTest::mouseClick(button(dialog.get(), "btnSignUp"), Qt::LeftButton);

    QCOMPARE(dialog->messageBar()->messages(), QStringList{message});
    if (!focus.isEmpty())
        QTRY_COMPARE(QApplication::focusWidget(), edit(dialog.get(), focus.toLatin1().constData()));
    QVERIFY(isIdle(dialog.get()));
    QTest::qWait(50);
    QCOMPARE(m_fake->requestCount(signupPath), 0);
}

void TestCqDlgSignUp::signupReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("message");
    QTest::newRow("registered") << QByteArray(R"({"result_code":0})") << "Register Successes";
    QTest::newRow("registered, code as text") << QByteArray(R"({"result_code":"0"})") << "Register Successes";
    QTest::newRow("refused") << QByteArray(R"({"result_code":1})") << "Net Error";
    // A page that is not a reply is no registration.
    QTest::newRow("not json") << QByteArray("<html>proxy error</html>") << "Net Error";
    QTest::newRow("no result") << QByteArray(R"({"message":"ok"})") << "Net Error";
}

void TestCqDlgSignUp::signupReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, message);
    m_fake->enqueueJson(QStringLiteral("signup"), reply, 200);

    auto dialog = openSignUp();
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    fill(dialog.get(), QStringLiteral("Ann"), QStringLiteral("ann@example.com"), QStringLiteral("pw"),
         QStringLiteral("pw"), true);
    QTest::mouseClick(button(dialog.get(), "btnSignUp"), Qt::LeftButton);
    QVERIFY(isBusy(dialog.get()));

    QTRY_VERIFY(isIdle(dialog.get()));
    QCOMPARE(dialog->messageBar()->messages(), QStringList{message});
    // The dialog stays open and nobody is signed in or remembered.
    QVERIFY(dialog->isVisible());
    QCOMPARE(finished.count(), 0);
    QVERIFY(currentEmail.isEmpty());
    QVERIFY(currentPassword.isEmpty());
    QVERIFY(SettingsStore::rememberedEmail().isEmpty());
}

void TestCqDlgSignUp::fieldsInOrder()
{
    m_fake->enqueue(signupPath, FakeServer::Reply::hang());
    auto dialog = openSignUp();
    fill(dialog.get(), QStringLiteral("Ann Lee"), QStringLiteral("ann+1@example.com"), QStringLiteral("p&w"),
         QStringLiteral("p&w"), true);
    QTest::mouseClick(button(dialog.get(), "btnSignUp"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(signupPath, 1));
    QCOMPARE(m_fake->lastRequest(signupPath).body, "email=ann+1@example.com&password=p%26w&username=Ann Lee");
}

void TestCqDlgSignUp::networkErrorReturnsToIdle()
{
    m_fake->enqueue(signupPath, FakeServer::Reply::error(500));
    auto dialog = openSignUp();
    fill(dialog.get(), QStringLiteral("Ann"), QStringLiteral("ann@example.com"), QStringLiteral("pw"),
         QStringLiteral("pw"), true);
    QTest::mouseClick(button(dialog.get(), "btnSignUp"), Qt::LeftButton);
    QVERIFY(isBusy(dialog.get()));
    QTRY_VERIFY(isIdle(dialog.get()));
    QVERIFY(dialog->messageBar()->messages().isEmpty());

    // Sending again works.
    m_fake->enqueueJson(QStringLiteral("signup"), R"({"result_code":0})");
    QTest::mouseClick(button(dialog.get(), "btnSignUp"), Qt::LeftButton);
    QTRY_COMPARE(dialog->messageBar()->messages(), QStringList{"Register Successes"});
    QCOMPARE(m_fake->requestCount(signupPath), 2);
}

void TestCqDlgSignUp::loginAcceptsAndCloseRejects()
{
    auto dialog = openSignUp();
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    QTest::mouseClick(button(dialog.get(), "btnLogin"), Qt::LeftButton);
    QCOMPARE(accepted.count(), 1);

    dialog = openSignUp();
    QSignalSpy rejected(dialog.get(), &QDialog::rejected);
    QTest::mouseClick(button(dialog.get(), "btnClose"), Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
}

void TestCqDlgSignUp::termsOpenWhileBusy()
{
    m_fake->enqueue(signupPath, FakeServer::Reply::hang());
    auto dialog = openSignUp();
    fill(dialog.get(), QStringLiteral("Ann"), QStringLiteral("ann@example.com"), QStringLiteral("pw"),
         QStringLiteral("pw"), true);
    QTest::mouseClick(button(dialog.get(), "btnSignUp"), Qt::LeftButton);
    QVERIFY(isBusy(dialog.get()));

    QString title;
    QWidget* termsParent = dialog.get();
    onModal(dialog.get(), QStringLiteral("CqDlgTerms"), [&](QDialog* terms) {
        title = terms->windowTitle();
        termsParent = terms->parentWidget();
        terms->close();
    });
    QTest::mouseClick(button(dialog.get(), "btnTerms"), Qt::LeftButton);
    QCOMPARE(title, "Terms & Policy");
    QVERIFY(!termsParent); // a window of its own
    QVERIFY(isBusy(dialog.get()));
}

QTEST_MAIN(TestCqDlgSignUp)
#include "tst_cqdlgsignup.moc"
