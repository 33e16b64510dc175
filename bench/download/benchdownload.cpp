// Downloads one URL with DownloadManager into a given directory and prints
// the time, throughput and peak memory as "key value" lines for run.sh.
// With --busy-gui the main thread is blocked for 50 ms of every 100 ms, as
// when a window is busy painting or parsing while a video downloads.
#include "app/accountstate.h"
#include "video/downloadmanager.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

// Peak resident memory of this process in KiB, from /proc; -1 elsewhere.
qint64 peakMemoryKiB()
{
    // /proc files report a size of 0, so read them whole rather than by atEnd().
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).simplified().split(' ').value(0).toLongLong();
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    const bool busyGui = args.removeAll(QStringLiteral("--busy-gui")) > 0;
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: bench_download [--busy-gui] <url> <directory>\n");
        return 2;
    }
    dataDir = args.at(2);

    QTimer busy;
    busy.setInterval(100);
    busy.setTimerType(Qt::PreciseTimer);
    QObject::connect(&busy, &QTimer::timeout, &app, [] { QThread::msleep(50); });

    DownloadManager manager;
    QElapsedTimer clock;
    int status = 1;
    QObject::connect(&manager, &DownloadManager::downloadComplete, &app, [&](const QString& path) {
        const double seconds = clock.nsecsElapsed() / 1e9;
        const qint64 bytes = QFileInfo(path).size();
        QTextStream out(stdout);
        out << "path " << path << '\n'
            << "busy_gui " << (busyGui ? 1 : 0) << '\n'
            << "bytes " << bytes << '\n'
            << "seconds " << seconds << '\n'
            << "mib_per_s " << (bytes / 1048576.0) / seconds << '\n'
            << "peak_kib " << peakMemoryKiB() << '\n';
        status = 0;
        app.quit();
    });
    QObject::connect(&manager, &DownloadManager::failed, &app, [&](const QString& reason) {
        std::fprintf(stderr, "download failed: %s\n", qPrintable(reason));
        app.quit();
    });

    clock.start();
    if (busyGui)
        busy.start();
    manager.download(QUrl(args.at(1)));
    app.exec();
    return status;
}
