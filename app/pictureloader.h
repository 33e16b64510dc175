#pragma once

#include <QImage>
#include <QObject>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches every picture the client shows from the web: offers, product and
// service cards, community rows and screen backgrounds. One network access
// manager and one disk cache in the member's own cache folder serve them all;
// only http/https addresses with a host are fetched, and a reply bigger than
// any picture of the service is dropped unread.
class PictureLoader final : public QObject
{
    Q_OBJECT

public:
    // A reply announcing or bringing more than this is aborted.
    static constexpr qint64 maximumReplyBytes = 8 * 1024 * 1024;
    // The disk cache drops its oldest pictures past this.
    static constexpr qint64 maximumCacheBytes = 64 * 1024 * 1024;
    // A server that stops sending mid-picture is given up after this.
    static constexpr int transferTimeoutMs = 30000;

    static PictureLoader* instance();

    // The member's picture folder under the platform's cache location (never
    // the shared temporary folder, where another local user could plant
    // files). Holds the disk cache and the saved screen backgrounds.
    static QString cacheFolder();

    // The web address in `address`; an empty QUrl when it is none.
    static QUrl pictureUrl(const QString& address);

    // Fetches the picture at `address` and hands it to `done`, unless
    // `receiver` is gone by then; a request still out when `receiver` goes is
    // aborted. `done` is called only with a picture: a failure, an oversized
    // reply or a body that is no picture end quietly (see fetchEnded). An
    // address that is not on the web is never fetched: false, and nothing
    // happens.
    bool load(const QString& address, QObject* receiver, std::function<void(const QImage&)> done);

    // Requests sent so far.
    int requestCount() const { return m_requests; }

signals:
    // Every fetch ends with this, whether it delivered a picture or not.
    void fetchEnded(const QUrl& url, bool delivered);

private:
    PictureLoader();
    static QImage decode(QNetworkReply* reply);

    QNetworkAccessManager* m_network;
    int m_requests = 0;
};
