#pragma once

#include <QString>

// The live-service endpoints by name.
namespace ServiceRequests {

// The index of `endpoint` in the API client's table; -1 when unknown.
int endpointIndex(const QString& endpoint);

} // namespace ServiceRequests
