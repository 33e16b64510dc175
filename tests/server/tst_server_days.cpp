#include "serverfixture.h"

#include "server/engine/sessions.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

// Finished days sent by the client: stored once per member and date, listed
// by the history, refused when they cannot be a real day.
class TstServerDays final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sendingADayTwiceKeepsOneDay();
    void refusals_data();
    void refusals();
    void needsTheMembersSession();

private:
    QJsonObject upload(const QJsonObject& day)
    {
        return m_fixture.post(
            QStringLiteral("uploadDay"),
            {{QStringLiteral("email"), QStringLiteral("demo@olva.local")},
             {QStringLiteral("day"), QString::fromUtf8(QJsonDocument(day).toJson())}});
    }
    QJsonArray history()
    {
        return m_fixture
            .post(QStringLiteral("getHistory"),
                  {{QStringLiteral("email"), QStringLiteral("demo@olva.local")}})
            .value(QStringLiteral("history_info"))
            .toArray();
    }

    ServerFixture m_fixture;
};

namespace {

int code(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}

QJsonObject food(const QString& name, double calories)
{
    return {
        {QStringLiteral("category"),
         QJsonObject{{QStringLiteral("id"), 9}, {QStringLiteral("name"), QStringLiteral("Dairy")}}},
        {QStringLiteral("name"), name},
        {QStringLiteral("kind"), 1},
        {QStringLiteral("calories"), calories},
        {QStringLiteral("carbs"), 12.5},
        {QStringLiteral("fat"), 3},
        {QStringLiteral("protein"), 8},
        {QStringLiteral("fiber"), 0}};
}

// A day two days back with one breakfast food of `calories`.
QJsonObject day(double calories, const QDate& date = QDate::currentDate().addDays(-2))
{
    QJsonArray meals;
    for (int meal = 0; meal < 6; ++meal) {
        QJsonArray foods;
        if (meal == 0)
            foods.append(food(QStringLiteral("Greek yogurt"), calories));
        meals.append(QJsonObject{{QStringLiteral("calories"), meal == 0 ? calories : 0.0},
                                 {QStringLiteral("foods"), foods}});
    }
    return {{QStringLiteral("date"), date.toString(QStringLiteral("yyyy-MM-dd"))},
            {QStringLiteral("target"), 1800},
            {QStringLiteral("eaten"), calories},
            {QStringLiteral("remaining"), 1800 - calories},
            {QStringLiteral("score"), 20},
            {QStringLiteral("grade"), QStringLiteral("0")},
            {QStringLiteral("meals"), meals}};
}

} // namespace

void TstServerDays::initTestCase()
{
    QVERIFY(m_fixture.start(true));
    QVERIFY(m_fixture.signIn(QStringLiteral("demo@olva.local"), QStringLiteral("olva-demo-2026")));
}

void TstServerDays::sendingADayTwiceKeepsOneDay()
{
    const qsizetype before = history().size();
    QCOMPARE(code(upload(day(300))), 0);
    QJsonObject withExercise = day(350);
    withExercise[QStringLiteral("exercise")] = QJsonArray{
        QJsonObject{{QStringLiteral("name"), QStringLiteral("Walking, brisk")},
                    {QStringLiteral("code"), QStringLiteral("17200")},
                    {QStringLiteral("minutes"), 30},
                    {QStringLiteral("calories"), 172}}};
    const QJsonObject second = upload(withExercise);
    QCOMPARE(code(second), 0);
    // The demo month already holds a day of that date: it is replaced too.
    const QJsonArray after = history();
    QCOMPARE(after.size(), before);
    QJsonObject stored;
    for (const QJsonValue& entry : after) {
        if (entry.toObject().value(QStringLiteral("id")) ==
            second.value(QStringLiteral("history_id")))
            stored = entry.toObject();
    }
    QCOMPARE(stored.value(QStringLiteral("total")).toString(), QStringLiteral("350"));
    QCOMPARE(stored.value(QStringLiteral("breakfast")).toString(), QStringLiteral("350"));
    QCOMPARE(stored.value(QStringLiteral("exercise_calories")).toString(), QStringLiteral("172"));

    const QJsonObject detail = m_fixture.post(
        QStringLiteral("getHistoryDetail"),
        {{QStringLiteral("history_id"), stored.value(QStringLiteral("id")).toString()},
         {QStringLiteral("meal_type"), QStringLiteral("breakfast")}});
    const QJsonArray exercise = detail.value(QStringLiteral("exercise")).toArray();
    QCOMPARE(exercise.size(), 1);
    QCOMPARE(exercise.at(0)[QStringLiteral("name")].toString(), QStringLiteral("Walking, brisk"));
    QCOMPARE(exercise.at(0)[QStringLiteral("minutes")].toString(), QStringLiteral("30"));
    // Sent again without exercise, the day keeps none.
    QCOMPARE(code(upload(day(350))), 0);
    for (const QJsonValue& entry : history()) {
        if (entry[QStringLiteral("date")] == stored.value(QStringLiteral("date")))
            QCOMPARE(entry[QStringLiteral("exercise_calories")].toString(), QStringLiteral("0"));
    }
    const QJsonArray groups = detail.value(QStringLiteral("historydetail_info")).toArray();
    QCOMPARE(groups.size(), 1);
    const QJsonObject group = groups.at(0).toObject();
    QCOMPARE(group.value(QStringLiteral("food_type")).toString(), QStringLiteral("Dairy"));
    const QJsonArray foods = group.value(QStringLiteral("categories")).toArray();
    QCOMPARE(foods.size(), 1);
    QCOMPARE(foods.at(0)[QStringLiteral("title")].toString(), QStringLiteral("Greek yogurt"));
    QCOMPARE(foods.at(0)[QStringLiteral("carbs")].toString(), QStringLiteral("12.5"));
}

void TstServerDays::refusals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    const auto text = [](const QJsonObject& object) {
        return QString::fromUtf8(QJsonDocument(object).toJson());
    };
    QJsonObject future = day(100, QDate::currentDate().addDays(2));
    QJsonObject absurd = day(100001);
    QJsonObject negative = day(100);
    negative[QStringLiteral("eaten")] = -5;
    QJsonObject numberAsText = day(100);
    numberAsText[QStringLiteral("target")] = QStringLiteral("1800");
    QJsonObject badGrade = day(100);
    badGrade[QStringLiteral("grade")] = QStringLiteral("A+");
    QJsonObject fiveMeals = day(100);
    QJsonArray meals = fiveMeals[QStringLiteral("meals")].toArray();
    meals.removeLast();
    fiveMeals[QStringLiteral("meals")] = meals;
    QJsonObject crowded = day(100);
    meals = crowded[QStringLiteral("meals")].toArray();
    QJsonArray many;
    for (int i = 0; i < 501; ++i)
        many.append(food(QStringLiteral("Grape"), 1));
    meals[2] = QJsonObject{{QStringLiteral("calories"), 501}, {QStringLiteral("foods"), many}};
    crowded[QStringLiteral("meals")] = meals;
    QJsonObject noName = day(100);
    meals = noName[QStringLiteral("meals")].toArray();
    meals[0] = QJsonObject{{QStringLiteral("calories"), 100},
                           {QStringLiteral("foods"), QJsonArray{food(QString(), 100)}}};
    noName[QStringLiteral("meals")] = meals;

    // Figures that do not add up.
    QJsonObject eatenOff = day(100);
    eatenOff[QStringLiteral("eaten")] = 101;
    eatenOff[QStringLiteral("remaining")] = 1699;
    QJsonObject remainingOff = day(100);
    remainingOff[QStringLiteral("remaining")] = 1800;
    QJsonObject mealOff = day(100);
    meals = mealOff[QStringLiteral("meals")].toArray();
    meals[0] = QJsonObject{{QStringLiteral("calories"), 100},
                           {QStringLiteral("foods"), QJsonArray{food(QStringLiteral("Kefir"), 99.4)}}};
    mealOff[QStringLiteral("meals")] = meals;
    QJsonObject foodInNoMeal = day(100);
    meals = foodInNoMeal[QStringLiteral("meals")].toArray();
    meals[4] = QJsonObject{{QStringLiteral("calories"), 0},
                           {QStringLiteral("foods"), QJsonArray{food(QStringLiteral("Kefir"), 40)}}};
    foodInNoMeal[QStringLiteral("meals")] = meals;
    const auto withCategory = [](const QJsonValue& id, const QString& name) {
        QJsonObject changed = day(100);
        QJsonArray changedMeals = changed[QStringLiteral("meals")].toArray();
        QJsonObject item = food(QStringLiteral("Kefir"), 100);
        item[QStringLiteral("category")] =
            QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("name"), name}};
        changedMeals[0] = QJsonObject{{QStringLiteral("calories"), 100},
                                      {QStringLiteral("foods"), QJsonArray{item}}};
        changed[QStringLiteral("meals")] = changedMeals;
        return changed;
    };

    QTest::newRow("not JSON") << QStringLiteral("{day") << 2;
    QTest::newRow("five meals") << text(fiveMeals) << 2;
    QTest::newRow("two days ahead") << text(future) << 3;
    QTest::newRow("no date") << text(QJsonObject{{QStringLiteral("target"), 1}}) << 3;
    QTest::newRow("over 100000 calories") << text(absurd) << 4;
    QTest::newRow("negative eaten") << text(negative) << 4;
    QTest::newRow("number as text") << text(numberAsText) << 4;
    QTest::newRow("unknown grade") << text(badGrade) << 4;
    QTest::newRow("food without a name") << text(noName) << 4;
    QTest::newRow("501 foods") << text(crowded) << 5;
    QTest::newRow("eaten is not the sum of the meals") << text(eatenOff) << 4;
    QTest::newRow("remaining is not target minus eaten") << text(remainingOff) << 4;
    QTest::newRow("a meal over half a calorie from its food") << text(mealOff) << 4;
    QTest::newRow("a food in a meal of 0 calories") << text(foodInNoMeal) << 4;
    QTest::newRow("category id 9.5") << text(withCategory(9.5, QStringLiteral("Dairy"))) << 4;
    QTest::newRow("empty category name") << text(withCategory(9, QStringLiteral("  "))) << 4;
    // Half a calorie per food is rounding: the day is stored.
    QJsonObject rounded = day(144);
    meals = rounded[QStringLiteral("meals")].toArray();
    meals[0] = QJsonObject{{QStringLiteral("calories"), 144},
                           {QStringLiteral("foods"), QJsonArray{food(QStringLiteral("Kefir"), 72.5),
                                                                food(QStringLiteral("Kefir"), 72.5)}}};
    rounded[QStringLiteral("meals")] = meals;
    QTest::newRow("half a calorie per food: stored") << text(rounded) << 0;

    // The day's exercise: optional, and checked entry by entry.
    const auto withExercise = [&text](const QJsonValue& exercise) {
        QJsonObject changed = day(100);
        changed[QStringLiteral("exercise")] = exercise;
        return text(changed);
    };
    const auto activity = [](const QJsonValue& name, const QJsonValue& minutes,
                             const QJsonValue& calories) {
        return QJsonObject{{QStringLiteral("name"), name},
                           {QStringLiteral("code"), QStringLiteral("17200")},
                           {QStringLiteral("minutes"), minutes},
                           {QStringLiteral("calories"), calories}};
    };
    QJsonArray fifty;
    for (int i = 0; i < 50; ++i)
        fifty.append(activity(QStringLiteral("Yoga"), 10, 25));
    QJsonArray fiftyOne = fifty;
    fiftyOne.append(activity(QStringLiteral("Yoga"), 10, 25));
    QTest::newRow("exercise: 50 activities stored") << withExercise(fifty) << 0;
    QTest::newRow("exercise: 1440 minutes, 10000 kcal stored")
        << withExercise(QJsonArray{activity(QStringLiteral("Hiking"), 1440, 10000)}) << 0;
    QTest::newRow("exercise: 51 activities") << withExercise(fiftyOne) << 4;
    QTest::newRow("exercise: not a list") << withExercise(QStringLiteral("walking")) << 4;
    QTest::newRow("exercise: no name")
        << withExercise(QJsonArray{activity(QStringLiteral(" "), 30, 172)}) << 4;
    QTest::newRow("exercise: 0 minutes")
        << withExercise(QJsonArray{activity(QStringLiteral("Walking"), 0, 172)}) << 4;
    QTest::newRow("exercise: 1441 minutes")
        << withExercise(QJsonArray{activity(QStringLiteral("Walking"), 1441, 172)}) << 4;
    QTest::newRow("exercise: minutes as text")
        << withExercise(QJsonArray{activity(QStringLiteral("Walking"), QStringLiteral("30"), 172)})
        << 4;
    QTest::newRow("exercise: negative calories")
        << withExercise(QJsonArray{activity(QStringLiteral("Walking"), 30, -1)}) << 4;
    QTest::newRow("exercise: over 10000 calories")
        << withExercise(QJsonArray{activity(QStringLiteral("Walking"), 30, 10001)}) << 4;
}

void TstServerDays::refusals()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    const qsizetype before = history().size();
    const QJsonObject reply = m_fixture.post(
        QStringLiteral("uploadDay"), {{QStringLiteral("email"), QStringLiteral("demo@olva.local")},
                                      {QStringLiteral("day"), text}});
    QCOMPARE(code(reply), expected);
    if (expected == 0)
        return;
    QVERIFY(!reply.value(QStringLiteral("message")).toString().isEmpty());
    QCOMPARE(history().size(), before);
}

void TstServerDays::needsTheMembersSession()
{
    m_fixture.signOut();
    QCOMPARE(code(upload(day(200))), Sessions::refusedCode);
    QVERIFY(m_fixture.signIn(QStringLiteral("demo@olva.local"), QStringLiteral("olva-demo-2026")));
}

QTEST_MAIN(TstServerDays)
#include "tst_server_days.moc"
