#include "app/accountstate.h"
#include "app/server.h"
#include "fakeserver.h"
#include "servicefault.h"
#include "main/cqwndhistory.h"
#include "main/cqwndhistorydetails.h"
#include "main/cqwndloading.h"
#include "main/historymodel.h"
#include "main/mainwindow.h"
#include "main/subwindowfactory.h"
#include "testenvironment.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialsnackbar.h"

#include <QLabel>
#include <QListView>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <ctime>
#include <memory>

namespace {

const QString detailPath = QStringLiteral("/api/getHistoryDetail");
const QString failure = QStringLiteral("The history could not be loaded.");

QByteArray dataFile(const char* name)
{
    QFile file(QStringLiteral(OLVA_TEST_DATA_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject foodType(int id, const QString& title, int foods, const QString& prefix = QStringLiteral("Food"))
{
    QJsonArray items;
    for (int i = 0; i < foods; ++i) {
        items.append(QJsonObject{{"title", QStringLiteral("%1 %2").arg(prefix).arg(i)}, {"cal", "120.26"},
                                 {"carbs", "10"}, {"fat", "x"}, {"protein", "3.45"}, {"fiber", "1"}});
    }
    return QJsonObject{{"id", QString::number(id)}, {"food_type", title}, {"categories", items}};
}

QByteArray detailReply(const QList<QJsonObject>& types)
{
    QJsonArray array;
    for (const QJsonObject& type : types)
        array.append(type);
    return QJsonDocument(QJsonObject{{"result_code", 0}, {"historydetail_info", array}}).toJson();
}

} // namespace

class TestCqWndHistoryDetails final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void summary_data();
    void summary();
    void pickingAMeal();
    void groupsFoldOut();
    void eachMealShowsItsOwnFoods();
    void earlierReplyIsDropped();
    void stallIsToldOnce();
    void emptyReplyHidesEverything();
    void columnWidthsFollowWidth_data();
    void columnWidthsFollowWidth();
    void faults_data();
    void faults();
    void demoDayLikeAMember();
    void replacedWindowIsDeleted();

private:
    CqWndHistoryDetails* openDetails(HistoryModel* record);
    // The group of food type `id` built for `meal` (its meal_type).
    QPushButton* group(CqWndHistoryDetails* window, const char* meal, int id) const;
    QTableWidget* tableOf(CqWndHistoryDetails* window, QPushButton* button) const;
    void pick(CqWndHistoryDetails* window, const char* entry);

    FakeServer m_server;
    std::unique_ptr<MainWindow> m_main;
    HistoryModel m_day;
};

void TestCqWndHistoryDetails::initTestCase()
{
    qputenv("TZ", "UTC");
    tzset();
    // Figures as an American member reads them, thousands grouped.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    // Long enough for a loaded machine to answer locally, short for the stall.
    qputenv("OLVA_REPLY_TIMEOUT_MS", "1500");
    // A stalled request is given up soon after the window stops waiting.
    qputenv("OLVA_TRANSFER_TIMEOUT_MS", "3000");
    TestEnvironment::isolate();
    QVERIFY(m_server.isListening());
    loadingWindow = new CqWndLoading;
}

void TestCqWndHistoryDetails::init()
{
    TestEnvironment::resetAccount();
    m_server.clear();
    m_server.useAsApiHost();
    for (int kind = 0; kind < SubWindowKind::Count; ++kind)
        SubWindowFactory::unregisterKind(kind);
    registerFeatureWindows();
    // The workout store opens on the main window's first paint; these tests
    // look at the planner's windows alone.
    SubWindowFactory::unregisterKind(SubWindowKind::StoreWorkout);
    m_main = std::make_unique<MainWindow>();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_day.id = 41;
    m_day.date = QDateTime(QDate(2024, 3, 5), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch();
    m_day.total = "1377";
    m_day.remain = "123";
    m_day.score = "91.8";
    m_day.grade = "C";
    m_day.breakfast = "300.4";
    m_day.firstsnack = "150.5";
    m_day.lunch = "";
    m_day.secondsnack = "abc";
    m_day.dinner = "-20.7";
    m_day.thirdsnack = "99";
}

void TestCqWndHistoryDetails::cleanup()
{
    TestEnvironment::closeModals();
    m_main.reset();
}

CqWndHistoryDetails* TestCqWndHistoryDetails::openDetails(HistoryModel* record)
{
    m_main->showHistoryDetails(record);
    QMdiSubWindow* sub = m_main->findChild<QMdiArea*>()->activeSubWindow();
    return sub ? qobject_cast<CqWndHistoryDetails*>(sub->widget()) : nullptr;
}

QPushButton* TestCqWndHistoryDetails::group(CqWndHistoryDetails* window, const char* meal, int id) const
{
    return window->findChild<QPushButton*>(QStringLiteral("group_%1_%2").arg(QLatin1String(meal)).arg(id));
}

QTableWidget* TestCqWndHistoryDetails::tableOf(CqWndHistoryDetails* window, QPushButton* button) const
{
    // The table follows its button and column-header row in the layout.
    QLayout* layout = window->findChild<QWidget*>("widgetDetails")->layout();
    const int index = layout->indexOf(button);
    return index < 0 ? nullptr : qobject_cast<QTableWidget*>(layout->itemAt(index + 2)->widget());
}

void TestCqWndHistoryDetails::pick(CqWndHistoryDetails* window, const char* entry)
{
    window->findChild<QPushButton*>("btnCategory")->click();
    QTest::mouseClick(window->findChild<MyWidget*>(entry), Qt::LeftButton);
}

void TestCqWndHistoryDetails::summary_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");

    QTest::newRow("date") << "lblDate" << "March 05 2024";
    QTest::newRow("total") << "lblTotal"
                           << "1,377";
    QTest::newRow("remain") << "lblRemain" << "123";
    QTest::newRow("score 91.8 rounds") << "lblScore" << "92";
    QTest::newRow("grade as sent") << "lblGrade" << "C";
    QTest::newRow("breakfast") << "lblBreakScore" << "300";
    QTest::newRow("first snack rounds half up") << "lblFirstScore" << "151";
    QTest::newRow("empty lunch") << "lblLunchScore" << "0";
    QTest::newRow("text second snack") << "lblSecondScore" << "0";
    QTest::newRow("negative dinner") << "lblDinnerScore" << "-21";
    QTest::newRow("third snack") << "lblThirdScore" << "99";
}

void TestCqWndHistoryDetails::summary()
{
    QFETCH(QString, label);
    QFETCH(QString, text);
    CqWndHistoryDetails* window = openDetails(&m_day);
    QVERIFY(window);
    QCOMPARE(window->findChild<QLabel*>(label)->text(), text);
    // Opens with the picker closed and no meal picked.
    QVERIFY(window->findChild<QWidget*>("widgetCategory")->isHidden());
    QCOMPARE(window->findChild<QPushButton*>("btnCategory")->text(), "View each meal");
    for (const char* check : {"lblBreakCheck", "lblFirstCheck", "lblLunchCheck", "lblSecondCheck", "lblDinnerCheck",
                              "lblThirdCheck"})
        QVERIFY(window->findChild<QLabel*>(check)->isHidden());
    QCOMPARE(m_server.requestCount(detailPath), 0);
}

void TestCqWndHistoryDetails::pickingAMeal()
{
    CqWndHistoryDetails* window = openDetails(&m_day);
    auto* category = window->findChild<QPushButton*>("btnCategory");
    category->click();
    QVERIFY(category->isChecked());
    QVERIFY(!window->findChild<QWidget*>("widgetCategory")->isHidden());

    QTest::mouseClick(window->findChild<MyWidget*>("widgetCategoryLunch"), Qt::LeftButton);
    QVERIFY(!category->isChecked());
    QVERIFY(window->findChild<QWidget*>("widgetCategory")->isHidden());
    QCOMPARE(category->text(), "Lunch");
    QVERIFY(window->findChild<QLabel*>("lblLunch")->styleSheet().contains("yellow"));
    QVERIFY(!window->findChild<QLabel*>("lblLunchCheck")->isHidden());
    QVERIFY(window->findChild<QLabel*>("lblBreakCheck")->isHidden());

    QVERIFY(m_server.waitForRequests(detailPath, 1));
    const FakeServer::Request request = m_server.lastRequest(detailPath);
    QCOMPARE(request.body, "history_id=41&meal_type=lunch");

    // Picking another meal moves the mark.
    pick(window, "widgetCategoryThird");
    QCOMPARE(category->text(), "Third Snack");
    QVERIFY(!window->findChild<QLabel*>("lblLunch")->styleSheet().contains("yellow"));
    QVERIFY(window->findChild<QLabel*>("lblLunchCheck")->isHidden());
    QVERIFY(!window->findChild<QLabel*>("lblThirdCheck")->isHidden());
    QVERIFY(m_server.waitForRequests(detailPath, 2));
    QCOMPARE(m_server.lastRequest(detailPath).field("meal_type"), "thirdsnack");
}

void TestCqWndHistoryDetails::groupsFoldOut()
{
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Cereals", 3), foodType(9, "Drinks", 0)}));
    CqWndHistoryDetails* window = openDetails(&m_day);
    pick(window, "widgetCategoryBreak");
    QTRY_VERIFY(group(window, "breakfast", 9));

    QPushButton* cereals = group(window, "breakfast", 5);
    QCOMPARE(cereals->text(), "Cereals");
    QVERIFY(!cereals->isHidden());
    QVERIFY(!cereals->isChecked());
    QTableWidget* table = tableOf(window, cereals);
    QVERIFY(table);
    QVERIFY(table->isHidden());
    QCOMPARE(table->height(), 152);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(0, 0)->text(), "Food 0");
    QCOMPARE(table->item(0, 1)->text(), "120.3");
    QCOMPARE(table->item(0, 2)->text(), "10.0");
    QCOMPARE(table->item(0, 3)->text(), "0.0"); // not a number
    QCOMPARE(table->item(0, 4)->text(), "3.5");
    QCOMPARE(table->item(0, 5)->text(), "1.0");
    QVERIFY(!(table->item(0, 0)->flags() & Qt::ItemIsEditable));
    QCOMPARE(tableOf(window, group(window, "breakfast", 9))->height(), 2);

    cereals->click();
    QVERIFY(!table->isHidden());
    cereals->click();
    QVERIFY(table->isHidden());
}

void TestCqWndHistoryDetails::eachMealShowsItsOwnFoods()
{
    // Breakfast and the second snack both have fruit (food type 5).
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Fruit", 3, "Apple")}));
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Fruit", 1, "Banana")}));
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Fruit", 8, "Pear")}));
    CqWndHistoryDetails* window = openDetails(&m_day);

    pick(window, "widgetCategoryBreak");
    QTRY_VERIFY(group(window, "breakfast", 5));
    QPushButton* breakfastFruit = group(window, "breakfast", 5);
    breakfastFruit->click(); // folded out before the member switches meals

    pick(window, "widgetCategorySecond");
    QTRY_VERIFY(group(window, "secondsnack", 5));
    QPushButton* snackFruit = group(window, "secondsnack", 5);
    QVERIFY(snackFruit != breakfastFruit);
    QVERIFY(breakfastFruit->isHidden());
    QVERIFY(tableOf(window, breakfastFruit)->isHidden());
    QVERIFY(!snackFruit->isHidden());
    QTableWidget* snackTable = tableOf(window, snackFruit);
    QCOMPARE(snackTable->rowCount(), 1);
    QCOMPARE(snackTable->item(0, 0)->text(), "Banana 0");

    // The same meal again: its group, with the rows it was built with, folded in.
    pick(window, "widgetCategoryBreak");
    QTRY_VERIFY(!breakfastFruit->isHidden());
    QVERIFY(snackFruit->isHidden());
    QCOMPARE(window->findChildren<QPushButton*>("group_breakfast_5").size(), 1);
    QVERIFY(!breakfastFruit->isChecked());
    QTableWidget* table = tableOf(window, breakfastFruit);
    QVERIFY(table->isHidden());
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(2, 0)->text(), "Apple 2");
}

void TestCqWndHistoryDetails::earlierReplyIsDropped()
{
    // Breakfast answers after lunch has been picked, and before lunch's own
    // reply: its foods must not show under "Lunch".
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Cereals", 3)}), 500);
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(7, "Fish", 2)}), 900);
    CqWndHistoryDetails* window = openDetails(&m_day);
    pick(window, "widgetCategoryBreak");
    QVERIFY(m_server.waitForRequests(detailPath, 1));
    pick(window, "widgetCategoryLunch");
    QVERIFY(m_server.waitForRequests(detailPath, 2));

    QTRY_VERIFY_WITH_TIMEOUT(group(window, "lunch", 7), 5000);
    QVERIFY(!group(window, "lunch", 7)->isHidden());
    QCOMPARE(window->findChild<QPushButton*>("btnCategory")->text(), "Lunch");
    for (QPushButton* button : window->findChild<QWidget*>("widgetDetails")->findChildren<QPushButton*>())
        QVERIFY2(button->text() != "Cereals", "breakfast's reply was shown");
    QVERIFY(m_main->messageBar()->messages().isEmpty());
}

void TestCqWndHistoryDetails::stallIsToldOnce()
{
    m_server.enqueue(detailPath, FakeServer::Reply::hang());
    CqWndHistoryDetails* window = openDetails(&m_day);
    QtMaterialSnackbar* bar = m_main->messageBar();
    QSignalSpy hidden(bar, &QtMaterialSnackbar::messageHidden);
    pick(window, "widgetCategoryBreak");
    QVERIFY(m_server.waitForRequests(detailPath, 1));
    auto* server = window->findChild<Server*>();
    QVERIFY(server);
    QSignalSpy gaveUp(server, SIGNAL(sig_net_error(QString)));

    // The wait ends first, then the connection is given up: one failure.
    QTRY_COMPARE_WITH_TIMEOUT(bar->messages(), QStringList{failure}, 5000);
    QVERIFY(gaveUp.wait(10000));
    QCoreApplication::processEvents();
    int told = int(bar->messages().count(failure));
    for (const QList<QVariant>& message : std::as_const(hidden))
        told += message.at(0).toString() == failure ? 1 : 0;
    QCOMPARE(told, 1);
}

void TestCqWndHistoryDetails::emptyReplyHidesEverything()
{
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Cereals", 3)}));
    m_server.enqueueJson("getHistoryDetail", detailReply({}));
    CqWndHistoryDetails* window = openDetails(&m_day);
    pick(window, "widgetCategoryBreak");
    QTRY_VERIFY(group(window, "breakfast", 5));
    pick(window, "widgetCategoryFirst");
    QTRY_VERIFY(group(window, "breakfast", 5)->isHidden());
    QVERIFY(m_main->messageBar()->messages().isEmpty());
}

void TestCqWndHistoryDetails::columnWidthsFollowWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("1500") << 1500 << QList<int>{482, 200, 200, 200, 200};
    QTest::newRow("1000") << 1000 << QList<int>{312, 132, 132, 132, 132};
}

void TestCqWndHistoryDetails::columnWidthsFollowWidth()
{
    QFETCH(int, width);
    QFETCH(QList<int>, widths);
    QCOMPARE(CqWndHistoryDetails::columnWidths(width), widths);

    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Cereals", 3)}));
    CqWndHistoryDetails window(&m_day);
    window.resize(800, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    pick(&window, "widgetCategoryBreak");
    QTRY_VERIFY(group(&window, "breakfast", 5));
    window.resize(width, 700);
    QTableWidget* table = tableOf(&window, group(&window, "breakfast", 5));
    for (int column = 0; column < 5; ++column)
        QCOMPARE(table->columnWidth(column), widths.at(column));
}

void TestCqWndHistoryDetails::faults_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("refused") << "refused";
    QTest::newRow("HTTP 500") << "500";
    QTest::newRow("not JSON") << "text";
    QTest::newRow("unknown day") << "code";
    QTest::newRow("no array") << "noarray";
    QTest::newRow("stall") << "stall";
}

void TestCqWndHistoryDetails::faults()
{
    QFETCH(QString, kind);
    m_server.enqueueJson("getHistoryDetail", detailReply({foodType(5, "Cereals", 3)}));
    CqWndHistoryDetails* window = openDetails(&m_day);
    pick(window, "widgetCategoryBreak");
    QTRY_VERIFY(group(window, "breakfast", 5));

    if (kind == "refused")
        qputenv("OLVA_API_HOST", QByteArray("127.0.0.1:") + QByteArray::number(ServiceFault::closedPort()));
    else if (kind == "500")
        m_server.enqueue(detailPath, FakeServer::Reply::error(500));
    else if (kind == "text")
        m_server.enqueue(detailPath, FakeServer::Reply::json("not json at all"));
    else if (kind == "code")
        m_server.enqueueJson("getHistoryDetail", R"({"result_code":1,"message":"Unknown day"})");
    else if (kind == "noarray")
        m_server.enqueueJson("getHistoryDetail", R"({"result_code":0,"historydetail_info":7})");
    else
        m_server.enqueue(detailPath, FakeServer::Reply::hang());

    pick(window, "widgetCategoryLunch");
    if (kind == "noarray") {
        // A success with no food types: the meal had none.
        QTRY_VERIFY(group(window, "breakfast", 5)->isHidden());
        QVERIFY(m_main->messageBar()->messages().isEmpty());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(m_main->messageBar()->messages(), QStringList{failure}, 5000);
        // What was on show stays.
        QVERIFY(!group(window, "breakfast", 5)->isHidden());
    }
    QCOMPARE(window->findChild<QPushButton*>("btnCategory")->text(), "Lunch");
    window->findChild<QPushButton*>("btnCategory")->click();
    QVERIFY(!window->findChild<QWidget*>("widgetCategory")->isHidden());
}

void TestCqWndHistoryDetails::demoDayLikeAMember()
{
    // Recorded from olva-server --demo: the list, then one day's lunch.
    m_server.enqueueJson("getHistory", dataFile("history_demo.json"));
    m_server.enqueueJson("getHistoryDetail", dataFile("historydetail_demo.json"));
    m_main->showHistory();
    auto* history = qobject_cast<CqWndHistory*>(m_main->findChild<QMdiArea*>()->activeSubWindow()->widget());
    QVERIFY(history);
    QTRY_VERIFY(!history->records().empty());
    auto* rows = history->findChild<QListView*>("lstHistory");
    QVERIFY(rows);
    const QModelIndex firstRow = rows->model()->index(0, 0);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualRect(firstRow).center());
    auto* window = qobject_cast<CqWndHistoryDetails*>(m_main->findChild<QMdiArea*>()->activeSubWindow()->widget());
    QVERIFY(window);
    QCOMPARE(window->findChild<QLabel*>("lblDate")->text(), firstRow.data().toString());

    pick(window, "widgetCategoryLunch");
    const QJsonArray types =
        QJsonDocument::fromJson(dataFile("historydetail_demo.json")).object().value("historydetail_info").toArray();
    QVERIFY(!types.isEmpty());
    const QJsonObject firstType = types.at(0).toObject();
    QTRY_VERIFY(group(window, "lunch", firstType.value("id").toString().toInt()));
    QPushButton* button = group(window, "lunch", firstType.value("id").toString().toInt());
    QCOMPARE(button->text(), firstType.value("food_type").toString());
    button->click();
    QTableWidget* table = tableOf(window, button);
    QVERIFY(!table->isHidden());
    QCOMPARE(table->rowCount(), firstType.value("categories").toArray().size());

    // Back to the list, and home.
    window->findChild<QPushButton*>("btnBack")->click();
    QCOMPARE(m_main->findChild<QMdiArea*>()->activeSubWindow()->widget(), history);
}

void TestCqWndHistoryDetails::replacedWindowIsDeleted()
{
    QPointer<CqWndHistoryDetails> first = openDetails(&m_day);
    QVERIFY(first);
    HistoryModel other;
    other.id = 42;
    QPointer<CqWndHistoryDetails> second = openDetails(&other);
    QVERIFY(second);
    QTRY_VERIFY(!first);
    QCOMPARE(m_main->findChild<QMdiArea*>()->subWindowList().size(), 1);
}

QTEST_MAIN(TestCqWndHistoryDetails)
#include "tst_cqwndhistorydetails.moc"
