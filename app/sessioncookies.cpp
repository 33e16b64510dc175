#include "app/sessioncookies.h"

#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>

namespace {

// setAllCookies() is protected; logout needs it to empty the jar.
class SessionCookieJar final : public QNetworkCookieJar
{
public:
    void clear() { setAllCookies({}); }
};

SessionCookieJar* sharedJar()
{
    // Never deleted: managers of windows that close late may still point at it.
    static SessionCookieJar* jar = new SessionCookieJar;
    return jar;
}

} // namespace

namespace SessionCookies {

QNetworkCookieJar* jar()
{
    return sharedJar();
}

void share(QNetworkAccessManager* manager)
{
    if (!manager)
        return;
    QNetworkCookieJar* shared = sharedJar();
    manager->setCookieJar(shared);
    // setCookieJar() makes the jar the manager's child, which would delete it
    // with the first window that closes.
    shared->setParent(nullptr);
}

void forget()
{
    sharedJar()->clear();
}

} // namespace SessionCookies
