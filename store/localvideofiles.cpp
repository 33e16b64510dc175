#include "store/localvideofiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLocalVideos, "olva.library")

namespace LocalVideoFiles {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity pathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity pathCase = Qt::CaseSensitive;
#endif

QFileInfo resolvedInfo(const QString& path, const QString& dataDirectory)
{
    QFileInfo info(path);
    if (info.isRelative())
        info = QFileInfo(QDir(dataDirectory), path);
    return info;
}

bool canonicalInside(const QString& canonical, const QString& dataDirectory)
{
    const QString root = QFileInfo(dataDirectory).canonicalFilePath();
    if (root.isEmpty() || canonical.isEmpty())
        return false;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return canonical.size() > prefix.size() && canonical.startsWith(prefix, pathCase);
}

} // namespace

bool liesInside(const QString& path, const QString& dataDirectory)
{
    if (path.trimmed().isEmpty())
        return false;
    return canonicalInside(resolvedInfo(path, dataDirectory).canonicalFilePath(), dataDirectory);
}

Removal remove(const QString& path, const QString& dataDirectory)
{
    if (path.trimmed().isEmpty())
        return Removal::Missing;
    const QFileInfo info = resolvedInfo(path, dataDirectory);
    // A dangling link has no canonical form; it is left alone like one that points out.
    if (!info.exists() && !info.isSymLink())
        return Removal::Missing;
    const QString canonical = info.canonicalFilePath();
    if (!canonicalInside(canonical, dataDirectory)) {
        qCWarning(lcLocalVideos, "not deleting %s: it is not inside the data directory", qPrintable(path));
        return Removal::Outside;
    }
    if (!QFileInfo(canonical).isFile()) {
        qCWarning(lcLocalVideos, "not deleting %s: it is not a file", qPrintable(path));
        return Removal::NotAFile;
    }
    if (!QFile::remove(canonical)) {
        qCWarning(lcLocalVideos, "could not delete %s", qPrintable(canonical));
        return Removal::Failed;
    }
    // A link inside the data directory that pointed at the video goes too.
    if (info.isSymLink() && info.absoluteFilePath() != canonical)
        QFile::remove(info.absoluteFilePath());
    return Removal::Deleted;
}

} // namespace LocalVideoFiles
