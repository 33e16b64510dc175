#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

// What the downloader reads from a file server's headers, and where it saves
// a URL. Header values come from whatever server the video address names, so
// every reader here copes with any bytes.
namespace DownloadHeaders {

// A Content-Range value: "bytes <first>-<last>/<total>", the total "*" when
// the server does not know it. A 416's "bytes */<total>" names no range but
// still gives the total.
struct ContentRange
{
    qint64 first = -1; // -1: no usable range
    qint64 last = -1;
    qint64 total = -1; // -1: unknown

    bool hasRange() const { return first >= 0; }
};

// Only decimal digits count as numbers (no sign, no spaces inside them, at
// most 18 digits). A range whose last byte comes before its first, or lies
// outside a known total, is no range.
ContentRange parseContentRange(const QByteArray& value);

// Whether an Accept-Ranges value offers byte ranges: "bytes" among its
// comma-separated units, in any case. "none", an empty value or any other
// unit does not.
bool acceptsByteRanges(const QByteArray& value);

// The file name a URL is saved under: the last segment of its path, decoded
// here so an encoded "%2F" stays in the name, with slashes, backslashes and
// control characters replaced by "_", every "sys" replaced by "mp4", and
// "download" for a name that is empty or only dots.
QString fileNameFor(const QUrl& url);

// "<directory>/." + fileNameFor(url): always directly inside `directory`.
QString localPathFor(const QUrl& url, const QString& directory);

} // namespace DownloadHeaders
