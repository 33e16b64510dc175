#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as the client sees a reply: the body decoded as UTF-8,
// exactly as Server hands it to a window's slot.
inline QByteArray fuzzBytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline QString fuzzReply(const uint8_t* data, size_t size)
{
    return QString::fromUtf8(fuzzBytes(data, size));
}
