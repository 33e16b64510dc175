#pragma once

#include "server/engine/endpoints.h"

// The demo catalogue of the store: products of every type with pictures,
// videos, e-books and complete programs, and a few purchases of the demo
// member so that the library is not empty.
namespace DemoStore {

void fill(ServerContext& context);

} // namespace DemoStore
