// The downloader's file name rule (where a video URL is saved) and what the
// player is given to play for a stored source.
#include "fuzzinput.h"
#include "video/downloadmanagerhttp.h"
#include "video/videosource.h"

#include <QDir>
#include <QUrl>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString directory = QStringLiteral("/tmp/olva-fuzz-data");
    const QString text = fuzzReply(data, size);
    const QUrl url(text);
    VideoSource::toUrl(text);
    const QString path = DownloadManagerHTTP::localPathFor(url, directory);
    // Whatever the URL, the file stays directly inside the data directory.
    if (!path.isEmpty() && QDir::cleanPath(path).section(QLatin1Char('/'), 0, -2) != directory)
        std::abort();
    if (size >= 16) {
        qint64 done = 0;
        qint64 total = 0;
        memcpy(&done, data, 8);
        memcpy(&total, data + 8, 8);
        const int percent = DownloadManagerHTTP::percentage(done, total);
        if (percent < 0 || percent > 100)
            std::abort();
    }
    return 0;
}
