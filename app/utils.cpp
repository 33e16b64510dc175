#include "app/utils.h"

#include "app/accountstate.h"
#include "app/devicetoken.h"
#include "app/pictureloader.h"
#include "app/screenbackground.h"
#include "app/secretstore.h"
#include "app/settingsstore.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

const QString passwordKey = QStringLiteral("password");
const QString userIdKey = QStringLiteral("id");
const QString totalCaloriesKey = QStringLiteral("totalcalories");
const QString remainCaloriesKey = QStringLiteral("remaincalories");

const QString defaultBackground = QStringLiteral(":/main/assets/background.png");

} // namespace

Utils* Utils::instance()
{
    static Utils* const utils = new Utils; // lives until the process ends
    return utils;
}

void Utils::saveEmail()
{
    SettingsStore::setRememberedEmail(currentEmail);
}

QString Utils::loadEmail()
{
    currentEmail = SettingsStore::rememberedEmail();
    return currentEmail;
}

void Utils::savePassword()
{
    SecretStore::writePassword(currentEmail, currentPassword);
    // Earlier versions kept it here in plain text.
    SettingsStore::removeMemberKey(passwordKey);
}

void Utils::loadPassword(QObject* context, std::function<void(const QString&)> done)
{
    const QString email = currentEmail;
    auto deliver = [email, done](const QString& password) {
        if (currentEmail == email)
            currentPassword = password;
        if (done)
            done(password);
    };
    // A password left in plain text by an earlier version moves to the
    // secret store (or is dropped where there is none) on first use.
    if (SettingsStore::memberContains(passwordKey)) {
        const QString legacy = SettingsStore::memberText(passwordKey);
        SettingsStore::removeMemberKey(passwordKey);
        SecretStore::writePassword(email, legacy);
        QTimer::singleShot(0, context ? context : this, [deliver, legacy] { deliver(legacy); });
        return;
    }
    SecretStore::readPassword(email, context ? context : this, deliver);
}

void Utils::saveUserId()
{
    SettingsStore::setMemberText(userIdKey, currentUserId);
}

QString Utils::loadUserId()
{
    currentUserId = SettingsStore::memberText(userIdKey);
    return currentUserId;
}

void Utils::setMemberValue(const QString& key, const QString& value)
{
    SettingsStore::setMemberText(key, value);
}

QString Utils::memberValue(const QString& key)
{
    return SettingsStore::memberText(key);
}

void Utils::saveTotalCalories()
{
    SettingsStore::setMemberInt(totalCaloriesKey, totalCalories);
}

int Utils::loadTotalCalories()
{
    totalCalories = SettingsStore::memberInt(totalCaloriesKey);
    return totalCalories;
}

void Utils::saveRemainCalories()
{
    SettingsStore::setMemberInt(remainCaloriesKey, remainCalories);
}

int Utils::loadRemainCalories()
{
    remainCalories = SettingsStore::memberInt(remainCaloriesKey);
    return remainCalories;
}

QString Utils::deviceToken()
{
    return DeviceToken::compute();
}

void Utils::showMessage(QtMaterialSnackbar* bar, const QString& text)
{
    if (bar)
        bar->addMessage(text);
}

QString Utils::backgroundFilePath(int key)
{
    return PictureLoader::cacheFolder() + QLatin1Char('/') + QString::number(key)
           + QStringLiteral("background.png");
}

void Utils::setBackground(QWidget* widget, int key)
{
    const auto entry = backgroundTable.constFind(key);
    if (!widget || entry == backgroundTable.constEnd())
        return;

    // A saved picture that has gone from the cache folder is fetched again.
    if (entry->stored && QFileInfo::exists(entry->localPath)) {
        ScreenBackground::set(widget, QPixmap(entry->localPath), entry->localPath);
        return;
    }
    if (entry->url.isEmpty()) {
        ScreenBackground::set(widget, QPixmap(defaultBackground), defaultBackground);
        return;
    }

    // The window may close before the picture arrives: the picture is saved
    // for the next window all the same, and shown only on a widget that exists.
    QPointer<QWidget> target(widget);
    const QString url = entry->url;
    PictureLoader::instance()->load(url, this, [target, key, url](const QImage& picture) {
        const QString path = backgroundFilePath(key);
        const bool saved = QDir().mkpath(QFileInfo(path).absolutePath()) && picture.save(path, "PNG");
        auto stored = backgroundTable.find(key);
        if (saved && stored != backgroundTable.end()) {
            stored->localPath = path;
            stored->stored = true;
        }
        if (target)
            ScreenBackground::set(target, QPixmap::fromImage(picture), saved ? path : url);
    });
}
