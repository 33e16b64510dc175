#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class DownloadManager;
class QApplication;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressDialog;
class QSplashScreen;

// Everything between creating the application and its event loop: the
// version check and update offer, the splash screen, the automatic sign-in of
// the remembered member or the login dialog, and finally the main window.
//
//   Startup startup;
//   connect(&startup, &Startup::finished, ...exit...);
//   if (!startup.begin()) return startup.exitCode();
//   return app.exec();
//
// Whenever the program cannot go on (update declined or installed, login
// closed, service unreachable and the member chose Quit) it emits finished();
// no process is ever left running without a window.
class Startup final : public QObject
{
    Q_OBJECT

public:
    struct Timing
    {
        int replyTimeoutMs = 15000; // version check and account details
        int splashPauseMs = 2000;   // the splash screen stays up at least this long
    };

    // Runs the login dialog in `mode` (empty or "verify"); true when the
    // member signed in.
    using LoginRunner = std::function<bool(const QString& mode)>;

    explicit Startup(QObject* parent = nullptr);
    ~Startup() override;

    // Resources, window icon and the application font.
    static void prepareApplication(QApplication& application);

    void setTiming(const Timing& timing) { m_timing = timing; }
    void setLoginRunner(LoginRunner runner) { m_loginRunner = std::move(runner); }
    // Signed in, the main window stays in the tray (or minimised).
    void setStartMinimized(bool minimized) { m_startMinimized = minimized; }

    // The steps before the event loop. true: go on in the event loop;
    // false: end the program now with exitCode().
    bool begin();
    int exitCode() const { return m_exitCode; }
    bool hasEnded() const { return m_ended; }

signals:
    void finished(int exitCode);

private:
    enum class CheckResult { Current, Outdated, Unreachable };

    CheckResult checkVersion(QString* serverVersion);
    bool offerUpdate(const QString& serverVersion);
    void startInstallerDownload();
    void installerDownloaded(const QString& path);
    void installerFailed();
    bool normalStart();
    void sendDetailsRequest();
    void detailsReplied(QNetworkReply* reply);
    bool runLogin(const QString& mode);
    void showMainWindow();
    bool askRetry(const QString& text);
    void pause(int milliseconds);
    void end(int exitCode);

    Timing m_timing;
    LoginRunner m_loginRunner;
    QNetworkAccessManager* m_network;
    std::unique_ptr<QSplashScreen> m_splash;
    DownloadManager* m_downloader = nullptr;
    std::unique_ptr<QProgressDialog> m_downloadProgress;
    QUrl m_installerUrl;
    int m_exitCode = 0;
    bool m_ended = false;
    bool m_startMinimized = false;
};
