#include "tracker/foodmodel.h"
#include "tracker/foodsearch.h"
#include "tracker/mealcopy.h"
#include "tracker/meals.h"
#include "tracker/recentfoods.h"

#include <QTest>

// Finding foods by the beginnings of their words, the meal's recent foods,
// and copying a meal into another.
class TestQuickEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void recentFoods_data();
    void recentFoods();
    void copy_data();
    void copy();

private:
    FoodModel m_fruits;
    FoodModel m_dairy;
    FoodSearch m_search;
};

namespace {

void addFood(FoodModel& category, qint32 id, const char* title)
{
    auto* food = new FoodItemModel(&category);
    food->id = id;
    food->title = QString::fromUtf8(title);
    category.items.append(food);
}

// "1:150:1@2:72.5:0"
QList<MealEntry> entries(const QString& record)
{
    return DayStore::parseEntries(record);
}

} // namespace

void TestQuickEntry::initTestCase()
{
    m_fruits.id = 1;
    m_fruits.title = QStringLiteral("Fruits");
    addFood(m_fruits, 10, "Banana split");
    addFood(m_fruits, 11, "Crème brûlée with BANANA");
    addFood(m_fruits, 12, "Banana");
    addFood(m_fruits, 13, "Apple, Granny Smith");
    addFood(m_fruits, 14, "Ben's pear");
    addFood(m_fruits, 15, "Smørrebrød topping");
    addFood(m_fruits, 16, "İskender kebap");
    m_dairy.id = 5;
    m_dairy.title = QStringLiteral("Dairy & Eggs");
    addFood(m_dairy, 50, "Milk");
    addFood(m_dairy, 51, "Crème fraîche");
    m_search.rebuild({{1, &m_fruits}, {5, &m_dairy}});
}

void TestQuickEntry::search_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QList<int>>("ids");
    // Whole-name prefix first, then shorter names, then an earlier word.
    QTest::newRow("prefix, shorter first") << "ban" << QList<int>{12, 10, 11};
    QTest::newRow("case and accents") << "CREME" << QList<int>{51, 11};
    QTest::newRow("accented query") << "brûl" << QList<int>{11};
    QTest::newRow("every word a prefix") << "cre ban" << QList<int>{11};
    QTest::newRow("word order free") << "smith apple" << QList<int>{13};
    QTest::newRow("later word") << "gran" << QList<int>{13};
    QTest::newRow("apostrophe joins") << "bens" << QList<int>{14};
    QTest::newRow("letter without decomposition") << "smorre" << QList<int>{15};
    QTest::newRow("dotted capital I") << "iskender" << QList<int>{16};
    QTest::newRow("dotted capital I in the query") << "İSKENDER KEB" << QList<int>{16};
    QTest::newRow("dotless i") << "ıskender" << QList<int>{16};
    QTest::newRow("category name") << "dairy" << QList<int>{50, 51};
    QTest::newRow("name before category") << "eggs milk" << QList<int>{50};
    QTest::newRow("inside a word finds nothing") << "anana" << QList<int>{};
    QTest::newRow("no letters") << " ,. " << QList<int>{};
}

void TestQuickEntry::search()
{
    QFETCH(QString, query);
    QFETCH(QList<int>, ids);
    QList<int> found;
    for (const FoodSearch::Hit& hit : m_search.find(query))
        found.append(hit.food->id);
    QCOMPARE(found, ids);
    QCOMPARE(m_search.find(QStringLiteral("b"), 2).size(), 2);
}

void TestQuickEntry::recentFoods_data()
{
    QTest::addColumn<QList<RecentFoods::DayMeal>>("days");
    QTest::addColumn<int>("cap");
    QTest::addColumn<QStringList>("expected"); // "category:food:kind:calories"
    const QList<RecentFoods::DayMeal> three{
        {{1, entries(QStringLiteral("12:75:0@10:300:1"))}},
        {{1, entries(QStringLiteral("12:150:1@0:80:2"))}, {5, entries(QStringLiteral("50:120:2"))}},
        {{1, entries(QStringLiteral("99:10:1@13:40:0"))}},
    };
    QTest::newRow("newest choice wins, once each, no unnamed or unlisted")
        << three << 20 << QStringList{"1:12:0:75", "1:10:1:300", "5:50:2:120", "1:13:0:40"};
    QTest::newRow("capped") << three << 2 << QStringList{"1:12:0:75", "1:10:1:300"};
    QTest::newRow("no days") << QList<RecentFoods::DayMeal>{} << 20 << QStringList{};
}

void TestQuickEntry::recentFoods()
{
    QFETCH(QList<RecentFoods::DayMeal>, days);
    QFETCH(int, cap);
    QFETCH(QStringList, expected);
    QStringList found;
    const auto listed = [](qint32, qint32 food) { return food != 99; };
    for (const RecentFoods::Food& food : RecentFoods::collect(days, listed, cap))
        found.append(QStringLiteral("%1:%2:%3:%4")
                         .arg(food.category)
                         .arg(food.foodId)
                         .arg(food.kind)
                         .arg(food.calories));
    QCOMPARE(found, expected);
}

void TestQuickEntry::copy_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected"); // "category=record|carbs"
    QTest::newRow("replace: the source's records, emptied where it has none")
        << int(MealCopy::Mode::Replace)
        << QStringList{"1=12:75:0@0:80:2|20", "5=|0", "11=50:300:1|54"};
    QTest::newRow("add: two halves a cup, a half and a cup a typed amount, unnamed apart")
        << int(MealCopy::Mode::Add) << QStringList{"1=12:150:1@0:80:2@0:80:2|30", "11=50:450:2|81"};
}

void TestQuickEntry::copy()
{
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    const MealCopy::Meal target{{1, {entries(QStringLiteral("12:75:0@0:80:2")), {10, 1, 1, 1}}},
                                {5, {entries(QStringLiteral("60:0:1")), {12, 8, 8, 0}}},
                                {11, {entries(QStringLiteral("50:150:0")), {27, 3, 5, 4}}}};
    const MealCopy::Meal source{{1, {entries(QStringLiteral("12:75:0@0:80:2")), {20, 2, 2, 2}}},
                                {11, {entries(QStringLiteral("50:300:1")), {54, 6, 10, 8}}}};
    const MealCopy::Meal merged = MealCopy::merge(target, source, MealCopy::Mode(mode));
    QStringList found;
    for (auto it = merged.cbegin(); it != merged.cend(); ++it)
        found.append(QStringLiteral("%1=%2|%3")
                         .arg(it.key())
                         .arg(DayStore::formatEntries(it.value().entries))
                         .arg(it.value().nutrients.carbs));
    QCOMPARE(found, expected);
    // Copying the result again the same way: replacing changes nothing more.
    if (MealCopy::Mode(mode) == MealCopy::Mode::Replace)
        QCOMPARE(MealCopy::merge(merged, source, MealCopy::Mode::Replace).size(), merged.size());
}

QTEST_GUILESS_MAIN(TestQuickEntry)
#include "tst_quickentry.moc"
