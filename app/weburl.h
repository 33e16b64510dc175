#pragma once

#include <QUrl>

namespace WebUrl {

// True for an http or https address with a host. Addresses that come from
// the service's replies are fetched, played or opened only when they pass:
// a reply naming a local file or another scheme is left alone.
inline bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

} // namespace WebUrl
