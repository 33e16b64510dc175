#pragma once

#include <QString>

// The decisions behind the member's library and program-video lists: which
// entries get a card, which buttons a library row has, what a download
// button does, and which owned items have lapsed and are renewed.
namespace LibraryRules {

// The library kinds 3, 8, 13 and the program videos opened from the library, 16.
bool isLibraryKind(int kind);
bool isProgramVideoKind(int kind);

// Library lists show owned programs always, other entries only once they
// were downloaded on this computer.
bool showsCard(int kind, const QString& type, const QString& uri1);

struct LibraryRow
{
    QString playText;       // "PLAY", "Read" or "PROGRAM VIDEOS"
    int playWidth = 80;
    bool playOpensEbook = false;
    bool playOpensProgram = false;
    bool deleteButton = false; // "X": delete the downloaded file
    bool cancelButton = false; // "XS": cancel the subscription
};
LibraryRow libraryRow(int kind, const QString& type, int ebook);

enum class DownloadAction {
    Nothing,      // a program video that is downloaded already
    SingleVideo,  // reported with setVideoUri
    ProgramVideo, // reported with setProgramVideoUri
};
DownloadAction downloadAction(int kind, const QString& uri1);

// "<id>_desktop", how downloads of this computer are named to the service.
QString desktopId(int id);

// Whether a list entry is a lapsed subscription to renew: not a nutrition
// or coaching product, owned ("yes"), with an end day before `nowMs`.
// An entry without a usable id or end day (missing or unreadable values
// read as 0) is never renewed: it would be charged on the strength of a
// missing value.
bool needsRenewal(const QString& type, const QString& status, int id, qint64 endDay, qint64 nowMs);

// The endDay of a renewed subscription: 30 days after `nowMs`.
qint64 renewedEndDay(qint64 nowMs);

} // namespace LibraryRules
