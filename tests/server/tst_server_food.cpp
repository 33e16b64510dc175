#include "serverfixture.h"

#include "server/engine/sessions.h"

#include "testenvironment.h"

#include <QJsonArray>
#include <QSqlQuery>
#include <QTimeZone>
#include <QtTest>

// The food catalogue, members' own foods, sample meals and the history.
class TstServerFood final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void catalogueIsLargeAndReadableAsText();
    void memberFoodsAreListedOnlyForTheirOwner();
    void memberIdMustBeAKnownNumber_data();
    void memberIdMustBeAKnownNumber();
    void uploadedFoodComesBackAndCanBeRemoved();
    void catalogueIsBuiltOnAWorker();
    void uploadRefusals_data();
    void uploadRefusals();
    void serviceFoodsCannotBeRemoved_data();
    void serviceFoodsCannotBeRemoved();
    void sampleLists_data();
    void sampleLists();
    void historyListsAMonthNewestFirst();
    void historyRefusesUnknownEmail();
    void historyDetailAddsUpToTheDay();
    void historyDetailRefusals_data();
    void historyDetailRefusals();
    void historyDetailGroupsAreOwnPerDayAndMeal();

private:
    QJsonObject post(const QString& endpoint, const ServerFixture::Fields& fields)
    {
        return m_fixture->post(endpoint, fields);
    }
    QJsonObject uploadFields(const ServerFixture::Fields& changes);

    // Read-only cases share one server; cases that write restart it.
    std::unique_ptr<ServerFixture> m_fixture;
    bool m_dirty = true;
};

namespace {

int code(const QJsonObject& reply)
{
    return reply.value(QStringLiteral("result_code")).toInt(-1);
}

// Every value of an object is a JSON string, except the nested arrays.
bool allStrings(const QJsonObject& object, const QString& except = QString())
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != except && !it.value().isString())
            return false;
    }
    return true;
}

QJsonObject findFood(const QJsonArray& categories, const QString& id)
{
    for (const QJsonValue& category : categories) {
        for (const QJsonValue& food : category.toObject().value(QStringLiteral("calorie_list")).toArray()) {
            if (food.toObject().value(QStringLiteral("id")).toString() == id)
                return food.toObject();
        }
    }
    return {};
}

const ServerFixture::Fields uploadDefaults = {
    {QStringLiteral("user_id"), QStringLiteral("1")},  {QStringLiteral("category_id"), QStringLiteral("2")},
    {QStringLiteral("title"), QStringLiteral("Pickled beets")}, {QStringLiteral("cal"), QStringLiteral("148")},
    {QStringLiteral("carbs"), QStringLiteral("37")},   {QStringLiteral("fat"), QStringLiteral("0")},
    {QStringLiteral("protein"), QStringLiteral("2")},  {QStringLiteral("fiber"), QStringLiteral("6")},
};

} // namespace

void TstServerFood::initTestCase()
{
    TestEnvironment::isolate();
}

void TstServerFood::cleanupTestCase()
{
    m_fixture.reset();
}

void TstServerFood::init()
{
    // Only restart after a case that changed the data.
    if (m_dirty || !m_fixture) {
        m_fixture = std::make_unique<ServerFixture>();
        QVERIFY(m_fixture->start(true));
        m_dirty = false;
    }
    // Every case starts as the demo member.
    QVERIFY(m_fixture->signInAs(1));
    const QString name = QString::fromLatin1(QTest::currentTestFunction());
    m_dirty = name.contains(QStringLiteral("upload"), Qt::CaseInsensitive)
        || name.contains(QStringLiteral("Removed"));
}

QJsonObject TstServerFood::uploadFields(const ServerFixture::Fields& changes)
{
    ServerFixture::Fields fields = uploadDefaults;
    for (const auto& change : changes) {
        for (auto& field : fields) {
            if (field.first == change.first)
                field.second = change.second;
        }
    }
    return post(QStringLiteral("uploadMyCalorie"), fields);
}

void TstServerFood::catalogueIsLargeAndReadableAsText()
{
    const QJsonObject reply = post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), QStringLiteral("1")}});
    QCOMPARE(code(reply), 0);
    const QJsonArray categories = reply.value(QStringLiteral("food_list")).toArray();
    QVERIFY(categories.size() >= 15);
    int foods = 0;
    int previousId = 0;
    for (const QJsonValue& value : categories) {
        const QJsonObject category = value.toObject();
        QVERIFY(allStrings(category, QStringLiteral("calorie_list")));
        const int id = category.value(QStringLiteral("id")).toString().toInt();
        QVERIFY(id > previousId);
        previousId = id;
        QVERIFY(!category.value(QStringLiteral("title")).toString().isEmpty());
        QVERIFY(!category.value(QStringLiteral("recomended")).toString().isEmpty());
        for (const QJsonValue& foodValue : category.value(QStringLiteral("calorie_list")).toArray()) {
            const QJsonObject food = foodValue.toObject();
            QVERIFY2(allStrings(food), qPrintable(food.value(QStringLiteral("title")).toString()));
            bool ok = false;
            const double cal = food.value(QStringLiteral("cal")).toString().toDouble(&ok);
            QVERIFY(ok && cal >= 0 && cal < 1000);
            for (const char* key : {"carbs", "fat", "protein", "fiber"}) {
                const double grams = food.value(QString::fromLatin1(key)).toString().toDouble(&ok);
                QVERIFY(ok && grams >= 0 && grams < 200);
            }
            // Macronutrients cannot hold more energy than the food has
            // (4 kcal/g carbs and protein, 9 kcal/g fat), give or take rounding.
            const double energy = 4 * food.value(QStringLiteral("carbs")).toString().toDouble()
                + 4 * food.value(QStringLiteral("protein")).toString().toDouble()
                + 9 * food.value(QStringLiteral("fat")).toString().toDouble();
            QVERIFY2(energy <= cal * 1.35 + 10, qPrintable(food.value(QStringLiteral("title")).toString()));
            ++foods;
        }
    }
    QVERIFY(foods >= 300);
}

void TstServerFood::memberFoodsAreListedOnlyForTheirOwner()
{
    const auto ownFoods = [this](const QString& userId) {
        QStringList owners;
        const QJsonArray categories =
            post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), userId}}).value(QStringLiteral("food_list")).toArray();
        for (const QJsonValue& category : categories) {
            for (const QJsonValue& food : category.toObject().value(QStringLiteral("calorie_list")).toArray()) {
                const QString owner = food.toObject().value(QStringLiteral("user_id")).toString();
                if (owner != QLatin1String("0"))
                    owners << owner;
            }
        }
        return owners;
    };
    QCOMPARE(ownFoods(QStringLiteral("1")), QStringList{QStringLiteral("1")});
    QVERIFY(m_fixture->signInAs(3));
    QCOMPARE(ownFoods(QStringLiteral("3")), QStringList());
}

void TstServerFood::memberIdMustBeAKnownNumber_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<int>("expected");
    QTest::newRow("absent") << false << QString() << 90;
    QTest::newRow("empty") << true << QString() << 90;
    QTest::newRow("text") << true << QStringLiteral("one") << 90;
    QTest::newRow("decimal") << true << QStringLiteral("1.5") << 90;
    QTest::newRow("too big") << true << QStringLiteral("99999999999999999999") << 90;
    // Nobody's session: refused before the endpoint looks.
    QTest::newRow("unknown") << true << QStringLiteral("999") << Sessions::refusedCode;
    QTest::newRow("zero") << true << QStringLiteral("0") << Sessions::refusedCode;
}

void TstServerFood::memberIdMustBeAKnownNumber()
{
    QFETCH(bool, present);
    QFETCH(QString, userId);
    QFETCH(int, expected);
    ServerFixture::Fields fields;
    if (present)
        fields.append({QStringLiteral("user_id"), userId});
    const QJsonObject reply = post(QStringLiteral("getFoodList"), fields);
    QCOMPARE(code(reply), expected);
    QVERIFY(!reply.contains(QStringLiteral("food_list")));
}

void TstServerFood::uploadedFoodComesBackAndCanBeRemoved()
{
    // The list asked for first is kept: the upload must replace it.
    const QJsonArray before =
        post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), QStringLiteral("1")}}).value(QStringLiteral("food_list")).toArray();
    QVERIFY(!before.isEmpty());
    const QJsonObject upload = uploadFields({});
    QCOMPARE(code(upload), 0);
    QVERIFY(upload.value(QStringLiteral("mycalorie_id")).isDouble());
    const QString id = QString::number(upload.value(QStringLiteral("mycalorie_id")).toInteger());

    const QJsonArray categories =
        post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), QStringLiteral("1")}}).value(QStringLiteral("food_list")).toArray();
    // Listed last in its category, as the tracker appended it.
    const QJsonArray vegetables = categories.at(1).toObject().value(QStringLiteral("calorie_list")).toArray();
    const QJsonObject food = vegetables.last().toObject();
    QCOMPARE(food.value(QStringLiteral("id")).toString(), id);
    QCOMPARE(food.value(QStringLiteral("user_id")).toString(), QStringLiteral("1"));
    QCOMPARE(food.value(QStringLiteral("title")).toString(), QStringLiteral("Pickled beets"));
    QCOMPARE(food.value(QStringLiteral("cal")).toString(), QStringLiteral("148"));
    QCOMPARE(food.value(QStringLiteral("fiber")).toString(), QStringLiteral("6"));

    QCOMPARE(code(post(QStringLiteral("removeMyCalorie"), {{QStringLiteral("mycalorie_id"), id}})), 0);
    QCOMPARE(code(post(QStringLiteral("removeMyCalorie"), {{QStringLiteral("mycalorie_id"), id}})), 1);
    const QJsonArray after =
        post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), QStringLiteral("1")}}).value(QStringLiteral("food_list")).toArray();
    QVERIFY(findFood(after, id).isEmpty());
}

// Building a catalogue reads the database, which is work for a worker, not
// for the thread that serves every connection: with that thread's own
// database connection closed, the first catalogue and the one after a change
// of the member's own foods still come.
void TstServerFood::catalogueIsBuiltOnAWorker()
{
    ServerFixture fresh;
    QVERIFY(fresh.start(true));
    QVERIFY(fresh.signInAs(1));
    QSqlDatabase connections = fresh.context().db;
    connections.close();
    const auto reopen = qScopeGuard([&connections] { connections.open(); });
    const ServerFixture::Fields member = {{QStringLiteral("user_id"), QStringLiteral("1")}};
    QCOMPARE(code(fresh.post(QStringLiteral("getFoodList"), member)), 0);
    QCOMPARE(code(fresh.post(QStringLiteral("uploadMyCalorie"), uploadDefaults)), 0);
    const QJsonObject after = fresh.post(QStringLiteral("getFoodList"), member);
    QCOMPARE(code(after), 0);
    const QJsonArray vegetables =
        after.value(QStringLiteral("food_list")).toArray().at(1).toObject().value(QStringLiteral("calorie_list")).toArray();
    QCOMPARE(vegetables.last().toObject().value(QStringLiteral("title")).toString(), QStringLiteral("Pickled beets"));
}

void TstServerFood::uploadRefusals_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("member not a number") << QStringLiteral("user_id") << QStringLiteral("x") << 90;
    QTest::newRow("another member") << QStringLiteral("user_id") << QStringLiteral("404") << Sessions::refusedCode;
    QTest::newRow("category not a number") << QStringLiteral("category_id") << QStringLiteral("fruit") << 90;
    QTest::newRow("unknown category") << QStringLiteral("category_id") << QStringLiteral("999") << 2;
    QTest::newRow("empty title") << QStringLiteral("title") << QString() << 3;
    QTest::newRow("title too long") << QStringLiteral("title") << QString(201, QLatin1Char('t')) << 3;
    QTest::newRow("calories as text") << QStringLiteral("cal") << QStringLiteral("lots") << 90;
    QTest::newRow("negative fat") << QStringLiteral("fat") << QStringLiteral("-3") << 90;
    QTest::newRow("infinite protein") << QStringLiteral("protein") << QStringLiteral("inf") << 90;
    QTest::newRow("not a number fibre") << QStringLiteral("fiber") << QStringLiteral("nan") << 90;
    QTest::newRow("absurd calories") << QStringLiteral("cal") << QStringLiteral("1e9") << 90;
}

void TstServerFood::uploadRefusals()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, expected);
    QSqlQuery count(m_fixture->context().db);
    QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM foods")) && count.next());
    const qint64 before = count.value(0).toLongLong();
    QCOMPARE(code(uploadFields({{field, value}})), expected);
    QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM foods")) && count.next());
    QCOMPARE(count.value(0).toLongLong(), before);
}

void TstServerFood::serviceFoodsCannotBeRemoved_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("expected");
    QTest::newRow("service food") << QStringLiteral("1") << 1;
    QTest::newRow("unknown") << QStringLiteral("987654") << 1;
    QTest::newRow("not a number") << QStringLiteral("1; DROP TABLE foods") << 90;
}

void TstServerFood::serviceFoodsCannotBeRemoved()
{
    QFETCH(QString, id);
    QFETCH(int, expected);
    QCOMPARE(code(post(QStringLiteral("removeMyCalorie"), {{QStringLiteral("mycalorie_id"), id}})), expected);
    const QJsonArray categories =
        post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), QStringLiteral("1")}}).value(QStringLiteral("food_list")).toArray();
    QVERIFY(!findFood(categories, QStringLiteral("1")).isEmpty());
}

void TstServerFood::sampleLists_data()
{
    QTest::addColumn<QString>("table");
    for (const char* table : {"tb_samplebreakfast", "tb_samplefirstsnack", "tb_samplelunch", "tb_samplesecondsnack",
                              "tb_sampledinner", "tb_samplethirdsnack"})
        QTest::newRow(table) << QString::fromLatin1(table);
}

void TstServerFood::sampleLists()
{
    QFETCH(QString, table);
    const QJsonObject reply = post(QStringLiteral("getSampleList"), {{QStringLiteral("table_name"), table}});
    QCOMPARE(code(reply), 0);
    const QJsonArray samples = reply.value(QStringLiteral("sample_list")).toArray();
    QVERIFY(samples.size() >= 3);
    for (const QJsonValue& sample : samples)
        QVERIFY(!sample.toObject().value(QStringLiteral("title")).toString().isEmpty());
    // Table names are looked up, never put into SQL.
    QCOMPARE(code(post(QStringLiteral("getSampleList"), {{QStringLiteral("table_name"), table + QStringLiteral(" ")}})), 1);
    QCOMPARE(code(post(QStringLiteral("getSampleList"), {{QStringLiteral("table_name"), QStringLiteral("users")}})), 1);
}

void TstServerFood::historyListsAMonthNewestFirst()
{
    const QJsonObject reply = post(QStringLiteral("getHistory"), {{QStringLiteral("email"), QStringLiteral("demo@olva.local")}});
    QCOMPARE(code(reply), 0);
    const QJsonArray days = reply.value(QStringLiteral("history_info")).toArray();
    QCOMPARE(days.size(), 30);
    qint64 previous = std::numeric_limits<qint64>::max();
    for (const QJsonValue& value : days) {
        const QJsonObject day = value.toObject();
        QVERIFY(allStrings(day));
        for (const char* key : {"id", "date", "total", "remain", "score", "grade", "breakfast", "lunch", "dinner",
                                "firstsnack", "secondsnack", "thirdsnack"})
            QVERIFY2(day.contains(QString::fromLatin1(key)), key);
        bool ok = false;
        const qint64 date = day.value(QStringLiteral("date")).toString().toLongLong(&ok);
        QVERIFY(ok);
        QVERIFY(date < previous);
        previous = date;
        // Noon UTC: the same calendar day in local time almost everywhere.
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(date, QTimeZone::utc()).time(), QTime(12, 0));
        const QTimeZone newYork(QByteArrayLiteral("America/New_York"));
        if (newYork.isValid()) {
            QCOMPARE(QDateTime::fromMSecsSinceEpoch(date, newYork).date(),
                     QDateTime::fromMSecsSinceEpoch(date, QTimeZone::utc()).date());
        }
        const double total = day.value(QStringLiteral("total")).toString().toDouble();
        const double remain = day.value(QStringLiteral("remain")).toString().toDouble();
        QCOMPARE(total + remain, 1800.0);
        QVERIFY(QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                             QStringLiteral("F"), QStringLiteral("0")})
                    .contains(day.value(QStringLiteral("grade")).toString()));
    }
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(days.first().toObject().value(QStringLiteral("date")).toString().toLongLong(),
                                            QTimeZone::utc()).date(),
             QDate::currentDate().addDays(-1));
}

void TstServerFood::historyRefusesUnknownEmail()
{
    QCOMPARE(code(post(QStringLiteral("getHistory"), {{QStringLiteral("email"), QStringLiteral("x@olva.local")}})), 1);
    QCOMPARE(code(post(QStringLiteral("getHistory"), {})), 1);
    // A member without history gets an empty list.
    QVERIFY(m_fixture->signInAs(3));
    const QJsonObject reply = post(QStringLiteral("getHistory"), {{QStringLiteral("email"), QStringLiteral("maya.lindqvist@olva.local")}});
    QCOMPARE(code(reply), 0);
    QVERIFY(reply.value(QStringLiteral("history_info")).toArray().isEmpty());
}

void TstServerFood::historyDetailAddsUpToTheDay()
{
    const QJsonArray days =
        post(QStringLiteral("getHistory"), {{QStringLiteral("email"), QStringLiteral("demo@olva.local")}}).value(QStringLiteral("history_info")).toArray();
    const QJsonObject day = days.at(3).toObject();
    for (const char* meal : {"breakfast", "firstsnack", "lunch", "secondsnack", "dinner", "thirdsnack"}) {
        const QJsonObject reply = post(QStringLiteral("getHistoryDetail"),
                                       {{QStringLiteral("history_id"), day.value(QStringLiteral("id")).toString()},
                                        {QStringLiteral("meal_type"), QString::fromLatin1(meal)}});
        QCOMPARE(code(reply), 0);
        double sum = 0;
        QSet<QString> types;
        for (const QJsonValue& groupValue : reply.value(QStringLiteral("historydetail_info")).toArray()) {
            const QJsonObject group = groupValue.toObject();
            QVERIFY(group.value(QStringLiteral("id")).isString());
            QVERIFY(!group.value(QStringLiteral("food_type")).toString().isEmpty());
            QVERIFY(!types.contains(group.value(QStringLiteral("id")).toString())); // one group per type
            types.insert(group.value(QStringLiteral("id")).toString());
            for (const QJsonValue& item : group.value(QStringLiteral("categories")).toArray()) {
                QVERIFY(allStrings(item.toObject()));
                sum += item.toObject().value(QStringLiteral("cal")).toString().toDouble();
            }
        }
        QVERIFY2(qAbs(sum - day.value(QString::fromLatin1(meal)).toString().toDouble()) <= 1.0, meal);
    }
}

void TstServerFood::historyDetailRefusals_data()
{
    QTest::addColumn<QString>("historyId");
    QTest::addColumn<QString>("mealType");
    QTest::addColumn<int>("expected");
    QTest::newRow("unknown day") << QStringLiteral("99999") << QStringLiteral("lunch") << 1;
    QTest::newRow("day not a number") << QStringLiteral("x") << QStringLiteral("lunch") << 90;
    QTest::newRow("unknown meal") << QStringLiteral("1") << QStringLiteral("brunch") << 2;
    QTest::newRow("meal in capitals") << QStringLiteral("1") << QStringLiteral("Lunch") << 2;
}

void TstServerFood::historyDetailRefusals()
{
    QFETCH(QString, historyId);
    QFETCH(QString, mealType);
    QFETCH(int, expected);
    const QJsonObject reply = post(QStringLiteral("getHistoryDetail"), {{QStringLiteral("history_id"), historyId},
                                                                        {QStringLiteral("meal_type"), mealType}});
    QCOMPARE(code(reply), expected);
    QVERIFY(!reply.contains(QStringLiteral("historydetail_info")));
}

void TstServerFood::historyDetailGroupsAreOwnPerDayAndMeal()
{
    // A client keeps groups by id: one food type eaten at lunch and at
    // dinner, or on two days, must not share one.
    const QJsonArray days = post(QStringLiteral("getHistory"), {{QStringLiteral("email"), QStringLiteral("demo@olva.local")}})
                                .value(QStringLiteral("history_info")).toArray();
    QVERIFY(days.size() >= 7);
    QHash<QString, QString> seen; // group id -> where it was seen
    QHash<QString, int> typeCount; // food type -> groups of it
    for (qsizetype d = 0; d < 7; ++d) {
        const QString historyId = days.at(d).toObject().value(QStringLiteral("id")).toString();
        for (const char* meal : {"breakfast", "firstsnack", "lunch", "secondsnack", "dinner", "thirdsnack"}) {
            const QJsonObject reply = post(QStringLiteral("getHistoryDetail"),
                                           {{QStringLiteral("history_id"), historyId},
                                            {QStringLiteral("meal_type"), QString::fromLatin1(meal)}});
            QCOMPARE(code(reply), 0);
            for (const QJsonValue& value : reply.value(QStringLiteral("historydetail_info")).toArray()) {
                const QJsonObject group = value.toObject();
                const QString id = group.value(QStringLiteral("id")).toString();
                const QString where = historyId + QLatin1Char('/') + QString::fromLatin1(meal);
                QVERIFY2(!seen.contains(id), qPrintable(id + QStringLiteral(" in ") + where + QStringLiteral(" and ")
                                                        + seen.value(id)));
                seen.insert(id, where);
                ++typeCount[group.value(QStringLiteral("food_type")).toString()];
            }
        }
    }
    // The week does have food types in more than one meal.
    QVERIFY(std::any_of(typeCount.cbegin(), typeCount.cend(), [](int count) { return count > 1; }));
}

QTEST_MAIN(TstServerFood)
#include "tst_server_food.moc"
