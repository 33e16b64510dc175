#include "demosession.h"

#include "account/accountreplies.h"
#include "app/accountstate.h"
#include "app/server.h"
#include "app/sessioncookies.h"
#include "app/utils.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "server/engine/sessions.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

#include "account/cqdlglogin.h"

namespace {

enum Endpoint { SignIn = 1, RegisterToken = 2, VerifyDevice = 3 };

// Sends one request over a fresh Server and waits for its reply text; empty
// when the request failed or no reply came in time.
QString call(int endpoint, const QUrlQuery& fields, int timeoutMs)
{
    Server server;
    const QByteArray signal = "2" + Server::signalName(endpoint) + "(QString)";
    QSignalSpy replies(&server, signal.constData());
    QSignalSpy errors(&server, SIGNAL(sig_net_error(QString)));
    server.request(endpoint, fields);
    if (!QTest::qWaitFor([&] { return !replies.isEmpty() || !errors.isEmpty(); }, timeoutMs)
        || replies.isEmpty()) {
        qWarning().noquote() << "DemoSession:" << Server::endpointName(endpoint) << "got no reply"
                             << (errors.isEmpty() ? QString() : errors.first().first().toString());
        return {};
    }
    return replies.first().first().toString();
}

QUrlQuery signInFields(const QString& email, const QString& password)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), email);
    fields.addQueryItem(QStringLiteral("password"), password);
    fields.addQueryItem(QStringLiteral("deviceToken"), Utils::instance()->deviceToken());
    fields.addQueryItem(QStringLiteral("deviceType"), QStringLiteral("windows"));
    return fields;
}

template<typename T>
T* child(QWidget* parent, const char* name)
{
    return parent ? parent->findChild<T*>(QLatin1String(name)) : nullptr;
}

} // namespace

bool signInClientAs(ServerFixture& server, qint64 userId)
{
    const QByteArray token = Sessions::start(server.context().db, userId);
    if (token.isEmpty())
        return false;
    currentUserId = QString::number(userId);
    return SessionCookies::jar()->setCookiesFromUrl({QNetworkCookie(Sessions::cookieName, token)},
                                                    QUrl(server.baseUrl()));
}

DemoSession::DemoSession() = default;

DemoSession::~DemoSession()
{
    qunsetenv("OLVA_API_HOST");
}

bool DemoSession::start()
{
    if (!m_server.start(true))
        return false;
    qputenv("OLVA_API_HOST", QStringLiteral("127.0.0.1:%1").arg(m_server.port()).toLatin1());
    return true;
}

QString DemoSession::mailedCode(const QString& email) const
{
    // The server's own connection lives on this thread; the mail was
    // committed by a worker's connection before its reply went out.
    QSqlQuery query(const_cast<ServerFixture&>(m_server).context().db);
    query.prepare(QStringLiteral("SELECT body FROM outbox WHERE recipient = ? ORDER BY id DESC LIMIT 1"));
    query.addBindValue(email);
    if (!query.exec() || !query.next())
        return {};
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("(\\d{8})\\s*$")).match(query.value(0).toString());
    return match.hasMatch() ? match.captured(1) : QString();
}

bool DemoSession::signInThroughLogin(int timeoutMs)
{
    auto* dialog = new CqDlgLogin(QString(), nullptr);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<CqDlgLogin> login(dialog);
    int result = -1;
    QObject::connect(dialog, &QDialog::finished, dialog, [&result](int code) { result = code; });
    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog))
        qWarning("DemoSession: the login dialog was not shown");

    // The code dialog runs modally inside the reply handler: answer it from a
    // timer, as a member reading the mail would.
    bool codeTyped = false;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("CqDlgPin"))
            return;
        const QString code = mailedCode(email());
        auto* edit = child<QLineEdit>(modal, "edtPin");
        auto* ok = child<QPushButton>(modal, "btnOk");
        if (code.isEmpty() || !edit || !ok)
            return;
        answer.stop();
        codeTyped = true;
        edit->clear();
        QTest::keyClicks(edit, code);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    answer.start();

    auto* emailEdit = child<QLineEdit>(dialog, "edtEmail");
    auto* passwordEdit = child<QLineEdit>(dialog, "edtPassword");
    auto* loginButton = child<QPushButton>(dialog, "btnLogin");
    if (!emailEdit || !passwordEdit || !loginButton) {
        qWarning("DemoSession: the login dialog has no e-mail, password or login control");
        delete dialog;
        return false;
    }
    emailEdit->clear();
    QTest::keyClicks(emailEdit, email());
    passwordEdit->clear();
    QTest::keyClicks(passwordEdit, password());
    QTest::mouseClick(loginButton, Qt::LeftButton);

    const bool finished = QTest::qWaitFor([&] { return result != -1; }, timeoutMs);
    answer.stop();
    if (!finished) {
        qWarning("DemoSession: the login dialog did not finish (code dialog %s)",
                 codeTyped ? "answered" : "never answered");
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        if (login)
            login->close();
        return false;
    }
    if (result != QDialog::Accepted || currentUserId.isEmpty()) {
        qWarning("DemoSession: the login dialog ended without a signed-in member");
        return false;
    }
    return true;
}

bool DemoSession::signInQuick(int timeoutMs)
{
    return signInQuickAs(email(), password(), timeoutMs);
}

bool DemoSession::signInQuickAs(const QString& memberEmail, const QString& memberPassword, int timeoutMs)
{
    AccountReplies::SignIn reply =
        AccountReplies::parseSignIn(call(SignIn, signInFields(memberEmail, memberPassword), timeoutMs));
    if (reply.readable && reply.resultCode == 3) {
        // An unknown computer: have the code mailed and register with it.
        QUrlQuery verify;
        verify.addQueryItem(QStringLiteral("email"), memberEmail);
        if (AccountReplies::resultCode(call(VerifyDevice, verify, timeoutMs)) != 0) {
            qWarning("DemoSession: verifyDevice was refused");
            return false;
        }
        QUrlQuery token;
        token.addQueryItem(QStringLiteral("email"), memberEmail);
        token.addQueryItem(QStringLiteral("deviceToken"), Utils::instance()->deviceToken());
        token.addQueryItem(QStringLiteral("deviceType"), QStringLiteral("windows"));
        token.addQueryItem(QStringLiteral("pincode"), mailedCode(memberEmail));
        if (AccountReplies::resultCode(call(RegisterToken, token, timeoutMs)) != 0) {
            qWarning("DemoSession: registerToken was refused");
            return false;
        }
        reply = AccountReplies::parseSignIn(call(SignIn, signInFields(memberEmail, memberPassword), timeoutMs));
    }
    if (!reply.readable || reply.resultCode != 0 || !reply.hasUserInfo || reply.userId.isEmpty()) {
        qWarning("DemoSession: the sign-in was refused (code %d)", reply.resultCode);
        return false;
    }
    currentEmail = memberEmail;
    currentPassword = memberPassword;
    currentUserId = reply.userId;
    currentUserName = reply.userName;
    currentCheckDay = reply.checkDay;
    AccountState::fillBackgrounds(reply.backgrounds);
    Utils::instance()->saveEmail();
    Utils::instance()->saveUserId();
    return true;
}

MainWindow* DemoSession::showMainWindow()
{
    static bool registered = false;
    if (!registered) {
        registerFeatureWindows();
        registered = true;
    }
    if (!loadingWindow)
        loadingWindow = new CqWndLoading;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        AccountState::recordScreenSize(screen->geometry().width(), screen->geometry().height());
    QDir().mkpath(dataDir);
    MainWindow* window = MainWindow::instance();
    window->showMaximized();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("DemoSession: the main window was not shown");
    return window;
}
