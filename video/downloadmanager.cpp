#include "downloadmanager.h"

#include "downloadmanagerhttp.h"

DownloadManager::DownloadManager(QObject* parent)
    : QObject(parent)
{
}

void DownloadManager::setInactivityTimeout(int ms)
{
    m_inactivityMs = ms;
}

void DownloadManager::download(QUrl url)
{
    // Asking again for the address of a failed or paused transfer (Retry)
    // continues that transfer and its partial file.
    if (m_http && m_http->url() == url && m_http->canResume()) {
        m_url = url;
        m_http->resume();
        return;
    }
    // Any other transfer of this address ends first: two transfers writing
    // one partial file would corrupt it, and an open file cannot be renamed
    // on Windows. Transfers of other addresses may still be running and stay
    // children until we go.
    const QList<DownloadManagerHTTP*> transfers = findChildren<DownloadManagerHTTP*>(Qt::FindDirectChildrenOnly);
    for (DownloadManagerHTTP* old : transfers) {
        if (old->url() == url) {
            old->stop();
            old->deleteLater();
        }
    }
    m_url = url;
    m_http = new DownloadManagerHTTP(this);
    m_http->setInactivityTimeout(m_inactivityMs);
    connect(m_http, &DownloadManagerHTTP::addLine, this, &DownloadManager::localAddLine);
    connect(m_http, &DownloadManagerHTTP::progress, this, &DownloadManager::localProgress);
    connect(m_http, &DownloadManagerHTTP::downloadComplete, this, &DownloadManager::localDownloadComplete);
    connect(m_http, &DownloadManagerHTTP::failed, this, &DownloadManager::localFailed);
    m_http->download(url);
}

void DownloadManager::pause()
{
    if (m_http)
        m_http->pause();
}

void DownloadManager::resume()
{
    if (m_http)
        m_http->resume();
}

void DownloadManager::localAddLine(QString qsLine)
{
    emit addLine(qsLine);
}

void DownloadManager::localProgress(int nPercentage)
{
    emit progress(nPercentage);
}

void DownloadManager::localDownloadComplete(QString path)
{
    emit downloadComplete(path);
}

void DownloadManager::localFailed(QString reason)
{
    emit failed(reason);
}
