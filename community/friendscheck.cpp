#include "community/friendscheck.h"

#include "app/jsonreply.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace FriendsCheck {

bool isDue(const QString& checkDay, const QDate& today)
{
    const QDate day = QDate::fromString(checkDay.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        return true;
    return today >= day;
}

std::optional<int> reminderCount(const QString& reply)
{
    // Only a reply that really lists the friends may show the reminder: a
    // broken one must not tell the member they have no friends.
    const QJsonDocument document = QJsonDocument::fromJson(reply.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    if (JsonReply::resultCode(object) != 0)
        return std::nullopt;
    const QJsonValue list = object.value(QStringLiteral("friend_lst"));
    if (!list.isArray())
        return std::nullopt;
    const qsizetype joined = list.toArray().size();
    if (joined > maxFriendsForReminder)
        return std::nullopt;
    return int(joined);
}

} // namespace FriendsCheck
