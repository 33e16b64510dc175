#include "store/libraryrules.h"

#include <QCoreApplication>

namespace LibraryRules {

namespace {
const QString programType = QStringLiteral("PROGRAM");
constexpr qint64 dayMs = 24LL * 60 * 60 * 1000;
} // namespace

bool isLibraryKind(int kind)
{
    return kind == 3 || kind == 8 || kind == 13 || kind == 16;
}

bool isProgramVideoKind(int kind)
{
    return kind == 15 || kind == 16;
}

bool showsCard(int kind, const QString& type, const QString& uri1)
{
    if (!isLibraryKind(kind) || type == programType)
        return true;
    return !uri1.isEmpty();
}

LibraryRow libraryRow(int kind, const QString& type, int ebook)
{
    LibraryRow row;
    row.playText = QCoreApplication::translate("LibraryRules", "PLAY");
    row.playWidth = 80;
    if (type == programType) {
        row.playText = QCoreApplication::translate("LibraryRules", "PROGRAM VIDEOS");
        row.playWidth = 240;
        row.playOpensProgram = true;
    } else if (ebook == 1) {
        row.playText = QCoreApplication::translate("LibraryRules", "Read");
        row.playOpensEbook = true;
    } else {
        row.deleteButton = true;
    }
    // The e-book of a program still opens as an e-book.
    if (ebook == 1) {
        row.playOpensEbook = true;
        row.playOpensProgram = false;
    }
    row.cancelButton = kind != 16;
    return row;
}

DownloadAction downloadAction(int kind, const QString& uri1)
{
    if (kind != 15)
        return DownloadAction::SingleVideo;
    return uri1.isEmpty() ? DownloadAction::ProgramVideo : DownloadAction::Nothing;
}

QString desktopId(int id)
{
    return QString::number(id) + QStringLiteral("_desktop");
}

bool needsRenewal(const QString& type, const QString& status, int id, qint64 endDay, qint64 nowMs)
{
    if (type == QLatin1String("NUTRITION") || type == QLatin1String("COACHING"))
        return false;
    return status == QLatin1String("yes") && id > 0 && endDay > 0 && endDay < nowMs;
}

qint64 renewedEndDay(qint64 nowMs)
{
    return nowMs + 30 * dayMs;
}

} // namespace LibraryRules
