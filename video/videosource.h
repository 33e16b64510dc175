#pragma once

#include <QString>
#include <QUrl>

// What the player is given to play: a downloaded file's path or a video's web
// address. A path becomes a file URL (so a Linux path or a Windows drive path
// is not mistaken for a scheme); "http", "https" and "file" addresses stay as
// they are.
namespace VideoSource {

QUrl toUrl(const QString& source);

} // namespace VideoSource
