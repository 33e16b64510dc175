#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class DownloadManagerHTTP;

// The downloader the windows use: starts the download of one URL and relays
// its progress, completion and failure. Each download() gets a fresh
// DownloadManagerHTTP; pause() and resume() act on the latest one.
class DownloadManager final : public QObject
{
    Q_OBJECT

public:
    explicit DownloadManager(QObject* parent = nullptr);

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
    QUrl m_url;
    QPointer<DownloadManagerHTTP> m_http;
    int m_inactivityMs = 5000;
};
