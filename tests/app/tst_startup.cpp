#include "app/accountstate.h"
#include "app/processlauncher.h"
#include "app/settingsstore.h"
#include "account/cqdlglogin.h"
#include "app/startup.h"
#include "widgets/qtmaterialsnackbar.h"
#include "fakeserver.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSplashScreen>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString checkVersionPath = QStringLiteral("/api/checkVersion");
const QString detailsPath = QStringLiteral("/api/getMyDetails");

QByteArray versionReply(const QByteArray& version)
{
    return R"({"result_code":0,"version":")" + version + R"("})";
}

// Rejects the next modal dialog, the way closing its window would, and
// tells which dialog it was.
void rejectNextModal(QPointer<QObject> context, QString* rejectedName, int attemptsLeft = 400)
{
    QTimer::singleShot(20, context, [context, rejectedName, attemptsLeft] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            *rejectedName = dialog->objectName();
            dialog->reject();
        } else if (attemptsLeft > 0) {
            rejectNextModal(context, rejectedName, attemptsLeft - 1);
        }
    });
}

// Answers the next message box with Quit and keeps its text.
void quitNextMessageBox(QPointer<QObject> context, QString* text, int attemptsLeft = 400)
{
    QTimer::singleShot(20, context, [context, text, attemptsLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
            *text = box->text();
            if (auto* quit = box->findChild<QAbstractButton*>(QStringLiteral("btnQuit")))
                quit->click();
        } else if (attemptsLeft > 0) {
            quitNextMessageBox(context, text, attemptsLeft - 1);
        }
    });
}

} // namespace

class TestStartup final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void versionDecidesUpdateOffer_data();
    void versionDecidesUpdateOffer();
    void unreachableVersionCheck_data();
    void unreachableVersionCheck();
    void retryAfterUnreachableVersionCheck();
    void acceptedUpdateLaunchesDownloadedInstaller();
    void failedInstallerDownloadOffersRetry();
    void detailsReply_data();
    void detailsReply();
    void detailsRequestCarriesNoPassword();
    void retryAfterFailedDetails();
    void closedLoginEndsProgram();
    void verifyModeShowsLoginBeforeItsReplies();

private:
    // A start-up whose login dialog answers `signIn` and records its modes.
    std::unique_ptr<Startup> makeStartup(bool signIn = true);

    FakeServer m_server;
    QStringList m_launched;
    QStringList m_loginModes;
    QTimer m_safetyNet;
};

void TestStartup::initTestCase()
{
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    m_server.useAsApiHost();
    ProcessLauncher::setLauncher([this](const QString& program, const QStringList&, const QString&) {
        m_launched.append(program);
        return true;
    });
    ProcessLauncher::setQuitter([](int) {});

    // A dialog nobody answers fails the case instead of hanging the run.
    m_safetyNet.setInterval(10000);
    connect(&m_safetyNet, &QTimer::timeout, this, [] { TestEnvironment::closeModals(); });
}

void TestStartup::init()
{
    TestEnvironment::resetAccount();
    m_server.clear();
    m_launched.clear();
    m_loginModes.clear();
    m_safetyNet.start();
}

void TestStartup::cleanup()
{
    m_safetyNet.stop();
    TestEnvironment::closeModals();
    MainWindow::instance()->hide();
}

std::unique_ptr<Startup> TestStartup::makeStartup(bool signIn)
{
    auto startup = std::make_unique<Startup>();
    startup->setTiming({/*replyTimeoutMs*/ 400, /*splashPauseMs*/ 0});
    startup->setLoginRunner([this, signIn](const QString& mode) {
        m_loginModes.append(mode);
        return signIn;
    });
    return startup;
}

void TestStartup::versionDecidesUpdateOffer_data()
{
    QTest::addColumn<QByteArray>("serverVersion");
    QTest::addColumn<bool>("offered");

    QTest::newRow("same") << QByteArray("1.0.3") << false;
    QTest::newRow("older") << QByteArray("1.0.2") << true;
    QTest::newRow("newer") << QByteArray("1.0.4") << true;
    QTest::newRow("trailing space") << QByteArray("1.0.3 ") << true;
}

void TestStartup::versionDecidesUpdateOffer()
{
    QFETCH(QByteArray, serverVersion);
    QFETCH(bool, offered);

    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply(serverVersion));
    auto startup = makeStartup();
    QSignalSpy finished(startup.get(), &Startup::finished);
    QString rejectedDialog;
    if (offered)
        rejectNextModal(this, &rejectedDialog);

    const bool goesOn = startup->begin();

    const FakeServer::Request check = m_server.lastRequest(checkVersionPath);
    QCOMPARE(check.method, QByteArray("POST"));
    QCOMPARE(check.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(check.body, QByteArray("platform=windows"));
    if (offered) {
        QCOMPARE(rejectedDialog, QStringLiteral("CqDlgVersion"));
        // Declined: the program ends quietly, nothing else is shown.
        QVERIFY(!goesOn);
        QCOMPARE(startup->exitCode(), 0);
        QCOMPARE(finished.size(), 1);
        QVERIFY(m_loginModes.isEmpty());
        QVERIFY(!MainWindow::instance()->isVisible());
    } else {
        QVERIFY(goesOn);
        QCOMPARE(m_loginModes, QStringList{QString()}); // nobody remembered: the login asks
        QVERIFY(MainWindow::instance()->isVisible());
        QVERIFY(loadingWindow);
        QVERIFY(!loadingWindow->isVisible());
    }
}

void TestStartup::unreachableVersionCheck_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("hang");

    QTest::newRow("server error") << 500 << QByteArray() << false;
    QTest::newRow("no answer") << 200 << QByteArray() << true;
    QTest::newRow("not JSON") << 200 << QByteArray("<html>maintenance</html>") << false;
    QTest::newRow("refused") << 200 << QByteArray(R"({"result_code":5,"version":"1.0.3"})") << false;
    QTest::newRow("no version") << 200 << QByteArray(R"({"result_code":0})") << false;
}

void TestStartup::unreachableVersionCheck()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, hang);

    FakeServer::Reply reply = hang ? FakeServer::Reply::hang() : FakeServer::Reply::json(body);
    reply.status = status;
    m_server.enqueue(checkVersionPath, reply);
    auto startup = makeStartup();
    QSignalSpy finished(startup.get(), &Startup::finished);
    TestEnvironment::answerNextModal(QStringLiteral("btnQuit"), 8000);

    QVERIFY(!startup->begin());
    QCOMPARE(startup->exitCode(), 1);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_server.requestCount(detailsPath), 0);
    QVERIFY(m_loginModes.isEmpty());
    QVERIFY(m_launched.isEmpty());
}

void TestStartup::retryAfterUnreachableVersionCheck()
{
    m_server.enqueue(checkVersionPath, FakeServer::Reply::error(503));
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.3"));
    auto startup = makeStartup();
    TestEnvironment::answerNextModal(QStringLiteral("btnRetry"), 8000);

    QVERIFY(startup->begin());
    QCOMPARE(m_server.requestCount(checkVersionPath), 2);
    QCOMPARE(m_loginModes, QStringList{QString()});
}

void TestStartup::acceptedUpdateLaunchesDownloadedInstaller()
{
    const QByteArray installer(64 * 1024, 'x');
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.4"));
    m_server.serveFile(QStringLiteral("/uploadfiles/apps/OlvaApp_1.0.4.exe"), installer);
    auto startup = makeStartup();
    QSignalSpy finished(startup.get(), &Startup::finished);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));

    QVERIFY(startup->begin());
    QVERIFY(m_launched.isEmpty()); // nothing starts before the file is complete

    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().first().toInt(), 0);
    QCOMPARE(m_launched.size(), 1);
    const QFileInfo launched(m_launched.first());
    QVERIFY(launched.fileName().endsWith(QLatin1String("OlvaApp_1.0.4.exe")));
    QCOMPARE(launched.size(), qint64(installer.size()));
    QCOMPARE(launched.absolutePath(), QFileInfo(dataDir).absoluteFilePath());
    QVERIFY(m_loginModes.isEmpty());
}

void TestStartup::failedInstallerDownloadOffersRetry()
{
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.9"));
    // No installer is served: the download fails.
    auto startup = makeStartup();
    QSignalSpy finished(startup.get(), &Startup::finished);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    TestEnvironment::answerNextModal(QStringLiteral("btnQuit"), 15000);

    QVERIFY(startup->begin());
    QVERIFY(finished.wait(15000));
    QCOMPARE(finished.first().first().toInt(), 1);
    QVERIFY(m_launched.isEmpty());
}

void TestStartup::detailsReply_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("hang");
    QTest::addColumn<QStringList>("loginModes");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("boxText"); // start of the retry question, when one comes

    const QByteArray approved = R"({"result_code":0,"user_info":{"approve":"1","username":"Kim","user_id":"41",)"
                                R"("checkDay":"2026-12-01"},"backgrounds":[{"url":"http://127.0.0.1:1/b.png",)"
                                R"("platform":"abc"},{"url":"http://127.0.0.1:1/c.png","platform":"3"}]})";
    const QByteArray unapproved = R"({"result_code":0,"user_info":{"approve":"0","username":"Kim","user_id":"41"}})";

    const QString unreachable = QStringLiteral("The OLVA service cannot be reached.");
    // The service answered: "cannot be reached" would not be true.
    const QString unexpected = QStringLiteral("The OLVA service gave an answer this app does not understand.");
    QTest::newRow("0 approved") << 200 << approved << false << QStringList() << true << "Kim" << "";
    QTest::newRow("0 not approved") << 200 << unapproved << false << QStringList{QString()} << true << "Kim" << "";
    QTest::newRow("1 login") << 200 << QByteArray(R"({"result_code":1})") << false << QStringList{QString()}
                             << true << "" << "";
    QTest::newRow("2 verify") << 200 << QByteArray(R"({"result_code":"2"})") << false
                              << QStringList{QStringLiteral("verify")} << true << "" << "";
    QTest::newRow("other code") << 200 << QByteArray(R"({"result_code":9})") << false << QStringList() << false
                                << "" << unexpected;
    QTest::newRow("not JSON") << 200 << QByteArray("Service Unavailable") << false << QStringList() << false << ""
                              << unreachable;
    QTest::newRow("0 without user") << 200 << QByteArray(R"({"result_code":0,"user_info":"none"})") << false
                                    << QStringList() << false << "" << unexpected;
    QTest::newRow("network error") << 502 << QByteArray() << false << QStringList() << false << "" << unreachable;
    QTest::newRow("no answer") << 200 << QByteArray() << true << QStringList() << false << "" << unreachable;
}

void TestStartup::detailsReply()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, hang);
    QFETCH(QStringList, loginModes);
    QFETCH(bool, signedIn);
    QFETCH(QString, userName);
    QFETCH(QString, boxText);

    SettingsStore::setRememberedEmail(QStringLiteral("kim@example.com"));
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.3"));
    FakeServer::Reply reply = hang ? FakeServer::Reply::hang() : FakeServer::Reply::json(body);
    reply.status = status;
    m_server.enqueue(detailsPath, reply);
    auto startup = makeStartup();
    QSignalSpy finished(startup.get(), &Startup::finished);
    QString shownText;
    if (!signedIn)
        quitNextMessageBox(startup.get(), &shownText);

    QVERIFY(startup->begin()); // the details are answered in the event loop
    QVERIFY(m_loginModes.isEmpty());
    if (signedIn) {
        QTRY_VERIFY(MainWindow::instance()->isVisible());
        QVERIFY(finished.isEmpty());
    } else {
        QVERIFY(finished.wait(8000));
        QCOMPARE(finished.first().first().toInt(), 1);
        QVERIFY(!MainWindow::instance()->isVisible());
        QVERIFY2(shownText.startsWith(boxText), qPrintable(shownText));
    }
    QCOMPARE(m_loginModes, loginModes);
    QCOMPARE(currentUserName, userName);
    if (body.contains("backgrounds")) {
        QCOMPARE(currentUserId, QStringLiteral("41"));
        QCOMPARE(currentCheckDay, QStringLiteral("2026-12-01"));
        QCOMPARE(backgroundTable.value(0).url, QStringLiteral("http://127.0.0.1:1/b.png"));
        QCOMPARE(backgroundTable.value(3).url, QStringLiteral("http://127.0.0.1:1/c.png"));
    }
}

void TestStartup::detailsRequestCarriesNoPassword()
{
    SettingsStore::setRememberedEmail(QStringLiteral("a+b@example.com"));
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.3"));
    m_server.enqueueJson(QStringLiteral("getMyDetails"), R"({"result_code":1})");
    auto startup = makeStartup();

    QVERIFY(startup->begin());
    QVERIFY(m_server.waitForRequests(detailsPath, 1));
    const FakeServer::Request request = m_server.lastRequest(detailsPath);
    const auto items = request.form().queryItems(QUrl::FullyDecoded);
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.at(0).first, QStringLiteral("email"));
    QCOMPARE(items.at(0).second, QStringLiteral("a+b@example.com"));
    QCOMPARE(items.at(1).first, QStringLiteral("deviceToken"));
    QCOMPARE(items.at(2), qMakePair(QStringLiteral("deviceType"), QStringLiteral("windows")));
    QTRY_COMPARE(m_loginModes.size(), 1);
}

void TestStartup::retryAfterFailedDetails()
{
    SettingsStore::setRememberedEmail(QStringLiteral("kim@example.com"));
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.3"));
    m_server.enqueue(detailsPath, FakeServer::Reply::error(500));
    m_server.enqueueJson(QStringLiteral("getMyDetails"),
                         R"({"result_code":0,"user_info":{"approve":"1","username":"Kim","user_id":"41"}})");
    auto startup = makeStartup();
    TestEnvironment::answerNextModal(QStringLiteral("btnRetry"), 8000);

    QVERIFY(startup->begin());
    QTRY_VERIFY(MainWindow::instance()->isVisible());
    QCOMPARE(m_server.requestCount(detailsPath), 2);
    QCOMPARE(currentUserId, QStringLiteral("41"));
}

void TestStartup::closedLoginEndsProgram()
{
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.3"));
    auto startup = makeStartup(/*signIn*/ false);
    QSignalSpy finished(startup.get(), &Startup::finished);

    QVERIFY(!startup->begin());
    QCOMPARE(startup->exitCode(), 0);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(m_server.requestCount(detailsPath), 0);
    QVERIFY(!MainWindow::instance()->isVisible());
}

void TestStartup::verifyModeShowsLoginBeforeItsReplies()
{
    SettingsStore::setRememberedEmail(QStringLiteral("kim@example.com"));
    m_server.enqueueJson(QStringLiteral("checkVersion"), versionReply("1.0.3"));
    m_server.enqueueJson(QStringLiteral("getMyDetails"), R"({"result_code":2})");
    // Answered at once, so that a dialog not yet shown would get it.
    m_server.enqueueJson(QStringLiteral("verifyDevice"), R"({"result_code":0,"pincode":"12345678"})");
    // The real start-up with its real login dialog.
    Startup startup;
    startup.setTiming({/*replyTimeoutMs*/ 2000, /*splashPauseMs*/ 0});
    QSignalSpy finished(&startup, &Startup::finished);

    bool codeDialogSeen = false;
    bool loginVisible = false;
    bool splashVisible = true;
    QStringList messages;
    bool barOnScreen = false;
    QTimer driver;
    driver.setInterval(20);
    connect(&driver, &QTimer::timeout, this, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal)
            return;
        if (modal->objectName() == QLatin1String("CqDlgPin") && !codeDialogSeen) {
            codeDialogSeen = true;
            auto* login = qobject_cast<CqDlgLogin*>(modal->parentWidget());
            loginVisible = login && login->isVisible();
            splashVisible = false;
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<QSplashScreen*>(widget) && widget->isVisible())
                    splashVisible = true;
            }
            QTest::keyClicks(modal->findChild<QLineEdit*>(QStringLiteral("edtPin")), QStringLiteral("1"));
            QTest::mouseClick(modal->findChild<QAbstractButton*>(QStringLiteral("btnOk")), Qt::LeftButton);
            if (login) {
                messages = login->messageBar()->messages();
                barOnScreen = login->messageBar()->isVisibleTo(login) && login->isVisible();
            }
            QTest::mouseClick(modal->findChild<QAbstractButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
        } else if (modal->objectName() == QLatin1String("CqDlgLogin") && codeDialogSeen) {
            QTest::mouseClick(modal->findChild<QAbstractButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
        }
    });
    driver.start();

    QVERIFY(startup.begin());
    QVERIFY(finished.wait(10000));
    driver.stop();
    QVERIFY(codeDialogSeen);
    QVERIFY(loginVisible);
    QVERIFY(!splashVisible);
    QCOMPARE(messages, QStringList{QStringLiteral("Pincode incorrect.")});
    QVERIFY(barOnScreen);
    QCOMPARE(m_server.requestCount(QStringLiteral("/api/verifyDevice")), 1);
    QCOMPARE(finished.first().first().toInt(), 0); // the member closed the login
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
