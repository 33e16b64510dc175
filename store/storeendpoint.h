#pragma once

#include "app/server.h"

#include <QString>

// The Server index of an endpoint by its name; -1 for an unknown name (which
// Server refuses to send).
inline int storeEndpoint(const QString& name)
{
    for (int index = 0; index < Server::endpointCount(); ++index) {
        if (Server::endpointName(index) == name)
            return index;
    }
    return -1;
}
