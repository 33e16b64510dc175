#include "server/engine/byterange.h"

namespace {

bool readNumber(const QByteArray& text, qint64* value)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    bool ok = false;
    *value = text.toLongLong(&ok);
    return ok;
}

ByteRange whole(qint64 fileSize)
{
    ByteRange range;
    range.kind = ByteRange::Kind::Whole;
    range.first = 0;
    range.last = fileSize - 1;
    return range;
}

} // namespace

ByteRange ByteRange::parse(const QByteArray& header, qint64 fileSize)
{
    const QByteArray value = header.trimmed();
    if (!value.startsWith("bytes="))
        return whole(fileSize);
    const QByteArray set = value.mid(6).trimmed();
    if (set.contains(','))
        return whole(fileSize); // several ranges: answering with all is allowed
    const int dash = set.indexOf('-');
    if (dash < 0)
        return whole(fileSize);
    const QByteArray firstText = set.left(dash).trimmed();
    const QByteArray lastText = set.mid(dash + 1).trimmed();

    ByteRange range;
    range.kind = Kind::Partial;
    qint64 first = 0;
    qint64 last = 0;
    if (firstText.isEmpty()) {
        // "-n": the last n bytes
        if (!readNumber(lastText, &last))
            return whole(fileSize);
        if (last == 0 || fileSize == 0) {
            range.kind = Kind::Unsatisfiable;
            return range;
        }
        range.first = qMax<qint64>(0, fileSize - last);
        range.last = fileSize - 1;
        return range;
    }
    if (!readNumber(firstText, &first))
        return whole(fileSize);
    if (lastText.isEmpty()) {
        last = fileSize - 1;
    } else if (!readNumber(lastText, &last) || last < first) {
        return whole(fileSize);
    }
    if (first >= fileSize) {
        range.kind = Kind::Unsatisfiable;
        return range;
    }
    range.first = first;
    range.last = qMin(last, fileSize - 1);
    return range;
}
