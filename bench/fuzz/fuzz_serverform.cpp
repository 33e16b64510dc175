// olva-server: the form body of an API call and the Range header of a file.
#include "fuzzinput.h"
#include "server/engine/byterange.h"
#include "server/engine/endpoints.h"

#include <QUrlQuery>

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const ApiCall call(QUrlQuery(QString::fromUtf8(bytes)));
    for (const char* key : {"user_id", "email", "password", "product_id", "amount", "date", ""}) {
        const QString name = QString::fromLatin1(key);
        call.has(name);
        call.text(name);
        call.integer(name);
    }

    qint64 fileSize = 0;
    if (size >= 8)
        memcpy(&fileSize, data, 8);
    fileSize = fileSize < 0 ? -(fileSize + 1) : fileSize;
    const ByteRange range = ByteRange::parse(bytes, fileSize);
    if (range.kind == ByteRange::Kind::Partial
        && (range.first < 0 || range.last < range.first || range.last >= fileSize))
        std::abort();
    return 0;
}
