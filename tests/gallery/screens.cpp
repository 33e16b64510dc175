// olva-screens [--language CODE] [FOLDER] [WIDTHxHEIGHT] [SHOT...]
//
// Saves a picture of every window of the gallery (or of the shots named) as
// FOLDER/<shot>.png, the whole screen as the member would see it, on an
// offscreen screen of the given size (1366x768 unless told). The demo server
// runs inside this program. The windows speak the language CODE ("en", "es",
// or "pseudo" for the pseudo-translation, whose longer texts show a layout
// that does not fit), else the language of the environment (LANGUAGE=es for
// Spanish). Prints one line per shot; a shot that cannot
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
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments;
    QString language;
    for (int index = 1; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    if (arguments.value(0) == QLatin1String("--language")) {
        language = arguments.value(1);
        const QStringList known = InterfaceLanguage::available() +
                                  QStringList{QStringLiteral("en"), QLatin1String(InterfaceLanguage::pseudo)};
        if (!known.contains(language)) {
            err << "olva-screens: the language must be one of " << known.join(QStringLiteral(", "))
                << '\n';
            return 2;
        }
        arguments.remove(0, 2);
    }
    const QString folder = arguments.value(0, QStringLiteral("build/screens"));
    const QSize size = ScreenImage::parseSize(arguments.value(1, QStringLiteral("1366x768")));
    if (!size.isValid()) {
        err << "olva-screens: the size must look like 1366x768\n";
        return 2;
    }
    const QStringList wanted = arguments.mid(2);
    for (const QString& name : std::as_const(wanted)) {
        if (!Gallery::shotNames().contains(name)) {
            err << "olva-screens: no window is called " << name << "; the windows are:\n  "
                << Gallery::shotNames().join(QStringLiteral(" ")) << '\n';
            return 2;
        }
    }

    const QString configuration = ScreenImage::useOffscreen(size);
    QApplication application(argc, argv);
    // Without --language in the system's: LANGUAGE=es takes the pictures in
    // Spanish.
    InterfaceLanguage::apply(application, language);
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
