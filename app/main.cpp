#include "app/apiconfig.h"
#include "app/clientoptions.h"
#include "app/interfacelanguage.h"
#include "app/singleinstance.h"
#include "app/startup.h"

#include <QApplication>
#include <QMainWindow>
#include <QTextStream>
#include <QWidget>

namespace {

// The window the member is looking at: a dialog that is up (the login dialog
// before the main window exists), else the main window, else any window.
QWidget* windowToRaise()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    QWidget* any = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() && !widget->isMinimized())
            continue;
        if (qobject_cast<QMainWindow*>(widget))
            return widget;
        if (!any)
            any = widget;
    }
    return any;
}

void raiseWindow()
{
    QWidget* window = windowToRaise();
    if (!window)
        return;
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    InterfaceLanguage::apply(application);

    const ClientOptions options =
        ClientOptions::parse(QCoreApplication::arguments(), qEnvironmentVariable("OLVA_API_HOST"));
    switch (options.action) {
    case ClientOptions::Action::ShowHelp:
    case ClientOptions::Action::ShowVersion:
        QTextStream(stdout) << options.message;
        return 0;
    case ClientOptions::Action::Fail:
        QTextStream(stderr) << "OlvaApp: " << options.message << Qt::endl;
        return 2;
    case ClientOptions::Action::Run:
        break;
    }
    ApiConfig::setApiHostOverride(options.apiHost);

    // A second client would race the first on the settings and the day store:
    // bring the running one to the front instead.
    SingleInstance instance(SingleInstance::defaultKey());
    if (!instance.claim())
        return 0;
    QObject::connect(&instance, &SingleInstance::activationRequested, &application, &raiseWindow);

    Startup::prepareApplication(application);

    Startup startup;
    startup.setStartMinimized(options.startMinimized);
    QObject::connect(&startup, &Startup::finished, &application,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    if (!startup.begin())
        return startup.exitCode();
    return application.exec();
}
