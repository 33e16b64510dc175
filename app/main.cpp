#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    Startup::prepareApplication(application);

    Startup startup;
    QObject::connect(&startup, &Startup::finished, &application,
                     [](int exitCode) { QCoreApplication::exit(exitCode); });
    if (!startup.begin())
        return startup.exitCode();
    return application.exec();
}
