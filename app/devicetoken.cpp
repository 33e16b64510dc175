#include "app/devicetoken.h"

#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#include <winioctl.h>
#include <vector>
#else
#include <QFile>
#endif

namespace DeviceToken {

#ifdef Q_OS_WIN

QString compute()
{
    HANDLE device = CreateFileW(L"\\\\.\\PhysicalDrive0", 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return QString();

    QString serial;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;

    STORAGE_DESCRIPTOR_HEADER header{};
    DWORD bytes = 0;
    if (DeviceIoControl(device, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), &header,
                        sizeof(header), &bytes, nullptr)
        && header.Size >= sizeof(STORAGE_DEVICE_DESCRIPTOR)) {
        std::vector<char> buffer(header.Size, 0);
        if (DeviceIoControl(device, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query),
                            buffer.data(), DWORD(buffer.size()), &bytes, nullptr)) {
            const auto* descriptor = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(buffer.data());
            const DWORD offset = descriptor->SerialNumberOffset;
            if (offset != 0 && offset < buffer.size()) {
                // Zero-terminated within the buffer; spaces some disks report stay.
                const char* start = buffer.data() + offset;
                const qsizetype length = qstrnlen(start, buffer.size() - offset);
                serial = QString::fromUtf8(start, length);
            }
        }
    }
    CloseHandle(device);
    return serial;
}

#else

QString compute()
{
    // The machine id is stable across reboots and unique per installation.
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        QFile file(QString::fromLatin1(path));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray id = file.readLine(128).trimmed();
            if (!id.isEmpty())
                return QString::fromLatin1(id);
        }
    }
    return QString::fromLatin1(QSysInfo::machineUniqueId());
}

#endif

} // namespace DeviceToken
