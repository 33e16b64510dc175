#pragma once

#include <QString>

// The answer to a request that changes the member's cart or purchases:
// success only when the reply is a JSON object whose result_code is 0. A
// reply that cannot be read is neither success nor a refusal.
namespace CartReply {

enum class Outcome { Added, Refused, Unreadable };

Outcome outcome(const QString& reply);

QString unreadableText();
QString unreachableText();

} // namespace CartReply
