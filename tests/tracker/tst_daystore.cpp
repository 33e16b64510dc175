#include "tracker/daystore.h"
#include "tracker/foodmodel.h"
#include "tracker/meals.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "testenvironment.h"

#include <QTest>

// The day store against hand-computed values: what is written under which
// key, to the character.
class TestDayStore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void entryText_data();
    void entryText();
    void savingWritesTheRecordAndTotals();
    void savingNothingEmptiesTheRecord();
    void savingKeepsFoodsTheCategoryNoLongerLists();
    void remainingCalories_data();
    void remainingCalories();
    void removingAHalfCupOf72AndAHalf();
    void removingSubtractsTheNutrientShare_data();
    void removingSubtractsTheNutrientShare();
    void removingOneOfTwoEntriesOfTheSameFood();
    void removingCategory1KeepsCategory11();
    void removingNeverGoesBelowZero_data();
    void removingNeverGoesBelowZero();
    void unreadableValuesCountZeroAndStay();
    void dailyTarget_data();
    void dailyTarget();
    void saveAndRestoreEveryMeal();
    void restoringAFoodTheCategoryNoLongerLists();
    void namingAFoodMovesItsEntry_data();
    void namingAFoodMovesItsEntry();
    void otherMealIndexesWriteNothing();

private:
    static QString value(const QString& key) { return SettingsStore::memberText(key); }
    static void set(const QString& key, const QString& text) { SettingsStore::setMemberText(key, text); }
};

void TestDayStore::initTestCase()
{
    TestEnvironment::isolate();
}

void TestDayStore::init()
{
    TestEnvironment::resetAccount();
    currentEmail = QStringLiteral("day@example.com");
    totalCalories = 1500;
}

void TestDayStore::entryText_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<float>("calories");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::newRow("cup of 150") << 31 << 150.0f << 1 << "31:150:1";
    QTest::newRow("half cup of 72.5") << 40 << 72.5f << 0 << "40:72.5:0";
    QTest::newRow("other 33.33333") << 7 << 100.0f / 3 << 2 << "7:33.3333:2";
    QTest::newRow("other of a million") << 7 << 1234567.0f << 2 << "7:1.23457e+06:2";
}

void TestDayStore::entryText()
{
    QFETCH(int, id);
    QFETCH(float, calories);
    QFETCH(int, kind);
    QFETCH(QString, text);
    const MealEntry entry = MealEntry::make(id, calories, kind);
    QCOMPARE(entry.text, text);
    const MealEntry read = MealEntry::fromText(text);
    QCOMPARE(read.foodId, id);
    QCOMPARE(read.kind, kind);
    QCOMPARE(FoodNumbers::calories(read.calories), FoodNumbers::calories(calories));
}

void TestDayStore::savingWritesTheRecordAndTotals()
{
    set(DayKeys::mealCalories(0), QStringLiteral("300"));
    set(DayKeys::mealRecord(2, 9), QStringLiteral("3:100.7:2"));
    set(DayKeys::categoryDetails(2, 9), QStringLiteral("1_2_3_4"));

    const DayStore::Totals totals = DayStore::saveCategory(
        2, 5, {MealEntry::make(31, 150, 1), MealEntry::make(40, 72.5f, 0)}, {12.3f, 4.5f, 6, 0}, {31, 40, 41},
        {5, 9});

    QCOMPARE(value(QStringLiteral("meal_2_5")), QStringLiteral("31:150:1@40:72.5:0"));
    QCOMPARE(value(QStringLiteral("details_2_5")), QStringLiteral("12.3_4.5_6_0"));
    // 150 + 72 + 100: whole parts, added as integers.
    QCOMPARE(totals.mealCalories, 322);
    QCOMPARE(value(QStringLiteral("Cal_2")), QStringLiteral("322"));
    QCOMPARE(totals.remaining, 1500 - 300 - 322);
    QCOMPARE(remainCalories, 878);
    QCOMPARE(SettingsStore::memberInt(QStringLiteral("remaincalories")), 878);
    QCOMPARE(value(QStringLiteral("totaldetails_2")), QStringLiteral("13.3_6.5_9_4"));
    QCOMPARE(DayStore::mealNutrients(2), (Nutrients{13.3f, 6.5f, 9, 4}));
    QCOMPARE(DayStore::mealCalories(2), 322);
}

void TestDayStore::savingNothingEmptiesTheRecord()
{
    set(DayKeys::mealRecord(1, 5), QStringLiteral("31:150:1"));
    set(DayKeys::mealRecord(1, 6), QStringLiteral("8:20:1"));
    set(DayKeys::mealCalories(1), QStringLiteral("170"));

    const DayStore::Totals totals = DayStore::saveCategory(1, 5, {}, {}, {31}, {5, 6});
    QCOMPARE(value(QStringLiteral("meal_1_5")), QString());
    QCOMPARE(value(QStringLiteral("details_1_5")), QStringLiteral("0_0_0_0"));
    QCOMPARE(totals.mealCalories, 20);
    QCOMPARE(totals.remaining, 1480);
}

void TestDayStore::savingKeepsFoodsTheCategoryNoLongerLists()
{
    // Food 99 was deleted from the catalogue; the member never removed it.
    // Its calories and its nutrients stay in the category.
    set(DayKeys::mealRecord(0, 5), QStringLiteral("31:150:1@99:80:1"));
    FoodItemModel deleted;
    deleted.id = 99;
    deleted.cal = 80;
    deleted.carbs = 10.04f;
    deleted.fat = 2;
    const DayStore::Totals totals = DayStore::saveCategory(
        0, 5, {MealEntry::make(31, 75, 0)}, {5.1f, 1, 0, 0}, {31, 40}, {5}, {{99, &deleted}});
    QCOMPARE(value(QStringLiteral("meal_0_5")), QStringLiteral("31:75:0@99:80:1"));
    QCOMPARE(value(QStringLiteral("details_0_5")), QStringLiteral("15.1_3_0_0"));
    QCOMPARE(totals.mealCalories, 155);
}

void TestDayStore::remainingCalories_data()
{
    QTest::addColumn<QStringList>("meals");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("remaining");

    QTest::newRow("300 + 450 of 1500") << QStringList{"300", "", "450", "", "", ""} << 1500 << 750;
    QTest::newRow("over the target") << QStringList{"900", "200", "600", "", "", "100"} << 1500 << -300;
    QTest::newRow("unreadable counts 0") << QStringList{"300", "abc", "4.5", "", "", "1e3"} << 1000 << 700;
    QTest::newRow("nothing stored") << QStringList{"", "", "", "", "", ""} << 1800 << 1800;
    QTest::newRow("a meal below 0 counts 0") << QStringList{"-150", "300", "", "", "", ""} << 1000 << 700;
}

void TestDayStore::remainingCalories()
{
    QFETCH(QStringList, meals);
    QFETCH(int, target);
    QFETCH(int, remaining);
    for (int meal = 0; meal < Meals::count; ++meal) {
        if (!meals.at(meal).isEmpty())
            set(DayKeys::mealCalories(meal), meals.at(meal));
    }
    totalCalories = target;
    QCOMPARE(DayStore::recomputeRemaining(0, {}), remaining);
    QCOMPARE(remainCalories, remaining);
    QCOMPARE(DayStore::remainingCalories(), remaining);
    // Reading did not rewrite what could not be read.
    for (int meal = 0; meal < Meals::count; ++meal)
        QCOMPARE(value(DayKeys::mealCalories(meal)), meals.at(meal));
}

void TestDayStore::removingAHalfCupOf72AndAHalf()
{
    set(DayKeys::mealRecord(0, 5), QStringLiteral("31:150:1@40:72.5:0"));
    set(DayKeys::categoryDetails(0, 5), QStringLiteral("30_5_10_3"));
    set(DayKeys::mealCalories(0), QStringLiteral("222"));

    const DayStore::Totals totals = DayStore::removeFood(0, 5, 40, 1, {10, 1, 2, 0.5f}, 72.5f, 222, {5});
    QCOMPARE(totals.mealCalories, 150);
    QCOMPARE(value(QStringLiteral("Cal_0")), QStringLiteral("150"));
    QCOMPARE(value(QStringLiteral("meal_0_5")), QStringLiteral("31:150:1"));
    QCOMPARE(value(QStringLiteral("details_0_5")), QStringLiteral("20_4_8_2.5"));
    QCOMPARE(value(QStringLiteral("totaldetails_0")), QStringLiteral("20_4_8_2.5"));
    QCOMPARE(totals.remaining, 1350);
}

void TestDayStore::removingSubtractsTheNutrientShare_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<float>("cal");
    QTest::addColumn<float>("rowCalories");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("last"); // the record holds nothing else
    QTest::addColumn<QString>("details");

    // The food has per cup carbs 20, fat 4, protein 8, fibre 2.
    QTest::newRow("cup") << 1 << 200.0f << 200.0f << "50_10_20_8" << false << "30_6_12_6";
    QTest::newRow("half cup") << 0 << 200.0f << 100.0f << "50_10_20_8" << false << "40_8_16_7";
    QTest::newRow("other, 50 of 200")
        << 2 << 200.0f << 50.0f << "50_10_20_8" << false << "45_9_18_7.5";
    QTest::newRow("other, 0 per cup")
        << 2 << 0.0f << 50.0f << "50_10_20_8" << false << "50_10_20_8";
    // The stored figures carry one decimal, the share does not.
    QTest::newRow("a hair more than stored")
        << 2 << 150.0f << 100.0f << "13.3_2.6_5.3_1.3" << false << "0_0_0_0";
    QTest::newRow("float dust") << 1 << 200.0f << 200.0f << "20.1_4.1_8.1_2.1" << false
                                << "0.1_0.1_0.1_0.1";
    QTest::newRow("last one, 0.1 left")
        << 1 << 200.0f << 200.0f << "20.1_4_8_2" << true << "0_0_0_0";
}

void TestDayStore::removingSubtractsTheNutrientShare()
{
    QFETCH(int, kind);
    QFETCH(float, cal);
    QFETCH(float, rowCalories);
    QFETCH(QString, stored);
    QFETCH(bool, last);
    QFETCH(QString, details);

    FoodItemModel food;
    food.cal = cal;
    food.halfCal = cal / 2;
    food.carbs = 20;
    food.fat = 4;
    food.protein = 8;
    food.fiber = 2;
    set(DayKeys::categoryDetails(3, 2), stored);
    const QString other = last ? QString() : QStringLiteral("8:1:1");
    set(DayKeys::mealRecord(3, 2), QStringLiteral("6:%1:%2").arg(rowCalories).arg(kind) +
                                       (last ? QString() : QStringLiteral("@") + other));
    MealEntry removed;
    DayStore::removeFood(3, 2, 6, 0, FoodNumbers::nutrientShare(food, kind, rowCalories),
                         rowCalories, 500, {2}, &removed);
    QCOMPARE(value(QStringLiteral("details_3_2")), details);
    QCOMPARE(value(QStringLiteral("totaldetails_3")), details);
    QCOMPARE(value(QStringLiteral("meal_3_2")), other);
    QCOMPARE(removed.foodId, 6);
    QCOMPARE(value(QStringLiteral("Cal_3")), QString::number(500 - int(rowCalories)));
}

void TestDayStore::removingOneOfTwoEntriesOfTheSameFood()
{
    // Two foods of the member's own whose upload failed both carry id 0.
    set(DayKeys::mealRecord(0, 5), QStringLiteral("0:100:1@31:150:1@0:40:1"));
    const DayStore::Totals totals = DayStore::removeFood(0, 5, 0, 2, {}, 40, 290, {5});
    QCOMPARE(value(QStringLiteral("meal_0_5")), QStringLiteral("0:100:1@31:150:1"));
    QCOMPARE(totals.mealCalories, 250);
    // A row that does not match its entry falls back to the first of that food.
    DayStore::removeFood(0, 5, 0, 7, {}, 100, 250, {5});
    QCOMPARE(value(QStringLiteral("meal_0_5")), QStringLiteral("31:150:1"));
    // The details were empty and stay so.
    QCOMPARE(value(QStringLiteral("details_0_5")), QString());
}

void TestDayStore::removingCategory1KeepsCategory11()
{
    set(DayKeys::mealRecord(4, 1), QStringLiteral("2:100:1@3:50.9:0"));
    set(DayKeys::mealRecord(4, 11), QStringLiteral("5:200:1"));
    set(DayKeys::categoryDetails(4, 1), QStringLiteral("1_1_1_1"));
    set(DayKeys::categoryDetails(4, 11), QStringLiteral("2_2_2_2"));
    set(DayKeys::mealCalories(4), QStringLiteral("350"));

    const DayStore::Totals totals = DayStore::removeCategory(4, 1, {100, 50.9f}, 350, {1, 11});
    QCOMPARE(totals.mealCalories, 200);
    QCOMPARE(totals.remaining, 1300);
    QCOMPARE(value(QStringLiteral("meal_4_1")), QString());
    QCOMPARE(value(QStringLiteral("details_4_1")), QString());
    QCOMPARE(value(QStringLiteral("meal_4_11")), QStringLiteral("5:200:1"));
    QCOMPARE(value(QStringLiteral("details_4_11")), QStringLiteral("2_2_2_2"));
    QCOMPARE(value(QStringLiteral("totaldetails_4")), QStringLiteral("2_2_2_2"));
    QVERIFY(SettingsStore::memberContains(QStringLiteral("meal_4_1")));
}

void TestDayStore::removingNeverGoesBelowZero_data()
{
    QTest::addColumn<bool>("wholeCategory");
    QTest::addColumn<QString>("record"); // meal_1_5 before
    QTest::addColumn<int>("shownMeal");  // the meal's calories as the window shows them
    QTest::addColumn<QString>("meal");   // Cal_1 after
    QTest::addColumn<QString>("details"); // details_1_5 after

    // Stored: Cal_1 150, details_1_5 "10_2_4_1". The window removes food 31
    // (150 calories, a share of 20_4_8_2).
    QTest::newRow("food, the window shows less than the row") << false << "31:150:1@8:20:1" << 100 << "0"
                                                              << "0_0_0_0";
    QTest::newRow("food the record no longer holds") << false << "" << 0 << "150" << "10_2_4_1";
    QTest::newRow("food of another day's record") << false << "8:20:1" << 150 << "150" << "10_2_4_1";
    QTest::newRow("category, the window shows less") << true << "31:150:1" << 0 << "0" << "";
    QTest::newRow("category the record no longer holds") << true << "" << 0 << "150" << "";
}

void TestDayStore::removingNeverGoesBelowZero()
{
    QFETCH(bool, wholeCategory);
    QFETCH(QString, record);
    QFETCH(int, shownMeal);
    QFETCH(QString, meal);
    QFETCH(QString, details);
    set(DayKeys::mealRecord(1, 5), record);
    set(DayKeys::categoryDetails(1, 5), QStringLiteral("10_2_4_1"));
    set(DayKeys::mealCalories(1), QStringLiteral("150"));
    totalCalories = 1000;

    const DayStore::Totals totals = wholeCategory
        ? DayStore::removeCategory(1, 5, {150}, shownMeal, {5})
        : DayStore::removeFood(1, 5, 31, 0, {20, 4, 8, 2}, 150, shownMeal, {5});
    QCOMPARE(value(QStringLiteral("Cal_1")), meal);
    QCOMPARE(totals.mealCalories, meal.toInt());
    QCOMPARE(value(QStringLiteral("details_1_5")), details);
    // The day's remaining calories never rise above the target.
    QCOMPARE(totals.remaining, 1000 - meal.toInt());
}

void TestDayStore::unreadableValuesCountZeroAndStay()
{
    set(DayKeys::mealRecord(0, 5), QStringLiteral("31:abc:1@garbage@40:72.5:0"));
    set(DayKeys::categoryDetails(0, 5), QStringLiteral("x_2_y"));
    set(DayKeys::mealDetails(1), QStringLiteral("not numbers"));
    set(DayKeys::mealDetails(2), QStringLiteral("-0.0300002_5_-3_1"));
    QCOMPARE(DayStore::mealNutrients(2), (Nutrients{0, 5, 0, 1}));

    QCOMPARE(DayStore::recountMealCalories(0, {5}), 72);
    QCOMPARE(DayStore::mealNutrients(1), Nutrients{});
    DayStore::recomputeRemaining(0, {5});
    QCOMPARE(value(QStringLiteral("totaldetails_0")), QStringLiteral("0_2_0_0"));
    QCOMPARE(value(QStringLiteral("meal_0_5")), QStringLiteral("31:abc:1@garbage@40:72.5:0"));
    QCOMPARE(value(QStringLiteral("details_0_5")), QStringLiteral("x_2_y"));
    QCOMPARE(value(QStringLiteral("totaldetails_1")), QStringLiteral("not numbers"));
}

void TestDayStore::dailyTarget_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("remaining");
    QTest::newRow("1500 to 2000 with 1200 eaten") << 1200 << 2000 << 800;
    QTest::newRow("first use, nothing eaten") << 0 << 1800 << 1800;
    QTest::newRow("below what was eaten") << 1200 << 1000 << -200;
}

void TestDayStore::dailyTarget()
{
    QFETCH(int, stored);
    QFETCH(int, target);
    QFETCH(int, remaining);
    if (stored) {
        set(DayKeys::mealCalories(0), QString::number(stored - 200));
        set(DayKeys::mealCalories(5), QStringLiteral("200"));
    }
    totalCalories = 1500;
    QCOMPARE(DayStore::setDailyTarget(target), remaining);
    QCOMPARE(totalCalories, target);
    QCOMPARE(remainCalories, remaining);
    QCOMPARE(DayStore::dailyTarget(), target);
    QCOMPARE(DayStore::remainingCalories(), remaining);
    if (stored)
        QCOMPARE(value(DayKeys::mealCalories(5)), QStringLiteral("200"));
}

void TestDayStore::saveAndRestoreEveryMeal()
{
    // The same three foods chosen differently in each meal come back as
    // they were saved, in a fresh catalogue of the same foods.
    auto makeCategory = [](QObject* owner) {
        auto* category = new FoodModel(owner);
        category->id = 5;
        for (int id : {31, 40, 41}) {
            auto* food = new FoodItemModel(category);
            food->id = id;
            food->cal = float(id * 5);
            food->halfCal = food->cal / 2;
            category->items.append(food);
        }
        return category;
    };
    QObject owner;
    for (int meal = 0; meal < Meals::count; ++meal) {
        const QList<MealEntry> chosen{MealEntry::make(31, 77.5f, 0), MealEntry::make(40, 200, 1),
                                      MealEntry::make(41, float(meal * 10 + 3.5), 2)};
        DayStore::saveCategory(meal, 5, chosen, {}, {31, 40, 41}, {5});
    }
    for (int meal = 0; meal < Meals::count; ++meal) {
        FoodModel* category = makeCategory(&owner);
        const QList<FoodItemModel*> restored = DayStore::restoreCategory(meal, *category, {});
        QCOMPARE(restored.size(), 3);
        QCOMPARE(restored.at(0), category->items.at(0));
        QCOMPARE(restored.at(0)->kind, 0);
        QCOMPARE(restored.at(1)->kind, 1);
        QCOMPARE(restored.at(2)->kind, 2);
        QCOMPARE(restored.at(2)->otherCal, float(meal * 10 + 3.5));
        QCOMPARE(DayStore::mealCalories(meal), 77 + 200 + meal * 10 + 3);
    }
    QCOMPARE(DayStore::mealCaloriesSum(), 6 * 280 + 150);
}

void TestDayStore::restoringAFoodTheCategoryNoLongerLists()
{
    set(DayKeys::mealRecord(0, 5), QStringLiteral("31:150:1@99:40:0@98:120:2"));
    set(DayKeys::categoryDetails(0, 5), QStringLiteral("30_5_10_3"));
    FoodModel category;
    category.id = 5;
    auto* food = new FoodItemModel(&category);
    food->id = 31;
    food->cal = 150;
    food->carbs = 20;
    food->fat = 4;
    food->protein = 8;
    food->fiber = 2;
    category.items.append(food);

    const QList<FoodItemModel*> restored = DayStore::restoreCategory(0, category, {});
    QCOMPARE(restored.size(), 3);
    FoodItemModel* standIn = restored.at(1);
    QCOMPARE(standIn->id, 99);
    QCOMPARE(standIn->kind, 0);
    QCOMPARE(standIn->halfCal, 40.0f);
    QVERIFY(standIn->title.contains(QStringLiteral("99")));
    QCOMPARE(category.items.size(), 1); // the table does not show it
    // What the category holds beyond the banana (10_1_2_1) is theirs, split
    // 40 : 120 by calories, so removing them takes it out again.
    QCOMPARE(FoodNumbers::nutrientShare(*standIn, 0, 40), (Nutrients{2.5f, 0.25f, 0.5f, 0.25f}));
    QCOMPARE(FoodNumbers::nutrientShare(*restored.at(2), 2, 120),
             (Nutrients{7.5f, 0.75f, 1.5f, 0.75f}));

    // The next restore reuses the stand-in (or the member's deleted food).
    QHash<QString, FoodItemModel*> previous{{DayStore::chosenKey(5, 99), standIn}};
    QCOMPARE(DayStore::restoreCategory(0, category, previous).at(1), standIn);
}

void TestDayStore::namingAFoodMovesItsEntry_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("entry"); // as saved while the food had no id
    QTest::addColumn<QString>("after");
    QTest::newRow("the only one") << "31:150:1@0:120:1"
                                  << "0:120:1"
                                  << "31:150:1@812:120:1";
    QTest::newRow("another unnamed food stays") << "0:60:0@0:120:1"
                                                << "0:120:1"
                                                << "0:60:0@812:120:1";
    QTest::newRow("removed meanwhile") << "0:60:0"
                                       << "0:120:1"
                                       << "0:60:0";
    QTest::newRow("never saved") << "0:60:0"
                                 << ""
                                 << "0:60:0";
}

void TestDayStore::namingAFoodMovesItsEntry()
{
    QFETCH(QString, record);
    QFETCH(QString, entry);
    QFETCH(QString, after);
    set(DayKeys::mealRecord(2, 5), record);
    QCOMPARE(DayStore::nameFood(2, 5, entry, 812), after != record);
    QCOMPARE(value(QStringLiteral("meal_2_5")), after);
}

void TestDayStore::otherMealIndexesWriteNothing()
{
    DayStore::saveCategory(6, 5, {MealEntry::make(1, 10, 1)}, {}, {}, {5});
    DayStore::removeCategory(-1, 5, {10}, 10, {5});
    QVERIFY(!SettingsStore::memberContains(QStringLiteral("meal_6_5")));
    QVERIFY(!SettingsStore::memberContains(QStringLiteral("Cal_-1")));
    QCOMPARE(DayStore::mealCalories(7), 0);
}

QTEST_GUILESS_MAIN(TestDayStore)
#include "tst_daystore.moc"
