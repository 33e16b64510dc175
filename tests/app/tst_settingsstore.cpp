#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "testenvironment.h"
#include "tracker/daystore.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <functional>

namespace {

// The member store's file as it is on disk (not what any open store holds).
// Its path is looked up once: every store of the same file that closes
// writes the changes pending for that file, a batch's too.
QByteArray onDisk()
{
    static QHash<QString, QString> paths;
    if (!paths.contains(currentEmail))
        paths.insert(currentEmail, QSettings(QString::fromLatin1(SettingsStore::organisation), currentEmail).fileName());
    QFile file(paths.value(currentEmail));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettingsStore final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void batchWritesOnceAtTheEnd_data();
    void batchWritesOnceAtTheEnd();
    void nestedBatchWritesAtOutermostEnd();
    void otherMemberIsNotBatched();
    void dayStoreOperationIsOnDiskWhenItReturns_data();
    void dayStoreOperationIsOnDiskWhenItReturns();
};

void TestSettingsStore::initTestCase()
{
    TestEnvironment::isolate();
    for (const QString& email : {QStringLiteral("member@olva.test"), QStringLiteral("other@olva.test")}) {
        currentEmail = email;
        onDisk();
    }
}

void TestSettingsStore::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("member@olva.test");
    SettingsStore::setMemberText(QStringLiteral("kept"), QStringLiteral("before"));
    SettingsStore::setMemberText(QStringLiteral("gone"), QStringLiteral("soon"));
    QVERIFY(onDisk().contains("kept=before"));
}

void TestSettingsStore::batchWritesOnceAtTheEnd_data()
{
    using Check = std::function<bool()>;
    QTest::addColumn<std::function<void()>>("change");
    QTest::addColumn<Check>("readsBack");
    QTest::addColumn<QByteArray>("lineAfter");
    QTest::addColumn<bool>("present");

    QTest::newRow("text") << std::function<void()>([] { SettingsStore::setMemberText("meal_0_1", "12:55:2@7:20:0"); })
                          << Check([] { return SettingsStore::memberText("meal_0_1") == "12:55:2@7:20:0"; })
                          << QByteArray("meal_0_1=12:55:2@7:20:0") << true;
    QTest::newRow("integer") << std::function<void()>([] { SettingsStore::setMemberInt("remaincalories", -250); })
                             << Check([] { return SettingsStore::memberInt("remaincalories") == -250; })
                             << QByteArray("remaincalories=-250") << true;
    QTest::newRow("overwrite") << std::function<void()>([] { SettingsStore::setMemberText("kept", "after"); })
                               << Check([] { return SettingsStore::memberText("kept") == "after"; })
                               << QByteArray("kept=after") << true;
    QTest::newRow("remove") << std::function<void()>([] { SettingsStore::removeMemberKey("gone"); })
                            << Check([] { return !SettingsStore::memberContains("gone"); })
                            << QByteArray("gone=") << false;
}

void TestSettingsStore::batchWritesOnceAtTheEnd()
{
    QFETCH(std::function<void()>, change);
    QFETCH(std::function<bool()>, readsBack);
    QFETCH(QByteArray, lineAfter);
    QFETCH(bool, present);

    const QByteArray before = onDisk();
    {
        const SettingsStore::Batch batch;
        change();
        QVERIFY(readsBack()); // the batch's own reads see its writes
        QCOMPARE(onDisk(), before); // nothing written yet
    }
    QCOMPARE(onDisk().contains(lineAfter), present);
    QVERIFY(readsBack()); // and a store opened afresh reads the same
    // Keys the batch did not touch are still there.
    if (lineAfter != "kept=after")
        QVERIFY(onDisk().contains("kept=before"));
}

void TestSettingsStore::nestedBatchWritesAtOutermostEnd()
{
    const QByteArray before = onDisk();
    {
        const SettingsStore::Batch outer;
        {
            const SettingsStore::Batch inner;
            SettingsStore::setMemberText(QStringLiteral("Cal_0"), QStringLiteral("430"));
        }
        QCOMPARE(onDisk(), before);
        SettingsStore::setMemberText(QStringLiteral("Cal_1"), QStringLiteral("120"));
    }
    QVERIFY(onDisk().contains("Cal_0=430"));
    QVERIFY(onDisk().contains("Cal_1=120"));
}

void TestSettingsStore::otherMemberIsNotBatched()
{
    const QString first = currentEmail;
    const SettingsStore::Batch batch;
    SettingsStore::setMemberText(QStringLiteral("Cal_2"), QStringLiteral("300"));

    // Another member signs in meanwhile: their keys are theirs and written
    // at once, never into the first member's store.
    currentEmail = QStringLiteral("other@olva.test");
    SettingsStore::setMemberText(QStringLiteral("Cal_2"), QStringLiteral("999"));
    QVERIFY(onDisk().contains("Cal_2=999"));
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_2")), QStringLiteral("999"));

    currentEmail = first;
    QCOMPARE(SettingsStore::memberText(QStringLiteral("Cal_2")), QStringLiteral("300"));
}

void TestSettingsStore::dayStoreOperationIsOnDiskWhenItReturns_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QByteArrayList>("lines");
    // The day: target 1800, breakfast category 1 saved with two foods.
    QTest::newRow("save") << 0 << QByteArrayList{"meal_0_1=12:55:2@7:20:0", "Cal_0=75", "remaincalories=1725"};
    QTest::newRow("remove food") << 1 << QByteArrayList{"meal_0_1=7:20:0", "Cal_0=20", "remaincalories=1780"};
    QTest::newRow("remove category") << 2 << QByteArrayList{"Cal_0=0", "remaincalories=1800"};
    QTest::newRow("new target") << 3 << QByteArrayList{"totalcalories=2000", "remaincalories=1925"};
}

void TestSettingsStore::dayStoreOperationIsOnDiskWhenItReturns()
{
    QFETCH(int, operation);
    QFETCH(QByteArrayList, lines);

    DayStore::setDailyTarget(1800);
    const QList<MealEntry> chosen{MealEntry::make(12, 55, 2), MealEntry::make(7, 20, 0)};
    DayStore::saveCategory(0, 1, chosen, Nutrients{}, {12, 7}, {1});
    if (operation == 1)
        DayStore::removeFood(0, 1, 12, 0, Nutrients{}, 55, 75, {1});
    else if (operation == 2)
        DayStore::removeCategory(0, 1, {55, 20}, 75, {1});
    else if (operation == 3)
        DayStore::setDailyTarget(2000);

    // What a program that dies right now would find at the next start.
    const QByteArray file = onDisk();
    for (const QByteArray& line : lines)
        QVERIFY2(file.contains(line), line.constData());
}

QTEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
