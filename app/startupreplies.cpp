#include "app/startupreplies.h"

#include "app/accountstate.h"
#include "app/apiconfig.h"
#include "app/jsonreply.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace StartupReplies {

namespace {

// Unlike JsonReply::parseObject, tells a missing object apart from an empty one.
bool parseObject(const QString& text, QJsonObject* object)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    *object = document.object();
    return true;
}

} // namespace

VersionCheck readVersionCheck(const QString& text)
{
    QJsonObject reply;
    if (!parseObject(text, &reply) || !JsonReply::succeeded(reply))
        return {};
    const QString version = JsonReply::text(reply, QStringLiteral("version"));
    if (version.isEmpty())
        return {};
    return VersionCheck{true, version};
}

bool isCurrentVersion(const QString& serverVersion)
{
    return serverVersion == QLatin1String(ApiConfig::clientVersion);
}

DetailsOutcome readDetails(const QString& text)
{
    QJsonObject reply;
    if (!parseObject(text, &reply))
        return DetailsOutcome::Failed;

    switch (JsonReply::resultCode(reply)) {
    case 0:
        break;
    case 1:
        return DetailsOutcome::Login;
    case 2:
        return DetailsOutcome::VerifyLogin;
    default:
        return DetailsOutcome::Unexpected;
    }

    const QJsonValue userInfoValue = reply.value(QStringLiteral("user_info"));
    if (!userInfoValue.isObject())
        return DetailsOutcome::Unexpected;
    const QJsonObject userInfo = userInfoValue.toObject();
    const QString approve = JsonReply::text(userInfo, QStringLiteral("approve"));
    currentUserName = JsonReply::text(userInfo, QStringLiteral("username"));
    currentUserId = JsonReply::text(userInfo, QStringLiteral("user_id"));
    currentCheckDay = JsonReply::text(userInfo, QStringLiteral("checkDay"));
    AccountState::fillBackgrounds(reply.value(QStringLiteral("backgrounds")).toArray());

    return approve == QLatin1String("0") ? DetailsOutcome::Login : DetailsOutcome::SignedIn;
}

} // namespace StartupReplies
