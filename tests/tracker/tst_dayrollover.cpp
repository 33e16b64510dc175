#include "exercise/exercisestore.h"
#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/dayrollover.h"
#include "tracker/daystore.h"
#include "tracker/dayuploadqueue.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "testenvironment.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

// Starting a new day: when the stored day closes, what the archive and the
// upload queue get, and that no day is lost or counted twice.
class TestDayRollover : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void closing_data();
    void closing();
    void aNewDayWhileRunningStartsOnce();
    void aDroppedBatchLeavesTheDayToCloseOnce();
    void archiveKeepsTheNewestDays();
    void olderArchivedDaysLoseTheirEmptyKeys();
    void aDayClosedEarlyByAClockAheadStaysOneDay();
    void midnightWhereTheClockJumps_data();
    void midnightWhereTheClockJumps();

private:
    // Breakfast 300 (category 5) and lunch 450 of a 1500 target, on `date`.
    static void trackDay(const QDate& date);
};

namespace {

const QDate monday(2026, 3, 2);

QString text(const QString& key)
{
    return SettingsStore::memberText(key);
}

} // namespace

void TestDayRollover::initTestCase()
{
    TestEnvironment::isolate();
}

void TestDayRollover::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("days@example.com");
}

void TestDayRollover::cleanup()
{
    DayClock::setTodayForTesting({});
}

void TestDayRollover::trackDay(const QDate& date)
{
    const SettingsStore::Batch batch;
    DayStore::setDailyTarget(1500);
    SettingsStore::setMemberText(DayKeys::mealRecord(0, 5), QStringLiteral("31:150:1@40:150:1"));
    SettingsStore::setMemberText(DayKeys::categoryDetails(0, 5), QStringLiteral("20_5_10_2"));
    SettingsStore::setMemberText(DayKeys::mealRecord(2, 11), QStringLiteral("7:450:2"));
    SettingsStore::setMemberText(DayKeys::mealCalories(0), QStringLiteral("300"));
    SettingsStore::setMemberText(DayKeys::mealCalories(2), QStringLiteral("450"));
    SettingsStore::setMemberText(DayKeys::mealDetails(0), QStringLiteral("20_5_10_2"));
    SettingsStore::setMemberInt(DayKeys::remainCalories(), 750);
    // What a category saved with nothing chosen and then removed leaves.
    SettingsStore::setMemberText(DayKeys::mealRecord(4, 7), QString());
    SettingsStore::setMemberText(DayKeys::categoryDetails(4, 7), QStringLiteral("0_0_0_0"));
    SettingsStore::setMemberText(DayKeys::mealCalories(4), QStringLiteral("0"));
    SettingsStore::setMemberText(DayKeys::mealDetails(4), QStringLiteral("0_0_0_0"));
    if (date.isValid())
        SettingsStore::setMemberText(DayRollover::dateKey(), date.toString(Qt::ISODate));
}

void TestDayRollover::closing_data()
{
    QTest::addColumn<QDate>("stored"); // invalid: a store from before days had dates
    QTest::addColumn<bool>("food");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("archived");
    QTest::addColumn<bool>("datedToday");
    QTest::addColumn<bool>("exercise"); // 30 minutes of walking logged for the stored day

    QTest::newRow("no date yet: takes today")
        << QDate() << true << monday << false << false << true << false;
    QTest::newRow("no date, no food: waits for the first")
        << QDate() << false << monday << false << false << false << false;
    QTest::newRow("same day") << monday << true << monday << false << false << false << false;
    QTest::newRow("next day") << monday << true << monday.addDays(1) << true << true << true << false;
    QTest::newRow("a week later: one day")
        << monday << true << monday.addDays(7) << true << true << true << false;
    // The clock ran ahead when the day was dated: the meals are today's.
    QTest::newRow("clock put back a day: the meals stay, dated today")
        << monday << true << monday.addDays(-1) << false << false << true << false;
    QTest::newRow("a year back: the meals stay, dated today")
        << monday << true << monday.addYears(-1) << false << false << true << false;
    QTest::newRow("empty day: not archived")
        << monday << false << monday.addDays(1) << true << false << true << false;
    QTest::newRow("no date, exercise alone: takes today")
        << QDate() << false << monday << false << false << true << true;
    QTest::newRow("next day, food and exercise")
        << monday << true << monday.addDays(1) << true << true << true << true;
    QTest::newRow("next day, exercise alone: archived")
        << monday << false << monday.addDays(1) << true << true << true << true;
}

void TestDayRollover::closing()
{
    QFETCH(QDate, stored);
    QFETCH(bool, food);
    QFETCH(QDate, today);
    QFETCH(bool, closes);
    QFETCH(bool, archived);
    QFETCH(bool, datedToday);
    QFETCH(bool, exercise);

    const ExerciseEntry walk{QStringLiteral("17200"), QStringLiteral("Walking, brisk"), 30, 172};
    if (exercise) {
        DayClock::setTodayForTesting(stored.isValid() ? stored : today);
        QVERIFY(ExerciseStore::add(stored.isValid() ? stored : today, walk));
        DayClock::setTodayForTesting({});
    }
    if (food)
        trackDay(stored);
    else if (stored.isValid())
        SettingsStore::setMemberText(DayRollover::dateKey(), stored.toString(Qt::ISODate));
    DayStore::setDailyTarget(1500);
    const int remainingBefore = DayStore::remainingCalories();

    QCOMPARE(DayRollover::closeStoredDay(today), closes);
    QCOMPARE(DayRollover::storedDate(), datedToday ? today : stored);
    QCOMPARE(DayArchive::dates(), archived ? QList<QDate>{stored} : QList<QDate>{});
    QCOMPARE(DayUploadQueue::dates(), archived ? QList<QDate>{stored} : QList<QDate>{});
    QCOMPARE(DayStore::dailyTarget(), 1500);
    if (!closes) {
        // The day goes on untouched.
        QCOMPARE(DayStore::mealCaloriesSum(), food ? 750 : 0);
        QCOMPARE(DayStore::remainingCalories(), remainingBefore);
        return;
    }
    // Today reads as an empty day to every reader.
    QCOMPARE(DayStore::entries(0, 5).size(), 0);
    QCOMPARE(text(DayKeys::categoryDetails(0, 5)), QString());
    for (int meal = 0; meal < 6; ++meal) {
        QCOMPARE(DayStore::mealCalories(meal), 0);
        QCOMPARE(DayStore::mealNutrients(meal), Nutrients{});
    }
    QCOMPARE(DayStore::remainingCalories(), 1500);
    QCOMPARE(remainCalories, 1500);
    // The closed day's keys are gone, not left behind emptied.
    const QStringList left = SettingsStore::memberKeys();
    for (const char* prefix : {"meal_", "details_", "Cal_", "totaldetails_"})
        QVERIFY2(!left.join(' ').contains(QLatin1String(prefix)), prefix);
    if (archived && exercise) {
        // Kept as logged, with the share that counted; still shown for its date.
        const ArchivedDay day = *DayArchive::day(stored);
        QCOMPARE(day.exercise, QList<ExerciseEntry>{walk});
        QCOMPARE(day.exerciseCounted(), 86);
        QCOMPARE(ExerciseStore::entries(stored), QList<ExerciseEntry>{walk});
        QCOMPARE(ExerciseStore::burned(today), 0);
    }
    if (archived && food) {
        // The archive keeps what holds something: two records, their
        // details, two meal totals and one meal's nutrients.
        QCOMPARE(DayArchive::day(stored)->values.size(), 6);
        const ArchivedDay day = *DayArchive::day(stored);
        QCOMPARE(day.target, 1500);
        QCOMPARE(day.remaining, 750);
        QCOMPARE(day.categories(0), QList<qint32>{5});
        QCOMPARE(day.entries(0, 5).size(), 2);
        QCOMPARE(day.mealCalories(2), 450);
        QCOMPARE(day.categoryNutrients(0, 5).carbs, 20.0f);
    }
}

void TestDayRollover::aNewDayWhileRunningStartsOnce()
{
    DayClock::setTodayForTesting(monday);
    trackDay(monday);
    DayRollover rollover;
    QCOMPARE(DayRollover::instance(), &rollover);
    QSignalSpy started(&rollover, &DayRollover::dayStarted);
    QVERIFY(!rollover.checkNow());

    DayClock::setTodayForTesting(monday.addDays(1));
    QVERIFY(rollover.checkNow());
    QVERIFY(!rollover.checkNow()); // the timer and an activation both check
    QCOMPARE(started.size(), 1);
    QCOMPARE(started.at(0).at(0).toDate(), monday.addDays(1));
    QCOMPARE(DayArchive::dates().size(), 1);
}

void TestDayRollover::aDroppedBatchLeavesTheDayToCloseOnce()
{
    trackDay(monday);
    // The program dies before the batch reaches the disk.
    SettingsStore::Batch::dropNextForTesting();
    DayRollover::closeStoredDay(monday.addDays(1));
    QCOMPARE(DayRollover::storedDate(), monday);
    QCOMPARE(DayStore::mealCaloriesSum(), 750);
    QCOMPARE(DayArchive::dates().size(), 0);
    QCOMPARE(DayUploadQueue::dates().size(), 0);

    // The next start closes it, once.
    QVERIFY(DayRollover::closeStoredDay(monday.addDays(1)));
    QVERIFY(!DayRollover::closeStoredDay(monday.addDays(1)));
    QCOMPARE(DayArchive::dates(), QList<QDate>{monday});
    QCOMPARE(DayUploadQueue::dates(), QList<QDate>{monday});
    QCOMPARE(DayArchive::day(monday)->mealCalories(0), 300);
}

void TestDayRollover::archiveKeepsTheNewestDays()
{
    trackDay(monday);
    for (int i = 0; i < DayArchive::keptDays + 10; ++i) {
        QVERIFY(ExerciseStore::add(monday.addDays(i), {QStringLiteral("17200"), QStringLiteral("Walking"), 30, 172}));
        QVERIFY(DayRollover::closeStoredDay(monday.addDays(i + 1)) && (trackDay({}), true));
    }
    const QList<QDate> dates = DayArchive::dates();
    QCOMPARE(dates.size(), DayArchive::keptDays);
    QCOMPARE(dates.first(), monday.addDays(10));
    QVERIFY(!DayArchive::day(monday.addDays(9)));
    QVERIFY(!SettingsStore::memberContains(DayArchive::dayKey(monday)));
    QCOMPARE(DayArchive::latest(2).first().date, dates.last());
    // The exercise of the days let go goes with them.
    QCOMPARE(ExerciseStore::dates().first(), dates.first());
    QCOMPARE(DayArchive::day(dates.first())->exerciseBurned(), 172);
}

void TestDayRollover::olderArchivedDaysLoseTheirEmptyKeys()
{
    // As an older version archived a day: every key, emptied ones too.
    const QDate older = monday.addDays(-3);
    SettingsStore::setMemberText(
        DayArchive::dayKey(older),
        QStringLiteral(R"({"date":"%1","target":1500,"remaining":1350,"values":{)"
                       R"("meal_0_5":"31:150:1","details_0_5":"20_5_10_2","Cal_0":"150",)"
                       R"("meal_1_8":"","details_1_8":"0_0_0_0","Cal_1":"0","totaldetails_1":"0_0_0_0"}})")
            .arg(older.toString(Qt::ISODate)));
    DayClock::storeDates(DayArchive::datesKey(), {older});
    trackDay(monday);
    QVERIFY(DayRollover::closeStoredDay(monday.addDays(1)));
    const std::optional<ArchivedDay> day = DayArchive::day(older);
    QVERIFY(day);
    QCOMPARE(day->values.keys().size(), 3);
    QCOMPARE(day->entries(0, 5).size(), 1);
    QCOMPARE(DayArchive::dates(), (QList<QDate>{older, monday}));
}

void TestDayRollover::aDayClosedEarlyByAClockAheadStaysOneDay()
{
    trackDay(monday);
    QVERIFY(DayRollover::closeStoredDay(monday.addDays(1))); // the clock a day ahead
    DayUploadQueue::remove(monday);                          // and the day sent
    QVERIFY(!DayRollover::closeStoredDay(monday));           // the clock put right
    DayStore::saveCategory(0, 5, {MealEntry::make(31, 100, 1)}, {}, {31}, {5});
    QVERIFY(DayRollover::closeStoredDay(monday.addDays(1)));
    const ArchivedDay day = *DayArchive::day(monday);
    QCOMPARE(DayArchive::dates(), QList<QDate>{monday});
    QCOMPARE(DayUploadQueue::dates(), QList<QDate>{monday}); // to be sent whole
    QCOMPARE(day.entries(0, 5).size(), 3);
    QCOMPARE(day.mealCalories(0), 400);
    QCOMPARE(day.mealCalories(2), 450);
    QCOMPARE(day.remaining, 1500 - 850);
}

void TestDayRollover::midnightWhereTheClockJumps_data()
{
    QTest::addColumn<QByteArray>("zone");
    // Clocks that jump at midnight, forwards and back.
    QTest::newRow("Santiago") << QByteArray("America/Santiago");
    QTest::newRow("Havana") << QByteArray("America/Havana");
    QTest::newRow("Beirut") << QByteArray("Asia/Beirut");
    QTest::newRow("Auckland (jumps at 2:00)") << QByteArray("Pacific/Auckland");
}

void TestDayRollover::midnightWhereTheClockJumps()
{
    QFETCH(QByteArray, zone);
    const QTimeZone timeZone(zone);
    QVERIFY(timeZone.isValid());
    const QDateTime yearStart(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc());
    const QTimeZone::OffsetDataList changes =
        timeZone.transitions(yearStart, yearStart.addYears(1));
    QVERIFY(!changes.isEmpty());
    for (const QTimeZone::OffsetData& change : changes) {
        // The timer as it runs from noon before the change for two days:
        // once at each new date, never sooner than a minute.
        QDateTime now = change.atUtc.addSecs(-12 * 3600);
        QDate shown = now.toTimeZone(timeZone).date();
        for (int fired = 0; fired < 2; ++fired) {
            const qint64 wait = DayRollover::msUntilMidnight(now, timeZone);
            QVERIFY2(wait >= 60 * 1000, qPrintable(now.toString(Qt::ISODate)));
            now = now.addMSecs(wait);
            const QDateTime local = now.toTimeZone(timeZone);
            QCOMPARE(local.date(), shown.addDays(1));
            QVERIFY2(local.time() < QTime(1, 0, 2), qPrintable(local.toString(Qt::ISODate)));
            shown = local.date();
        }
    }
}

QTEST_GUILESS_MAIN(TestDayRollover)
#include "tst_dayrollover.moc"
