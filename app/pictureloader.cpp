#include "app/pictureloader.h"

#include "app/weburl.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QNetworkReply>
#include <QStandardPaths>

#include <memory>

PictureLoader* PictureLoader::instance()
{
    static PictureLoader* const loader = new PictureLoader; // lives until the process ends
    return loader;
}

PictureLoader::PictureLoader()
    : m_network(new QNetworkAccessManager(this))
{
    // Pictures are public: requests carry no session cookie (the manager
    // keeps a jar of its own, not the one the API shares).
    m_network->setTransferTimeout(transferTimeoutMs);
    const QString folder = cacheFolder();
    // Without a private folder there is no disk cache rather than a shared one.
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        auto* cache = new QNetworkDiskCache(m_network);
        cache->setCacheDirectory(folder);
        cache->setMaximumCacheSize(maximumCacheBytes);
        m_network->setCache(cache);
    }
}

QString PictureLoader::cacheFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/pictures");
}

QUrl PictureLoader::pictureUrl(const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    return WebUrl::isWebAddress(url) ? url : QUrl();
}

bool PictureLoader::load(const QString& address, QObject* receiver,
                         std::function<void(const QImage&)> done)
{
    const QUrl url = pictureUrl(address);
    if (url.isEmpty() || !receiver)
        return false;

    QNetworkReply* reply = m_network->get(QNetworkRequest(url));
    ++m_requests;
    const auto refuseOver = [reply](qint64 bytes) {
        if (bytes > maximumReplyBytes)
            reply->abort();
    };
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, refuseOver] {
        refuseOver(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    });
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [refuseOver](qint64 received, qint64) { refuseOver(received); });
    // A card or window that goes takes its picture request along.
    connect(receiver, &QObject::destroyed, reply, &QNetworkReply::abort);

    // Runs only while the receiver lives. When it goes mid-request the abort
    // above ends the reply with an error, so `done` is not called then.
    auto delivered = std::make_shared<bool>(false);
    connect(reply, &QNetworkReply::finished, receiver, [reply, delivered, done = std::move(done)] {
        const QImage picture = decode(reply);
        if (picture.isNull() || !done)
            return;
        *delivered = true;
        done(picture);
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url, delivered] {
        reply->deleteLater();
        emit fetchEnded(url, *delivered);
    });
    return true;
}

QImage PictureLoader::decode(QNetworkReply* reply)
{
    if (reply->error() != QNetworkReply::NoError)
        return {};
    // A reply without a length may still grow past the cap before the last
    // progress signal: read one byte more than allowed to tell.
    QByteArray bytes = reply->read(maximumReplyBytes + 1);
    if (bytes.size() > maximumReplyBytes)
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // QImageReader refuses pictures whose pixels would take more memory than
    // its allocation limit, so a small file cannot claim a giant picture.
    return QImageReader(&buffer).read();
}
