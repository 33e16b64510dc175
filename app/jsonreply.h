#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <limits>
#include <optional>

// Reading the service's replies. Most values arrive as JSON strings, numbers
// included; these helpers accept either form so that a reply with a number
// where a text belongs (or the reverse) reads sensibly instead of as garbage.
namespace JsonReply {

// The reply text as an object; anything that is not a JSON object gives an
// empty object (which has no result_code, so it never reads as success).
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

// The result_code of a reply as a whole number: a JSON number without a
// fraction, or a text of digits with an optional minus sign and no leading
// zeros ("0", "-1", "401"). Nothing when it is missing or anything else
// ("error", "", " 0", "0.5", 0.5, true, null).
std::optional<int> resultCodeOf(const QJsonObject& reply);

// What resultCode() gives for a result_code that is missing or not a whole
// number: never 0, and no code the service uses.
inline constexpr int unreadableCode = std::numeric_limits<int>::min();

// The one rule for every reply the client reads: success only when
// result_code is the number 0 or the text "0".
inline bool succeeded(const QJsonObject& reply)
{
    return resultCodeOf(reply) == 0;
}

// The result_code for comparing and switching: unreadableCode when it is
// missing or not a whole number, so that garbage never passes for 0.
inline int resultCode(const QJsonObject& reply)
{
    return resultCodeOf(reply).value_or(unreadableCode);
}

// What a successful reply without the array (or with something else under
// its key) means: a failure, or simply nothing to list.
enum class MissingList { Fails, IsEmpty };

// The array under `key` of a successful reply (a JSON object whose
// result_code is 0), or nothing: a broken or refused reply is no empty list.
std::optional<QJsonArray> listOf(const QString& text, const QString& key,
                                 MissingList missing = MissingList::Fails);

} // namespace JsonReply
