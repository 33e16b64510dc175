#pragma once

#include <QJsonObject>
#include <QString>

// What the member reads when the service refuses a request. Where the client
// knows what an endpoint's result_code means, it says so in its own words, in
// the member's language; any other refusal is told with the service's own
// `message`, as sent. The same code means different things at different
// endpoints (5 is "too many attempts" at signin, an impossible goal at
// setWeightProfile), so the endpoint is part of the key.
namespace ServiceMessages {

// The client's own text for `code` answered by `endpoint`, or empty when it
// has none. `reply` supplies details the text needs (retry_after).
QString known(const QString& endpoint, int code, const QJsonObject& reply = {});

// known() for the reply's result_code, else the reply's `message` as sent
// (empty when it has none).
QString of(const QString& endpoint, const QJsonObject& reply);

// "Too many attempts. Try again in N minutes." with N the reply's
// retry_after (seconds) rounded up to whole minutes.
QString tooManyAttempts(const QJsonObject& reply);

} // namespace ServiceMessages
