#include "tracker/cqwndtracker.h"
#include "tracker/dayarchive.h"
#include "tracker/dayclock.h"
#include "tracker/dayrollover.h"
#include "tracker/daystore.h"
#include "tracker/foodcatalogue.h"
#include "tracker/foodmodel.h"
#include "tracker/foodnumbers.h"
#include "tracker/foodtablemodel.h"
#include "tracker/searchresultsmodel.h"

#include "app/accountstate.h"
#include "app/settingsstore.h"
#include "main/mainwindow.h"
#include "widgets/mywidget.h"
#include "widgets/qtmaterialraisedbutton.h"
#include "widgets/qtmaterialsnackbar.h"

#include "demosession.h"
#include "testenvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

// As a real double click arrives: press, release, then the double click on
// the same spot (QTest::mouseDClick alone sends only the last).
void doubleClick(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    QTest::mousePress(widget, button, modifiers, pos);
    QTest::mouseRelease(widget, button, modifiers, pos);
    QTest::mouseDClick(widget, button, modifiers, pos);
    QTest::mouseRelease(widget, button, modifiers, pos);
}

} // namespace

// The demo member tracks two meals against olva-server's demo catalogue:
// opens breakfast, marks foods by half cup, cup and a typed amount, saves,
// reopens and finds them again; adds and deletes a food of their own; then
// lunch, and the day's figures add up.
class TestTrackerDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void breakfastAndLunch();
    void ownFoodGoesToTheServerAndBack();
    void refusedCatalogueKeepsTrackerUsable();
    void searchThenCopyYesterdaysBreakfast();

private:
    std::unique_ptr<CqWndTracker> open(int meal);
    MyWidget* firstEntry(CqWndTracker& window) const;
    // False when the catalogue never came (a refused session, say).
    bool openFirstCategory(CqWndTracker& window);
    void click(CqWndTracker& window, int row, int column);
    QList<QString> serverFoodTitles(const QString& categoryId);

    ServerFixture m_server;
};

void TestTrackerDemo::initTestCase()
{
    TestEnvironment::isolate();
    // Figures as plain digits, whatever the machine's language groups them by.
    QLocale::setDefault(QLocale::c());
    m_server.setSessionFollowsUserId(true); // its own checks of what the server keeps
    QVERIFY(m_server.start(true));
    qputenv("OLVA_API_HOST", QStringLiteral("127.0.0.1:%1").arg(m_server.port()).toLatin1());
    currentEmail = QStringLiteral("demo@olva.local");
    QVERIFY(signInClientAs(m_server, 1));
    DayStore::setDailyTarget(1800);
    QVERIFY(MainWindow::instance());
}

std::unique_ptr<CqWndTracker> TestTrackerDemo::open(int meal)
{
    auto window = std::make_unique<CqWndTracker>(meal);
    window->resize(1400, 900);
    window->show();
    return window;
}

MyWidget* TestTrackerDemo::firstEntry(CqWndTracker& window) const
{
    const QList<MyWidget*> entries = window.findChildren<MyWidget*>();
    return entries.isEmpty() ? nullptr : entries.first();
}

bool TestTrackerDemo::openFirstCategory(CqWndTracker& window)
{
    // Not QTRY_VERIFY: its failure would only leave this helper, and the
    // caller would go on with no category entry to click.
    QElapsedTimer waited;
    waited.start();
    while (!firstEntry(window) && waited.elapsed() < 15000)
        QTest::qWait(20);
    if (!firstEntry(window))
        return false;
    QTest::mouseClick(window.findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory")), Qt::LeftButton);
    QTest::mouseClick(firstEntry(window), Qt::LeftButton);
    return window.findChild<QWidget*>(QStringLiteral("widgetDetails"))->isVisible();
}

void TestTrackerDemo::click(CqWndTracker& window, int row, int column)
{
    auto* table = window.findChild<QTableView*>(QStringLiteral("tblDetail"));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(table->model()->index(row, column)).center());
}

void TestTrackerDemo::breakfastAndLunch()
{
    auto breakfast = open(0);
    QVERIFY(openFirstCategory(*breakfast));
    const qint32 id = firstEntry(*breakfast)->property("categoryId").toInt();
    const FoodModel* category = breakfast->catalogue().category(id);
    QVERIFY(category);
    QVERIFY(category->items.size() >= 3);
    // Copies: the window and its catalogue go when it closes.
    const QString firstTitle = category->items.at(0)->title;
    const float firstHalfCup = category->items.at(0)->halfCal;
    const float secondCup = category->items.at(1)->cal;
    const qint32 thirdId = category->items.at(2)->id;
    click(*breakfast, 0, FoodTableModel::HalfCup);
    click(*breakfast, 1, FoodTableModel::Cup);
    auto* table = breakfast->findChild<QTableView*>(QStringLiteral("tblDetail"));
    click(*breakfast, 2, FoodTableModel::Other);
    QLineEdit* editor = nullptr;
    QTRY_VERIFY((editor = table->viewport()->findChild<QLineEdit*>()));
    QTest::keyClicks(editor, QStringLiteral("55"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(table->model()->index(2, 3).data(FoodTableModel::markRole).toBool());
    QTest::mouseClick(breakfast->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);

    const int expected = FoodNumbers::wholePart(firstHalfCup) + FoodNumbers::wholePart(secondCup) + 55;
    QCOMPARE(breakfast->findChild<QLabel*>(QStringLiteral("lblMealCalories"))->text(), QString::number(expected));
    QCOMPARE(DayStore::entries(0, id).size(), 3);
    QCOMPARE(DayStore::entries(0, id).at(2).text, QStringLiteral("%1:55:2").arg(thirdId));
    breakfast.reset();

    // Reopened: the block lists the three foods, the table is marked again.
    breakfast = open(0);
    QTRY_VERIFY_WITH_TIMEOUT(breakfast->findChild<QTableWidget*>(QStringLiteral("tblSelectItem_%1").arg(id)), 15000);
    auto* chosen = breakfast->findChild<QTableWidget*>(QStringLiteral("tblSelectItem_%1").arg(id));
    QCOMPARE(chosen->rowCount(), 3);
    QCOMPARE(chosen->item(0, 0)->text(), firstTitle);
    QCOMPARE(chosen->item(2, 1)->text(), QStringLiteral("55"));
    QVERIFY(openFirstCategory(*breakfast));
    table = breakfast->findChild<QTableView*>(QStringLiteral("tblDetail"));
    QVERIFY(table->model()->index(0, 1).data(FoodTableModel::markRole).toBool());
    QVERIFY(table->model()->index(1, 2).data(FoodTableModel::markRole).toBool());
    QVERIFY(table->model()->index(2, 3).data(FoodTableModel::markRole).toBool());
    breakfast.reset();

    // Lunch: one cup of the second food.
    auto lunch = open(2);
    QVERIFY(openFirstCategory(*lunch));
    click(*lunch, 1, FoodTableModel::Cup);
    QTest::mouseClick(lunch->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    const int lunchCalories = FoodNumbers::wholePart(secondCup);
    QCOMPARE(DayStore::mealCalories(2), lunchCalories);
    QCOMPARE(lunch->findChild<QLabel*>(QStringLiteral("lblRemaining"))->text(),
             QString::number(1800 - expected - lunchCalories));
    QCOMPARE(DayStore::remainingCalories(), 1800 - expected - lunchCalories);
}

QList<QString> TestTrackerDemo::serverFoodTitles(const QString& categoryId)
{
    QList<QString> titles;
    const QJsonArray list = m_server.post(QStringLiteral("getFoodList"), {{QStringLiteral("user_id"), currentUserId}})
                                .value(QStringLiteral("food_list"))
                                .toArray();
    for (const QJsonValue& category : list) {
        if (category.toObject().value(QStringLiteral("id")).toString() != categoryId)
            continue;
        for (const QJsonValue& food : category.toObject().value(QStringLiteral("calorie_list")).toArray())
            titles.append(food.toObject().value(QStringLiteral("title")).toString());
    }
    return titles;
}

void TestTrackerDemo::ownFoodGoesToTheServerAndBack()
{
    auto dinner = open(4);
    QVERIFY(openFirstCategory(*dinner));
    const QString categoryId = QString::number(firstEntry(*dinner)->property("categoryId").toInt());
    auto* table = dinner->findChild<QTableView*>(QStringLiteral("tblDetail"));
    const int rows = table->model()->rowCount();

    const QList<QPair<QString, QString>> typed{{"edtName", "Grandma's soup"}, {"edtCal", "180"}, {"edtCarbs", "20"},
                                               {"edtFat", "6"},  {"edtProtein", "9"},  {"edtFiber", "3"}};
    for (const auto& [name, text] : typed)
        QTest::keyClicks(dinner->findChild<QLineEdit*>(name), text);
    QTest::mouseClick(dinner->findChild<QPushButton*>(QStringLiteral("btnAdd")), Qt::LeftButton);
    QCOMPARE(table->model()->rowCount(), rows + 1);
    const FoodModel* category = dinner->catalogue().category(categoryId.toInt());
    QTRY_VERIFY_WITH_TIMEOUT(category->items.last()->id != 0, 10000);
    QVERIFY(serverFoodTitles(categoryId).contains(QStringLiteral("Grandma's soup")));

    // A new window lists it again, as the member's own; deleting it removes
    // it on the server too.
    dinner.reset();
    dinner = open(4);
    QVERIFY(openFirstCategory(*dinner));
    table = dinner->findChild<QTableView*>(QStringLiteral("tblDetail"));
    QCOMPARE(table->model()->rowCount(), rows + 1);
    const QModelIndex name = table->model()->index(rows, 0);
    QCOMPARE(name.data().toString(), QStringLiteral("Grandma's\n soup"));
    QCOMPARE(name.data(FoodTableModel::markRole).toInt(), 1);
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    doubleClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(name).center());
    QCOMPARE(table->model()->rowCount(), rows);
    QTRY_VERIFY_WITH_TIMEOUT(!serverFoodTitles(categoryId).contains(QStringLiteral("Grandma's soup")), 10000);
}

void TestTrackerDemo::refusedCatalogueKeepsTrackerUsable()
{
    // A member the session does not stand for: the server refuses the
    // catalogue. The member is told, and the window stays whole.
    const QString member = currentUserId;
    const auto restore = qScopeGuard([member] { currentUserId = member; });
    currentUserId = QStringLiteral("2");
    auto window = open(1);
    QTRY_VERIFY_WITH_TIMEOUT(
        MainWindow::instance()->messageBar()->messages().contains(CqWndTracker::catalogueFailedMessage()), 15000);
    QVERIFY(!firstEntry(*window));
    QTest::mouseClick(window->findChild<QtMaterialRaisedButton*>(QStringLiteral("btnCategory")), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(DayStore::mealCalories(1), 0); // nothing saved from an empty window
}

void TestTrackerDemo::searchThenCopyYesterdaysBreakfast()
{
    const auto clock = qScopeGuard([] { DayClock::setTodayForTesting(QDate()); });
    DayRollover* rollover = DayRollover::instance();
    QVERIFY(rollover);
    rollover->checkNow();
    auto breakfast = open(0);
    QTRY_VERIFY_WITH_TIMEOUT(firstEntry(*breakfast), 15000);
    auto* search = breakfast->findChild<QLineEdit*>(QStringLiteral("edtSearch"));
    QTRY_COMPARE(breakfast->focusWidget(), search);
    const int before = DayStore::mealCalories(0);

    // "bana": Enter takes half a cup of the first food found, Ctrl+S saves.
    QTest::keyClicks(search, QStringLiteral("bana"));
    auto* results = breakfast->findChild<QTableView*>(QStringLiteral("tblSearch"));
    QVERIFY(results->isVisible());
    const QModelIndex first = results->model()->index(0, 0);
    QVERIFY(first.data().toString().startsWith(QStringLiteral("Banana")));
    QTest::keyClick(search, Qt::Key_Return);
    QVERIFY(results->model()->index(0, 2).data(FoodTableModel::markRole).toBool());
    const FoodItemModel* banana = nullptr;
    qint32 fruits = 0;
    for (const FoodModel* category : breakfast->catalogue().categories()) {
        for (const FoodItemModel* food : category->items) {
            if (food->title == first.data().toString())
                std::tie(banana, fruits) = std::pair(food, category->id);
        }
    }
    QVERIFY(banana);
    QTest::keyClick(search, Qt::Key_S, Qt::ControlModifier);
    const int withBanana = before + FoodNumbers::wholePart(banana->halfCal);
    QCOMPARE(DayStore::mealCalories(0), withBanana);
    QCOMPARE(breakfast->findChild<QLabel*>(QStringLiteral("lblMealCalories"))->text(), QString::number(withBanana));
    QVERIFY(DayStore::entries(0, fruits).constLast().text.startsWith(QStringLiteral("%1:").arg(banana->id)));
    // A cup of the next food found, not saved.
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(search, Qt::Key_Escape);
    QVERIFY(search->text().isEmpty());

    // Midnight: the open tracker shows the empty new day, and tells that the
    // unsaved cup was left out.
    DayClock::setTodayForTesting(DayClock::today().addDays(1));
    QVERIFY(rollover->checkNow());
    QCOMPARE(breakfast->findChild<QLabel*>(QStringLiteral("lblMealCalories"))->text(), QStringLiteral("0"));
    QTRY_VERIFY(MainWindow::instance()->messageBar()->messages().contains(
        CqWndTracker::newDayUnsavedMessage({0})));
    const std::optional<ArchivedDay> yesterday = DayArchive::day(DayClock::today().addDays(-1));
    QVERIFY(yesterday);
    QCOMPARE(yesterday->mealCalories(0), withBanana);
    // Yesterday's foods are the recent ones; the banana came last.
    QVERIFY(results->isVisible());
    QCOMPARE(results->model()->index(0, 0).data().toString(), first.data().toString());
    // One click on "Last time" chooses the half cup again, unsaved: the copy
    // below asks before it replaces it.
    const QModelIndex lastTime = results->model()->index(0, SearchResultsModel::LastTime);
    QCOMPARE(lastTime.data().toString(), QStringLiteral("\u00BD cup"));
    QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, results->visualRect(lastTime).center());
    QVERIFY(results->model()->index(0, SearchResultsModel::HalfCup).data(FoodTableModel::markRole).toBool());

    // Copying yesterday's breakfast twice by replacing: the same meal.
    auto* menu = breakfast->findChild<QMenu*>(QStringLiteral("menuCopy"));
    TestEnvironment::answerNextModal(QStringLiteral("btnOk"));
    for (int times = 0; times < 2; ++times) {
        emit menu->aboutToShow();
        QMenu* source = menu->actions().constFirst()->menu();
        QVERIFY(source && source->menuAction()->isEnabled());
        source->actions().constFirst()->trigger();
    }
    QCOMPARE(DayStore::mealCalories(0), withBanana);
    QCOMPARE(breakfast->findChild<QLabel*>(QStringLiteral("lblMealCalories"))->text(), QString::number(withBanana));
    QCOMPARE(breakfast->findChild<QLabel*>(QStringLiteral("lblRemaining"))->text(),
             QString::number(DayStore::dailyTarget() - withBanana));
    for (qint32 category : yesterday->categories(0)) {
        QCOMPARE(DayStore::entries(0, category).size(), yesterday->entries(0, category).size());
        auto* block = breakfast->findChild<QTableWidget*>(QStringLiteral("tblSelectItem_%1").arg(category));
        QVERIFY(block && block->parentWidget()->isVisibleTo(breakfast.get()));
        QCOMPARE(block->rowCount(), int(yesterday->entries(0, category).size()));
    }
}

QTEST_MAIN(TestTrackerDemo)
#include "tst_trackerdemo.moc"
