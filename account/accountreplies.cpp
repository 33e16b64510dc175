#include "account/accountreplies.h"

#include "app/jsonreply.h"
#include "app/servicemessages.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace AccountReplies {

namespace {

// The reply as an object, or nothing when it is not one or has no
// result_code that is a whole number.
std::optional<QJsonObject> readableObject(const QString& text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    QJsonObject object = document.object();
    if (!JsonReply::resultCodeOf(object))
        return std::nullopt;
    return object;
}

} // namespace

std::optional<int> resultCode(const QString& text)
{
    const std::optional<QJsonObject> object = readableObject(text);
    if (!object)
        return std::nullopt;
    return JsonReply::resultCode(*object);
}

SignIn parseSignIn(const QString& text)
{
    SignIn reply;
    const std::optional<QJsonObject> object = readableObject(text);
    if (!object)
        return reply;
    reply.readable = true;
    reply.resultCode = JsonReply::resultCode(*object);
    // A missing or malformed user_info reads as an empty object: every text
    // empty, which counts as approved.
    const QJsonValue userInfoValue = object->value(QStringLiteral("user_info"));
    reply.hasUserInfo = userInfoValue.isObject();
    const QJsonObject userInfo = userInfoValue.toObject();
    reply.approve = JsonReply::text(userInfo, QStringLiteral("approve"));
    reply.userId = JsonReply::text(userInfo, QStringLiteral("user_id"));
    reply.userName = JsonReply::text(userInfo, QStringLiteral("username"));
    reply.checkDay = JsonReply::text(userInfo, QStringLiteral("checkDay"));
    reply.backgrounds = object->value(QStringLiteral("backgrounds")).toArray();
    return reply;
}

Pincode parsePincode(const QString& text)
{
    Pincode reply;
    const std::optional<QJsonObject> object = readableObject(text);
    if (!object)
        return reply;
    reply.readable = true;
    reply.resultCode = JsonReply::resultCode(*object);
    reply.pincode = JsonReply::text(*object, QStringLiteral("pincode"));
    return reply;
}

QString tooManyAttemptsMessage(const QString& text)
{
    const std::optional<QJsonObject> object = readableObject(text);
    if (!object || JsonReply::resultCode(*object) != tooManyAttemptsCode)
        return {};
    return ServiceMessages::tooManyAttempts(*object);
}

} // namespace AccountReplies
