#include "reminders/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const char desktopId[] = "com.olvaweightloss.OlvaApp";

// A desktop entry's Exec quotes an argument with spaces or specials.
QString quotedForExec(const QString& program)
{
    static const QString specials = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (QChar c : program)
        needsQuotes = needsQuotes || specials.contains(c);
    if (!needsQuotes)
        return program;
    QString escaped;
    for (QChar c : program) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            escaped += u'\\';
        escaped += c;
    }
    // In the key's value a backslash is itself escaped.
    escaped.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    return QStringLiteral("\"%1\"").arg(escaped);
}

} // namespace

QString Autostart::entryPath()
{
    // The desktop reads $XDG_CONFIG_HOME (an absolute path), else ~/.config,
    // whatever Qt's own settings location is.
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/") + QLatin1String(desktopId)
           + QStringLiteral(".desktop");
}

bool Autostart::isEnabled()
{
    return QFileInfo::exists(entryPath());
}

bool Autostart::enable(const QString& program)
{
    const QString path = entryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=OLVA Weight Loss\n"
                                        "Exec=%1 --%2\n"
                                        "Icon=%3\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(quotedForExec(program), QLatin1String(minimizedOption),
                                  QLatin1String(desktopId));
    file.write(text.toUtf8());
    return file.commit();
}

bool Autostart::disable()
{
    const QString path = entryPath();
    return !QFileInfo::exists(path) || QFile::remove(path);
}
