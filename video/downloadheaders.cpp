#include "video/downloadheaders.h"

namespace DownloadHeaders {

namespace {

// 18 digits always fit 64 bits; no real file is larger.
constexpr qsizetype maxDigits = 18;

// A run of decimal digits as a number, or -1.
qint64 digits(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return -1;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isSpace(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isSpace(text.back()))
        text.chop(1);
    return text;
}

// A name made only of dots would be "." or ".." once behind the "/." prefix.
bool onlyDots(const QString& name)
{
    for (QChar c : name) {
        if (c != u'.')
            return false;
    }
    return true;
}

} // namespace

ContentRange parseContentRange(const QByteArray& value)
{
    ContentRange range;
    QByteArrayView text = trimmed(value);
    constexpr QByteArrayView unit("bytes");
    if (text.size() <= unit.size() || text.first(unit.size()).compare(unit, Qt::CaseInsensitive) != 0
        || !isSpace(text.at(unit.size())))
        return range;
    text = trimmed(text.sliced(unit.size()));

    const qsizetype slash = text.indexOf('/');
    if (slash < 0)
        return range;
    const QByteArrayView totalText = trimmed(text.sliced(slash + 1));
    if (totalText != QByteArrayView("*"))
        range.total = digits(totalText);
    if (totalText != QByteArrayView("*") && range.total < 0)
        return range; // a total that is neither "*" nor a number spoils the whole value

    const QByteArrayView span = trimmed(text.first(slash));
    const qsizetype dash = span.indexOf('-');
    if (dash < 0)
        return range; // "*" of a 416, or garbage
    const qint64 first = digits(span.first(dash));
    const qint64 last = digits(span.sliced(dash + 1));
    if (first < 0 || last < first || (range.total >= 0 && last >= range.total))
        return range;
    range.first = first;
    range.last = last;
    return range;
}

bool acceptsByteRanges(const QByteArray& value)
{
    for (const QByteArray& unit : value.split(',')) {
        if (unit.trimmed().compare("bytes", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString fileNameFor(const QUrl& url)
{
    // The last segment as it stands in the URL, decoded here ourselves, so an
    // encoded "%2F" stays inside the name instead of becoming a directory.
    const QString encodedPath = url.path(QUrl::FullyEncoded);
    const QString segment = encodedPath.mid(encodedPath.lastIndexOf(u'/') + 1);
    QString name = QUrl::fromPercentEncoding(segment.toUtf8());
    for (QChar& c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20)
            c = u'_';
    }
    if (onlyDots(name)) // also the empty name
        name = QStringLiteral("download");
    name.replace(QStringLiteral("sys"), QStringLiteral("mp4"));
    return name;
}

QString localPathFor(const QUrl& url, const QString& directory)
{
    return directory + QStringLiteral("/.") + fileNameFor(url);
}

} // namespace DownloadHeaders
