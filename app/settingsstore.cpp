#include "app/settingsstore.h"

#include "app/accountstate.h"

#include <QSettings>

namespace SettingsStore {

namespace {

QSettings emailStore()
{
    return QSettings(QString::fromLatin1(organisation), QString::fromLatin1(emailStoreApplication));
}

// Before anyone signed in currentEmail is empty, which opens the
// organisation-level store.
QSettings memberStore()
{
    return QSettings(QString::fromLatin1(organisation), currentEmail);
}

} // namespace

QString rememberedEmail()
{
    return emailStore().value(QStringLiteral("email")).toString();
}

void setRememberedEmail(const QString& email)
{
    emailStore().setValue(QStringLiteral("email"), email);
}

QString memberText(const QString& key)
{
    const QSettings store = memberStore();
    return store.contains(key) ? store.value(key).toString() : QString();
}

void setMemberText(const QString& key, const QString& value)
{
    memberStore().setValue(key, value);
}

int memberInt(const QString& key)
{
    bool ok = false;
    const int value = memberStore().value(key).toInt(&ok);
    return ok ? value : 0;
}

void setMemberInt(const QString& key, int value)
{
    memberStore().setValue(key, value);
}

bool memberContains(const QString& key)
{
    return memberStore().contains(key);
}

void removeMemberKey(const QString& key)
{
    memberStore().remove(key);
}

} // namespace SettingsStore
