#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "exercise/activitycatalogue.h"
#include "exercise/activitysearch.h"
#include "exercise/exercisecalories.h"
#include "exercise/exercisestore.h"
#include "exercise/workoutoffer.h"
#include "store/productitem.h"
#include "testenvironment.h"

#include <QJsonDocument>

#include <QTest>

Q_DECLARE_METATYPE(ExerciseCalories::Share)

using Share = ExerciseCalories::Share;

class TestExercise final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void burnedAndCounted_data();
    void burnedAndCounted();
    void storeChangesSurviveReload_data();
    void storeChangesSurviveReload();
    void catalogueAndSearch();
    void workoutOffer_data();
    void workoutOffer();
    void workoutOfferedOncePerPlaying();
};

void TestExercise::initTestCase()
{
    TestEnvironment::isolate();
}

void TestExercise::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("moves@olva.test");
}

void TestExercise::burnedAndCounted_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("ownKcalPerHour");
    QTest::addColumn<double>("kg");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QString>("storedShare");
    QTest::addColumn<int>("burned");
    QTest::addColumn<int>("counted");

    QTest::newRow("brisk walk 30 min at 80 kg, half by default")
        << "17200" << 0.0 << 80.0 << 30 << "" << 172 << 86;
    QTest::newRow("brisk walk, all counts") << "17200" << 0.0 << 80.0 << 30 << "all" << 172 << 172;
    QTest::newRow("brisk walk, none counts") << "17200" << 0.0 << 80.0 << 30 << "none" << 172 << 0;
    QTest::newRow("odd total halves down") << "17200" << 0.0 << 61.0 << 45 << "half" << 197 << 98;
    QTest::newRow("unknown share reads as half") << "12060" << 0.0 << 70.0 << 60 << "most" << 686 << 343;
    QTest::newRow("own activity ignores the weight") << "own:Dog agility" << 300.0 << 120.0 << 20
                                                     << "all" << 100 << 100;
    QTest::newRow("no minutes burn nothing") << "17200" << 0.0 << 80.0 << 0 << "all" << 0 << 0;
    QTest::newRow("no weight burns nothing") << "17200" << 0.0 << 0.0 << 30 << "all" << 0 << 0;
}

void TestExercise::burnedAndCounted()
{
    QFETCH(QString, code);
    QFETCH(double, ownKcalPerHour);
    QFETCH(double, kg);
    QFETCH(int, minutes);
    QFETCH(QString, storedShare);
    QFETCH(int, burned);
    QFETCH(int, counted);

    Activity activity{code, code, 0, ownKcalPerHour};
    if (!activity.isOwn()) {
        const Activity* known = ActivityCatalogue::builtIn().find(code);
        QVERIFY2(known, qPrintable(code));
        activity = *known;
    }
    QCOMPARE(ExerciseCalories::burned(activity, kg, minutes), burned);

    if (!storedShare.isEmpty())
        SettingsStore::setMemberText(ExerciseKeys::share(), storedShare);
    const QDate day(2026, 12, 8);
    if (burned > 0)
        QVERIFY(ExerciseStore::add(day, {activity.code, activity.name, minutes, burned}));
    QCOMPARE(ExerciseStore::counted(day), counted);
}

void TestExercise::storeChangesSurviveReload_data()
{
    QTest::addColumn<QString>("change"); // add, edit, delete, edit-out-of-range, bad-json
    QTest::addColumn<QList<int>>("minutesAfter");
    QTest::addColumn<int>("burnedAfter");

    QTest::newRow("add") << "add" << QList<int>{30, 45, 10} << 172 + 200 + 50;
    QTest::newRow("edit the second") << "edit" << QList<int>{30, 60} << 172 + 300;
    QTest::newRow("delete the first") << "delete" << QList<int>{45} << 200;
    QTest::newRow("edit out of range changes nothing") << "edit-out" << QList<int>{30, 45} << 372;
    QTest::newRow("unreadable day reads empty and is kept") << "bad-json" << QList<int>{} << 0;
}

void TestExercise::storeChangesSurviveReload()
{
    QFETCH(QString, change);
    QFETCH(QList<int>, minutesAfter);
    QFETCH(int, burnedAfter);

    const QDate day(2026, 12, 8);
    const QDate other = day.addDays(-1);
    QVERIFY(ExerciseStore::add(day, {"17200", "Walking, brisk pace (3.5 mph)", 30, 172}));
    QVERIFY(ExerciseStore::add(day, {"02054", "Weight lifting", 45, 200}));
    QVERIFY(ExerciseStore::add(other, {"02150", "Yoga, hatha", 60, 150}));

    if (change == QLatin1String("add"))
        QVERIFY(ExerciseStore::add(day, {"own:Dog agility", "Dog agility", 10, 50}));
    else if (change == QLatin1String("edit"))
        QVERIFY(ExerciseStore::edit(day, 1, {"own:Rowing", "Rowing", 60, 300}));
    else if (change == QLatin1String("delete"))
        QVERIFY(ExerciseStore::remove(day, 0));
    else if (change == QLatin1String("edit-out"))
        QVERIFY(!ExerciseStore::edit(day, 2, {"17200", "Walking", 5, 20}));
    else if (change == QLatin1String("bad-json"))
        SettingsStore::setMemberText(ExerciseKeys::day(day), QStringLiteral("{not json"));

    // Another member in between: the store follows currentEmail.
    currentEmail = QStringLiteral("someone.else@olva.test");
    QVERIFY(ExerciseStore::entries(day).isEmpty());
    currentEmail = QStringLiteral("moves@olva.test");

    QList<int> minutes;
    for (const ExerciseEntry& entry : ExerciseStore::entries(day))
        minutes.append(entry.minutes);
    QCOMPARE(minutes, minutesAfter);
    QCOMPARE(ExerciseStore::burned(day), burnedAfter);
    QCOMPARE(ExerciseStore::burned(other), 150); // the other day keeps its own
    if (change == QLatin1String("bad-json"))
        QCOMPARE(SettingsStore::memberText(ExerciseKeys::day(day)), QStringLiteral("{not json"));
    QCOMPARE(ExerciseStore::dates(), (QList<QDate>{other, day}));
}

void TestExercise::catalogueAndSearch()
{
    const ActivityCatalogue& catalogue = ActivityCatalogue::builtIn();
    QVERIFY(catalogue.size() >= 60);
    QCOMPARE(catalogue.find(QStringLiteral("17200"))->met, 4.3);

    QList<Activity> list = catalogue.activities();
    list.append({Activity::ownCode("Vélo d'appartement"), "Vélo d'appartement", 0, 400});
    ActivitySearch search;
    search.rebuild(list, {QStringLiteral("02150"), QStringLiteral("17200")});
    auto names = [&](const QString& query) {
        QStringList found;
        for (int index : search.find(query, 3))
            found.append(list.at(index).name);
        return found;
    };
    // Recent first, then names that begin with the query.
    QCOMPARE(names("walk bri"),
             (QStringList{"Walking, brisk pace (3.5 mph)", "Walking, very brisk pace (4 mph)"}));
    QCOMPARE(names("").mid(0, 2), (QStringList{"Yoga, hatha", "Walking, brisk pace (3.5 mph)"}));
    QCOMPARE(names("VELO"), QStringList{"Vélo d'appartement"});
    QCOMPARE(names("alking"), QStringList{}); // beginnings of words only
    QCOMPARE(names("swim").value(0), QStringLiteral("Swimming, backstroke"));
}

void TestExercise::workoutOffer_data()
{
    QTest::addColumn<QString>("listEntry");
    QTest::addColumn<qint64>("playedMs");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("minutes");

    QTest::newRow("workout with its activity")
        << R"({"type":"WORKOUT","activity_code":"02054","activity_minutes":"25"})" << 5000LL << true << "02054" << 25;
    QTest::newRow("numbers instead of texts")
        << R"({"type":"WORKOUT","activity_code":17200,"activity_minutes":30})" << 0LL << true << "17200" << 30;
    QTest::newRow("code not in the catalogue: the member picks")
        << R"({"type":"WORKOUT","activity_code":"99999","activity_minutes":"20"})" << 0LL << true << "" << 20;
    QTest::newRow("older service: the video's own length")
        << R"({"type":"PROGRAM"})" << 1500000LL << true << "" << 25;
    QTest::newRow("wrong types, length unknown")
        << R"({"type":"WORKOUT","activity_code":[1],"activity_minutes":"abc"})" << 0LL << true << "" << 30;
    QTest::newRow("minutes beyond a day, a short clip")
        << R"({"type":"WORKOUT","activity_minutes":"1441"})" << 20000LL << true << "" << 1;
    QTest::newRow("nutrition video") << R"({"type":"NUTRITION_VIDEO"})" << 0LL << false << "" << 0;
    QTest::newRow("coaching video with an activity")
        << R"({"type":"COACHING_VIDEO","activity_code":"02101","activity_minutes":"10"})" << 0LL << true << "02101" << 10;
}

void TestExercise::workoutOffer()
{
    QFETCH(QString, listEntry);
    QFETCH(qint64, playedMs);
    QFETCH(bool, offered);
    QFETCH(QString, code);
    QFETCH(int, minutes);
    const std::optional<WorkoutOffer> offer =
        WorkoutOffer::forProduct(ProductItem::fromJson(QJsonDocument::fromJson(listEntry.toUtf8()).object()));
    QCOMPARE(offer.has_value(), offered);
    if (!offer)
        return;
    QCOMPARE(offer->activityCode, code);
    QCOMPARE(offer->minutesToOffer(playedMs), minutes);
}

void TestExercise::workoutOfferedOncePerPlaying()
{
    WorkoutProgress progress;
    QVERIFY(!progress.reached(500, 0)); // length not known yet
    QVERIFY(!progress.reached(899, 1000));
    QVERIFY(progress.reached(900, 1000));
    QVERIFY(!progress.reached(990, 1000));
    QVERIFY(!progress.reached(100, 1000)); // seeking back ...
    QVERIFY(!progress.reached(950, 1000)); // ... and past the mark again
    progress.restart();
    progress.markOffered(); // the member pressed the button first
    QVERIFY(!progress.reached(950, 1000));
    progress.restart();
    QVERIFY(progress.reached(1000, 1000));
}

QTEST_GUILESS_MAIN(TestExercise)
#include "tst_exercise.moc"
