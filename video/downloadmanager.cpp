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
    m_url = url;
    // Older transfers stay children until we go: they may still be running.
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
