#include "video/videosource.h"

namespace VideoSource {

QUrl toUrl(const QString& source)
{
    const QString text = source.trimmed();
    if (text.isEmpty())
        return {};
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")
                          || scheme == QLatin1String("file")))
        return url;
    return QUrl::fromLocalFile(text);
}

} // namespace VideoSource
