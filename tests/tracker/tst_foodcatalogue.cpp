#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

class TestFoodCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void status_data();
    void status();
    void foodValues_data();
    void foodValues();
    void repeatedCategoryIdsOpenTheLaterCategory();
    void loadEmptiesTheEarlierCatalogue();
    void largeCatalogueKeepsEveryFoodInOrder();
};

namespace {

QByteArray reply(const QJsonArray& categories, int resultCode = 0)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("result_code"), resultCode},
                                     {QStringLiteral("food_list"), categories}})
        .toJson(QJsonDocument::Compact);
}

QJsonObject category(const QJsonValue& id, const QString& title, const QJsonArray& foods = {})
{
    return {{QStringLiteral("id"), id},
            {QStringLiteral("title"), title},
            {QStringLiteral("recomended"), QString(QStringLiteral("advice for ") + title)},
            {QStringLiteral("calorie_list"), foods}};
}

QJsonObject food(const QJsonValue& id, const QJsonValue& cal, const QJsonValue& userId = QStringLiteral("0"))
{
    return {{QStringLiteral("id"), id},           {QStringLiteral("user_id"), userId},
            {QStringLiteral("title"), QStringLiteral("Oats")}, {QStringLiteral("cal"), cal},
            {QStringLiteral("carbs"), QStringLiteral("27")},   {QStringLiteral("fat"), QStringLiteral("2.5")},
            {QStringLiteral("protein"), QStringLiteral("5")},  {QStringLiteral("fiber"), QStringLiteral("4")}};
}

} // namespace

void TestFoodCatalogue::status_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("categories");

    using S = FoodCatalogue::Status;
    QTest::newRow("two categories")
        << reply({category(QStringLiteral("1"), QStringLiteral("Fruits")),
                  category(QStringLiteral("2"), QStringLiteral("Grains"))})
        << int(S::Loaded) << 2;
    QTest::newRow("empty food_list") << reply({}) << int(S::Loaded) << 0;
    QTest::newRow("no arrays") << QByteArray(R"({"result_code":0})") << int(S::Loaded) << 0;
    QTest::newRow("food_list not an array") << QByteArray(R"({"result_code":0,"food_list":"x"})") << int(S::Loaded) << 0;
    QTest::newRow("category not an object") << QByteArray(R"({"result_code":0,"food_list":[7]})") << int(S::Loaded) << 1;
    QTest::newRow("refused") << reply({category(QStringLiteral("1"), QStringLiteral("Fruits"))}, 3) << int(S::Refused) << 0;
    QTest::newRow("refused as text") << QByteArray(R"({"result_code":"1","food_list":[]})") << int(S::Refused) << 0;
    QTest::newRow("not JSON") << QByteArray("<html>502 Bad Gateway</html>") << int(S::NotJson) << 0;
    QTest::newRow("JSON array") << QByteArray("[1,2]") << int(S::NotJson) << 0;
    QTest::newRow("empty text") << QByteArray() << int(S::NotJson) << 0;
    QTest::newRow("cut short") << reply({category(QStringLiteral("1"), QStringLiteral("Fruits"))}).left(30)
                               << int(S::NotJson) << 0;
}

void TestFoodCatalogue::status()
{
    QFETCH(QByteArray, text);
    QFETCH(int, status);
    QFETCH(int, categories);

    FoodCatalogue catalogue;
    QCOMPARE(int(catalogue.load(QString::fromUtf8(text))), status);
    QCOMPARE(catalogue.categories().size(), categories);
    QCOMPARE(catalogue.entries().size(), categories);
}

void TestFoodCatalogue::foodValues_data()
{
    QTest::addColumn<QJsonObject>("food");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("userId");
    QTest::addColumn<float>("cal");
    QTest::addColumn<float>("halfCal");

    QTest::newRow("text 150") << food(QStringLiteral("31"), QStringLiteral("150")) << 31 << 0 << 150.0f << 75.0f;
    QTest::newRow("fraction") << food(QStringLiteral("4"), QStringLiteral("72.5"), QStringLiteral("9")) << 4 << 9
                              << 72.5f << 36.25f;
    QTest::newRow("id as JSON number") << food(31, QStringLiteral("150")) << 0 << 0 << 150.0f << 75.0f;
    QTest::newRow("cal as JSON number") << food(QStringLiteral("31"), 150) << 31 << 0 << 0.0f << 0.0f;
    QTest::newRow("cal not a number") << food(QStringLiteral("31"), QStringLiteral("lots")) << 31 << 0 << 0.0f << 0.0f;
    QTest::newRow("cal overflows a float") << food(QStringLiteral("31"), QStringLiteral("1e400")) << 31 << 0 << 0.0f
                                           << 0.0f;
    QTest::newRow("cal nan") << food(QStringLiteral("31"), QStringLiteral("nan")) << 31 << 0 << 0.0f << 0.0f;
    QTest::newRow("id beyond 32 bits") << food(QStringLiteral("4294967296"), QStringLiteral("10")) << 0 << 0 << 10.0f
                                       << 5.0f;
    QTest::newRow("id with fraction") << food(QStringLiteral("3.5"), QStringLiteral("10")) << 0 << 0 << 10.0f << 5.0f;
    QTest::newRow("negative id") << food(QStringLiteral("-7"), QStringLiteral("10")) << -7 << 0 << 10.0f << 5.0f;
    QTest::newRow("missing keys") << QJsonObject{} << 0 << 0 << 0.0f << 0.0f;
}

void TestFoodCatalogue::foodValues()
{
    QFETCH(QJsonObject, food);
    QFETCH(int, id);
    QFETCH(int, userId);
    QFETCH(float, cal);
    QFETCH(float, halfCal);

    FoodCatalogue catalogue;
    catalogue.load(QString::fromUtf8(reply({category(QStringLiteral("5"), QStringLiteral("Grains"), {food})})));
    FoodModel* grains = catalogue.category(5);
    QVERIFY(grains);
    QCOMPARE(grains->items.size(), 1);
    const FoodItemModel* item = grains->items.first();
    QCOMPARE(item->id, id);
    QCOMPARE(item->user_id, userId);
    QCOMPARE(item->cal, cal);
    QCOMPARE(item->halfCal, halfCal);
    QCOMPARE(item->kind, 0);
    QCOMPARE(item->otherCal, 0.0f);
    if (food.contains(QStringLiteral("carbs"))) {
        QCOMPARE(item->title, QStringLiteral("Oats"));
        QCOMPARE(item->carbs, 27.0f);
        QCOMPARE(item->fat, 2.5f);
        QCOMPARE(item->protein, 5.0f);
        QCOMPARE(item->fiber, 4.0f);
    } else {
        QCOMPARE(item->title, QString());
    }
}

void TestFoodCatalogue::repeatedCategoryIdsOpenTheLaterCategory()
{
    FoodCatalogue catalogue;
    catalogue.load(QString::fromUtf8(reply({
        category(QStringLiteral("7"), QStringLiteral("First"), {food(QStringLiteral("1"), QStringLiteral("10"))}),
        category(QStringLiteral("2"), QStringLiteral("Other")),
        category(QStringLiteral("7"), QStringLiteral("Second")),
    })));
    QCOMPARE(catalogue.entries().size(), 3);
    QCOMPARE(catalogue.entries().at(0).title, QStringLiteral("First"));
    QCOMPARE(catalogue.entries().at(2).title, QStringLiteral("Second"));
    QCOMPARE(catalogue.categoryIds(), (QList<qint32>{2, 7}));
    QCOMPARE(catalogue.category(7)->title, QStringLiteral("Second"));
    QVERIFY(catalogue.category(7)->items.isEmpty());
    QCOMPARE(catalogue.category(7)->recomended, QStringLiteral("advice for Second"));
}

void TestFoodCatalogue::loadEmptiesTheEarlierCatalogue()
{
    FoodCatalogue catalogue;
    catalogue.load(QString::fromUtf8(reply({category(QStringLiteral("1"), QStringLiteral("Fruits"))})));
    QCOMPARE(catalogue.categories().size(), 1);
    QCOMPARE(catalogue.load(QStringLiteral("{\"result_code\":2}")), FoodCatalogue::Status::Refused);
    QVERIFY(catalogue.isEmpty());
    QVERIFY(catalogue.entries().isEmpty());
}

void TestFoodCatalogue::largeCatalogueKeepsEveryFoodInOrder()
{
    QJsonArray categories;
    const QString longTitle(5000, QLatin1Char('x'));
    for (int c = 0; c < 200; ++c) {
        QJsonArray foods;
        for (int f = 0; f < 50; ++f)
            foods.append(food(QString::number(c * 50 + f), QString::number(f)));
        categories.append(category(QString::number(200 - c), longTitle, foods));
    }
    FoodCatalogue catalogue;
    QCOMPARE(catalogue.load(QString::fromUtf8(reply(categories))), FoodCatalogue::Status::Loaded);
    QCOMPARE(catalogue.categories().size(), 200);
    // The map walks ids upward; the list keeps the reply's order.
    QCOMPARE(catalogue.categoryIds().first(), 1);
    QCOMPARE(catalogue.entries().first().id, 200);
    QCOMPARE(catalogue.category(200)->items.at(49)->id, 49);
    QCOMPARE(catalogue.category(1)->items.at(0)->id, 199 * 50);
    QCOMPARE(catalogue.category(1)->title.size(), 5000);
}

QTEST_GUILESS_MAIN(TestFoodCatalogue)
#include "tst_foodcatalogue.moc"
