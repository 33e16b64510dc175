#pragma once

#include <QString>

// "Start with my session": the desktop's autostart entry for the client,
// $XDG_CONFIG_HOME/autostart/<desktop id>.desktop, which starts it minimised
// to the tray.
namespace Autostart {

// The command-line option the entry starts the client with.
inline constexpr char minimizedOption[] = "minimized";

QString entryPath();
bool isEnabled();
// Writes the entry to start `program` (the client's own path); false when it
// could not be written.
bool enable(const QString& program);
// Removes the entry; true when none is left.
bool disable();

} // namespace Autostart
