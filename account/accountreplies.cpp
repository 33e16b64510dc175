#include "account/accountreplies.h"

#include "app/jsonreply.h"

#include <QCoreApplication>
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
    // Whole minutes, rounded up: "0 minutes" would invite a try that fails.
    const double seconds = JsonReply::number(*object, QStringLiteral("retry_after"));
    if (!(seconds > 0) || seconds > 7 * 24 * 3600)
        return QCoreApplication::translate("AccountReplies", "Too many attempts. Please try again later.");
    const int minutes = qMax(1, int((seconds + 59) / 60));
    return QCoreApplication::translate("AccountReplies", "Too many attempts. Try again in %Ln minutes.", nullptr,
                                       minutes);
}

} // namespace AccountReplies
