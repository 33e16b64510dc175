#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

class DownloadManagerHTTP;
class QThread;

// The downloader the windows use: starts the download of one URL and relays
// its progress, completion and failure. Each download() gets a fresh
// DownloadManagerHTTP; pause() and resume() act on the latest one.
//
// The transfers run in a thread of their own, where the body goes to disk
// as it comes whatever the windows do. A reply's read buffer limit reaches
// Qt's network thread only after the request has gone out, and what it read
// before that is never counted against the limit: on a busy GUI thread that
// came to a hundred MiB and more. Every signal still arrives in this
// object's thread.
class DownloadManager final : public QObject
{
    Q_OBJECT

public:
    explicit DownloadManager(QObject* parent = nullptr);
    // Stops every transfer (partial files closed and kept) before it returns.
    ~DownloadManager() override;

    // Passed on to every transfer started afterwards.
    void setInactivityTimeout(int ms);

    QUrl url() const { return m_url; }

signals:
    void addLine(QString qsLine);
    void progress(int nPercentage);
    void downloadComplete(QString);
    void failed(QString);

public slots:
    void download(QUrl url);
    void pause();
    void resume();
    void localAddLine(QString qsLine);
    void localProgress(int nPercentage);
    void localDownloadComplete(QString path);
    void localFailed(QString reason);

private:
    // What the latest transfer does, as far as its signals have told us.
    enum class Phase { Running, Paused, Failed, Complete };

    struct Transfer
    {
        DownloadManagerHTTP* http; // lives in m_thread until we go
        QUrl url;
        bool stopped;
    };

    void stopTransfer(Transfer& transfer);
    // Whether a relayed signal comes from a transfer that was stopped (it
    // may have been sent just before the stop reached it).
    bool fromStoppedTransfer() const;
    bool fromLatestTransfer() const;

    QUrl m_url;
    QThread* m_thread = nullptr;
    DownloadManagerHTTP* m_http = nullptr;
    QList<Transfer> m_transfers;
    Phase m_phase = Phase::Running;
    int m_inactivityMs = 5000;
};
