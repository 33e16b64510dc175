// The downloader's reading of a file server's headers: Content-Range of a
// partial reply and Accept-Ranges of the HEAD, and the file name a URL is
// saved under.
#include "fuzzinput.h"
#include "video/downloadheaders.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray value = fuzzBytes(data, size);
    const DownloadHeaders::ContentRange range = DownloadHeaders::parseContentRange(value);
    if (range.total < -1)
        std::abort();
    if (range.hasRange()
        && (range.last < range.first || (range.total >= 0 && range.last >= range.total)))
        std::abort();
    if (!range.hasRange() && range.last != -1)
        std::abort();
    DownloadHeaders::acceptsByteRanges(value);

    const QString name = DownloadHeaders::fileNameFor(QUrl(QString::fromUtf8(value)));
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name == QLatin1String(".")
        || name == QLatin1String(".."))
        std::abort();
    return 0;
}
