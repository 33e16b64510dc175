#include "app/jsonreply.h"

#include <QJsonDocument>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace JsonReply {

QJsonObject parseObject(const QString& text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}

QString text(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double: {
        const double d = value.toDouble();
        if (std::floor(d) == d && std::abs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return QString();
    }
}

int integer(const QJsonValue& value)
{
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d > std::numeric_limits<int>::max()
            || d < std::numeric_limits<int>::min())
            return 0;
        return int(d);
    }
    if (value.isString()) {
        bool ok = false;
        const int parsed = value.toString().toInt(&ok, 10);
        return ok ? parsed : 0;
    }
    return 0;
}

double number(const QJsonValue& value)
{
    if (value.isDouble())
        return value.toDouble();
    if (value.isString()) {
        bool ok = false;
        const double parsed = value.toString().toDouble(&ok);
        return ok && std::isfinite(parsed) ? parsed : 0.0;
    }
    return 0.0;
}

std::optional<int> resultCodeOf(const QJsonObject& reply)
{
    const QJsonValue value = reply.value(QLatin1String("result_code"));
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (!std::isfinite(number) || std::floor(number) != number
            || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            return std::nullopt;
        return int(number);
    }
    if (!value.isString())
        return std::nullopt;
    // Strictly the digits the service writes: "00", "+0" or " 0" are no
    // answer anyone sends, so they are not taken for one.
    static const QRegularExpression whole(QStringLiteral("^(0|-?[1-9][0-9]{0,8})$"));
    const QString text = value.toString();
    if (!whole.match(text).hasMatch())
        return std::nullopt;
    return text.toInt();
}

std::optional<QJsonArray> listOf(const QString& text, const QString& key, MissingList missing)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject reply = document.object();
    if (!succeeded(reply))
        return std::nullopt;
    const QJsonValue list = reply.value(key);
    if (!list.isArray())
        return missing == MissingList::IsEmpty ? std::optional<QJsonArray>(QJsonArray()) : std::nullopt;
    return list.toArray();
}

} // namespace JsonReply
