#pragma once

#include "server/engine/endpoints.h"

// The demo live services of the three types (a free one among them), with
// pictures and invented coach contacts, and the demo member's purchases and
// service cart, so that every state of a service card shows.
namespace DemoServices {

void fill(ServerContext& context);

} // namespace DemoServices
