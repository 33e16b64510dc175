#include "store/cartreply.h"

#include "app/jsonreply.h"

namespace CartReply {

Outcome outcome(const QString& reply)
{
    const QJsonObject object = JsonReply::parseObject(reply);
    if (!object.contains(QLatin1String("result_code")))
        return Outcome::Unreadable;
    return JsonReply::resultCode(object) == 0 ? Outcome::Added : Outcome::Refused;
}

QString unreadableText()
{
    return QStringLiteral("The store sent an answer that could not be read. Please try again.");
}

QString unreachableText()
{
    return QStringLiteral("The store could not be reached. Please try again.");
}

} // namespace CartReply
