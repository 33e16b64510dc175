#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>

// The answer to a request that changes the member's cart or purchases:
// success only when the reply is a JSON object whose result_code is the
// number 0. A reply that cannot be read, or whose result_code is not a whole
// number, is neither success nor a refusal.
namespace CartReply {

enum class Outcome { Added, Refused, Unreadable };

Outcome outcome(const QString& reply);

// The result_code as a whole number (a JSON number or a text of digits);
// nothing when it is missing or anything else ("abc", 0.5, true).
std::optional<int> resultCode(const QJsonObject& reply);

// When an approved payment was made, from its "payment_time" (ms since
// 1970): the time its purchase record counts end days from. 0 when the
// reply does not say or says nonsense.
qint64 paymentTime(const QString& reply);

QString unreadableText();
QString unreachableText();

} // namespace CartReply
