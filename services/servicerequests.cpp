#include "services/servicerequests.h"

#include "app/server.h"

namespace ServiceRequests {

int endpointIndex(const QString& endpoint)
{
    for (int index = 0; index < Server::endpointCount(); ++index) {
        if (Server::endpointName(index) == endpoint)
            return index;
    }
    return -1;
}

} // namespace ServiceRequests
