#include "app/startup.h"

#include "account/cqdlglogin.h"
#include "app/accountstate.h"
#include "app/apiconfig.h"
#include "app/cqdlgversion.h"
#include "app/processlauncher.h"
#include "app/server.h"
#include "app/sessioncookies.h"
#include "app/startupreplies.h"
#include "app/utils.h"
#include "main/cqwndloading.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "reminders/remindercentre.h"
#include "video/downloadmanager.h"
#include "widgets/qtmaterialstyle.h"

#include <QPushButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressDialog>
#include <QScreen>
#include <QSplashScreen>
#include <QTimer>
#include <QUrlQuery>

namespace {

QString unreachableText()
{
    return Startup::tr("The OLVA service cannot be reached.\nCheck your internet connection, then choose Retry.");
}

QString unexpectedAnswerText()
{
    return Startup::tr("The OLVA service gave an answer this app does not understand.\nChoose Retry to ask again.");
}

QString downloadFailedText()
{
    return Startup::tr(
        "The new version of the app could not be downloaded.\nCheck your internet connection, then choose Retry.");
}

QNetworkRequest formRequest(const QString& endpoint)
{
    QNetworkRequest request(ApiConfig::endpointUrl(endpoint));
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    return request;
}

// A server that accepts the connection and never answers must not hold the
// start forever.
void abortAfter(QNetworkReply* reply, int milliseconds)
{
    QTimer::singleShot(milliseconds, reply, [reply] {
        if (reply->isRunning())
            reply->abort();
    });
}

} // namespace

Startup::Startup(QObject* parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
{
    SessionCookies::share(m_network);
    m_loginRunner = [this](const QString& mode) {
        CqDlgLogin dialog(mode, nullptr);
        // On screen before any of its replies can be handled: verify mode
        // sends its request when shown, and the code dialog opens over it.
        // The splash goes at once; waiting for it would run the event loop.
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        if (m_splash)
            m_splash->close();
        return dialog.exec() == QDialog::Accepted;
    };
}

Startup::~Startup() = default;

void Startup::prepareApplication(QApplication& application)
{
    // The pictures and fonts are linked into the program as resource objects;
    // they are registered before main() runs.
    application.setWindowIcon(QIcon(QStringLiteral(":/main/assets/logo.png")));
    // Lets the desktop match the windows to the installed desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.olvaweightloss.OlvaApp"));
    QtMaterialStyle::instance(); // registers the Roboto fonts
    QApplication::setFont(QFont(QStringLiteral("Roboto"), 12));
}

bool Startup::begin()
{
    // Dialogs come and go before the main window is up; closing one of them
    // must not end the program behind our back.
    QApplication::setQuitOnLastWindowClosed(false);
    dataDir = AccountState::defaultDataDir();

    QString serverVersion;
    CheckResult check = checkVersion(&serverVersion);
    while (check == CheckResult::Unreachable) {
        if (!askRetry(unreachableText())) {
            end(1);
            return false;
        }
        check = checkVersion(&serverVersion);
    }
    QCoreApplication::addLibraryPath(QCoreApplication::applicationDirPath() + QStringLiteral("/plugins"));

    if (check == CheckResult::Outdated)
        return offerUpdate(serverVersion);
    return normalStart();
}

Startup::CheckResult Startup::checkVersion(QString* serverVersion)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("platform"), QStringLiteral("windows"));
    QNetworkReply* reply = m_network->post(formRequest(QStringLiteral("checkVersion")),
                                           Server::encodeBody(fields));
    abortAfter(reply, m_timing.replyTimeoutMs);

    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    reply->deleteLater();

    if (reply->error() != QNetworkReply::NoError)
        return CheckResult::Unreachable;
    const StartupReplies::VersionCheck answer =
        StartupReplies::readVersionCheck(QString::fromUtf8(reply->readAll()));
    if (!answer.answered)
        return CheckResult::Unreachable;
    *serverVersion = answer.version;
    return StartupReplies::isCurrentVersion(answer.version) ? CheckResult::Current : CheckResult::Outdated;
}

bool Startup::offerUpdate(const QString& serverVersion)
{
    CqDlgVersion dialog(nullptr);
    if (dialog.exec() != QDialog::Accepted) {
        end(0);
        return false;
    }

    m_installerUrl = ApiConfig::installerUrl(serverVersion);
    m_downloader = new DownloadManager(this);
    connect(m_downloader, &DownloadManager::downloadComplete, this, &Startup::installerDownloaded);
    connect(m_downloader, &DownloadManager::failed, this, &Startup::installerFailed);

    // The download takes a while: show how far it got and let the member stop it.
    m_downloadProgress = std::make_unique<QProgressDialog>(
        tr("Downloading the new version of OLVA Weight Loss..."), tr("Cancel"), 0, 100);
    m_downloadProgress->setWindowTitle(tr("Update Application"));
    m_downloadProgress->setAutoClose(false);
    m_downloadProgress->setAutoReset(false);
    m_downloadProgress->setMinimumDuration(0);
    m_downloadProgress->setValue(0);
    connect(m_downloader, &DownloadManager::progress, m_downloadProgress.get(), &QProgressDialog::setValue);
    connect(m_downloadProgress.get(), &QProgressDialog::canceled, this, [this] { end(0); });
    m_downloadProgress->show();

    startInstallerDownload();
    return true;
}

void Startup::startInstallerDownload()
{
    m_downloader->download(m_installerUrl);
}

void Startup::installerDownloaded(const QString& path)
{
    if (m_ended)
        return;
    if (path.isEmpty() || !QFileInfo::exists(path) || !ProcessLauncher::startDetached(path)) {
        installerFailed();
        return;
    }
    end(0);
}

void Startup::installerFailed()
{
    if (m_ended)
        return;
    if (m_downloadProgress)
        m_downloadProgress->hide();
    if (!askRetry(downloadFailedText())) {
        end(1);
        return;
    }
    if (m_downloadProgress) {
        m_downloadProgress->setValue(0);
        m_downloadProgress->show();
    }
    startInstallerDownload();
}

bool Startup::normalStart()
{
    if (!loadingWindow)
        loadingWindow = new CqWndLoading; // lives until the process ends

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect geometry = screen->geometry();
        AccountState::recordScreenSize(geometry.width(), geometry.height());
    }

    const QPixmap logo = QPixmap(QStringLiteral(":/main/assets/logo.png"))
                             .scaled(300, 300, Qt::KeepAspectRatio, Qt::FastTransformation);
    m_splash = std::make_unique<QSplashScreen>(logo);
    m_splash->show();

    Utils::instance()->loadEmail();
    Utils::instance()->loadUserId();

    pause(m_timing.splashPauseMs);

    QDir().mkpath(dataDir);
    registerFeatureWindows();
    MainWindow::instance(); // created hidden; shown once the member is signed in

    if (!currentEmail.isEmpty()) {
        sendDetailsRequest();
        return true;
    }
    return runLogin(QString());
}

void Startup::pause(int milliseconds)
{
    // Keeps the splash painted; the member has nothing to click yet.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void Startup::sendDetailsRequest()
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("email"), currentEmail);
    fields.addQueryItem(QStringLiteral("deviceToken"), Utils::instance()->deviceToken());
    fields.addQueryItem(QStringLiteral("deviceType"), QStringLiteral("windows"));
    QNetworkReply* reply = m_network->post(formRequest(QStringLiteral("getMyDetails")),
                                           Server::encodeBody(fields));
    abortAfter(reply, m_timing.replyTimeoutMs);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { detailsReplied(reply); });
}

void Startup::detailsReplied(QNetworkReply* reply)
{
    reply->deleteLater();
    using StartupReplies::DetailsOutcome;
    const DetailsOutcome outcome = reply->error() == QNetworkReply::NoError
                                       ? StartupReplies::readDetails(QString::fromUtf8(reply->readAll()))
                                       : DetailsOutcome::Failed;
    switch (outcome) {
    case DetailsOutcome::SignedIn:
        showMainWindow();
        break;
    case DetailsOutcome::Login:
        runLogin(QString());
        break;
    case DetailsOutcome::VerifyLogin:
        runLogin(QStringLiteral("verify"));
        break;
    case DetailsOutcome::Failed:
    case DetailsOutcome::Unexpected:
        // The service did answer in the second case: saying it cannot be
        // reached would send the member to check a working connection.
        if (askRetry(outcome == DetailsOutcome::Failed ? unreachableText() : unexpectedAnswerText())) {
            if (m_splash)
                m_splash->show();
            sendDetailsRequest();
        } else {
            end(1);
        }
        break;
    }
}

bool Startup::runLogin(const QString& mode)
{
    const bool signedIn = m_loginRunner(mode);
    if (m_splash)
        m_splash->close();
    if (!signedIn) {
        end(0);
        return false;
    }
    showMainWindow();
    return true;
}

void Startup::showMainWindow()
{
    MainWindow* window = MainWindow::instance();
    if (m_splash)
        m_splash->finish(window);
    const ReminderCentre* reminders = ReminderCentre::start(window);
    if (!m_startMinimized)
        window->showMaximized();
    else if (!reminders->hasTray())
        window->showMinimized();
    // From now on closing the main window ends the program.
    QApplication::setQuitOnLastWindowClosed(true);
}

bool Startup::askRetry(const QString& text)
{
    if (m_splash)
        m_splash->hide(); // it stays on top and would hide the question
    QMessageBox box(QMessageBox::Warning, tr("OLVA Weight Loss"), text);
    QPushButton* retry = box.addButton(tr("Retry"), QMessageBox::AcceptRole);
    retry->setObjectName(QStringLiteral("btnRetry"));
    QPushButton* quit = box.addButton(tr("Quit"), QMessageBox::RejectRole);
    quit->setObjectName(QStringLiteral("btnQuit"));
    box.setEscapeButton(quit);
    box.exec();
    return box.clickedButton() == retry;
}

void Startup::end(int exitCode)
{
    if (m_ended)
        return;
    m_ended = true;
    m_exitCode = exitCode;
    if (m_splash)
        m_splash->close();
    if (m_downloadProgress)
        m_downloadProgress->hide();
    emit finished(exitCode);
}
