#include "testenvironment.h"

#include "app/accountstate.h"
#include "store/paymentkeeper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace TestEnvironment {

namespace {

QTemporaryDir& temporaryRoot()
{
    static QTemporaryDir dir;
    return dir;
}

void clickWhenModalAppears(const QString& buttonName, QElapsedTimer started, int timeoutMs)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal) {
        if (auto* button = modal->findChild<QAbstractButton*>(buttonName)) {
            button->click();
            return;
        }
    }
    if (started.elapsed() > timeoutMs)
        return;
    QTimer::singleShot(20, qApp, [buttonName, started, timeoutMs] {
        clickWhenModalAppears(buttonName, started, timeoutMs);
    });
}

} // namespace

QString root()
{
    return temporaryRoot().path();
}

void isolate()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString base = root();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(base + QStringLiteral("/data")));
    qputenv("OLVA_DATA_DIR", QFile::encodeName(base + QStringLiteral("/olva-data")));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, base + QStringLiteral("/config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, base + QStringLiteral("/config"));
    dataDir = AccountState::defaultDataDir();
    QDir().mkpath(dataDir);
    resetAccount();
}

void resetAccount()
{
    AccountState::reset();
    // Payments kept for carts live in memory for the whole run.
    PaymentKeeper::instance().clear();
    // Clear through QSettings rather than deleting files, so that its cache
    // of open stores forgets the values too.
    const QString organisation = QStringLiteral("OlvaApp");
    const QFileInfoList stores = QDir(root() + QStringLiteral("/config/OlvaApp"))
                                     .entryInfoList({QStringLiteral("*.conf")}, QDir::Files);
    for (const QFileInfo& store : stores) {
        QSettings settings(organisation, store.completeBaseName());
        settings.clear();
        settings.sync();
    }
    QSettings organisationStore(organisation, QString());
    organisationStore.clear();
    organisationStore.sync();
}

QMap<QString, QVariant> localState()
{
    QMap<QString, QVariant> state;
    const QString organisation = QStringLiteral("OlvaApp");
    const QFileInfoList stores = QDir(root() + QStringLiteral("/config/OlvaApp"))
                                     .entryInfoList({QStringLiteral("*.conf")}, QDir::Files);
    // A store written for the first time may not be on disk yet.
    QSet<QString> names{QStringLiteral("Kestro"), currentEmail};
    for (const QFileInfo& store : stores)
        names.insert(store.completeBaseName());
    for (const QString& name : std::as_const(names)) {
        if (name.isEmpty())
            continue;
        QSettings settings(organisation, name);
        for (const QString& key : settings.allKeys())
            state.insert(name + QLatin1Char('/') + key, settings.value(key));
    }
    state.insert(QStringLiteral("account/totalCalories"), totalCalories);
    state.insert(QStringLiteral("account/remainCalories"), remainCalories);
    return state;
}

void answerNextModal(const QString& buttonName, int timeoutMs)
{
    QElapsedTimer started;
    started.start();
    QTimer::singleShot(0, qApp, [buttonName, started, timeoutMs] {
        clickWhenModalAppears(buttonName, started, timeoutMs);
    });
}

void closeModals()
{
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QApplication::processEvents();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
}

} // namespace TestEnvironment
