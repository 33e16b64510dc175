#pragma once

#include "server/engine/endpoints.h"

// The demo member's library beyond the store's catalogue: lapsed
// subscriptions (one with a card on file that renews, one without that is
// declined and cancelled), a program with one video already downloaded, and
// videos of a few MiB so that download progress, pause and resume can be seen.
namespace DemoLibrary {

void fill(ServerContext& context);

// Grows a video file to at least `bytes` with a trailing MP4 "free" box,
// which players skip. False when the file cannot be written.
bool padVideo(const QString& path, qint64 bytes);

} // namespace DemoLibrary
