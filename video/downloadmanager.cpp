#include "downloadmanager.h"

#include "app/accountstate.h"
#include "downloadmanagerhttp.h"

#include <QThread>

DownloadManager::DownloadManager(QObject* parent)
    : QObject(parent)
{
}

DownloadManager::~DownloadManager()
{
    if (!m_thread)
        return;
    // Waits for each stop, so that the partial files are closed once we are
    // gone; the transfers are deleted in their thread as it ends.
    for (const Transfer& transfer : std::as_const(m_transfers)) {
        DownloadManagerHTTP* http = transfer.http;
        QMetaObject::invokeMethod(
            http,
            [http] {
                http->stop();
                http->deleteLater();
            },
            Qt::BlockingQueuedConnection);
    }
    m_thread->quit();
    m_thread->wait();
}

void DownloadManager::setInactivityTimeout(int ms)
{
    m_inactivityMs = ms;
}

void DownloadManager::download(QUrl url)
{
    // Asking again for the address of a failed or paused transfer (Retry)
    // continues that transfer and its partial file.
    if (m_http && m_url == url && (m_phase == Phase::Paused || m_phase == Phase::Failed)) {
        resume();
        return;
    }
    // Any other transfer of this address ends first: two transfers writing
    // one partial file would corrupt it, and an open file cannot be renamed
    // on Windows. Transfers of other addresses may still be running.
    for (Transfer& transfer : m_transfers) {
        if (transfer.url == url)
            stopTransfer(transfer);
    }
    if (!m_thread) {
        m_thread = new QThread(this);
        m_thread->setObjectName(QStringLiteral("olva-download"));
        m_thread->start();
    }
    m_url = url;
    m_phase = Phase::Running;
    m_http = new DownloadManagerHTTP;
    m_http->setInactivityTimeout(m_inactivityMs);
    m_http->setDirectory(dataDir.isEmpty() ? AccountState::defaultDataDir() : dataDir);
    connect(m_http, &DownloadManagerHTTP::addLine, this, &DownloadManager::localAddLine);
    connect(m_http, &DownloadManagerHTTP::progress, this, &DownloadManager::localProgress);
    connect(m_http, &DownloadManagerHTTP::downloadComplete, this, &DownloadManager::localDownloadComplete);
    connect(m_http, &DownloadManagerHTTP::failed, this, &DownloadManager::localFailed);
    m_http->moveToThread(m_thread);
    m_transfers.append({m_http, url, false});
    DownloadManagerHTTP* http = m_http;
    QMetaObject::invokeMethod(http, [http, url] { http->download(url); }, Qt::QueuedConnection);
}

void DownloadManager::pause()
{
    if (!m_http)
        return;
    if (m_phase == Phase::Running)
        m_phase = Phase::Paused;
    QMetaObject::invokeMethod(m_http, &DownloadManagerHTTP::pause, Qt::QueuedConnection);
}

void DownloadManager::resume()
{
    if (!m_http)
        return;
    if (m_phase == Phase::Paused || m_phase == Phase::Failed)
        m_phase = Phase::Running;
    QMetaObject::invokeMethod(m_http, &DownloadManagerHTTP::resume, Qt::QueuedConnection);
}

void DownloadManager::stopTransfer(Transfer& transfer)
{
    if (transfer.stopped)
        return;
    transfer.stopped = true;
    QMetaObject::invokeMethod(transfer.http, &DownloadManagerHTTP::stop, Qt::QueuedConnection);
}

bool DownloadManager::fromStoppedTransfer() const
{
    const QObject* origin = sender();
    for (const Transfer& transfer : m_transfers) {
        if (transfer.http == origin)
            return transfer.stopped;
    }
    return false;
}

bool DownloadManager::fromLatestTransfer() const
{
    return m_http && sender() == m_http;
}

void DownloadManager::localAddLine(QString qsLine)
{
    if (!fromStoppedTransfer())
        emit addLine(qsLine);
}

void DownloadManager::localProgress(int nPercentage)
{
    if (!fromStoppedTransfer())
        emit progress(nPercentage);
}

void DownloadManager::localDownloadComplete(QString path)
{
    if (fromStoppedTransfer())
        return;
    if (fromLatestTransfer())
        m_phase = Phase::Complete;
    emit downloadComplete(path);
}

void DownloadManager::localFailed(QString reason)
{
    if (fromStoppedTransfer())
        return;
    if (fromLatestTransfer())
        m_phase = Phase::Failed;
    emit failed(reason);
}
