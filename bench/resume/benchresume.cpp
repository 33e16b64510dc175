// Downloads one URL with DownloadManager into a directory, continuing any
// partial file left there, and exits 0 once the file is complete (1 on a
// failed transfer). run.sh kills it at random points and starts it again.
#include "app/accountstate.h"
#include "video/downloadmanager.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>
#include <QUrl>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: bench_resume <url> <directory>\n");
        return 2;
    }
    dataDir = QDir(args.at(2)).absolutePath();
    QDir().mkpath(dataDir);

    DownloadManager manager;
    int exitCode = 1;
    QObject::connect(&manager, &DownloadManager::downloadComplete, &app, [&](const QString& path) {
        QTextStream(stdout) << "complete " << path << Qt::endl;
        exitCode = 0;
        app.quit();
    });
    QObject::connect(&manager, &DownloadManager::failed, &app, [&](const QString& reason) {
        QTextStream(stderr) << "failed " << reason << Qt::endl;
        app.quit();
    });
    manager.download(QUrl(args.at(1)));
    app.exec();
    return exitCode;
}
