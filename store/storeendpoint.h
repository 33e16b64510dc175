#pragma once

#include "app/server.h"

#include <QString>

// The Server index of a store endpoint by its name.
inline int storeEndpoint(const QString& name)
{
    return Server::endpointIndex(name);
}
