#pragma once

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <memory>

class QFile;
class QNetworkAccessManager;

// Fetches one URL into the data directory. A HEAD request tells whether the
// server accepts byte ranges and how long the file is; the body then goes
// into "<path>.part", continued from its current size when ranges are
// accepted, and the partial file is renamed to its final name at the end.
// A transfer that fails or stalls keeps its partial file (closed while
// nothing is transferred); resume() continues it.
class DownloadManagerHTTP final : public QObject
{
    Q_OBJECT

public:
    explicit DownloadManagerHTTP(QObject* parent = nullptr);
    ~DownloadManagerHTTP() override;

    // Where the files go; the data directory when not set.
    void setDirectory(const QString& directory) { m_directory = directory; }

    // How long a request may go without any data before it is given up.
    void setInactivityTimeout(int ms);
    int inactivityTimeout() const;

    // The final file of the current download; empty before the first one.
    QString filePath() const { return m_path; }
    QUrl url() const { return m_url; }

    // Whether resume() would continue a paused or failed transfer.
    bool canResume() const;
    // Ends the transfer for good: no more signals, the partial file closed
    // and kept.
    void stop();

    // Where a URL is saved: "<directory>/." + its file name with every "sys"
    // replaced by "mp4". Names that could leave the directory are made safe.
    static QString localPathFor(const QUrl& url, const QString& directory);
    // Whole percent of `done` in `total`, 0..100; 0 when the total is unknown.
    static int percentage(qint64 done, qint64 total);

signals:
    void addLine(QString qsLine);
    void downloadComplete(QString);
    void progress(int nPercentage);
    void failed(QString);

public slots:
    void download(QUrl url);
    void pause();
    void resume();

private slots:
    void download();
    void finishedHead();
    void finished();
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void error(QNetworkReply::NetworkError code);
    void timeout();

private:
    enum class State { Idle, Head, Transferring, Paused, Failed, Complete };
    // Whether the body of the current GET belongs in the partial file.
    enum class Body { Unknown, Accepted, Rejected };

    bool openPartialFile();
    void measurePartialFile();
    void checkResponse();
    bool writeAvailable();
    bool moveBufferedToFile();
    void dataArrived();
    void reportProgress(qint64 bytesReceived, qint64 bytesTotal);
    void failTransfer(const QString& reason);
    void closePartialFile();
    void moveIntoPlace();
    void dropReply();
    void restartInactivityTimer();

    QUrl m_url;
    QString m_directory;
    QString m_path;
    QNetworkAccessManager* m_manager = nullptr;
    QNetworkRequest m_request;
    QNetworkReply* m_reply = nullptr;
    std::unique_ptr<QFile> m_file;
    qint64 m_total = 0;    // content length from the HEAD reply, 0 when unknown
    qint64 m_received = 0; // bytes in the partial file at the last progress step
    qint64 m_offset = 0;   // bytes already in the partial file when the GET started
    bool m_resumable = false;
    QTimer m_inactivity;
    int m_inactivityMs = 5000;
    State m_state = State::Idle;
    Body m_body = Body::Unknown;
    bool m_pauseAfterHead = false;
    bool m_partWhole = false; // the partial file is complete; only its move failed
    qint64 m_bodyBytes = 0; // bytes of the current GET's body written so far
    int m_lastPercent = -1; // progress is announced only when it changes
    QByteArray m_chunk;     // reused between reads
};
