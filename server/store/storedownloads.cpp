#include "server/store/storecommon.h"
#include "server/store/storehandlers.h"

#include <QSqlQuery>
#include <QVariant>

using namespace StoreCommon;

namespace StoreHandlers {

namespace {

constexpr qsizetype MaxPathLength = 4096;

// The member of user_id and the video named by a "42_desktop" field.
struct MemberDownload
{
    qint64 userId = 0;
    DeviceItemId video;
};

std::optional<MemberDownload> requireMemberDownload(const ApiCall& call, ServerContext& context,
                                                    const QString& field, QJsonObject* failure)
{
    const auto userId = requireMember(call, context, failure);
    if (!userId)
        return std::nullopt;
    const auto video = parseDeviceItemId(call.text(field).trimmed());
    if (!video) {
        *failure = badField(field);
        return std::nullopt;
    }
    return MemberDownload{*userId, *video};
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
    KeptQuery query(context.db);
    query.prepare(sql);
    if (!runWith(query, {userId, id}))
        return storageFailure();
    if (!query.next())
        return apiFailure(UnknownItem, unknownMessage);
    if (query.value(0).toInt() != 1)
        return apiFailure(Refused, QStringLiteral("You do not own this video."));
    return {};
}

// removeVideo and removeProgramVideo1: forget the one recorded download
// that `sql` deletes.
QJsonObject forgetDownload(const ApiCall& call, ServerContext& context, const QString& field, const QString& sql)
{
    QJsonObject failure;
    const auto target = requireMemberDownload(call, context, field, &failure);
    if (!target)
        return failure;
    return changeOneRow(context, sql, {target->userId, target->video.id, target->video.platform},
                        QStringLiteral("No download of this video is recorded."));
}

} // namespace

QJsonObject setVideoUri(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberDownload(call, context, QStringLiteral("video_id"), &failure);
    if (!target)
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
                               target->userId, target->video.id, QStringLiteral("No such video."));
    if (!failure.isEmpty())
        return failure;

    KeptQuery store(context.db);
    store.prepare(QStringLiteral(
        "INSERT INTO video_downloads (user_id, product_id, platform, uri, uri1) VALUES (?, ?, ?, ?, ?)"
        " ON CONFLICT (user_id, product_id, platform) DO UPDATE SET uri = excluded.uri, uri1 = excluded.uri1"));
    if (!runWith(store, {target->userId, target->video.id, target->video.platform, uri, *path}))
        return storageFailure();
    return apiSuccess();
}

QJsonObject setProgramVideoUri(const ApiCall& call, ServerContext& context)
{
    QJsonObject failure;
    const auto target = requireMemberDownload(call, context, QStringLiteral("program_id"), &failure);
    if (!target)
        return failure;
    const auto path = requirePath(call, &failure);
    if (!path)
        return failure;

    failure = ownershipFailure(context,
                               QStringLiteral("SELECT COALESCE(pu.product_owned, 0) FROM program_videos v"
                                              " LEFT JOIN purchases pu ON pu.product_id = v.program_id AND pu.user_id = ?"
                                              " WHERE v.id = ?"),
                               target->userId, target->video.id, QStringLiteral("No such program video."));
    if (!failure.isEmpty())
        return failure;

    KeptQuery store(context.db);
    store.prepare(QStringLiteral(
        "INSERT INTO program_video_downloads (user_id, video_id, platform, uri1) VALUES (?, ?, ?, ?)"
        " ON CONFLICT (user_id, video_id, platform) DO UPDATE SET uri1 = excluded.uri1"));
    if (!runWith(store, {target->userId, target->video.id, target->video.platform, *path}))
        return storageFailure();
    return apiSuccess();
}

QJsonObject removeVideo(const ApiCall& call, ServerContext& context)
{
    return forgetDownload(
        call, context, QStringLiteral("product_id"),
        QStringLiteral("DELETE FROM video_downloads WHERE user_id = ? AND product_id = ? AND platform = ?"));
}

QJsonObject removeProgramVideo1(const ApiCall& call, ServerContext& context)
{
    return forgetDownload(
        call, context, QStringLiteral("program_id"),
        QStringLiteral("DELETE FROM program_video_downloads WHERE user_id = ? AND video_id = ? AND platform = ?"));
}

} // namespace StoreHandlers
