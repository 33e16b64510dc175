#include "community/remotepictures.h"

#include "community/communityreplies.h"
#include "widgets/mylabel.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QPointer>

RemotePictures::RemotePictures(QObject* parent)
    : QObject(parent)
{
}

void RemotePictures::fetch(const QString& address, MyLabel* label)
{
    const std::optional<QUrl> url = CommunityReplies::pictureAddress(address);
    if (!url || !label)
        return;
    if (!m_network) {
        m_network = new QNetworkAccessManager(this);
        auto* cache = new QNetworkDiskCache(m_network);
        cache->setCacheDirectory(QDir::tempPath());
        m_network->setCache(cache);
    }
    QNetworkRequest request(*url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferCache);
    QNetworkReply* reply = m_network->get(request);
    ++m_requests;
    // The row may be gone when the picture arrives; then only the reply goes.
    QPointer<MyLabel> target(label);
    connect(reply, &QNetworkReply::finished, this, [reply, target] {
        if (target)
            target->replyFinished(reply); // deletes the reply later
        else
            reply->deleteLater();
    });
}
