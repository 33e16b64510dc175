#include "tracker/foodmodel.h"
#include "tracker/foodnumbers.h"
#include "tracker/foodrequests.h"
#include "tracker/meals.h"

#include <QLocale>
#include <QTest>

class TestFoodNumbers : public QObject
{
    Q_OBJECT

private slots:
    void printing_data();
    void printing();
    void reading_data();
    void reading();
    void wholePart_data();
    void wholePart();
    void shares_data();
    void shares();
    void tooltip_data();
    void tooltip();
    void titleBreaks_data();
    void titleBreaks();
    void mealNames();
    void typedNumbers_data();
    void typedNumbers();
};

void TestFoodNumbers::printing_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("calories");  // 6 significant digits
    QTest::addColumn<QString>("shortest");  // round trip of the float
    QTest::addColumn<QString>("fixed0");
    QTest::addColumn<QString>("fixed1");

    QTest::newRow("whole") << 150.0f << "150" << "150" << "150" << "150.0";
    // Fixed-point rounds half away from zero.
    QTest::newRow("half") << 72.5f << "72.5" << "72.5" << "73" << "72.5";
    QTest::newRow("one decimal") << 12.3f << "12.3" << "12.3" << "12" << "12.3";
    QTest::newRow("thirds") << 100.0f / 3 << "33.3333" << "33.333332" << "33" << "33.3";
    QTest::newRow("big") << 1234567.0f << "1.23457e+06" << "1234567" << "1234567" << "1234567.0";
    QTest::newRow("zero") << 0.0f << "0" << "0" << "0" << "0.0";
    QTest::newRow("negative") << -0.5f << "-0.5" << "-0.5" << "-1" << "-0.5";
    QTest::newRow("twenty") << 20.0f << "20" << "20" << "20" << "20.0";
}

void TestFoodNumbers::printing()
{
    QFETCH(float, value);
    QFETCH(QString, calories);
    QFETCH(QString, shortest);
    QFETCH(QString, fixed0);
    QFETCH(QString, fixed1);

    QCOMPARE(FoodNumbers::calories(value), calories);
    QCOMPARE(FoodNumbers::shortest(value), shortest);
    QCOMPARE(shortest.toFloat(), value);
    QCOMPARE(FoodNumbers::fixed(value, 0), fixed0);
    QCOMPARE(FoodNumbers::fixed(value, 1), fixed1);
}

void TestFoodNumbers::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("asFloat");
    QTest::addColumn<int>("asInt");

    QTest::newRow("integer") << "150" << 150.0f << 150;
    QTest::newRow("fraction") << "72.5" << 72.5f << 0;
    QTest::newRow("spaces") << " 42 " << 42.0f << 42;
    QTest::newRow("negative") << "-3" << -3.0f << -3;
    QTest::newRow("letters") << "12abc" << 0.0f << 0;
    QTest::newRow("empty") << "" << 0.0f << 0;
    QTest::newRow("12 digits") << "123456789012" << 123456789012.0f << 0;
    QTest::newRow("infinite") << "inf" << 0.0f << 0;
    QTest::newRow("too big for a float") << "1e39" << 0.0f << 0;
}

void TestFoodNumbers::reading()
{
    QFETCH(QString, text);
    QFETCH(float, asFloat);
    QFETCH(int, asInt);
    QCOMPARE(FoodNumbers::readFloat(text), asFloat);
    QCOMPARE(FoodNumbers::readInt(text), asInt);
}

void TestFoodNumbers::wholePart_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("whole");

    QTest::newRow("72.5") << 72.5f << 72;
    QTest::newRow("72.99") << 72.99f << 72;
    QTest::newRow("-72.5 toward zero") << -72.5f << -72;
    QTest::newRow("12 digits is capped") << 123456789012.0f << 10'000'000;
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << 0;
}

void TestFoodNumbers::wholePart()
{
    QFETCH(float, value);
    QFETCH(int, whole);
    QCOMPARE(FoodNumbers::wholePart(value), whole);
}

void TestFoodNumbers::shares_data()
{
    QTest::addColumn<float>("cal");
    QTest::addColumn<int>("kind");
    QTest::addColumn<float>("typed");
    QTest::addColumn<float>("calories");
    QTest::addColumn<float>("carbs");

    // Per cup: carbs 20, fat 4, protein 8, fibre 2.
    QTest::newRow("half cup") << 150.0f << int(FoodQuantity::halfCup) << 0.0f << 75.0f << 10.0f;
    QTest::newRow("cup") << 150.0f << int(FoodQuantity::cup) << 0.0f << 150.0f << 20.0f;
    QTest::newRow("other 300 of 150") << 150.0f << int(FoodQuantity::other) << 300.0f << 300.0f << 40.0f;
    QTest::newRow("other with 0 per cup") << 0.0f << int(FoodQuantity::other) << 120.0f << 120.0f << 0.0f;
}

void TestFoodNumbers::shares()
{
    QFETCH(float, cal);
    QFETCH(int, kind);
    QFETCH(float, typed);
    QFETCH(float, calories);
    QFETCH(float, carbs);

    FoodItemModel food;
    food.cal = cal;
    food.halfCal = cal * 0.5f;
    food.carbs = 20;
    food.fat = 4;
    food.protein = 8;
    food.fiber = 2;
    QCOMPARE(FoodNumbers::calorieShare(food, kind, typed), calories);
    const Nutrients share = FoodNumbers::nutrientShare(food, kind, typed);
    QCOMPARE(share.carbs, carbs);
    QCOMPARE(share.fat, carbs / 5);
    QCOMPARE(share.protein, carbs / 2.5f);
    QCOMPARE(share.fiber, carbs / 10);
}

void TestFoodNumbers::tooltip_data()
{
    QTest::addColumn<float>("scale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("carbs");
    QTest::newRow("half cup, cut to one decimal") << 0.5f << "Carbs=13.5, Fat=0.2, Protein=2, Fiber=1.2" << 27.0f;
    QTest::newRow("cup") << 1.0f << "Carbs=27, Fat=0.5, Protein=4, Fiber=2.5" << 27.0f;
    QTest::newRow("half cup of 12.34") << 0.5f << "Carbs=6.1, Fat=0.2, Protein=2, Fiber=1.2" << 12.34f;
    QTest::newRow("cup of 12.34, uncut") << 1.0f << "Carbs=12.34, Fat=0.5, Protein=4, Fiber=2.5" << 12.34f;
}

void TestFoodNumbers::tooltip()
{
    QFETCH(float, scale);
    QFETCH(QString, text);
    FoodItemModel food;
    QFETCH(float, carbs);
    food.carbs = carbs;
    food.fat = 0.5f;
    food.protein = 4;
    food.fiber = 2.5f;
    QCOMPARE(FoodNumbers::tooltip(food, scale), text);
}

void TestFoodNumbers::titleBreaks_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("broken");

    QTest::newRow("one word") << "Oats" << 70 << "Oats";
    QTest::newRow("first space") << "Rolled oats, cooked" << 70 << "Rolled\n oats, cooked";
    QTest::newRow("leading space is never looked at") << " Oats with milk" << 70 << " Oats\n with milk";
    QTest::newRow("non-breaking space") << QString::fromUtf8("Rye\u00a0bread") << 70
                                        << QString::fromUtf8("Rye\n\u00a0bread");
    QTest::newRow("tab") << "Rye\tbread" << 70 << "Rye\n\tbread";

    // 150 characters: words of 9 letters and a space. Breaks before the
    // first space (index 9), then at the first space at or after index 70
    // of the grown text and at or after index 140.
    QString title;
    while (title.size() < 150)
        title += QStringLiteral("abcdefghi ");
    QString expected = title;
    expected.insert(9, QLatin1Char('\n'));  // text grows: spaces now at 20, 30, ... , 70
    expected.insert(70, QLatin1Char('\n')); // spaces now at 71, 81, ..., 141
    expected.insert(141, QLatin1Char('\n'));
    QTest::newRow("150 characters, wide screen") << title << 70 << expected;

    QString small = title;
    small.insert(9, QLatin1Char('\n'));
    small.insert(60, QLatin1Char('\n'));  // first space at or after 60
    small.insert(121, QLatin1Char('\n')); // first space at or after 120: 121
    QTest::newRow("150 characters, small screen") << title << 60 << small;
}

void TestFoodNumbers::titleBreaks()
{
    QFETCH(QString, title);
    QFETCH(int, width);
    QFETCH(QString, broken);
    QCOMPARE(FoodNumbers::titleWithBreaks(title, width), broken);
}

void TestFoodNumbers::mealNames()
{
    QCOMPARE(Meals::trackerTitle(0), QStringLiteral("Create & Track Breakfast"));
    QCOMPARE(Meals::trackerTotalLabel(3), QStringLiteral("TOTAL SECONDSNACK CALORIES"));
    QCOMPARE(Meals::plannerLabel(5), QStringLiteral("Total Third Snack Calories"));
    QCOMPARE(Meals::sampleTable(1), QStringLiteral("tb_samplefirstsnack"));
    QCOMPARE(Meals::sampleTitle(4), QStringLiteral("Sample Dinner"));
    QCOMPARE(Meals::historyName(2), QStringLiteral("lunch"));
    QCOMPARE(Meals::trackerTitle(6), QString());
    QCOMPARE(Meals::trackerTitle(-1), QString());
}

void TestFoodNumbers::typedNumbers_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");   // an own food's carbs on the wire; empty: refused
    QTest::addColumn<int>("target");     // the daily target kept; 0: refused

    QTest::newRow("es grouping") << "es" << "1.850" << "1850" << 1850;
    QTest::newRow("es decimal comma") << "es" << "12,5" << "12.5" << 0;
    QTest::newRow("es both") << "es" << "1.850,5" << "1850.5" << 0;
    QTest::newRow("es plain point") << "es" << "12.5" << "12.5" << 0;
    QTest::newRow("es plain") << "es" << " 1850 " << "1850" << 1850;
    QTest::newRow("es empty nutrient") << "es" << "" << "0" << 0;
    QTest::newRow("es letters") << "es" << "12a" << "" << 0;
    QTest::newRow("es negative") << "es" << "-5" << "" << 0;
    QTest::newRow("en grouping") << "en" << "1,850" << "1850" << 1850;
    QTest::newRow("en decimal point") << "en" << "12.5" << "12.5" << 0;
    QTest::newRow("en decimal comma") << "en" << "12,5" << "" << 0;
    QTest::newRow("en over the limit") << "en" << "100001" << "" << 100001;
    QTest::newRow("en endless") << "en" << "inf" << "" << 0;
}

void TestFoodNumbers::typedNumbers()
{
    QFETCH(QString, language);
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    QFETCH(int, target);
    const QLocale locale(language == QLatin1String("es") ? QLocale::Spanish : QLocale::English,
                         language == QLatin1String("es") ? QLocale::Spain : QLocale::UnitedStates);
    const FoodRequests::TypedFood food{QStringLiteral("Soup"), QStringLiteral("120"), typed, {}, {}, {}};
    const QString problem = FoodRequests::typedFoodProblem(food, locale);
    QCOMPARE(problem.isEmpty(), !sent.isEmpty());
    if (!sent.isEmpty())
        QCOMPARE(FoodRequests::uploadFood(QStringLiteral("9"), 1, food, locale).queryItemValue(QStringLiteral("carbs")),
                 sent);
    QCOMPARE(FoodNumbers::readTypedWhole(typed, locale).value_or(0), target);
}

QTEST_GUILESS_MAIN(TestFoodNumbers)
#include "tst_foodnumbers.moc"
