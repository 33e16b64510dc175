#include "app/processlauncher.h"

#include <QCoreApplication>
#include <QProcess>

namespace ProcessLauncher {

namespace {

Launcher& launcherHook()
{
    static Launcher hook;
    return hook;
}

Quitter& quitterHook()
{
    static Quitter hook;
    return hook;
}

} // namespace

bool startDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDirectory)
{
    if (launcherHook())
        return launcherHook()(program, arguments, workingDirectory);
    // The program goes in as it is: QProcess quotes a path with spaces itself.
    return QProcess::startDetached(program, arguments, workingDirectory);
}

void quit(int exitCode)
{
    if (quitterHook()) {
        quitterHook()(exitCode);
        return;
    }
    QCoreApplication::exit(exitCode);
}

void setLauncher(Launcher launcher)
{
    launcherHook() = std::move(launcher);
}

void setQuitter(Quitter quitter)
{
    quitterHook() = std::move(quitter);
}

} // namespace ProcessLauncher
