#include "video/downloadreport.h"

#include "app/jsonreply.h"

namespace DownloadReport {

namespace {
constexpr qsizetype longestMessage = 200;
} // namespace

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

Answer readAnswer(const QString& reply)
{
    Answer answer;
    const QJsonObject object = JsonReply::parseObject(reply);
    if (!JsonReply::resultCodeOf(object))
        return answer;
    if (JsonReply::succeeded(object)) {
        answer.outcome = Answer::Outcome::Recorded;
        return answer;
    }
    answer.outcome = Answer::Outcome::Refused;
    answer.message = JsonReply::text(object, QStringLiteral("message")).simplified();
    if (answer.message.size() > longestMessage)
        answer.message = answer.message.left(longestMessage - 3) + QStringLiteral("...");
    return answer;
}

} // namespace DownloadReport
