#include "server/storecommon.h"
#include "server/storehandlers.h"

#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace StoreHandlers {

namespace {

constexpr qsizetype MaxPathLength = 4096;

std::optional<DeviceItemId> requireDeviceItem(const ApiCall& call, const QString& field, QJsonObject* failure)
{
    const auto item = parseDeviceItemId(call.text(field).trimmed());
    if (!item)
        *failure = badField(field);
    return item;
}

std::optional<QString> requirePath(const ApiCall& call, QJsonObject* failure)
{
    const QString path = call.text(QStringLiteral("uri1"));
    if (path.trimmed().isEmpty() || path.size() > MaxPathLength) {
        *failure = badField(QStringLiteral("uri1"));
        return std::nullopt;
    }
    return path;
}

// The owner check of a download: the product (of the program video) must be
// one the member owns. Empty reply when it is.
QJsonObject ownershipFailure(ServerContext& context, const QString& sql, qint64 userId, qint64 id,
                             const QString& unknownMessage)
{
    QSqlQuery query(context.db);
    query.prepare(sql);
    query.addBindValue(userId);
    query.addBindValue(id);
    if (!run(query))
        return storageFailure();
    if (!query.next())
        return apiFailure(UnknownItem, unknownMessage);
    if (query.value(0).toInt() != 1)
        return apiFailure(Refused, QStringLiteral("You do not own this video."));
    return {};
}

QJsonObject deleteOne(ServerContext& context, const QString& sql, qint64 userId, const DeviceItemId& item)
{
    QSqlQuery remove(context.db);
    remove.prepare(sql);
    remove.addBindValue(userId);
    remove.addBindValue(item.id);
    remove.addBindValue(item.platform);
    if (!run(remove))
        return storageFailure();
    if (remove.numRowsAffected() != 1)
        return apiFailure(Refused, QStringLiteral("No download of this video is recorded."));
    return apiSuccess();
}

} // namespace

QJsonObject setVideoUri(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const auto video = requireDeviceItem(call, QStringLiteral("video_id"), &failure);
    if (!video)
        return failure;
    const auto path = requirePath(call, &failure);
    if (!path)
        return failure;
    const QString uri = call.text(QStringLiteral("uri"));
    if (uri.size() > MaxPathLength)
        return badField(QStringLiteral("uri"));

    failure = ownershipFailure(context,
                               QStringLiteral("SELECT COALESCE(pu.product_owned, 0) FROM products p"
                                              " LEFT JOIN purchases pu ON pu.product_id = p.id AND pu.user_id = ?"
                                              " WHERE p.id = ? AND p.video <> ''"),
                               *userId, video->id, QStringLiteral("No such video."));
    if (!failure.isEmpty())
        return failure;

    QSqlQuery store(context.db);
    store.prepare(QStringLiteral(
        "INSERT OR REPLACE INTO video_downloads (user_id, product_id, platform, uri, uri1) VALUES (?, ?, ?, ?, ?)"));
    store.addBindValue(*userId);
    store.addBindValue(video->id);
    store.addBindValue(video->platform);
    store.addBindValue(uri);
    store.addBindValue(*path);
    if (!run(store))
        return storageFailure();
    return apiSuccess();
}

QJsonObject setProgramVideoUri(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const auto video = requireDeviceItem(call, QStringLiteral("program_id"), &failure);
    if (!video)
        return failure;
    const auto path = requirePath(call, &failure);
    if (!path)
        return failure;

    failure = ownershipFailure(context,
                               QStringLiteral("SELECT COALESCE(pu.product_owned, 0) FROM program_videos v"
                                              " LEFT JOIN purchases pu ON pu.product_id = v.program_id AND pu.user_id = ?"
                                              " WHERE v.id = ?"),
                               *userId, video->id, QStringLiteral("No such program video."));
    if (!failure.isEmpty())
        return failure;

    QSqlQuery store(context.db);
    store.prepare(QStringLiteral(
        "INSERT OR REPLACE INTO program_video_downloads (user_id, video_id, platform, uri1) VALUES (?, ?, ?, ?)"));
    store.addBindValue(*userId);
    store.addBindValue(video->id);
    store.addBindValue(video->platform);
    store.addBindValue(*path);
    if (!run(store))
        return storageFailure();
    return apiSuccess();
}

QJsonObject removeVideo(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const auto video = requireDeviceItem(call, QStringLiteral("product_id"), &failure);
    if (!video)
        return failure;
    return deleteOne(context,
                     QStringLiteral("DELETE FROM video_downloads WHERE user_id = ? AND product_id = ? AND platform = ?"),
                     *userId, *video);
}

QJsonObject removeProgramVideo1(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto userId = requireMember(call, context, &failure);
    if (!userId)
        return failure;
    const auto video = requireDeviceItem(call, QStringLiteral("program_id"), &failure);
    if (!video)
        return failure;
    return deleteOne(
        context,
        QStringLiteral("DELETE FROM program_video_downloads WHERE user_id = ? AND video_id = ? AND platform = ?"),
        *userId, *video);
}

} // namespace StoreHandlers
