// olva-screens [FOLDER] [WIDTHxHEIGHT] [SHOT...]
//
// Saves a picture of every window of the gallery (or of the shots named) as
// FOLDER/<shot>.png, the whole screen as the member would see it, on an
// offscreen screen of the given size (1366x768 unless told). The demo server
// runs inside this program, in the language of the environment (LANGUAGE=es
// for Spanish). Prints one line per shot; a shot that cannot
// reach its state is skipped with the step where it stopped, and the program
// ends with 1 when any was skipped.

#include "app/interfacelanguage.h"
#include "gallery.h"
#include "screenimage.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/screens");
    const QSize size = ScreenImage::parseSize(argc > 2 ? QString::fromLocal8Bit(argv[2])
                                                       : QStringLiteral("1366x768"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!size.isValid()) {
        err << "olva-screens: the size must look like 1366x768\n";
        return 2;
    }
    QStringList wanted;
    for (int index = 3; index < argc; ++index)
        wanted.append(QString::fromLocal8Bit(argv[index]));
    for (const QString& name : std::as_const(wanted)) {
        if (!Gallery::shotNames().contains(name)) {
            err << "olva-screens: no window is called " << name << "; the windows are:\n  "
                << Gallery::shotNames().join(QStringLiteral(" ")) << '\n';
            return 2;
        }
    }

    const QString configuration = ScreenImage::useOffscreen(size);
    QApplication application(argc, argv);
    // In the system's language: LANGUAGE=es takes the pictures in Spanish.
    InterfaceLanguage::apply(application, QString());
    QFile::remove(configuration);
    if (!QDir().mkpath(folder)) {
        err << "olva-screens: cannot make " << folder << '\n';
        return 2;
    }
    Gallery gallery;
    if (!gallery.start()) {
        err << "olva-screens: the demo server did not start\n";
        return 2;
    }
    int skipped = 0;
    for (const QString& name : Gallery::shotNames()) {
        if (!wanted.isEmpty() && !wanted.contains(name))
            continue;
        const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
        bool saved = false;
        QElapsedTimer took;
        took.start();
        const QString stoppedAt = gallery.take(
            name, [&](QWidget* window) { saved = ScreenImage::compose(window).save(path); });
        if (stoppedAt.isEmpty() && saved) {
            out << "saved   " << path << " (" << took.elapsed() << " ms)" << Qt::endl;
        } else {
            ++skipped;
            out << "SKIPPED " << name << ": "
                << (stoppedAt.isEmpty() ? QStringLiteral("could not write ") + path : stoppedAt)
                << Qt::endl;
        }
    }
    return skipped == 0 ? 0 : 1;
}
