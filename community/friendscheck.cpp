#include "community/friendscheck.h"

#include "app/jsonreply.h"

#include <QJsonArray>
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
    const std::optional<QJsonArray> list = JsonReply::listOf(reply, QStringLiteral("friend_lst"));
    if (!list)
        return std::nullopt;
    const qsizetype joined = list->size();
    if (joined > maxFriendsForReminder)
        return std::nullopt;
    return int(joined);
}

} // namespace FriendsCheck
