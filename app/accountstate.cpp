#include "app/accountstate.h"

#include "app/jsonreply.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QStandardPaths>

namespace AccountState {

void reset()
{
    currentEmail.clear();
    currentPassword.clear();
    currentUserId.clear();
    currentUserName.clear();
    currentCheckDay.clear();
    backgroundTable.clear();
    totalCalories = 0;
    remainCalories = 0;
}

QString defaultDataDir()
{
    const QString fromEnvironment = qEnvironmentVariable("OLVA_DATA_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(fromEnvironment);
#ifdef Q_OS_WIN
    return QStringLiteral("C:/ProgramData/.Olva");
#else
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return base + QStringLiteral("/.Olva");
#endif
}

bool isSmallScreenSize(int width, int height)
{
    return width <= 1919 || height <= 1079;
}

void recordScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
    isSmallScreen = isSmallScreenSize(width, height);
}

void fillBackgrounds(const QJsonArray& backgrounds)
{
    for (const QJsonValue& value : backgrounds) {
        const QJsonObject element = value.toObject();
        // A later element with the same key replaces an earlier one.
        const int key = JsonReply::integer(element, QStringLiteral("platform"));
        backgroundTable.insert(key, BackgroundEntry{JsonReply::text(element, QStringLiteral("url")),
                                                    QString(), false});
    }
}

} // namespace AccountState
