#include "app/accountstate.h"
#include "app/secretstore.h"
#include "app/settingsstore.h"
#include "app/utils.h"
#include "testenvironment.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QtTest>

#include <memory>

namespace {

// Whether any file under the test's settings and data folders holds `text`.
bool anyFileContains(const QByteArray& text)
{
    QDirIterator files(TestEnvironment::root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(text))
            return true;
    }
    return false;
}

// A secret store held in memory, or one that never answers.
struct MemoryStore
{
    QHash<QString, QString> secrets;
    bool silent = false;

    SecretStore::Backend backend()
    {
        SecretStore::Backend result;
        result.read = [this](const QString& key, std::function<void(bool, const QString&)> answer) {
            if (!silent)
                answer(secrets.contains(key), secrets.value(key));
        };
        result.write = [this](const QString& key, const QString& secret) { secrets.insert(key, secret); };
        result.remove = [this](const QString& key) { secrets.remove(key); };
        return result;
    }
};

} // namespace

class TestSecretStore final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestEnvironment::isolate();
        SecretStore::setTimeoutMs(300);
    }
    void init() { TestEnvironment::resetAccount(); }
    void cleanup() { SecretStore::resetBackend(); }

    void platformStoreWithoutServiceStoresNothing()
    {
        // No secret service runs here: nothing is kept, nothing is written
        // to a file, and the read comes back empty without waiting long.
        currentEmail = QStringLiteral("eve@example.com");
        currentPassword = QStringLiteral("platform-secret-1");
        Utils::instance()->savePassword();
        QElapsedTimer clock;
        clock.start();
        QString answer = QStringLiteral("<none>");
        QObject context;
        Utils::instance()->loadPassword(&context, [&](const QString& password) { answer = password; });
        QTRY_VERIFY(answer != QLatin1String("<none>"));
        QVERIFY(answer.isEmpty() || answer == QLatin1String("platform-secret-1"));
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY(!anyFileContains("platform-secret-1"));
    }

    void roundTripThroughTheStore()
    {
        MemoryStore store;
        SecretStore::setBackend(store.backend());
        currentEmail = QStringLiteral("ann@example.com");
        currentPassword = QStringLiteral("memory-secret-2");
        Utils::instance()->savePassword();
        QCOMPARE(store.secrets.value(QStringLiteral("ann@example.com")), QStringLiteral("memory-secret-2"));
        QVERIFY(!anyFileContains("memory-secret-2"));

        currentPassword.clear();
        QString answer = QStringLiteral("<none>");
        QObject context;
        Utils::instance()->loadPassword(&context, [&](const QString& password) { answer = password; });
        // Answered later, never from inside the call.
        QCOMPARE(answer, QStringLiteral("<none>"));
        QTRY_COMPARE(answer, QStringLiteral("memory-secret-2"));
        QCOMPARE(currentPassword, QStringLiteral("memory-secret-2"));
    }

    void plainTextFromEarlierVersionMoves()
    {
        MemoryStore store;
        SecretStore::setBackend(store.backend());
        currentEmail = QStringLiteral("old@example.com");
        SettingsStore::setMemberText(QStringLiteral("password"), QStringLiteral("legacy-secret-3"));
        QString answer;
        QObject context;
        Utils::instance()->loadPassword(&context, [&](const QString& password) { answer = password; });
        QTRY_COMPARE(answer, QStringLiteral("legacy-secret-3"));
        QVERIFY(!SettingsStore::memberContains(QStringLiteral("password")));
        QCOMPARE(store.secrets.value(QStringLiteral("old@example.com")), QStringLiteral("legacy-secret-3"));
        QVERIFY(!anyFileContains("legacy-secret-3"));
    }

    void silentStoreTimesOut()
    {
        MemoryStore store;
        store.silent = true;
        SecretStore::setBackend(store.backend());
        QString answer = QStringLiteral("<none>");
        QObject context;
        SecretStore::readPassword(QStringLiteral("kim@example.com"), &context,
                                  [&](const QString& password) { answer = password; });
        QTRY_COMPARE_WITH_TIMEOUT(answer, QString(), 3000);
    }

    void noAnswerAfterContextIsGone()
    {
        MemoryStore store;
        store.secrets.insert(QStringLiteral("kim@example.com"), QStringLiteral("x"));
        SecretStore::setBackend(store.backend());
        int calls = 0;
        auto context = std::make_unique<QObject>();
        SecretStore::readPassword(QStringLiteral("kim@example.com"), context.get(), [&](const QString&) { ++calls; });
        context.reset();
        QTest::qWait(400); // past the timeout as well
        QCOMPARE(calls, 0);
    }

    void otherMembersPasswordIsNotTaken()
    {
        MemoryStore store;
        store.secrets.insert(QStringLiteral("a@example.com"), QStringLiteral("a-secret"));
        SecretStore::setBackend(store.backend());
        currentEmail = QStringLiteral("a@example.com");
        bool done = false;
        QObject context;
        Utils::instance()->loadPassword(&context, [&](const QString&) { done = true; });
        // Someone else signs in before the store answers.
        currentEmail = QStringLiteral("b@example.com");
        currentPassword = QStringLiteral("b-typed");
        QTRY_VERIFY(done);
        QCOMPARE(currentPassword, QStringLiteral("b-typed"));
    }
};

QTEST_MAIN(TestSecretStore)
#include "tst_secretstore.moc"
