#pragma once

#include <QString>
#include <QStringList>

// The client's command line: --help, --version, --api-host HOST[:PORT] and
// --minimized (start in the tray, as the desktop's autostart does).
// The host comes from --api-host, else OLVA_API_HOST, else the compiled-in one.
struct ClientOptions final
{
    enum class Action
    {
        Run,
        ShowHelp,
        ShowVersion,
        Fail
    };

    Action action = Action::Run;
    // The host to use in plain form; empty: the compiled-in one.
    QString apiHost;
    // Start without showing the main window (in the tray where there is one).
    bool startMinimized = false;
    // Help or version text to print, or the one line that says what is wrong.
    QString message;

    // `arguments` as QCoreApplication::arguments() (the program first);
    // `environmentHost` is OLVA_API_HOST's value.
    static ClientOptions parse(const QStringList& arguments, const QString& environmentHost);
};
