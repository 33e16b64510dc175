#include "video/downloadreport.h"

namespace DownloadReport {

Refresh refreshFor(const QString& type, bool programVideo)
{
    if (programVideo)
        return {1, 3};
    if (type == QLatin1String("NUTRITION_VIDEO"))
        return {6, 8};
    if (type == QLatin1String("COACHING_VIDEO"))
        return {11, 13};
    return {0, 3};
}

QUrlQuery videoFields(const QString& userId, int id, const QString& path)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("video_id"), QString::number(id));
    fields.addQueryItem(QStringLiteral("uri"), QString());
    fields.addQueryItem(QStringLiteral("uri1"), path);
    return fields;
}

QUrlQuery programVideoFields(const QString& userId, int id, const QString& path)
{
    QUrlQuery fields;
    fields.addQueryItem(QStringLiteral("user_id"), userId);
    fields.addQueryItem(QStringLiteral("program_id"), QString::number(id) + QStringLiteral("_desktop"));
    fields.addQueryItem(QStringLiteral("uri1"), path);
    return fields;
}

} // namespace DownloadReport
