#pragma once

#include "server/engine/endpoints.h"

// The demo live services of the three types, with pictures and invented
// coach contacts, and one open telehealth purchase of the demo member.
namespace DemoServices {

void fill(ServerContext& context);

} // namespace DemoServices
