#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Starting a detached process and ending this one. Restarting after logout or a
// screen change and launching the downloaded installer go through here, so a
// test can watch what would be started instead of starting it.
namespace ProcessLauncher {

using Launcher = std::function<bool(const QString& program, const QStringList& arguments,
                                    const QString& workingDirectory)>;
using Quitter = std::function<void(int exitCode)>;

// Starts `program` as a process that outlives this one; false when it could not start.
bool startDetached(const QString& program, const QStringList& arguments = {},
                   const QString& workingDirectory = {});
// Asks the application's event loop to end with `exitCode`.
void quit(int exitCode);

// Replace the real behaviour (tests); an empty function restores it.
void setLauncher(Launcher launcher);
void setQuitter(Quitter quitter);

} // namespace ProcessLauncher
