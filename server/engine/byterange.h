#pragma once

#include <QByteArray>

// One "Range: bytes=..." request header resolved against a file size.
struct ByteRange
{
    enum class Kind {
        Whole,        // no usable range: send the whole file with 200
        Partial,      // send [first, last] with 206
        Unsatisfiable // 416 with "Content-Range: bytes */size"
    };
    Kind kind = Kind::Whole;
    qint64 first = 0;
    qint64 last = -1; // inclusive

    qint64 length() const { return last - first + 1; }

    // An absent or malformed header, or several ranges, give Whole (the
    // header may be ignored); a well-formed range that starts beyond the end
    // gives Unsatisfiable.
    static ByteRange parse(const QByteArray& header, qint64 fileSize);
};
