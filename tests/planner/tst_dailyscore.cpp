#include "planner/dailyscore.h"
#include "planner/samplelists.h"

#include <QtTest>

class TestDailyScore final : public QObject
{
    Q_OBJECT

private slots:
    void scoreAndGrade_data();
    void scoreAndGrade();
    void negativeScoreKeepsGrade();
    void fewMealsGradeZero_data();
    void fewMealsGradeZero();
    void stars_data();
    void stars();
    void tooLarge_data();
    void tooLarge();
    void noTargetComputesNothing();
    void samplesLandUnderTheirMeal();
    void badSampleReplies_data();
    void badSampleReplies();
    void thousandsOfSamples();
};

namespace {

// Four meals eaten, so the grade is the score's.
DailyScore::Day dayOf(qint32 target, qint32 remaining)
{
    DailyScore::Day day;
    day.target = target;
    day.remaining = remaining;
    day.mealCalories = {100, 100, 100, 100, 0, 0};
    return day;
}

} // namespace

void TestDailyScore::scoreAndGrade_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("remaining");
    QTest::addColumn<QString>("scoreText");
    QTest::addColumn<QString>("grade");

    QTest::newRow("on target") << 1500 << 0 << "100" << "A";
    QTest::newRow("nothing eaten") << 1500 << 1500 << "0" << "F";
    // 1377 / 1500 = 0.918 as a float times 100 stays a hair below 91.8.
    QTest::newRow("just below 91.8") << 1500 << 123 << "92" << "C";
    QTest::newRow("1400 of 1500") << 1500 << 100 << "93" << "B";
    QTest::newRow("1600 of 1500 mirrors") << 1500 << -100 << "93" << "B";
    // The float of 95.8 lies just above the double constant: A.
    QTest::newRow("95.8") << 1000 << 42 << "96" << "A";
    QTest::newRow("95.7") << 1000 << 43 << "96" << "B";
    // 958/1000 and 834/1000 land a hair above their constants, 751/1000 a
    // hair below 75.1: the grade follows the float, not the decimal.
    QTest::newRow("83.4 as float is above 83.4") << 1000 << 166 << "83" << "C";
    QTest::newRow("83.3 is D") << 1000 << 167 << "83" << "D";
    QTest::newRow("75.2 is D") << 1000 << 248 << "75" << "D";
    QTest::newRow("75.1 as float is below 75.1") << 1000 << 249 << "75" << "F";
    QTest::newRow("twice the target scores 0") << 1000 << -1000 << "0" << "F";
}

void TestDailyScore::scoreAndGrade()
{
    QFETCH(int, target);
    QFETCH(int, remaining);
    QFETCH(QString, scoreText);
    QFETCH(QString, grade);

    const auto result = DailyScore::evaluate(dayOf(target, remaining));
    QVERIFY(result);
    QCOMPARE(result->scoreText, scoreText);
    QVERIFY(result->grade);
    QCOMPARE(*result->grade, grade);
}

void TestDailyScore::negativeScoreKeepsGrade()
{
    const auto result = DailyScore::evaluate(dayOf(2000, -2500));
    QVERIFY(result);
    QCOMPARE(result->score, -25.0f);
    QCOMPARE(result->scoreText, QStringLiteral("-25"));
    QVERIFY(!result->grade); // the home keeps the grade it showed
}

void TestDailyScore::fewMealsGradeZero_data()
{
    QTest::addColumn<QList<int>>("meals");
    QTest::addColumn<QString>("grade");

    QTest::newRow("three meals") << QList<int>{500, 500, 500, 0, 0, 0} << "0";
    QTest::newRow("three meals, negative values do not count") << QList<int>{500, 500, 500, -5, -5, 0} << "0";
    QTest::newRow("four meals") << QList<int>{375, 375, 375, 375, 0, 0} << "A";
}

void TestDailyScore::fewMealsGradeZero()
{
    QFETCH(QList<int>, meals);
    QFETCH(QString, grade);

    DailyScore::Day day;
    day.target = 1500;
    day.remaining = 0;
    for (int meal = 0; meal < 6; ++meal)
        day.mealCalories[meal] = meals.at(meal);
    const auto result = DailyScore::evaluate(day);
    QVERIFY(result && result->grade);
    QCOMPARE(*result->grade, grade);

    // Even a day far over target grades "0" with three meals.
    day.remaining = -5000;
    QCOMPARE(DailyScore::evaluate(day)->grade.value_or(QString()), grade == "0" ? grade : QString());
}

void TestDailyScore::stars_data()
{
    QTest::addColumn<int>("meal");
    QTest::addColumn<int>("calories");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("shown");

    QTest::newRow("breakfast 22 %") << 0 << 440 << 2000 << true;
    QTest::newRow("breakfast 22.05 %") << 0 << 441 << 2000 << false;
    QTest::newRow("breakfast 18 %") << 0 << 360 << 2000 << true;
    QTest::newRow("breakfast 17.95 %") << 0 << 359 << 2000 << false;
    QTest::newRow("first snack 9 %") << 1 << 180 << 2000 << true;
    QTest::newRow("first snack 11 %") << 1 << 220 << 2000 << true;
    QTest::newRow("first snack 12 %") << 1 << 240 << 2000 << false;
    QTest::newRow("lunch 27 %") << 2 << 405 << 1500 << true;
    QTest::newRow("lunch 33 %") << 2 << 495 << 1500 << true;
    QTest::newRow("lunch 34 %") << 2 << 510 << 1500 << false;
    QTest::newRow("second snack 10 %") << 3 << 150 << 1500 << true;
    QTest::newRow("dinner 20 %") << 4 << 300 << 1500 << true;
    QTest::newRow("dinner 0") << 4 << 0 << 1500 << false;
    QTest::newRow("third snack 9 %") << 5 << 135 << 1500 << true;
    QTest::newRow("unknown meal") << 6 << 150 << 1500 << false;
}

void TestDailyScore::stars()
{
    QFETCH(int, meal);
    QFETCH(int, calories);
    QFETCH(int, target);
    QFETCH(bool, shown);
    QCOMPARE(DailyScore::inRange(meal, calories, target), shown);
}

void TestDailyScore::tooLarge_data()
{
    QTest::addColumn<int>("calories");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("red");

    QTest::newRow("650 of 1500") << 650 << 1500 << true;
    QTest::newRow("600 of 1500 is exactly 0.4") << 600 << 1500 << false;
    QTest::newRow("601 of 1500") << 601 << 1500 << true;
    QTest::newRow("0") << 0 << 1500 << false;
}

void TestDailyScore::tooLarge()
{
    QFETCH(int, calories);
    QFETCH(int, target);
    QFETCH(bool, red);
    QCOMPARE(DailyScore::isTooLarge(calories, target), red);
}

void TestDailyScore::noTargetComputesNothing()
{
    QVERIFY(!DailyScore::evaluate(dayOf(0, 0)));
    QVERIFY(!DailyScore::evaluate(dayOf(0, -300)));
}

void TestDailyScore::samplesLandUnderTheirMeal()
{
    SampleLists::clear();
    // Replies come back in any order; each carries its meal index.
    QVERIFY(SampleLists::appendReply(4, R"({"result_code":0,"sample_list":[{"title":"Salmon"},{"title":"Stew"}]})"));
    QVERIFY(SampleLists::appendReply(0, R"({"result_code":"0","sample_list":[{"title":"Oats"}]})"));
    QVERIFY(SampleLists::appendReply(4, R"({"result_code":0,"sample_list":[{"title":"Curry"}]})"));
    QCOMPARE(SampleLists::titles(0), QStringList{"Oats"});
    QCOMPARE(SampleLists::titles(4), (QStringList{"Salmon", "Stew", "Curry"}));
    QVERIFY(SampleLists::titles(2).isEmpty());
    QVERIFY(SampleLists::titles(-1).isEmpty());
    QVERIFY(SampleLists::titles(6).isEmpty());
    SampleLists::clear();
    QVERIFY(SampleLists::titles(4).isEmpty());
}

void TestDailyScore::badSampleReplies_data()
{
    QTest::addColumn<int>("meal");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("not JSON") << 1 << "<html>oops" << false << QStringList();
    QTest::newRow("empty text") << 1 << "" << false << QStringList();
    QTest::newRow("refused") << 1 << R"({"result_code":3,"sample_list":[{"title":"x"}]})" << false << QStringList();
    QTest::newRow("no array") << 1 << R"({"result_code":0})" << true << QStringList();
    QTest::newRow("array of strings") << 1 << R"({"result_code":0,"sample_list":["a",{"title":"b"}]})" << true
                                      << QStringList{"b"};
    QTest::newRow("sample without a title") << 1 << R"({"result_code":0,"sample_list":[{"name":"a"},{"title":"b"}]})"
                                            << true << QStringList{"", "b"};
    QTest::newRow("number title") << 1 << R"({"result_code":0,"sample_list":[{"title":42}]})" << true
                                  << QStringList{"42"};
    QTest::newRow("meal out of range") << 9 << R"({"result_code":0,"sample_list":[{"title":"x"}]})" << false
                                       << QStringList();
}

void TestDailyScore::badSampleReplies()
{
    QFETCH(int, meal);
    QFETCH(QString, reply);
    QFETCH(bool, accepted);
    QFETCH(QStringList, titles);

    SampleLists::clear();
    QCOMPARE(SampleLists::appendReply(meal, reply), accepted);
    QCOMPARE(SampleLists::titles(1), titles);
}

void TestDailyScore::thousandsOfSamples()
{
    SampleLists::clear();
    QJsonArray list;
    const QString longTitle(5000, u'x');
    for (int i = 0; i < 5000; ++i)
        list.append(QJsonObject{{"title", i == 7 ? longTitle : QString::number(i)}});
    const QByteArray reply = QJsonDocument(QJsonObject{{"result_code", 0}, {"sample_list", list}}).toJson();
    QVERIFY(SampleLists::appendReply(3, QString::fromUtf8(reply)));
    QCOMPARE(SampleLists::titles(3).size(), 5000);
    QCOMPARE(SampleLists::titles(3).at(7), longTitle);
}

QTEST_GUILESS_MAIN(TestDailyScore)
#include "tst_dailyscore.moc"
