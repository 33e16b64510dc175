#pragma once

#include <QHash>
#include <QString>

class QJsonArray;

// Background picture of one screen key, as the service assigns it at sign-in.
struct BackgroundEntry
{
    QString url;       // where the picture is fetched from
    QString localPath; // file of the saved picture
    bool stored = false;
};

// The signed-in member, read directly by every window. Filled at sign-in;
// texts start empty, numbers at 0.
inline QString currentEmail;
inline QString currentPassword;
inline QString currentUserId;
inline QString currentUserName;
inline QString currentCheckDay;
inline QHash<qint32, BackgroundEntry> backgroundTable;
inline qint32 totalCalories = 0;
inline qint32 remainCalories = 0;

// Application-wide values, recorded by start-up.
inline QString dataDir;
inline qint32 screenWidth = 0;
inline qint32 screenHeight = 0;
inline bool isSmallScreen = false;

namespace AccountState {

// Empties the member's values (not the application-wide ones).
void reset();

// "C:/ProgramData/.Olva" on Windows; elsewhere a hidden ".Olva" folder in the
// user's application data location. OLVA_DATA_DIR overrides both.
QString defaultDataDir();

// Records the primary screen's size and works out isSmallScreen from it.
void recordScreenSize(int width, int height);
bool isSmallScreenSize(int width, int height);

// Fills backgroundTable from the `backgrounds` array of a sign-in reply:
// `platform` is the key (0 when it is not a number), entries are unstored.

void fillBackgrounds(const QJsonArray& backgrounds);

} // namespace AccountState
