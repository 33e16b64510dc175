#include "app/settingsstore.h"

#include "app/accountstate.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <utility>

namespace SettingsStore {

namespace {

QSettings emailStore()
{
    return QSettings(QString::fromLatin1(organisation), QString::fromLatin1(emailStoreApplication));
}

// The store of the open batch; one GUI thread uses it.
struct OpenBatch
{
    int depth = 0;
    QString email; // whose store it is
    std::unique_ptr<QSettings> store;
    bool dropNext = false;
    std::unique_ptr<QTemporaryDir> scratch; // holds the copy a dropped batch writes
};

OpenBatch& openBatch()
{
    static OpenBatch batch;
    return batch;
}

// Runs `use` on the current member's store: the batch's when one is open for
// this member, otherwise a store opened for this one access. Before anyone
// signed in currentEmail is empty, which opens the organisation-level store.
template<typename Use>
auto withMemberStore(Use use)
{
    OpenBatch& batch = openBatch();
    if (batch.store && batch.email == currentEmail)
        return use(*batch.store);
    QSettings store(QString::fromLatin1(organisation), currentEmail);
    return use(store);
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

QString interfaceLanguage()
{
    return emailStore().value(QStringLiteral("language")).toString();
}

void setInterfaceLanguage(const QString& code)
{
    emailStore().setValue(QStringLiteral("language"), code);
}

QString memberText(const QString& key)
{
    return withMemberStore([&key](QSettings& store) {
        return store.contains(key) ? store.value(key).toString() : QString();
    });
}

void setMemberText(const QString& key, const QString& value)
{
    withMemberStore([&](QSettings& store) { store.setValue(key, value); });
}

int memberInt(const QString& key)
{
    return withMemberStore([&key](QSettings& store) {
        bool ok = false;
        const int value = store.value(key).toInt(&ok);
        return ok ? value : 0;
    });
}

void setMemberInt(const QString& key, int value)
{
    withMemberStore([&](QSettings& store) { store.setValue(key, value); });
}

bool memberContains(const QString& key)
{
    return withMemberStore([&key](QSettings& store) { return store.contains(key); });
}

void removeMemberKey(const QString& key)
{
    withMemberStore([&key](QSettings& store) { store.remove(key); });
}

QStringList memberKeys()
{
    return withMemberStore([](QSettings& store) { return store.allKeys(); });
}

Batch::Batch()
{
    OpenBatch& batch = openBatch();
    if (batch.depth++ > 0)
        return;
    batch.email = currentEmail;
    batch.store = std::make_unique<QSettings>(QString::fromLatin1(organisation), currentEmail);
    if (!std::exchange(batch.dropNext, false))
        return;
    batch.scratch = std::make_unique<QTemporaryDir>();
    const QString copy = batch.scratch->filePath(QStringLiteral("store.conf"));
    QFile::copy(batch.store->fileName(), copy);
    batch.store = std::make_unique<QSettings>(copy, QSettings::IniFormat);
}

Batch::~Batch()
{
    OpenBatch& batch = openBatch();
    if (--batch.depth > 0)
        return;
    // Destroying the store writes it, as every store opened per key did.
    batch.store.reset();
    batch.scratch.reset();
}

void Batch::dropNextForTesting()
{
    openBatch().dropNext = true;
}

} // namespace SettingsStore
