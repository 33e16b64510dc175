#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// Reading the service's replies. Most values arrive as JSON strings, numbers
// included; these helpers accept either form so that a reply with a number
// where a text belongs (or the reverse) reads sensibly instead of as garbage.
namespace JsonReply {

// The reply text as an object; anything that is not a JSON object gives an
// empty object (whose result_code then reads as 0).
QJsonObject parseObject(const QString& text);

// A value as text: strings as they are, numbers in their shortest form,
// booleans as "true"/"false", anything else empty.
QString text(const QJsonValue& value);
inline QString text(const QJsonObject& object, const QString& key)
{
    return text(object.value(key));
}

// A value as a 32-bit integer: numbers, or strings holding a base-10 number;
// anything unreadable is 0.
int integer(const QJsonValue& value);
inline int integer(const QJsonObject& object, const QString& key)
{
    return integer(object.value(key));
}

// A value as a double: numbers, or strings holding one; anything else 0.
double number(const QJsonValue& value);
inline double number(const QJsonObject& object, const QString& key)
{
    return number(object.value(key));
}

// The integer result_code of a reply object (0 when missing).
inline int resultCode(const QJsonObject& reply)
{
    return integer(reply, QStringLiteral("result_code"));
}

// What a successful reply without the array (or with something else under
// its key) means: a failure, or simply nothing to list.
enum class MissingList { Fails, IsEmpty };

// The array under `key` of a successful reply (a JSON object whose
// result_code is 0), or nothing: a broken or refused reply is no empty list.
std::optional<QJsonArray> listOf(const QString& text, const QString& key,
                                 MissingList missing = MissingList::Fails);

} // namespace JsonReply
