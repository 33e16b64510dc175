#include "account/cqdlglogin.h"
#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "fakeserver.h"
#include "modalscript.h"
#include "testenvironment.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString signinPath = QStringLiteral("/api/signin");
const QString tokenPath = QStringLiteral("/api/registerToken");
const QString verifyPath = QStringLiteral("/api/verifyDevice");
const QString forgotPath = QStringLiteral("/api/forgot");
const QString passwordPath = QStringLiteral("/api/setPassword");

const QByteArray approvedReply =
    R"({"result_code":0,"user_info":{"approve":"1","user_id":"42","username":"Ann","checkDay":"5"},)"
    R"("backgrounds":[{"platform":"1","url":"http://127.0.0.1:1/one.png"},{"platform":"x","url":"u0"}]})";

template<typename T>
T* child(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QLatin1String(name));
}

QLineEdit* edit(QWidget* dialog, const char* name) { return child<QLineEdit>(dialog, name); }
QPushButton* button(QWidget* dialog, const char* name) { return child<QPushButton>(dialog, name); }

// Busy: the indicator replaces the logo and every control is disabled.
bool isBusy(QWidget* dialog)
{
    return child<QWidget>(dialog, "widgetLoading")->isVisible()
        && !child<QWidget>(dialog, "lblLogo")->isVisible()
        && !edit(dialog, "edtEmail")->isEnabled() && !edit(dialog, "edtPassword")->isEnabled()
        && !button(dialog, "btnLogin")->isEnabled() && !button(dialog, "btnClose")->isEnabled()
        && !button(dialog, "btnSignUp")->isEnabled() && !button(dialog, "btnForgot")->isEnabled();
}

bool isIdle(QWidget* dialog)
{
    return !child<QWidget>(dialog, "widgetLoading")->isVisible()
        && child<QWidget>(dialog, "lblLogo")->isVisible()
        && edit(dialog, "edtEmail")->isEnabled() && edit(dialog, "edtPassword")->isEnabled()
        && button(dialog, "btnLogin")->isEnabled() && button(dialog, "btnClose")->isEnabled()
        && button(dialog, "btnSignUp")->isEnabled() && button(dialog, "btnForgot")->isEnabled();
}

// The field names of a form body, in the order they were sent.
QStringList fieldOrder(const QByteArray& body)
{
    QStringList keys;
    for (const QByteArray& pair : body.split('&'))
        keys << QString::fromUtf8(pair.left(pair.indexOf('=')));
    return keys;
}

// Whether any file under the test's settings and data folders holds `text`.
bool noFileContains(const QByteArray& text)
{
    QDirIterator files(TestEnvironment::root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(text)) {
            qWarning().noquote() << text << "found in" << file.fileName();
            return false;
        }
    }
    return true;
}

bool nothingStored(const QString& email)
{
    const QString saved = currentEmail;
    currentEmail = email;
    const bool empty = SettingsStore::memberText(QStringLiteral("password")).isEmpty()
        && SettingsStore::memberText(QStringLiteral("id")).isEmpty();
    currentEmail = saved;
    return empty && SettingsStore::rememberedEmail().isEmpty();
}

} // namespace

class TestCqDlgLogin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void signinReplies_data();
    void signinReplies();
    void acceptedAfterTokenReply_data();
    void acceptedAfterTokenReply();
    void nothingStoredBeforeTokenReply();
    void signinFieldsInOrder();
    void emptyAndLongInputSentAsTyped_data();
    void emptyAndLongInputSentAsTyped();
    void networkErrorReturnsToIdle_data();
    void networkErrorReturnsToIdle();
    void verifyReplies_data();
    void verifyReplies();
    void pincodeComparison_data();
    void pincodeComparison();
    void verifyModeStartsByItself();
    void codeRegistrationSignsInForDetails_data();
    void codeRegistrationSignsInForDetails();
    void codeWithoutExpectedCodeGoesToService_data();
    void codeWithoutExpectedCodeGoesToService();
    void verifyModeWaitsUntilShown();
    void verifyModeWithoutPasswordAsksForIt();
    void closeRejects();
    void recoveryChangesEmailEvenWhenCancelled();
    void recoverySetsNewPassword();

private:
    std::unique_ptr<CqDlgLogin> openLogin(const QString& mode = QString());
    void signIn(CqDlgLogin* dialog, const QString& email, const QString& password);

    FakeServer* m_fake = nullptr;
};

void TestCqDlgLogin::initTestCase()
{
    TestEnvironment::isolate();
    m_fake = new FakeServer(this);
    QVERIFY(m_fake->isListening());
    m_fake->useAsApiHost();
}

void TestCqDlgLogin::init()
{
    TestEnvironment::resetAccount();
    m_fake->clear();
}

void TestCqDlgLogin::cleanup()
{
    TestEnvironment::closeModals();
}

std::unique_ptr<CqDlgLogin> TestCqDlgLogin::openLogin(const QString& mode)
{
    auto dialog = std::make_unique<CqDlgLogin>(mode);
    dialog->show();
    return dialog;
}

void TestCqDlgLogin::signIn(CqDlgLogin* dialog, const QString& email, const QString& password)
{
    QTest::keyClicks(edit(dialog, "edtEmail"), email);
    QTest::keyClicks(edit(dialog, "edtPassword"), password);
    QTest::mouseClick(button(dialog, "btnLogin"), Qt::LeftButton);
}

void TestCqDlgLogin::signinReplies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("nextPath"); // request that follows, empty for none
    QTest::addColumn<bool>("busyAfter");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("userId");

    QTest::newRow("approved") << approvedReply << tokenPath << true << QString() << QString() << "42";
    QTest::newRow("approve empty counts as approved")
        << QByteArray(R"({"result_code":0,"user_info":{"approve":"","user_id":"7"}})") << tokenPath
        << true << QString() << QString() << "7";
    QTest::newRow("not approved")
        << QByteArray(R"({"result_code":0,"user_info":{"approve":"0","user_id":"9"}})") << QString()
        << false << "Not allowed" << QString() << QString();
    QTest::newRow("numbers where texts belong")
        << QByteArray(R"({"result_code":"0","user_info":{"approve":1,"user_id":42,"username":7,"checkDay":3},"backgrounds":5})")
        << tokenPath << true << QString() << QString() << "42";
    QTest::newRow("user_info missing") << QByteArray(R"({"result_code":0})") << QString() << false
                                       << QString() << QString() << QString();
    QTest::newRow("user_info not an object")
        << QByteArray(R"({"result_code":0,"user_info":[1,2,3]})") << QString() << false << QString()
        << QString() << QString();
    QTest::newRow("unknown email") << QByteArray(R"({"result_code":1})") << QString() << false
                                   << "Non Exist Email" << "edtEmail" << QString();
    QTest::newRow("wrong password") << QByteArray(R"({"result_code":2})") << QString() << false
                                    << "Password incorrect" << "edtPassword" << QString();
    QTest::newRow("unregistered computer") << QByteArray(R"({"result_code":3})") << verifyPath << true
                                           << QString() << QString() << QString();
    QTest::newRow("too many attempts") << QByteArray(R"({"result_code":5,"retry_after":900})") << QString() << false
                                       << "Too many attempts. Try again in 15 minutes." << QString() << QString();
    QTest::newRow("unknown code") << QByteArray(R"({"result_code":17})") << QString() << false
                                  << QString() << QString() << QString();
    QTest::newRow("not json") << QByteArray("<html>Bad gateway</html>") << QString() << false
                              << QString() << QString() << QString();
    QTest::newRow("json array") << QByteArray("[0]") << QString() << false << QString() << QString()
                                << QString();
}

void TestCqDlgLogin::signinReplies()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, nextPath);
    QFETCH(bool, busyAfter);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, userId);

    m_fake->enqueueJson(QStringLiteral("signin"), reply);
    // Whatever follows stays unanswered so that the state can be looked at.
    m_fake->enqueue(tokenPath, FakeServer::Reply::hang());
    m_fake->enqueue(verifyPath, FakeServer::Reply::hang());

    auto dialog = openLogin();
    QSignalSpy shown(dialog->messageBar(), &QtMaterialSnackbar::messageShown);
    signIn(dialog.get(), QStringLiteral("ann@example.com"), QStringLiteral("secret"));
    QVERIFY(isBusy(dialog.get()));
    QVERIFY(m_fake->waitForRequests(signinPath, 1));

    if (nextPath.isEmpty()) {
        QTRY_VERIFY(isIdle(dialog.get()));
    } else {
        QVERIFY(m_fake->waitForRequests(nextPath, 1));
        QCOMPARE(m_fake->lastRequest(nextPath).field(QStringLiteral("email")), "ann@example.com");
    }
    QCOMPARE(isBusy(dialog.get()), busyAfter);
    QCOMPARE(m_fake->requestCount(tokenPath) + m_fake->requestCount(verifyPath),
             nextPath.isEmpty() ? 0 : 1);

    if (message.isEmpty()) {
        QVERIFY(dialog->messageBar()->messages().isEmpty());
    } else {
        QCOMPARE(dialog->messageBar()->messages(), QStringList{message});
        QTRY_COMPARE(shown.count(), 1);
    }
    if (!focus.isEmpty())
        QTRY_COMPARE(QApplication::focusWidget(), edit(dialog.get(), focus.toLatin1().constData()));
    QCOMPARE(currentUserId, userId);
    QVERIFY(dialog->isVisible());
    QVERIFY(nothingStored(QStringLiteral("ann@example.com")));
}

void TestCqDlgLogin::acceptedAfterTokenReply_data()
{
    QTest::addColumn<QByteArray>("tokenReply");
    QTest::newRow("registered") << QByteArray(R"({"result_code":0})");
    // The sign-in itself succeeded; a refused registration still lets the member in.
    QTest::newRow("registration refused") << QByteArray(R"({"result_code":4})");
    QTest::newRow("not json") << QByteArray("oops");
}

void TestCqDlgLogin::acceptedAfterTokenReply()
{
    QFETCH(QByteArray, tokenReply);
    m_fake->enqueueJson(QStringLiteral("signin"), approvedReply);
    m_fake->enqueueJson(QStringLiteral("registerToken"), tokenReply);

    auto dialog = openLogin();
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    signIn(dialog.get(), QStringLiteral("Ann@Example.com"), QStringLiteral("s3cret word"));
    QVERIFY(accepted.wait());

    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(currentUserName, "Ann");
    QCOMPARE(currentCheckDay, "5");
    QCOMPARE(backgroundTable.value(1).url, "http://127.0.0.1:1/one.png");
    QVERIFY(!backgroundTable.value(1).stored);
    QCOMPARE(backgroundTable.value(0).url, "u0"); // a platform that is not a number is key 0

    const QByteArray tokenBody = m_fake->lastRequest(tokenPath).body;
    // The mailed code goes last; none was typed on a plain sign-in.
    QCOMPARE(fieldOrder(tokenBody), (QStringList{"email", "deviceToken", "deviceType", "pincode"}));
    QCOMPARE(m_fake->lastRequest(tokenPath).field(QStringLiteral("pincode")), QString());
    QCOMPARE(m_fake->lastRequest(tokenPath).field(QStringLiteral("deviceType")), "windows");

    // The remembered e-mail is the one typed; its member store holds the rest.
    QCOMPARE(SettingsStore::rememberedEmail(), "Ann@Example.com");
    QVERIFY(noFileContains("s3cret word"));
    currentEmail = QStringLiteral("Ann@Example.com");
    // The password belongs to the secret store, never to a settings file.
    QVERIFY(!SettingsStore::memberContains(QStringLiteral("password")));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("id")), "42");
}

void TestCqDlgLogin::nothingStoredBeforeTokenReply()
{
    m_fake->enqueueJson(QStringLiteral("signin"), approvedReply);
    m_fake->enqueueJson(QStringLiteral("registerToken"), R"({"result_code":0})", 300);

    auto dialog = openLogin();
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    signIn(dialog.get(), QStringLiteral("ann@example.com"), QStringLiteral("pw"));
    QVERIFY(m_fake->waitForRequests(tokenPath, 1));
    QVERIFY(nothingStored(QStringLiteral("ann@example.com")));
    QVERIFY(isBusy(dialog.get()));
    QVERIFY(accepted.wait());
    QVERIFY(!nothingStored(QStringLiteral("ann@example.com")));
}

void TestCqDlgLogin::signinFieldsInOrder()
{
    m_fake->enqueue(signinPath, FakeServer::Reply::hang());
    auto dialog = openLogin();
    signIn(dialog.get(), QStringLiteral("a&b@example.com"), QStringLiteral("p w+x"));
    QVERIFY(m_fake->waitForRequests(signinPath, 1));

    const FakeServer::Request request = m_fake->lastRequest(signinPath);
    QCOMPARE(fieldOrder(request.body), (QStringList{"email", "password", "deviceToken", "deviceType"}));
    // "&" inside a value is escaped; spaces and "+" go as typed.
    QVERIFY(request.body.startsWith("email=a%26b@example.com&password=p w+x&deviceToken="));
    QVERIFY(request.body.endsWith("&deviceType=windows"));
    QCOMPARE(request.header("Content-Type"), "application/x-www-form-urlencoded");
    QCOMPARE(currentEmail, "a&b@example.com");
    QCOMPARE(currentPassword, "p w+x");
}

void TestCqDlgLogin::emptyAndLongInputSentAsTyped_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("password");
    QTest::newRow("both empty") << QString() << QString();
    QTest::newRow("surrounding spaces kept") << QStringLiteral(" ann@example.com ") << QStringLiteral(" pw ");
    QTest::newRow("very long") << QString(20000, QLatin1Char('e')) + QStringLiteral("@example.com")
                               << QString(50000, QLatin1Char('p'));
}

void TestCqDlgLogin::emptyAndLongInputSentAsTyped()
{
    QFETCH(QString, email);
    QFETCH(QString, password);
    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":1})");

    auto dialog = openLogin();
    edit(dialog.get(), "edtEmail")->setText(email);
    edit(dialog.get(), "edtPassword")->setText(password);
    QTest::mouseClick(button(dialog.get(), "btnLogin"), Qt::LeftButton);
    QVERIFY(m_fake->waitForRequests(signinPath, 1));

    const FakeServer::Request request = m_fake->lastRequest(signinPath);
    QCOMPARE(request.field(QStringLiteral("email")), email);
    QCOMPARE(request.field(QStringLiteral("password")), password);
    QTRY_VERIFY(isIdle(dialog.get()));
}

void TestCqDlgLogin::networkErrorReturnsToIdle_data()
{
    QTest::addColumn<QByteArray>("signinReply");
    QTest::addColumn<QString>("failingPath");
    QTest::newRow("signin") << QByteArray() << signinPath;
    QTest::newRow("verifyDevice") << QByteArray(R"({"result_code":3})") << verifyPath;
    QTest::newRow("registerToken") << approvedReply << tokenPath;
}

void TestCqDlgLogin::networkErrorReturnsToIdle()
{
    QFETCH(QByteArray, signinReply);
    QFETCH(QString, failingPath);
    if (!signinReply.isEmpty())
        m_fake->enqueueJson(QStringLiteral("signin"), signinReply);
    m_fake->enqueue(failingPath, FakeServer::Reply::error(500));

    auto dialog = openLogin();
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    signIn(dialog.get(), QStringLiteral("ann@example.com"), QStringLiteral("pw"));
    QVERIFY(m_fake->waitForRequests(failingPath, 1));
    QTRY_VERIFY(isIdle(dialog.get()));
    QVERIFY(dialog->messageBar()->messages().isEmpty());
    QCOMPARE(accepted.count(), 0);
    QVERIFY(nothingStored(QStringLiteral("ann@example.com")));

    // The member can simply try again.
    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":2})");
    QTest::mouseClick(button(dialog.get(), "btnLogin"), Qt::LeftButton);
    QTRY_COMPARE(dialog->messageBar()->messages(), QStringList{"Password incorrect"});
}

void TestCqDlgLogin::verifyReplies_data()
{
    QTest::addColumn<QByteArray>("verifyReply");
    QTest::addColumn<bool>("codeDialogOpens");
    QTest::newRow("code sent") << QByteArray(R"({"result_code":0,"pincode":"12345678"})") << true;
    QTest::newRow("code as number") << QByteArray(R"({"result_code":0,"pincode":12345678})") << true;
    QTest::newRow("refused") << QByteArray(R"({"result_code":1,"pincode":"12345678"})") << false;
    QTest::newRow("not json") << QByteArray("Internal error") << false;
    // A service that keeps the code to itself judges what is typed.
    QTest::newRow("no code") << QByteArray(R"({"result_code":0})") << true;
}

void TestCqDlgLogin::verifyReplies()
{
    QFETCH(QByteArray, verifyReply);
    QFETCH(bool, codeDialogOpens);
    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":3})");
    m_fake->enqueueJson(QStringLiteral("verifyDevice"), verifyReply);

    auto dialog = openLogin();
    bool opened = false;
    bool idleUnderneath = false;
    onModal(dialog.get(), QStringLiteral("CqDlgPin"), [&](QDialog* pin) {
        opened = true;
        idleUnderneath = isIdle(dialog.get());
        QTest::mouseClick(button(pin, "btnCancel"), Qt::LeftButton);
    }, codeDialogOpens ? 8000 : 1500);
    signIn(dialog.get(), QStringLiteral("ann@example.com"), QStringLiteral("pw"));
    QVERIFY(m_fake->waitForRequests(verifyPath, 1));
    QTRY_VERIFY(isIdle(dialog.get()));
    if (codeDialogOpens)
        QTRY_VERIFY(opened);
    else
        QTest::qWait(100); // give a wrongly opened dialog the chance to show up
    QCOMPARE(opened, codeDialogOpens);
    QCOMPARE(idleUnderneath, codeDialogOpens);
    QCOMPARE(m_fake->requestCount(tokenPath), 0);
    QVERIFY(nothingStored(QStringLiteral("ann@example.com")));
}

void TestCqDlgLogin::pincodeComparison_data()
{
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("exact") << "12345678" << "12345678" << true;
    QTest::newRow("trailing space") << "12345678" << "12345678 " << false;
    QTest::newRow("leading space") << "12345678" << " 12345678" << false;
    QTest::newRow("one digit short") << "12345678" << "1234567" << false;
    QTest::newRow("one digit more") << "12345678" << "123456789" << false;
    QTest::newRow("other case") << "ab12CD34" << "AB12cd34" << false;
    QTest::newRow("empty") << "12345678" << "" << false;
}

void TestCqDlgLogin::pincodeComparison()
{
    QFETCH(QString, expected);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":3})");
    m_fake->enqueueJson(QStringLiteral("verifyDevice"),
                        QStringLiteral(R"({"result_code":0,"pincode":"%1"})").arg(expected).toUtf8());
    m_fake->enqueue(tokenPath, FakeServer::Reply::hang());

    auto dialog = openLogin();
    bool acted = false;
    bool stillOpen = false;
    QStringList messages;
    onModal(dialog.get(), QStringLiteral("CqDlgPin"), [&](QDialog* pin) {
        acted = true;
        QTest::keyClicks(pin->findChild<QLineEdit*>(QStringLiteral("edtPin")), typed);
        QTest::mouseClick(button(pin, "btnOk"), Qt::LeftButton);
        stillOpen = pin->isVisible();
        messages = dialog->messageBar()->messages();
        if (stillOpen) // a wrong code may be retried; give up here
            QTest::mouseClick(button(pin, "btnCancel"), Qt::LeftButton);
    });
    signIn(dialog.get(), QStringLiteral("ann@example.com"), QStringLiteral("pw"));
    QVERIFY(m_fake->waitForRequests(verifyPath, 1));
    QTRY_VERIFY(acted);

    if (accepted) {
        QVERIFY(m_fake->waitForRequests(tokenPath, 1));
        QVERIFY(!stillOpen);
        QVERIFY(messages.isEmpty());
        // Registering after the code dialog runs without the busy state.
        QVERIFY(isIdle(dialog.get()));
        QCOMPARE(m_fake->lastRequest(tokenPath).field(QStringLiteral("email")), "ann@example.com");
    } else {
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(stillOpen);
        QCOMPARE(messages, QStringList{"Pincode incorrect."});
        QVERIFY(isIdle(dialog.get()));
        QCOMPARE(m_fake->requestCount(tokenPath), 0);
    }
}

void TestCqDlgLogin::verifyModeStartsByItself()
{
    currentEmail = QStringLiteral("kim@example.com");
    SettingsStore::setRememberedEmail(currentEmail);
    SettingsStore::setMemberText(QStringLiteral("password"), QStringLiteral("kept pw"));
    currentEmail.clear();
    m_fake->enqueueJson(QStringLiteral("verifyDevice"), R"({"result_code":0,"pincode":"87654321"})");
    m_fake->enqueueJson(QStringLiteral("registerToken"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("signin"), approvedReply);
    m_fake->enqueueJson(QStringLiteral("registerToken"), R"({"result_code":0})");

    // The code dialog is answered only once the stored password has come.
    auto dialog = std::make_unique<CqDlgLogin>(QStringLiteral("verify"));
    QTRY_COMPARE(edit(dialog.get(), "edtPassword")->text(), "kept pw");
    onModal(dialog.get(), QStringLiteral("CqDlgPin"), [](QDialog* pin) {
        QTest::keyClicks(pin->findChild<QLineEdit*>(QStringLiteral("edtPin")), QStringLiteral("87654321"));
        QTest::mouseClick(button(pin, "btnOk"), Qt::LeftButton);
    });
    dialog->show();
    const bool busyBeforeReply = isBusy(dialog.get());
    QCOMPARE(edit(dialog.get(), "edtEmail")->text(), "kim@example.com");
    QCOMPARE(currentPassword, "kept pw");
    QVERIFY(busyBeforeReply);

    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    QVERIFY(accepted.wait());
    QCOMPARE(m_fake->lastRequest(verifyPath).body, "email=kim@example.com");
    QCOMPARE(m_fake->lastRequest(tokenPath).field(QStringLiteral("email")), "kim@example.com");
    // Once the computer is registered, the remembered credentials sign in
    // to bring the member's id and name.
    QCOMPARE(m_fake->requestCount(signinPath), 1);
    QCOMPARE(m_fake->lastRequest(signinPath).field(QStringLiteral("password")), "kept pw");
    QCOMPARE(currentUserId, "42");
    QCOMPARE(currentUserName, "Ann");
    // The plain-text password an earlier version left is gone for good.
    QVERIFY(noFileContains("kept pw"));
}

void TestCqDlgLogin::codeRegistrationSignsInForDetails_data()
{
    QTest::addColumn<QByteArray>("firstToken");
    QTest::addColumn<QByteArray>("secondSignIn");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<int>("tokenRequests");
    const QByteArray registered = R"({"result_code":0})";
    QTest::newRow("approved") << registered << approvedReply << QStringLiteral("42") << 2;
    // The code was checked here: whatever the registration answers, the
    // sign-in after it decides.
    QTest::newRow("registration refused") << QByteArray(R"({"result_code":1})") << approvedReply << QStringLiteral("42") << 2;
    QTest::newRow("registration not JSON") << QByteArray("<html>") << approvedReply << QStringLiteral("42") << 2;
    // Should the second sign-in be refused, the dialog returns to Idle with
    // that reply's message and stores nothing.
    QTest::newRow("refused again") << registered << QByteArray(R"({"result_code":1})") << QString() << 1;
    // Still unknown after the registration: no second code, no member
    // without an id; the dialog says so and stays.
    QTest::newRow("unregistered again") << registered << QByteArray(R"({"result_code":3})") << QString() << 1;
}

void TestCqDlgLogin::codeRegistrationSignsInForDetails()
{
    QFETCH(QByteArray, firstToken);
    QFETCH(QByteArray, secondSignIn);
    QFETCH(QString, userId);
    QFETCH(int, tokenRequests);
    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":3})");
    m_fake->enqueueJson(QStringLiteral("verifyDevice"), R"({"result_code":0,"pincode":"11223344"})");
    m_fake->enqueueJson(QStringLiteral("registerToken"), firstToken);
    m_fake->enqueueJson(QStringLiteral("signin"), secondSignIn);
    m_fake->enqueueJson(QStringLiteral("registerToken"), R"({"result_code":0})");

    auto dialog = openLogin();
    onModal(dialog.get(), QStringLiteral("CqDlgPin"), [](QDialog* pin) {
        QTest::keyClicks(pin->findChild<QLineEdit*>(QStringLiteral("edtPin")), QStringLiteral("11223344"));
        QTest::mouseClick(button(pin, "btnOk"), Qt::LeftButton);
    });
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    signIn(dialog.get(), QStringLiteral("new@example.com"), QStringLiteral("pw"));
    if (userId.isEmpty()) {
        // The refused second sign-in returns to Idle with its message.
        QVERIFY(m_fake->waitForRequests(signinPath, 2));
        QTRY_VERIFY(isIdle(dialog.get()));
        QTRY_COMPARE(dialog->messageBar()->messages().size(), 1);
        QTest::qWait(100); // a wrongly opened second code dialog would show up here
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(m_fake->requestCount(verifyPath), 1);
        QCOMPARE(accepted.count(), 0);
        QVERIFY(dialog->isVisible());
        QVERIFY(nothingStored(QStringLiteral("new@example.com")));
    } else {
        QVERIFY(accepted.wait());
        QCOMPARE(currentUserId, userId);
        QCOMPARE(SettingsStore::rememberedEmail(), "new@example.com");
        QCOMPARE(SettingsStore::memberText(QStringLiteral("id")), userId);
    }
    QCOMPARE(m_fake->requestCount(signinPath), 2);
    QCOMPARE(m_fake->requestCount(tokenPath), tokenRequests);
}

void TestCqDlgLogin::codeWithoutExpectedCodeGoesToService_data()
{
    QTest::addColumn<QByteArray>("tokenReply");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::newRow("right code") << QByteArray(R"({"result_code":0})") << true << QString();
    QTest::newRow("wrong code") << QByteArray(R"({"result_code":4})") << false << "Pincode incorrect.";
    QTest::newRow("not json") << QByteArray("oops") << false << QString();
    QTest::newRow("too many attempts") << QByteArray(R"({"result_code":5,"retry_after":"3599"})") << false
                                       << "Too many attempts. Try again in 60 minutes.";
}

void TestCqDlgLogin::codeWithoutExpectedCodeGoesToService()
{
    QFETCH(QByteArray, tokenReply);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    m_fake->enqueueJson(QStringLiteral("signin"), R"({"result_code":3})");
    m_fake->enqueueJson(QStringLiteral("verifyDevice"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("registerToken"), tokenReply);
    m_fake->enqueueJson(QStringLiteral("signin"), approvedReply);
    m_fake->enqueueJson(QStringLiteral("registerToken"), R"({"result_code":0})");

    auto dialog = openLogin();
    onModal(dialog.get(), QStringLiteral("CqDlgPin"), [](QDialog* pin) {
        QTest::keyClicks(pin->findChild<QLineEdit*>(QStringLiteral("edtPin")), QStringLiteral("24681357"));
        QTest::mouseClick(button(pin, "btnOk"), Qt::LeftButton);
    });
    QSignalSpy acceptedSpy(dialog.get(), &QDialog::accepted);
    signIn(dialog.get(), QStringLiteral("ann@example.com"), QStringLiteral("pw"));
    QVERIFY(m_fake->waitForRequests(tokenPath, 1));
    const FakeServer::Request registration = m_fake->requests(tokenPath).first();
    QCOMPARE(fieldOrder(registration.body), (QStringList{"email", "deviceToken", "deviceType", "pincode"}));
    QCOMPARE(registration.field(QStringLiteral("pincode")), "24681357");
    if (accepted) {
        QVERIFY(acceptedSpy.wait());
        QCOMPARE(currentUserId, "42");
        return;
    }
    // Refused: the member stays in the login dialog, told why when the
    // service said so, and nothing is remembered.
    QTRY_VERIFY(isIdle(dialog.get()));
    QTest::qWait(100);
    QCOMPARE(m_fake->requestCount(signinPath), 1);
    QCOMPARE(acceptedSpy.count(), 0);
    QCOMPARE(dialog->messageBar()->messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY(nothingStored(QStringLiteral("ann@example.com")));
}

void TestCqDlgLogin::verifyModeWaitsUntilShown()
{
    currentEmail = QStringLiteral("kim@example.com");
    SettingsStore::setRememberedEmail(currentEmail);
    currentEmail.clear();
    m_fake->enqueue(verifyPath, FakeServer::Reply::hang());
    CqDlgLogin dialog(QStringLiteral("verify"));
    QTest::qWait(200);
    // Any reply would be handled behind the member's back.
    QCOMPARE(m_fake->requestCount(verifyPath), 0);
    dialog.show();
    QVERIFY(m_fake->waitForRequests(verifyPath, 1));
    QVERIFY(isBusy(&dialog));
}

void TestCqDlgLogin::verifyModeWithoutPasswordAsksForIt()
{
    // Nothing remembered but the e-mail (no secret store on this computer).
    currentEmail = QStringLiteral("kim@example.com");
    SettingsStore::setRememberedEmail(currentEmail);
    currentEmail.clear();
    m_fake->enqueueJson(QStringLiteral("verifyDevice"), R"({"result_code":0})");
    m_fake->enqueueJson(QStringLiteral("registerToken"), R"({"result_code":0})");

    auto dialog = openLogin(QStringLiteral("verify"));
    onModal(dialog.get(), QStringLiteral("CqDlgPin"), [](QDialog* pin) {
        QTest::keyClicks(pin->findChild<QLineEdit*>(QStringLiteral("edtPin")), QStringLiteral("87654321"));
        QTest::mouseClick(button(pin, "btnOk"), Qt::LeftButton);
    });
    QVERIFY(m_fake->waitForRequests(tokenPath, 1));
    QTRY_VERIFY(isIdle(dialog.get()));
    QTRY_COMPARE(dialog->focusWidget(), edit(dialog.get(), "edtPassword"));
    QCOMPARE(dialog->messageBar()->messages().size(), 1);
    QCOMPARE(m_fake->requestCount(signinPath), 0);
    QVERIFY(dialog->isVisible());

    // The member types the password and signs in; the computer is known now.
    m_fake->enqueueJson(QStringLiteral("signin"), approvedReply);
    m_fake->enqueueJson(QStringLiteral("registerToken"), R"({"result_code":0})");
    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    QTest::keyClicks(edit(dialog.get(), "edtPassword"), QStringLiteral("typed pw"));
    QTest::mouseClick(button(dialog.get(), "btnLogin"), Qt::LeftButton);
    QVERIFY(accepted.wait());
    QCOMPARE(m_fake->lastRequest(signinPath).field(QStringLiteral("password")), "typed pw");
    QCOMPARE(currentUserId, "42");
}

void TestCqDlgLogin::closeRejects()
{
    auto dialog = openLogin();
    QSignalSpy rejected(dialog.get(), &QDialog::rejected);
    QTest::mouseClick(button(dialog.get(), "btnClose"), Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    QVERIFY(m_fake->requests().isEmpty());
}

void TestCqDlgLogin::recoveryChangesEmailEvenWhenCancelled()
{
    m_fake->enqueueJson(QStringLiteral("forgot"), R"({"result_code":0,"pincode":"55554444"})");
    auto dialog = openLogin();
    edit(dialog.get(), "edtEmail")->setText(QStringLiteral("typed@example.com"));

    bool passwordDialogOpened = false;
    onModal(dialog.get(), QStringLiteral("CqDlgForget"), [](QDialog* forget) {
        QTest::keyClicks(forget->findChild<QLineEdit*>(QStringLiteral("edtEmail")),
                         QStringLiteral("lost@example.com"));
        QTest::mouseClick(button(forget, "btnOk"), Qt::LeftButton);
    });
    onModal(dialog.get(), QStringLiteral("CqDlgPassword"), [&](QDialog* password) {
        passwordDialogOpened = true;
        QTest::mouseClick(button(password, "btnCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(button(dialog.get(), "btnForgot"), Qt::LeftButton);

    QVERIFY(passwordDialogOpened);
    QCOMPARE(currentEmail, "lost@example.com");
    QCOMPARE(m_fake->lastRequest(forgotPath).body, "email=lost@example.com");
    QCOMPARE(m_fake->requestCount(passwordPath), 0);
    // The login form is left as it was, and nothing is remembered.
    QCOMPARE(edit(dialog.get(), "edtEmail")->text(), "typed@example.com");
    QVERIFY(dialog->isVisible());
    QVERIFY(nothingStored(QStringLiteral("lost@example.com")));
}

void TestCqDlgLogin::recoverySetsNewPassword()
{
    m_fake->enqueueJson(QStringLiteral("forgot"), R"({"result_code":0,"pincode":"55554444"})");
    m_fake->enqueueJson(QStringLiteral("setPassword"), R"({"result_code":0})");
    auto dialog = openLogin();

    onModal(dialog.get(), QStringLiteral("CqDlgForget"), [](QDialog* forget) {
        QTest::keyClicks(forget->findChild<QLineEdit*>(QStringLiteral("edtEmail")),
                         QStringLiteral("lost@example.com"));
        QTest::mouseClick(button(forget, "btnOk"), Qt::LeftButton);
    });
    onModal(dialog.get(), QStringLiteral("CqDlgPassword"), [](QDialog* password) {
        QTest::keyClicks(password->findChild<QLineEdit*>(QStringLiteral("edtPin")), QStringLiteral("55554444"));
        QTest::keyClicks(password->findChild<QLineEdit*>(QStringLiteral("edtPassword")), QStringLiteral("new pw"));
        QTest::keyClicks(password->findChild<QLineEdit*>(QStringLiteral("edtConfirm")), QStringLiteral("new pw"));
        QTest::mouseClick(button(password, "btnOk"), Qt::LeftButton);
    });
    QTest::mouseClick(button(dialog.get(), "btnForgot"), Qt::LeftButton);

    QCOMPARE(m_fake->lastRequest(passwordPath).body,
             "email=lost@example.com&password=new pw&pincode=55554444");
    // The recovery dialogs report on the login dialog's bar.
    QCOMPARE(dialog->messageBar()->messages(), QStringList{"Updated your password!"});
    QVERIFY(nothingStored(QStringLiteral("lost@example.com")));
}

QTEST_MAIN(TestCqDlgLogin)
#include "tst_cqdlglogin.moc"
