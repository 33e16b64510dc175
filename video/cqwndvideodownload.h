#pragma once

#include "video/transfermeter.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class DownloadManager;
class Server;

namespace Ui {
class CqWndVideoDownLoad;
}

// The purchased video a download window fetches (copied from the list
// entry, which may be gone before the download ends).
struct DownloadItem
{
    int id = 0;
    QString video; // the download address
    QString type;  // "WORKOUT", "NUTRITION_VIDEO", "COACHING_VIDEO", ...
    QString title;
};

// Downloads one purchased video into the data directory with progress,
// bytes, speed and time left, Pause / Resume, and Retry after a failure
// (continuing the partial file); then tells the service where the file lies
// and asks the store to refresh its library. It cannot be closed while the
// transfer runs. One window per file: asking again for a video that is
// downloading brings its window forward.
class CqWndVideoDownLoad final : public QWidget
{
    Q_OBJECT

public:
    enum class State { Idle, Downloading, Paused, Failed, Reporting, ReportFailed, Done };

    CqWndVideoDownLoad(bool isProgramVideo, QWidget* parent = nullptr);
    ~CqWndVideoDownLoad() override;

    // Shows the window of the video's file if one is open, otherwise a new
    // top-level window that downloads it. Returns the window.
    static CqWndVideoDownLoad* open(bool isProgramVideo, const DownloadItem& item);
    // The open window downloading to `path`, if any.
    static CqWndVideoDownLoad* windowFor(const QString& path);

    // Who refreshes the store's lists after a download was recorded
    // (product-list kind, library kind); nothing happens without one.
    using LibraryRefresh = std::function<void(int productKind, int libraryKind)>;
    static void setLibraryRefresh(LibraryRefresh refresh);

    // Remembers the item and starts the download of its address.
    void startDownload(const DownloadItem& item);

    bool isProgramVideo() const { return m_isProgramVideo; }
    bool isDone() const { return m_done; }
    State state() const { return m_state; }
    QString filePath() const { return m_path; }
    DownloadManager* downloader() const { return m_downloader; }
    // How long a transfer may stall before it counts as failed (tests shorten it).
    void setInactivityTimeout(int ms);
    // How long the report may go unanswered (the reply deadline, 15 s; tests shorten it).
    void setReportTimeout(int ms);

signals:
    void libraryChanged(int productKind, int libraryKind);

public slots:
    void progress(int nPercentage);
    void finished(QString path);

private slots:
    void slt_net_videouri(QString text);
    void slt_net_programuri(QString text);
    void slt_net_error(QString text);
    void on_btnPause_clicked();
    void on_btnRetry_clicked();
    void on_btnReport_clicked();
    void on_btnClose_clicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void downloadFailed(const QString& reason);
    void headerLine(const QString& line);
    void sendReport();
    void handleReport(const QString& text);
    void reportFailed(const QString& reason);
    void setState(State state);
    void showStatus(const QString& text);
    void updateFigures();
    qint64 bytesOnDisk() const;

    std::unique_ptr<Ui::CqWndVideoDownLoad> m_ui;
    const bool m_isProgramVideo;
    DownloadManager* m_downloader;
    Server* m_server;
    DownloadItem m_item;
    QString m_path;
    bool m_done = false;
    State m_state = State::Idle;
    qint64 m_total = 0;
    TransferMeter m_meter;
    QElapsedTimer m_clock;
    QTimer m_figures;
    QTimer m_reportTimer;
};
